#ifndef TARVO_TRECTVALUE_H
#define TARVO_TRECTVALUE_H

#include "tbasevalue.h"

#include <QPoint>
#include <QRect>
#include <QSize>

/// A QRect, shown as "x,y,width,height" and typed over in any form that holds
/// four whole numbers (TRectValidator::s_RectValidator unless another is set).
/// The position and the size are also shown as four integer child rows.
///
/// Rectangles may reach the ends of the int range; their width and height are
/// worked out without overflow and saturated to the int range.
class TARVO_EXPORT TRectValue : public TBaseValue
{
public:
    TRectValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    TRectValue(TBaseItem* parent, const QString& name, int id = -1);
    ~TRectValue() override;

    /// Whether rectangle values constructed afterwards show their child rows.
    static void setDefaultExpandableItems(bool show);

    QRect rect() const;
    /// Width right - left + 1 and height bottom - top + 1, saturated to int.
    QSize size() const;
    /// The top-left corner.
    QPoint point() const;
    using TBaseValue::writeValue;
    void writeValue(QRect& out);

    const char* ItemID() const override { return "TRectValue"; }
    QString valueText() const override;

    static bool s_showExpandables;

protected:
    void construct();

    void doUpdateFromChild(TBaseValue* child) override;
    void doUpdateChildren() override;
    void doCreateChildren() override;
};

#endif // TARVO_TRECTVALUE_H
