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
    /// A top-level range value of browser named name whose child rows are named
    /// firstName and secondName; see TBaseItem for page and id. The browser owns it.
    TRangeValue(TValueBrowser* browser, const QString& name, const QString& firstName,
                const QString& secondName, int page = -1, int id = -1);
    /// A range value under parent whose child rows are named firstName and
    /// secondName; the parent owns it.
    TRangeValue(TBaseItem* parent, const QString& name, const QString& firstName,
                const QString& secondName, int id = -1);
    /// Closes the editor; shared validators are not deleted.
    ~TRangeValue() override;

    /// Whether range values constructed afterwards show their child rows.
    static void setDefaultExpandableItems(bool show);

    /// The current value; (0, 0) for a special value.
    QPointF range() const;
    using TBaseValue::writeValue;
    /// Writes the current value into out.
    void writeValue(QPointF& out);

    /// "TRangeValue".
    const char* ItemID() const override { return "TRangeValue"; }
    /// Each number in fixed notation with up to 5 decimals, without trailing
    /// zeros, so that the text reads back as the same range.
    QString valueText() const override;

    /// Whether new values show their child rows (see setDefaultExpandableItems()).
    static bool s_showExpandables;

protected:
    /// Shared part of the constructors: validator, button editor, child rows.
    void construct();

    /// Takes the number that child holds into the range.
    void doUpdateFromChild(TBaseValue* child) override;
    /// Hands the two numbers to the child rows.
    void doUpdateChildren() override;
    /// Creates the two child rows.
    void doCreateChildren() override;

private:
    QString m_firstName;
    QString m_secondName;
};

#endif // TARVO_TRANGEVALUE_H
