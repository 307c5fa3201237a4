#include "tdroplist_p.h"

#include "tbasevalue.h"
#include "tbuttoneditor.h"
#include "tcombobox_p.h"
#include "tcomboeditor.h"
#include "titemlist.h"
#include "tvaluebrowser.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

TDropList::TDropList(QWidget* parent, TBaseValue* value)
    : QWidget(parent)
    , m_value(value)
{
    m_combo = new TComboBox(this, value);
    m_lineEdit = m_combo->lineEdit();
    m_combo->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    connect(m_combo, QOverload<int>::of(&QComboBox::activated), this, &TDropList::onPickItem);
    connect(m_combo, &TComboBox::restoreInvoked, this, &TDropList::restoreValueInvoked);

    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_combo);

    const TValueBrowser* b = value ? value->browser() : nullptr;
    m_restoreButton = new QPushButton(b ? b->revertIcon() : QIcon(), QString(), this);
    if (m_restoreButton->icon().isNull())
        m_restoreButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_restoreButton->setFixedWidth(20);
    m_restoreButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    m_restoreButton->setToolTip(tr("Restore previous value (Shift+Esc)"));
    m_restoreButton->setFocusPolicy(Qt::NoFocus);
    // A click on a button of the editor leaves the keyboard focus in the
    // text: Qt stops looking for a widget to focus at a widget whose focus
    // proxy has the focus already.
    m_restoreButton->setFocusProxy(m_combo);
    connect(m_restoreButton, &QPushButton::clicked, this, &TDropList::restoreValueInvoked);
    m_layout->addWidget(m_restoreButton);

}

TDropList::~TDropList() = default;

void TDropList::detachValue()
{
    m_value = nullptr;
    m_combo->detachValue();
}

bool TDropList::servesCurrentRow() const
{
    const TValueBrowser* b = m_value ? m_value->browser() : nullptr;
    return b && b->currentItem() == m_value;
}

void TDropList::markChanged(bool changed)
{
    QFont font = m_lineEdit->font();
    font.setWeight(changed ? QFont::Bold : QFont::Normal);
    m_lineEdit->setFont(font);
}

void TDropList::setButtonEditor(TButtonEditor* editor)
{
    if (m_buttonWidget) {
        // Deleted later: the widget may be the button whose click is being
        // handled right now.
        m_buttonWidget->hide();
        m_layout->removeWidget(m_buttonWidget);
        m_buttonWidget->deleteLater();
        m_buttonWidget = nullptr;
    }
    if (!editor)
        return;
    QWidget* widget = editor->createButton(this);
    if (!widget)
        return;
    m_buttonWidget = widget;
    widget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    widget->setFocusProxy(m_combo);
    m_layout->insertWidget(m_layout->count() - 1, widget);
    widget->show();
}

void TDropList::addList(TItemList* list)
{
    if (!list || list->isEmpty())
        return;
    for (int i = 0; i < list->size(); ++i) {
        const TItem* entry = list->at(i);
        m_combo->addItem(entry->icon ? *entry->icon : QIcon(), entry->displayText(), entry->value);
        const int row = m_combo->count() - 1;
        m_combo->setItemData(row, tarvoPointerData(list), EntryListRole);
        m_combo->setItemData(row, i, EntryIndexRole);
    }
}

void TDropList::addSeparator()
{
    m_combo->addItem(QIcon(), QString());
}

void TDropList::addComboEditor(TComboEditor* editor)
{
    if (!editor)
        return;
    m_combo->addItem(QIcon(), editor->text());
    m_combo->setItemData(m_combo->count() - 1, tarvoPointerData(editor), EntryEditorRole);
    editor->setHost(this);
}

void TDropList::updateBrowserEditors()
{
    if (m_value) {
        if (TValueBrowser* b = m_value->browser())
            b->updateEditorGeometries();
    }
}

bool TDropList::setCurrent(TItemList* specials)
{
    m_combo->setCurrentIndex(-1);
    updateBrowserEditors();
    if (!m_value)
        return false;

    if (!m_combo->isFilled()) {
        // Until its choices are needed the combo box shows the current value
        // alone.
        m_combo->clear();
        const QIcon icon = m_value->autoIconActive() ? QIcon() : m_value->icon(1);
        m_combo->addItem(icon, m_value->text(1));
        m_combo->setCurrentIndex(0);
        m_combo->saveEditText();
        updateBrowserEditors();
        return true;
    }

    if (specials) {
        // The row's own entry first: another entry may have the same value.
        const TItem* entry = m_value->currentEntry();
        for (int i = 0; entry && i < m_combo->count(); ++i) {
            if (m_combo->entryList(i) == specials
                && specials->value(m_combo->itemData(i, EntryIndexRole).toInt()) == entry) {
                m_combo->setCurrentIndex(i);
                m_combo->saveEditText();
                return true;
            }
        }
        const QVariant current = m_value->value().value;
        for (int i = 0; i < m_combo->count(); ++i) {
            if (m_combo->entryList(i) != specials)
                continue;
            if (specials->compareComboItem(m_combo->itemData(i, EntryValueRole), current)) {
                m_combo->setCurrentIndex(i);
                m_combo->saveEditText();
                return true;
            }
        }
    }

    if (m_showValueText) {
        // A special value outside the offered list shows as its row does.
        const bool special = m_value->value().kind == SK_Special;
        m_lineEdit->setText(special ? m_value->text(1) : m_value->valueText());
        m_combo->saveEditText();
        return true;
    }
    return false;
}

void TDropList::onPickItem(int index)
{
    if (!m_combo->isFilled())
        return;
    if (index < 0 || index >= m_combo->count()) {
        emit picked(nullptr, nullptr, QVariant(m_lineEdit->text()));
        return;
    }
    const QVariant value = m_combo->itemData(index, EntryValueRole);
    if (value.isValid()) {
        if (TItemList* list = m_combo->entryList(index)) {
            const int i = m_combo->itemData(index, EntryIndexRole).toInt();
            emit picked(list, list->value(i), value);
        } else {
            emit picked(nullptr, nullptr, QVariant(m_lineEdit->text()));
        }
        return;
    }
    m_combo->restoreEditText();
    TComboEditor* editor = m_combo->entryEditor(index);
    if (!editor || !m_value)
        return;
    // Back on the value's own entry first: when the dialog takes the focus,
    // the combo box would otherwise take the edit text, which differs from
    // the command entry's, for a choice of its own.
    m_value->setCurrentItem();
    // The command runs once the combo box is done with the activation: its
    // dialog runs an event loop in which this editor, its row or the whole
    // browser may go. It works for this editor, whichever editor added the
    // shared command's entry last.
    QTimer::singleShot(0, this, [this, editor] {
        if (!m_value)
            return;
        editor->setHost(this);
        editor->invoke(m_value);
    });
}

void TDropList::doPicked(QVariant v)
{
    m_combo->ensureFilled();
    emit picked(nullptr, nullptr, v);
}

void TDropList::focusInEvent(QFocusEvent* e)
{
    m_combo->setFocus(Qt::OtherFocusReason);
    m_lineEdit->selectAll();
    QWidget::focusInEvent(e);
}

QSize TDropList::sizeHint() const
{
    return QSize(QWidget::sizeHint().width(), 0);
}
