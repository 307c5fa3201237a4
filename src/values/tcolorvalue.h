#ifndef TARVO_TCOLORVALUE_H
#define TARVO_TCOLORVALUE_H

#include "tcoloreditors.h"
#include "titemlist.h"
#include "tlistvalue.h"
#include "tvaluevalidator.h"

#include <QColor>
#include <QIcon>

class TIntegerValue;

/// A list of colors: every entry holds a QColor value and owns a swatch
/// icon that the list makes itself. Copies get entries and swatches of their
/// own.
class TARVO_EXPORT TColorList : public TItemList
{
public:
    /// An empty list.
    TColorList();
    /// A copy with entries and swatches of its own.
    TColorList(const TColorList& other);
    /// Replaces the entries with copies of other's, with swatches of their own.
    TColorList& operator=(const TColorList& other);
    /// Deletes the entries and their swatches.
    ~TColorList() override;

    /// Appends an entry for a color given as a QColor, a color name, a
    /// "#rrggbb" text or a number read as 0xRRGGBB; null when value is none
    /// of these. The list ignores icon and makes its own swatch.
    TItem* setItem(const QVariant& value, const QString& text = QString(), QIcon* icon = nullptr) override;
    /// The first entry whose value has the same text form as value
    /// ("#rrggbb"; the comparison is case-sensitive). A QColor finds the
    /// first entry of the same color, alpha included, or else the first
    /// entry of the same RGB part.
    TItem* findItem(const QVariant& value) override;

    /// A swatch of width x height pixels filled with color and outlined in
    /// black.
    static QIcon makeIcon(const QColor& color, int width, int height);

    /// The 17 named base colors, filled on first use.
    static TColorList& baseColorList();
    /// Every opaque color name that Qt knows, in Qt's order, filled on first
    /// use.
    static TColorList& registeredColorList();

private:
    static TColorList m_regColorList;
    static TColorList m_baseColorList;
};

/// Turns a variant into an opaque color. Accepted: a valid QColor, a color
/// name, a "#" hexadecimal form, and a number 0 to 0xFFFFFF (or its decimal
/// text) read as 0xRRGGBB. A color name and a "#rrggbb" text are kept as
/// they are; every other accepted form is rewritten into a QColor whose text
/// form is "#rrggbb". Anything else, including the empty text, is invalid.
class TARVO_EXPORT TColorValidator : public TValueValidator
{
public:
    /// A color validator owned by parent (may be null).
    explicit TColorValidator(QObject* parent = nullptr);
    /// Destroys the validator.
    ~TColorValidator() override;

    /// See the class: VR_Valid, VR_Corrected with a QColor, or VR_Invalid
    /// leaving value as it was.
    EValidateResult checkValue(QVariant& value) override;

    /// The validator of every color value.
    static TColorValidator s_ColorValidator;
};

/// A color row: a list value over a TColorList that also takes colors
/// outside the list (own values, written as a color name or "#rrggbb"),
/// shows a swatch beside the value, offers the color dialog from its drop
/// list and its "..." button, and shows the red, green and blue parts as
/// child rows.
class TARVO_EXPORT TColorValue : public TListValue
{
public:
    /// A top-level color value of browser named name over list (not owned; with a null list any color is taken); see TBaseItem for page
    /// and id. The browser owns the row.
    TColorValue(TValueBrowser* browser, const QString& name, TColorList* list, int page = -1, int id = -1);
    /// A color value under parent named name over list (not owned; with a null list any color is taken); the parent owns the row.
    TColorValue(TBaseItem* parent, const QString& name, TColorList* list, int id = -1);
    /// Closes the editor; shared lists, validators and editors are not deleted.
    ~TColorValue() override;

    /// The current color, opaque; invalid for a special value.
    QColor color() const;
    using TBaseValue::writeValue;
    /// Writes the current color into color (invalid for a special value).
    void writeValue(QColor& color);

    /// The child rows, null before they are created or once deleted.
    /// The child row of the red part, null before it is created or once deleted.
    TIntegerValue* redValue() const;
    /// The child row of the green part, null before it is created or once deleted.
    TIntegerValue* greenValue() const;
    /// The child row of the blue part, null before it is created or once deleted.
    TIntegerValue* blueValue() const;

    /// "TColorValue".
    const char* ItemID() const override { return "TColorValue"; }
    /// Takes a color in any form TColorValidator accepts (or an entry of the list);
    /// false, keeping the row as it was, for anything else.
    bool setValue(const QVariant& value) override;
    /// True: a swatch of the color is drawn beside the value.
    bool autoIcon() const override { return true; }
    using TBaseValue::valueChanged;
    /// Two values that name the same color are the same value, whichever
    /// form ("#rrggbb", a name, a QColor) each of them is in.
    bool valueChanged(const QVariant& a, const QVariant& b) override;
    /// Writes the check key and the color as text ("#rrggbb" or its name) under
    /// every storing policy, with a ".Type" key except under SP_Linked.
    void writeDataSet(QSettings& settings) override;

    /// Records a list for callers (not owned); no operation of the library reads it.
    static void setDefaultColorList(TColorList* list) { s_colorList = list; }
    /// The list recorded by setDefaultColorList() (null by default).
    static TColorList* defaultColorList() { return s_colorList; }
    /// Whether new color values accept colors outside their list (default true).
    static void setDefaultUseOwnValues(bool on) { s_useOwnText = on; }
    /// Whether new color values append accepted outside colors to their list.
    static void setDefaultAllowListAppending(bool on) { s_allowListAppend = on; }
    /// Whether new color values show red, green and blue child rows.
    static void setDefaultExpandableItems(bool on) { s_showExpandables = on; }

    /// Shared by every color value.
    static TColorButtonEditor s_ColorButtonEditor;
    /// The "Pick color..." entry of every color value's drop list.
    static TColorComboEditor s_ColorComboEditor;

protected:
    /// Shared part of the constructors: list, validator, editors, child rows.
    void construct();

    /// The swatch of the current color.
    const QIcon itemIcon() override;
    /// Fills the editor with the special values, the colors and "Pick color...".
    void fillEditor() override;
    /// Renews the swatch, then as TBaseValue::setupValue().
    void setupValue() override;
    /// Appends the color to the list, with its swatch.
    void appendValue(const QVariant& value) override;
    /// Creates the red, green and blue child rows (0 to 255).
    void doCreateChildren() override;
    /// Hands the red, green and blue parts to the child rows.
    void doUpdateChildren() override;
    /// Takes the part child holds into the color.
    void doUpdateFromChild(TBaseValue* child) override;

private:
    TIntegerValue* childAt(int index, TIntegerValue* child) const;

    QIcon m_icon;
    TIntegerValue* m_red = nullptr;
    TIntegerValue* m_green = nullptr;
    TIntegerValue* m_blue = nullptr;
    /// A list made for a value that had none; it belongs to the value.
    TColorList* m_ownColorList = nullptr;

    static bool s_useOwnText;
    static bool s_allowListAppend;
    static bool s_showExpandables;
    static TColorList* s_colorList;
};

#endif // TARVO_TCOLORVALUE_H
