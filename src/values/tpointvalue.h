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
    /// A top-level point value of browser named name; see TBaseItem for page
    /// and id. The browser owns the row.
    TPointValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    /// A point value under parent named name; the parent owns the row.
    TPointValue(TBaseItem* parent, const QString& name, int id = -1);
    /// Closes the editor; shared lists, validators and editors are not deleted.
    ~TPointValue() override;

    /// Whether point values constructed afterwards show their child rows.
    static void setDefaultExpandableItems(bool show);

    /// The current value; a QPoint point() of zeros for a special value.
    QPoint point() const;
    using TBaseValue::writeValue;
    /// Writes the current value into out.
    void writeValue(QPoint& out);

    /// "TPointValue".
    const char* ItemID() const override { return "TPointValue"; }
    /// The text shown for the value ("x,y").
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

#endif // TARVO_TPOINTVALUE_H
