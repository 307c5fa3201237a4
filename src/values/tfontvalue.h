#ifndef TARVO_TFONTVALUE_H
#define TARVO_TFONTVALUE_H

#include "tfonteditors.h"
#include "titemlist.h"
#include "tlistvalue.h"

#include <QFont>
#include <QIcon>

class QAbstractItemDelegate;
class QFontComboBox;
class TBoolValue;

/// A list of font families. Each entry's value and text is a family name;
/// the drop list draws every family in its own face and shows it as a tool
/// tip in that face while it is highlighted. Copies get entries of their own.
class TARVO_EXPORT TFontList : public TItemList
{
public:
    /// An empty list.
    TFontList();
    /// A copy with entries of its own.
    TFontList(const TFontList& other);
    /// Replaces the entries with copies of other's.
    TFontList& operator=(const TFontList& other);
    /// Deletes the entries.
    ~TFontList() override;

    /// Appends the family named by value: a family name, or the family of a
    /// QFont. The entry never has an icon; icon is ignored.
    TItem* setItem(const QVariant& value, const QString& text = QString(), QIcon* icon = nullptr) override;

    /// Paints the family row in its own face; returns false (nothing more to paint).
    bool paintComboItem(QPainter* painter, QStyleOptionViewItem& option,
                        const QModelIndex& index, QVariant& value) override;
    /// Whether entryValue names the family of currentValue (a family or a QFont).
    bool compareComboItem(const QVariant& entryValue, const QVariant& currentValue) override;
    /// Shows the highlighted family as a tool tip in its own face at globalPos.
    void highlightComboItem(QVariant& value, int index, QComboBox* combo, QPoint globalPos) override;
    /// The size of a family row drawn in its own face.
    QSize sizeHintComboItem(QVariant& value, const QStyleOptionViewItem& option) override;

    /// A 24 x 20 sample "Aa" drawn in the font, black on white, whatever
    /// size is asked for.
    static QIcon makeIcon(const QFont& font, int width, int height);

    /// The families of the font database, plus the default font's family
    /// when the database does not list it (as the last entry). Filled on
    /// first use.
    static TFontList& fullFontList();
    /// The standard point sizes as integer entries. Filled on first use.
    static TItemList& defaultFontSizeList();

    /// The true type and bitmap font icons of Qt's own style, loaded by the
    /// first makeIcon() call; null before. A missing resource gives a null
    /// icon.
    static QIcon* m_truetype;
    /// The bitmap font icon; see m_truetype.
    static QIcon* m_bitmap;

protected:
    /// The list behind fullFontList().
    static TFontList m_fullFontList;
    /// The list behind defaultFontSizeList().
    static TItemList m_fontSizeList;

    /// A hidden font combo box that lends its delegate to paint family rows;
    /// made on first need and never shown.
    static QFontComboBox* m_fakeCombo;
    /// The delegate of m_fakeCombo, or null before it is made.
    static QAbstractItemDelegate* m_fakeFontDelegate;
};

/// A font value: a list value over font families whose value is a QFont.
/// The row shows "family [point size]" with a sample icon and its tool tip
/// in the font itself; its child rows are the size ("Size") and the four
/// style switches ("Bold", "Italic", "Underline", "Striked Out"). The font
/// dialog is reached from the drop list's "Pick font..." entry and from the
/// "..." button.
class TARVO_EXPORT TFontValue : public TListValue
{
public:
    /// A top-level font value of browser named name over list (not owned; with
    /// a null list any family is taken); see TBaseItem for page and id. It
    /// starts with defaultFont(). The browser owns the row.
    TFontValue(TValueBrowser* browser, const QString& name, TFontList* list, int page = -1, int id = -1);
    /// A font value under parent over list (not owned; with a null list any
    /// family is taken); the parent owns the row.
    TFontValue(TBaseItem* parent, const QString& name, TFontList* list, int id = -1);
    /// Closes the editor; shared lists are not deleted.
    ~TFontValue() override;

