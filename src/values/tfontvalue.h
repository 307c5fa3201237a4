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
    TFontList();
    TFontList(const TFontList& other);
    TFontList& operator=(const TFontList& other);
    ~TFontList() override;

    /// Appends the family named by value: a family name, or the family of a
    /// QFont. The entry never has an icon; icon is ignored.
    TItem* setItem(const QVariant& value, const QString& text = QString(), QIcon* icon = nullptr) override;

    bool paintComboItem(QPainter* painter, QStyleOptionViewItem& option,
                        const QModelIndex& index, QVariant& value) override;
    bool compareComboItem(const QVariant& entryValue, const QVariant& currentValue) override;
    void highlightComboItem(QVariant& value, int index, QComboBox* combo, QPoint globalPos) override;
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
    static QIcon* m_bitmap;

protected:
    static TFontList m_fullFontList;
    static TItemList m_fontSizeList;

    /// A hidden font combo box that lends its delegate to paint family rows;
    /// made on first need and never shown.
    static QFontComboBox* m_fakeCombo;
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
    TFontValue(TValueBrowser* browser, const QString& name, TFontList* list, int page = -1, int id = -1);
    TFontValue(TBaseItem* parent, const QString& name, TFontList* list, int id = -1);
    ~TFontValue() override;

    /// The current font; a special value gives the default QFont().
    QFont font() const;

    /// A font read from a variant: a QFont as it is, a text holding a whole
    /// font description (the QFont::toString() form) as that font, any other
    /// text as a family name; any other type gives the default QFont().
    static QFont fontFromVariant(const QVariant& value);

    static void setDefaultFontList(TFontList* list) { s_fontList = list; }
    static TFontList* defaultFontList() { return s_fontList; }
    static void setDefaultFontSizeList(TItemList* list) { s_fontSizeList = list; }
    static void setDefaultFont(const QString& family);
    /// The font new values start with: the one set by setDefaultFont(), or
    /// the application's font as it is now.
    static QFont defaultFont();
    static void setDefaultExpandableItems(bool on) { s_showExpandables = on; }

    const char* ItemID() const override { return "TFontValue"; }
    bool autoIcon() const override { return true; }
    void writeDataSet(QSettings& settings) override;
    void onEnterItem() override;
    void onLeaveItem() override;

    /// Takes a QFont, a whole font description, or a family name that
    /// replaces the family of the current font (completed from the list when
    /// it starts an entry's text). Anything else, or an empty family, is
    /// refused.
    bool setValue(const QVariant& value) override;
    QString valueText() const override;
    using TBaseValue::valueChanged;
    bool valueChanged(const QVariant& a, const QVariant& b) override;
    void fillEditor() override;

    using TBaseItem::itemIcon;

    static TFontButtonEditor s_FontButtonEditor;
    static TFontComboEditor s_FontComboEditor;

protected:
    const QIcon itemIcon() override;
    void setupValue() override;
    bool setCurrentItem() override;
    TValueValidator::EValidateResult validate(QVariant& value) override;
    void appendValue(const QVariant& value) override;
    void doCreateChildren() override;
    void doUpdateChildren() override;
    void doUpdateFromChild(TBaseValue* child) override;

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
