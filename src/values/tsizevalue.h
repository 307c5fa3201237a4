#ifndef TARVO_TSIZEVALUE_H
#define TARVO_TSIZEVALUE_H

#include "tbasevalue.h"

#include <QSize>

/// A QSize, shown as "width,height" and typed over in any form that holds two
/// whole numbers (TSizeValidator::s_SizeValidator unless another is set). The
/// width and height are also shown as two integer child rows.
class TARVO_EXPORT TSizeValue : public TBaseValue
{
public:
    /// A top-level size value of browser named name; see TBaseItem for page
    /// and id. The browser owns the row.
    TSizeValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    /// A size value under parent named name; the parent owns the row.
    TSizeValue(TBaseItem* parent, const QString& name, int id = -1);
    /// Closes the editor; shared lists, validators and editors are not deleted.
    ~TSizeValue() override;

    /// Whether size values constructed afterwards show their child rows.
    static void setDefaultExpandableItems(bool show);

    /// The current value; a QSize size() of zeros for a special value.
    QSize size() const;
    using TBaseValue::writeValue;
    /// Writes the current value into out.
    void writeValue(QSize& out);

    /// "TSizeValue".
    const char* ItemID() const override { return "TSizeValue"; }
    /// The text shown for the value ("width,height").
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

#endif // TARVO_TSIZEVALUE_H
