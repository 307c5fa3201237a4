#ifndef TARVO_TDROPLIST_P_H
#define TARVO_TDROPLIST_P_H

//
// Internal to the library: the in-place editor of every value row.
//

#include "tarvoglobal.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class TBaseValue;
class TButtonEditor;
class TComboBox;
class TComboEditor;
struct TItem;
class TItemList;

// The editor in the Value column of the current row: an editable combo box,
// the button widget of the row's button editor (if any) and a restore button.
// The row fills it with entries; the user's choices leave it as picked().
class TARVO_AUTOTEST_EXPORT TDropList : public QWidget
{
    Q_OBJECT

public:
    TDropList(QWidget* parent, TBaseValue* value);
    ~TDropList() override;

    virtual void markChanged(bool changed);
    // The row's height is the browser's business: the view would otherwise
    // size every row (with uniform row heights) after this editor.
    QSize sizeHint() const override;
    void setButtonEditor(TButtonEditor* editor);
    void addList(TItemList* list);
    void addSeparator();
    void addComboEditor(TComboEditor* editor);
    void setShowValueText(bool on) { m_showValueText = on; }
    bool setCurrent(TItemList* specials);

    TComboBox* comboBox() const { return m_combo; }
    QLineEdit* lineEdit() const { return m_lineEdit; }
    QWidget* buttonWidget() const { return m_buttonWidget; }
    QPushButton* restoreButton() const { return m_restoreButton; }
    TBaseValue* valueItem() const { return m_value; }
    // The value row is going away; the editor no longer reaches it.
    void detachValue();
    // Whether the editor still serves its row, and that row is its
    // browser's current one: where a dialog's result may still go.
    bool servesCurrentRow() const;

Q_SIGNALS:
    void picked(TItemList* list, TItem* item, const QVariant& value);
    void restoreValueInvoked();

public Q_SLOTS:
    // Delivers a value from outside the combo box, such as a dialog's result.
    void doPicked(QVariant v);

protected Q_SLOTS:
    void onPickItem(int index);

protected:
    void focusInEvent(QFocusEvent* e) override;

private:
    Q_DISABLE_COPY(TDropList)

    void updateBrowserEditors();

    TComboBox* m_combo;
    QLineEdit* m_lineEdit;
    bool m_showValueText = false;
    TBaseValue* m_value;
    QPointer<QWidget> m_buttonWidget;
    QPushButton* m_restoreButton;
    QHBoxLayout* m_layout;
};

#endif // TARVO_TDROPLIST_P_H
