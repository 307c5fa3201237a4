#include "tcombobox_p.h"
#include "tvaluestep_p.h"

#include "tbasevalue.h"
#include "titemlist.h"
#include "tvaluebrowser.h"

#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QWheelEvent>

QVariant tarvoPointerData(const void* pointer)
{
    return QVariant::fromValue<qulonglong>(quintptr(pointer));
}

TComboBox::TComboBox(QWidget* parent, TBaseValue* value)
    : QComboBox(parent)
    , m_value(value)
{
    // Editable through a line edit of its own, as setEditable(true) would
    // make it, but without building the popup's list, which most editors
    // never show: the list is built when the popup first opens.
    auto* edit = new QLineEdit(this);
    edit->setPalette(palette());
    setLineEdit(edit);
    // Typed text is handed to the row as a value; it never becomes an entry,
    // and it is never completed into the text of another entry.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // QComboBox turns the line edit's editingFinished into activated() for
    // typed text equal to an entry's, which commits on every focus loss;
    // only the keys, the picks and focusOutEvent() decide when to commit.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    saveEditText();
    connect(this, QOverload<int>::of(&QComboBox::highlighted), this, &TComboBox::onHighlight);
}

TComboBox::~TComboBox() = default;

void TComboBox::saveEditText()
{
    QLineEdit* edit = lineEdit();
    m_savedText = edit->text();
    edit->selectAll();
    edit->setFrame(false);
}

void TComboBox::restoreEditText()
{
    QLineEdit* edit = lineEdit();
    edit->setText(m_savedText);
    edit->selectAll();
}

void TComboBox::commitEditText()
{
    const QString text = lineEdit()->text();
    for (int i = 0; i < count(); ++i) {
        if (itemData(i, EntryValueRole).isValid() && itemText(i) == text) {
            setCurrentIndex(i);
            emit activated(i);
            return;
        }
    }
    emit activated(-1);
}

TItemList* TComboBox::entryList(int index) const
{
    return tarvoPointerFrom<TItemList>(itemData(index, EntryListRole));
}

TComboEditor* TComboBox::entryEditor(int index) const
{
    return tarvoPointerFrom<TComboEditor>(itemData(index, EntryEditorRole));
}

bool TComboBox::selectEntry(int index)
{
    QVariant value = itemData(index, EntryValueRole);
    if (!value.isValid())
        return false;
    setCurrentIndex(index);
    if (TItemList* list = entryList(index))
        list->highlightComboItem(value, index, this, mapToGlobal(QPoint(-2, height() - 24)));
    lineEdit()->selectAll();
    emit activated(index);
    return true;
}

void TComboBox::ensureFilled()
{
    if (m_filled)
        return;
    m_filled = true;
    // Text that reached the line edit without a key press (paste, input
    // method, drop) survives the filling.
    const QString text = lineEdit()->text();
    const bool edited = text != m_savedText;
    clear();
    if (m_value) {
        m_value->fillEditor();
        m_value->setCurrentItem();
    }
    if (edited && lineEdit()->text() != text)
        lineEdit()->setText(text);
}

void TComboBox::onHighlight(int index)
{
    QVariant value = itemData(index, EntryValueRole);
    TItemList* list = entryList(index);
    if (value.isValid() && list) {
        const QPoint p = mapToGlobal(QPoint(rect().right() - 2, height() + rect().top() - 24));
        list->highlightComboItem(value, index, this, p);
    }
}

void TComboBox::mouseDoubleClickEvent(QMouseEvent*)
{
}

void TComboBox::wheelEvent(QWheelEvent* e)
{
    // A wheel step acts as Shift+Down or Shift+Up; a sideways wheel steps by
    // its own delta. The start and end of a touchpad gesture come without a
    // delta and step nothing.
    const QPoint delta = e->angleDelta();
    if (delta.isNull())
        return;
    const int key = (delta.y() != 0 ? delta.y() : delta.x()) < 0 ? Qt::Key_Down : Qt::Key_Up;
    QKeyEvent step(QEvent::KeyPress, key, e->modifiers() | Qt::ShiftModifier, QString(), false, 1);
    QCoreApplication::sendEvent(this, &step);
}

