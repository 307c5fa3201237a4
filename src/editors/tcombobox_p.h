#ifndef TARVO_TCOMBOBOX_P_H
#define TARVO_TCOMBOBOX_P_H

//
// Internal to the library: the editable combo box inside every in-place
// editor, and the delegate that paints its entries.
//

#include "tarvoglobal.h"

#include <QComboBox>
#include <QItemDelegate>

class TBaseValue;
class TComboEditor;
class TItemList;

// Item data of the editor's combo entries.
enum EEntryRole
{
    EntryValueRole = Qt::UserRole,      // the entry's value; valid only for value entries
    EntryListRole = Qt::UserRole + 1,   // the TItemList* it comes from, 0 for none
    EntryIndexRole = Qt::UserRole + 2,  // its index in that list
    EntryEditorRole = Qt::UserRole + 3  // the TComboEditor* of a command entry
};

// Pointers are kept in entry data at full width; 0 means none.
QVariant tarvoPointerData(const void* pointer);
template<typename T>
T* tarvoPointerFrom(const QVariant& data)
{
    return reinterpret_cast<T*>(quintptr(data.toULongLong()));
}

class TARVO_AUTOTEST_EXPORT TComboBox : public QComboBox
{
    Q_OBJECT

public:
    TComboBox(QWidget* parent, TBaseValue* value);
    ~TComboBox() override;

    void saveEditText();
    void restoreEditText();
    void commitEditText();
    bool selectEntry(int index);
    void ensureFilled();
    bool isFilled() const { return m_filled; }

    TBaseValue* valueItem() const { return m_value; }
    // The value row is going away; the combo box no longer reaches it.
    void detachValue() { m_value = nullptr; }

    TItemList* entryList(int index) const;
    TComboEditor* entryEditor(int index) const;

    void showPopup() override;

Q_SIGNALS:
    void restoreInvoked();

protected Q_SLOTS:
    void onHighlight(int index);

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    Q_DISABLE_COPY(TComboBox)

    void sendToBrowser(QKeyEvent* e);

    QString m_savedText;
    TBaseValue* m_value;
    bool m_filled = false;
};

class TComboDelegate : public QItemDelegate
{
public:
    explicit TComboDelegate(TComboBox* combo);
    ~TComboDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QAbstractItemModel* m_model;
};

#endif // TARVO_TCOMBOBOX_P_H
