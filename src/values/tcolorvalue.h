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
    TColorList();
    TColorList(const TColorList& other);
    TColorList& operator=(const TColorList& other);
    ~TColorList() override;

    /// Appends an entry for a color given as a QColor, a color name, a
    /// "#rrggbb" text or a number read as 0xRRGGBB; null when value is none
    /// of these. The list ignores icon and makes its own swatch.
    TItem* setItem(const QVariant& value, const QString& text = QString(), QIcon* icon = nullptr) override;
    /// The first entry whose value has the same text form as value
    /// ("#rrggbb"; the comparison is case-sensitive).
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
    explicit TColorValidator(QObject* parent = nullptr);
    ~TColorValidator() override;

    EValidateResult checkValue(QVariant& value) override;

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
    TColorValue(TValueBrowser* browser, const QString& name, TColorList* list, int page = -1, int id = -1);
    TColorValue(TBaseItem* parent, const QString& name, TColorList* list, int id = -1);
    ~TColorValue() override;

    /// The current color, opaque; invalid for a special value.
    QColor color() const;
    using TBaseValue::writeValue;
    void writeValue(QColor& color);

    /// The child rows, null before they are created or once deleted.
    TIntegerValue* redValue() const;
    TIntegerValue* greenValue() const;
    TIntegerValue* blueValue() const;

    const char* ItemID() const override { return "TColorValue"; }
    bool setValue(const QVariant& value) override;
    bool autoIcon() const override { return true; }
    using TBaseValue::valueChanged;
    /// Two values that name the same color are the same value, whichever
    /// form ("#rrggbb", a name, a QColor) each of them is in.
    bool valueChanged(const QVariant& a, const QVariant& b) override;
    void writeDataSet(QSettings& settings) override;

    /// Defaults taken by color values constructed afterwards.
    static void setDefaultColorList(TColorList* list) { s_colorList = list; }
    static TColorList* defaultColorList() { return s_colorList; }
    static void setDefaultUseOwnValues(bool on) { s_useOwnText = on; }
    static void setDefaultAllowListAppending(bool on) { s_allowListAppend = on; }
    static void setDefaultExpandableItems(bool on) { s_showExpandables = on; }

    /// Shared by every color value.
    static TColorButtonEditor s_ColorButtonEditor;
    static TColorComboEditor s_ColorComboEditor;

protected:
    void construct();

    const QIcon itemIcon() override;
    void fillEditor() override;
    void setupValue() override;
    void appendValue(const QVariant& value) override;
    void doCreateChildren() override;
    void doUpdateChildren() override;
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
