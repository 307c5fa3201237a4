#ifndef TARVO_TITEMLIST_H
#define TARVO_TITEMLIST_H

#include "tarvoglobal.h"

#include <QList>
#include <QMetaType>
#include <QSize>
#include <QString>
#include <QVariant>

/// \file titemlist.h
/// Lists of choices and the special values.

class QComboBox;
class QIcon;
class QModelIndex;
class QPainter;
class QPoint;
class QStyleOptionViewItem;

/// One choice of a list: the value it stands for, its text and an optional icon.
/// Entries belong to the list that holds them.
struct TARVO_EXPORT TItem
{
    QVariant value;         ///< the value the entry stands for
    QIcon* icon = nullptr;  ///< shown beside the text; may be null
    QString text;           ///< the text shown for the entry
    /// Untranslated source text of entries made by the library's own lists;
    /// while text is still this source text, the entry is translated
    /// (context "QObject") each time it is shown.
    const char* sourceText = nullptr;

    /// The text to show: translated now when the entry has a source text.
    QString displayText() const;
};

/// An ordered list of choices. It owns its entries (and their icons when it
/// was built to own them); copies get entries of their own.
class TARVO_EXPORT TItemList : public QList<TItem*>
{
public:
    /// An empty list. ownsIcons: the list deletes its entries' icons.
    explicit TItemList(bool ownsIcons = false);
    /// A copy with entries of its own (sharing the icons, which it does not own).
    TItemList(const TItemList& other);
    /// Replaces the entries with copies of other's.
    TItemList& operator=(const TItemList& other);
    /// Deletes the entries (and their icons when the list owns them).
    virtual ~TItemList();

    /// Appends an entry for value with text and icon and returns it; the list
    /// owns the entry. An empty text shows value's text. The icon is deleted
    /// with the list only when ownsIcons() is true. An existing entry for the
    /// same value is not replaced: lookups find the first one.
    virtual TItem* setItem(const QVariant& value, const QString& text = QString(), QIcon* icon = nullptr);
    /// The entry whose value equals value, or null.
    virtual TItem* findItem(const QVariant& value);
    /// The entry whose shown text equals text, or null.
    virtual TItem* findItemByText(const QString& text);

    /// Hooks with which a list paints, compares, highlights and sizes its
    /// entries in the in-place editor's drop list.
    /// May paint (or adjust option for) the entry value at index in the drop
    /// list. Returns whether the default painting should follow (default true).
    virtual bool paintComboItem(QPainter* painter, QStyleOptionViewItem& option,
                                const QModelIndex& index, QVariant& value);
    /// Whether two entry values are the same entry.
    virtual bool compareComboItem(const QVariant& a, const QVariant& b);
    /// Called when the user highlights the entry value at index of combo, at
    /// globalPos; does nothing by default.
    virtual void highlightComboItem(QVariant& value, int index, QComboBox* combo, QPoint globalPos);
    /// The size of the entry value in the drop list; an invalid size for the default.
    virtual QSize sizeHintComboItem(QVariant& value, const QStyleOptionViewItem& option);

    /// Whether the list deletes its entries' icons.
    bool ownsIcons() const { return m_ownsIcons; }

    /// Kept for callers of earlier versions: entries made from source texts
    /// are translated each time they are shown, so there is nothing to do.
    void retranslate();

protected:
    /// Appends an entry whose text is translated when shown.
    TItem* addTranslatedItem(const QVariant& value, const char* sourceText);
    /// Removes and deletes every entry.
    void deleteEntries();

private:
    void copyEntriesFrom(const TItemList& other);

    bool m_ownsIcons;
};

/// Codes of the special values, one bit each so that a set of them can be
/// tested with a mask. A row holds one code at a time.
enum ESpecialValue
{
    SV_Empty = 1,    ///< "Empty"
    SV_NoValue = 2,  ///< "No Value"
    SV_Unused = 4,   ///< "Unused"
    SV_Default = 8,  ///< "Default"
    SV_BadValue = 16 ///< "Bad Value": the validator rejected the value
};

/// The five special values, in the order in which editors offer them.
class TARVO_EXPORT SpecialValueList : public TItemList
{
public:
    /// The five special values, with translated texts.
    SpecialValueList();
    /// Deletes the entries.
    ~SpecialValueList() override;
};

Q_DECLARE_METATYPE(TItemList*)
Q_DECLARE_METATYPE(TItem*)

#endif // TARVO_TITEMLIST_H
