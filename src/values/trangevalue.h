#ifndef TARVO_TRANGEVALUE_H
#define TARVO_TRANGEVALUE_H

#include "tbasevalue.h"

#include <QPointF>

/// A pair of reals, for example a lower and an upper limit, held as a QPointF
/// with the first number in x and the second in y. Shown as "first : second"
/// and typed over in any form that holds two numbers
/// (TRangeValidator::s_RangeValidator unless another is set); the numbers are
/// also shown as two real child rows with the names given at construction.
/// The numbers are not reordered: "3 : 1" stays (3, 1).
class TARVO_EXPORT TRangeValue : public TBaseValue
{
public:
    TRangeValue(TValueBrowser* browser, const QString& name, const QString& firstName,
                const QString& secondName, int page = -1, int id = -1);
    TRangeValue(TBaseItem* parent, const QString& name, const QString& firstName,
                const QString& secondName, int id = -1);
    ~TRangeValue() override;

    /// Whether range values constructed afterwards show their child rows.
    static void setDefaultExpandableItems(bool show);

    QPointF range() const;
    using TBaseValue::writeValue;
    void writeValue(QPointF& out);

    const char* ItemID() const override { return "TRangeValue"; }
    /// Each number in fixed notation with up to 5 decimals, without trailing
    /// zeros, so that the text reads back as the same range.
    QString valueText() const override;

    static bool s_showExpandables;

protected:
    void construct();

    void doUpdateFromChild(TBaseValue* child) override;
    void doUpdateChildren() override;
    void doCreateChildren() override;

private:
    QString m_firstName;
    QString m_secondName;
};

#endif // TARVO_TRANGEVALUE_H
