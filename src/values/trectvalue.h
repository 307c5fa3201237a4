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
    /// A top-level rectangle value of browser named name; see TBaseItem for page
    /// and id. The browser owns the row.
    TRectValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    /// A rectangle value under parent named name; the parent owns the row.
    TRectValue(TBaseItem* parent, const QString& name, int id = -1);
    /// Closes the editor; shared lists, validators and editors are not deleted.
    ~TRectValue() override;

    /// Whether rectangle values constructed afterwards show their child rows.
    static void setDefaultExpandableItems(bool show);

    /// The current value; a null QRect for a special value.
    QRect rect() const;
    /// Width right - left + 1 and height bottom - top + 1, saturated to int.
    QSize size() const;
    /// The top-left corner.
    QPoint point() const;
    using TBaseValue::writeValue;
    /// Writes the current value into out.
    void writeValue(QRect& out);

    /// "TRectValue".
    const char* ItemID() const override { return "TRectValue"; }
    /// The text shown for the value ("x,y,width,height").
    QString valueText() const override;

    /// Whether new values show their child rows (see setDefaultExpandableItems()).
    static bool s_showExpandables;

protected:
    /// Shared part of the constructors: validator, button editor, child rows.
    void construct();

    /// Takes the part that child holds into the value.
    void doUpdateFromChild(TBaseValue* child) override;
    /// Hands the value's parts to the child rows.
    void doUpdateChildren() override;
    /// Creates the child rows.
    void doCreateChildren() override;
};

#endif // TARVO_TRECTVALUE_H