    /// The current font; a special value gives the default QFont().
    QFont font() const;

    /// A font read from a variant: a QFont as it is, a text holding a whole
    /// font description (the QFont::toString() form) as that font, any other
    /// text as a family name; any other type gives the default QFont().
    static QFont fontFromVariant(const QVariant& value);

    /// Stores a list for callers (not owned); the library's own values do not read it.
    static void setDefaultFontList(TFontList* list) { s_fontList = list; }
    /// The list stored by setDefaultFontList() (null by default).
    static TFontList* defaultFontList() { return s_fontList; }
    /// Sets the list of the "Size" child rows (not owned; null: defaultFontSizeList()).
    static void setDefaultFontSizeList(TItemList* list) { s_fontSizeList = list; }
    /// Sets the family new font values start with (at the default size); an
    /// empty family takes the application's font again.
    static void setDefaultFont(const QString& family);
    /// The font new values start with: the one set by setDefaultFont(), or
    /// the application's font as it is now.
    static QFont defaultFont();
    /// Whether new font values show their size and style child rows.
    static void setDefaultExpandableItems(bool on) { s_showExpandables = on; }

    /// "TFontValue".
    const char* ItemID() const override { return "TFontValue"; }
    /// True: a sample of the font is drawn beside the value.
    bool autoIcon() const override { return true; }
    /// Writes the check key and the font as its QFont::toString() text under every
    /// storing policy, with a ".Type" key except under SP_Linked.
    void writeDataSet(QSettings& settings) override;
    /// Opens the editor, its tool tips in the font.
    void onEnterItem() override;
    /// Closes the editor.
    void onLeaveItem() override;

    /// Takes a QFont, a whole font description, or a family name that
    /// replaces the family of the current font (completed from the list when
    /// it starts an entry's text). Anything else, or an empty family, is
    /// refused.
    bool setValue(const QVariant& value) override;
    /// "family [point size]".
    QString valueText() const override;
    using TBaseValue::valueChanged;
    /// Whether a and b describe different fonts, whichever form each is in.
    bool valueChanged(const QVariant& a, const QVariant& b) override;
    /// Fills the editor with the special values, the families and "Pick font...".
    void fillEditor() override;

    using TBaseItem::itemIcon;

    /// The "..." button of every font value, opening the font dialog.
    static TFontButtonEditor s_FontButtonEditor;
    /// The "Pick font..." entry of every font value's drop list.
    static TFontComboEditor s_FontComboEditor;

protected:
    /// The sample of the current font.
    const QIcon itemIcon() override;
    /// Renews the sample and tool tip font, then as TBaseValue::setupValue().
    void setupValue() override;
    /// Selects the current family in the open editor.
    bool setCurrentItem() override;
    /// VR_Valid for every value that makes a font (see setValue()), VR_Invalid otherwise.
    TValueValidator::EValidateResult validate(QVariant& value) override;
    /// Appends the font's family to the list.
    void appendValue(const QVariant& value) override;
    /// Creates the "Size" row and the four style switches.
    void doCreateChildren() override;
    /// Hands size and styles to the child rows.
    void doUpdateChildren() override;
    /// Takes the size or style child holds into the font.
    void doUpdateFromChild(TBaseValue* child) override;

    /// Shared part of the constructors: list, editors, default font, child rows.
    void construct();

private:
    /// The font that setValue(value) would hold; false when it refuses value.
    bool makeFont(const QVariant& value, QFont& out);

    /// The child rows by registration order. An application may delete a
    /// child row, so they are always looked up again (null when gone).
    TListValue* sizeChild() const;
    TBoolValue* switchChild(int index) const;

    QIcon m_icon;
    /// A list made for a value that had none; it belongs to the value.
    TFontList* m_ownFontList = nullptr;

    static QFont s_defaultFont;
    static QFont s_tooltipFont;
    static bool s_showExpandables;
    static TItemList* s_fontSizeList;
    static TFontList* s_fontList;
};

#endif // TARVO_TFONTVALUE_H