void TComboBox::sendToBrowser(QKeyEvent* e)
{
    if (!m_value)
        return;
    if (TValueBrowser* b = m_value->browser())
        QCoreApplication::sendEvent(b, e);
}

void TComboBox::keyPressEvent(QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool alt = mods & Qt::AltModifier;

    switch (e->key()) {
    case Qt::Key_Down:
        e->accept();
        if (shift) {
            const TValueStep step;
            ensureFilled();
            for (int i = currentIndex() + 1; i < count(); ++i) {
                if (selectEntry(i))
                    break;
            }
        } else if (alt) {
            showPopup();
        } else {
            commitEditText();
            sendToBrowser(e);
        }
        return;
    case Qt::Key_Up:
        e->accept();
        if (shift) {
            const TValueStep step;
            ensureFilled();
            for (int i = currentIndex() - 1; i >= 0; --i) {
                if (selectEntry(i))
                    break;
            }
        } else {
            commitEditText();
            sendToBrowser(e);
        }
        return;
    case Qt::Key_Escape:
        e->accept();
        if (shift)
            emit restoreInvoked();
        else
            restoreEditText();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The keypad's Enter commits like Return.
        e->accept();
        ensureFilled();
        commitEditText();
        return;
    default:
        ensureFilled();
        QComboBox::keyPressEvent(e);
        return;
    }
}

void TComboBox::focusOutEvent(QFocusEvent* e)
{
    switch (e->reason()) {
    case Qt::TabFocusReason:
        // The typed text is dropped: the editor shows the value again. Qt
        // also moves the focus on as if by Tab when it hides the editor (its
        // row hidden or on another page); the text stays for its return.
        if (isVisible())
            restoreEditText();
        break;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::OtherFocusReason:
        break;
    default:
        commitEditText();
        break;
    }
    QComboBox::focusOutEvent(e);
}

void TComboBox::showPopup()
{
    ensureFilled();
    // Asking for the delegate builds the list if it is not there yet.
    if (!dynamic_cast<TComboDelegate*>(itemDelegate()))
        setItemDelegate(new TComboDelegate(this));
    QComboBox::showPopup();
    auto* container = findChild<QFrame*>(QString(), Qt::FindDirectChildrenOnly);
    if (!container || !m_value)
        return;
    TValueBrowser* b = m_value->browser();
    if (!b)
        return;
    QRect geometry = container->geometry();
    geometry.setLeft(b->mapToGlobal(b->viewport()->pos()).x() + b->header()->sectionViewportPosition(1) - 1);
    container->setGeometry(geometry);
}

TComboDelegate::TComboDelegate(TComboBox* combo)
    : QItemDelegate(combo)
    , m_model(combo->model())
{
}

TComboDelegate::~TComboDelegate() = default;

void TComboDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QVariant value = m_model->data(index, EntryValueRole);
    if (!value.isValid() && !m_model->data(index, EntryEditorRole).isValid()) {
        // A separator: a gray line, 2 pixels in from both sides, halfway down.
        const int h = option.rect.bottom() - option.rect.top() + 1;
        const int y = option.rect.bottom() - h / 2;
        painter->save();
        painter->setPen(Qt::gray);
        painter->drawLine(option.rect.left() + 2, y, option.rect.right() - 2, y);
        painter->restore();
        return;
    }
    QStyleOptionViewItem opt(option);
    auto* list = tarvoPointerFrom<TItemList>(m_model->data(index, EntryListRole));
    if (!list || list->paintComboItem(painter, opt, index, value))
        QItemDelegate::paint(painter, opt, index);
}

QSize TComboDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QVariant value = m_model->data(index, EntryValueRole);
    auto* list = tarvoPointerFrom<TItemList>(m_model->data(index, EntryListRole));
    if (value.isValid() && list) {
        const QSize size = list->sizeHintComboItem(value, option);
        if (size.width() >= 0 && size.height() >= 0)
            return size;
    }
    return QItemDelegate::sizeHint(option, index);
}
