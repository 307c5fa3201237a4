#ifndef TARVO_TPOINTVALUE_H
#define TARVO_TPOINTVALUE_H

#include "tbasevalue.h"

#include <QPoint>

/// A QPoint, shown as "x,y" and typed over in any form that holds two whole
/// numbers (TPointValidator::s_PointValidator unless another is set). The x
/// and y coordinates are also shown as two integer child rows.
class TARVO_EXPORT TPointValue : public TBaseValue
{
public:
    TPointValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    TPointValue(TBaseItem* parent, const QString& name, int id = -1);
    ~TPointValue() override;

    /// Whether point values constructed afterwards show their child rows.
    static void setDefaultExpandableItems(bool show);

    QPoint point() const;
    using TBaseValue::writeValue;
    void writeValue(QPoint& out);

    const char* ItemID() const override { return "TPointValue"; }
    QString valueText() const override;

    static bool s_showExpandables;

protected:
    void construct();

    void doUpdateFromChild(TBaseValue* child) override;
    void doUpdateChildren() override;
    void doCreateChildren() override;
};

#endif // TARVO_TPOINTVALUE_H
