// The optional extensions of TValueBrowser: the filter and the undo stack.
// The live object rows are in tobjectinspector.cpp.

#include "tvaluebrowserext_p.h"

#include "tbasevalue.h"
#include "tobjectinspector_p.h"
#include "tvaluebrowser.h"
#include "tvaluestep_p.h"
#include "tvariant_p.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QUndoCommand>

int TValueStep::s_depth = 0;

namespace {

// The whole record of one row before and after a user edit. It reaches the
// row through a reference the browser clears when the row goes away; then,
// or when the browser is gone, the command is obsolete and does nothing.
class TValueCommand : public QUndoCommand
{
public:
    TValueCommand(TValueBrowserExt* ext, const TRowRefPtr& row, const TRowState& before,
                  const TRowState& after, bool step)
        : QUndoCommand(TValueBrowser::tr("Change %1").arg(row->row->text(0)))
        , m_ext(ext), m_row(row), m_before(before), m_after(after), m_step(step)
    {
    }

    int id() const override { return m_step ? 0x7476 : -1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const TValueCommand*>(other);
        if (next->m_row != m_row || !m_row->row)
            return false;
        m_after = next->m_after;
        // Steps that end where they began leave nothing to undo.
        setObsolete(TValueBrowserExt::sameState(m_before, m_after));
        return true;
    }
    void undo() override { apply(m_before); }
    void redo() override
    {
        // Pushed after the edit itself: the first redo has nothing to do.
        if (m_pushed)
            apply(m_after);
        m_pushed = true;
    }

private:
    void apply(const TRowState& state)
    {
        if (!m_ext || !m_row->row) {
            setObsolete(true);
            return;
        }
        m_ext->applyState(m_row->row, state);
    }

    QPointer<TValueBrowserExt> m_ext;
    TRowRefPtr m_row;
    TRowState m_before;
    TRowState m_after;
    bool m_step;
    bool m_pushed = false;
};

// The row whose record a user edit changes: a compound value's child edits
// its parent.
TBaseValue* editedRow(TBaseItem* item)
{
    auto* row = dynamic_cast<TBaseValue*>(item);
    while (row && row->isChildMode()) {
        auto* parent = dynamic_cast<TBaseValue*>(row->QTreeWidgetItem::parent());
        if (!parent)
            break;
        row = parent;
    }
    return row;
}

} // namespace

TValueBrowserExt::TValueBrowserExt(TValueBrowser* browser)
    : QObject(browser), m_browser(browser)
{
}

TValueBrowserExt::~TValueBrowserExt()
{
    forgetAll();
}

// Rows going away

TRowRefPtr TValueBrowserExt::refOf(TBaseValue* row)
{
    TRowRefPtr& ref = m_refs[row];
    if (!ref) {
        ref = TRowRefPtr::create();
        ref->row = row;
    }
    return ref;
}

void TValueBrowserExt::forgetRow(TBaseItem* item)
{
    if (const TRowRefPtr ref = m_refs.take(item))
        ref->row = nullptr;
    for (auto it = m_binders.begin(); it != m_binders.end(); ++it) {
        if ((*it)->hasGroup(item)) {
            (*it)->forgetGroup();
            m_binders.erase(it);
            break;
        }
    }
}

void TValueBrowserExt::forgetAll()
{
    for (const TRowRefPtr& ref : qAsConst(m_refs))
        ref->row = nullptr;
    m_refs.clear();
    m_binders.clear();
}

// Filter

bool TValueBrowserExt::matches(const TBaseItem* item) const
{
    const QString name = item->text(0);
    QString value;
    bool valueRead = false;
    for (const QString& word : m_words) {
        if (name.contains(word, Qt::CaseInsensitive))
            continue;
        if (!valueRead) {
            value = item->text(1);
            valueRead = true;
        }
        if (!value.contains(word, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

void TValueBrowserExt::showRow(TBaseItem* item, bool filteredOut)
{
    item->m_filteredOut = filteredOut;
    // The row's own flag and page decide as before; the filter only hides.
    item->setHidden(!(item->visible() && int(item->page()) == m_browser->page() && !filteredOut));
}

// Filters a subtree; a row stays when it matches, when a row above it
// matched (`shown`) or when a row below it stays. Returns whether it stays.
bool TValueBrowserExt::filterTree(TBaseItem* item, bool shown)
{
    const bool self = shown || matches(item);
    bool below = false;
    // Every item of a browser is a row.
    for (int i = 0; i < item->childCount(); ++i)
        below = filterTree(static_cast<TBaseItem*>(item->child(i)), self) || below;
    const bool stays = self || below;
    showRow(item, !stays);
    return stays;
}

void TValueBrowserExt::setFilter(const QString& text)
{
    m_filterText = text;
    m_words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (m_words.isEmpty()) {
        for (TBaseItem* item : m_browser->allItems()) {
            if (item->m_filteredOut)
                showRow(item, false);
        }
    } else {
        for (int i = 0; i < m_browser->topLevelItemCount(); ++i)
            filterTree(static_cast<TBaseItem*>(m_browser->topLevelItem(i)), false);
    }
    auto* current = m_browser->currentItem();
    if (current && current->isHidden()) {
        // Focus leaving the closed editor stays in the browser.
        if (m_browser->isAncestorOf(QApplication::focusWidget()))
            m_browser->setFocus(Qt::OtherFocusReason);
        m_browser->setCurrentItem(nullptr);
    }
}

void TValueBrowserExt::rowAdded(TBaseItem* item)
{
    if (m_words.isEmpty())
        return;
    bool shown = matches(item);
    for (QTreeWidgetItem* p = item->QTreeWidgetItem::parent(); p && !shown; p = p->parent())
        shown = !static_cast<TBaseItem*>(p)->m_filteredOut && matches(static_cast<TBaseItem*>(p));
    showRow(item, !shown);
    if (!shown)
        return;
    for (QTreeWidgetItem* p = item->QTreeWidgetItem::parent(); p; p = p->parent()) {
        if (static_cast<TBaseItem*>(p)->m_filteredOut)
            showRow(static_cast<TBaseItem*>(p), false);
    }
}

// Undo

TRowState TValueBrowserExt::stateOf(TBaseValue* row)
{
    TRowState state;
    state.kind = row->value().kind;
    state.value = row->value().value;
    state.entry = row->currentEntry();
    state.check = row->checked();
    return state;
}

bool TValueBrowserExt::sameState(const TRowState& a, const TRowState& b)
{
    return a.kind == b.kind && a.entry == b.entry && a.check == b.check
        && a.value.userType() == b.value.userType() && tarvoVariantsEqual(a.value, b.value);
}

TValueBrowserExt::Edit::Edit(TValueBrowserExt* ext, TBaseItem* item)
    : m_ext(ext && !ext->m_applying ? ext : nullptr)
{
    if (m_ext && (m_row = editedRow(item)))
        m_before = stateOf(m_row);
}

void TValueBrowserExt::Edit::finish()
{
    if (!m_row)
        return;
    m_ext->syncObjects(m_row);
    const TRowState after = stateOf(m_row);
    if (!sameState(m_before, after) && m_ext->m_undoStack) {
        m_ext->m_undoStack->push(new TValueCommand(m_ext, m_ext->refOf(m_row), m_before, after,
                                                   TValueStep::active()));
    }
}

void TValueBrowserExt::applyState(TBaseValue* row, const TRowState& state)
{
    m_applying = true;
    switch (state.kind) {
    case SK_Special:
        row->setSpecial(state.value.toUInt());
        break;
    default:
        // A value the row held before passes its validator again; a list
        // value finds its entry again.
        row->setValue(state.value);
        break;
    }
    if (row->checked() != state.check)
        row->setChecked(state.check);
    m_applying = false;
    syncObjects(row);
    const SValue value = row->value();
    emit m_browser->ValuePicked(row, value);
}

void TValueBrowserExt::watchKeys()
{
    // The browser and every editor opened on its viewport.
    m_browser->installEventFilter(this);
    m_browser->viewport()->installEventFilter(this);
    for (QWidget* w : m_browser->viewport()->findChildren<QWidget*>())
        w->installEventFilter(this);
}

bool TValueBrowserExt::eventFilter(QObject* watched, QEvent* event)
{
    // Ctrl+Z and Ctrl+Shift+Z in the browser or its editor are the browser's
    // undo and redo, not the line edit's.
    const QEvent::Type type = event->type();
    if (type == QEvent::ChildPolished && watched == m_browser->viewport()) {
        if (auto* editor = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child())) {
            editor->installEventFilter(this);
            for (QWidget* w : editor->findChildren<QWidget*>())
                w->installEventFilter(this);
        }
    }
    if (m_undoStack && (type == QEvent::ShortcutOverride || type == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo)
            || (key->key() == Qt::Key_Z && key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier));
        if (undo || redo) {
            if (type == QEvent::KeyPress) {
                if (redo)
                    m_undoStack->redo();
                else
                    m_undoStack->undo();
            }
            event->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// Inspected objects

void TValueBrowserExt::addBinder(TObjectBinder* binder)
{
    m_binders.emplace_back(binder);
}

void TValueBrowserExt::syncObjects(TBaseValue* only)
{
    for (const auto& binder : m_binders) {
        if (!only) {
            binder->writeAll();
        } else if (TObjectBinder::Binding* b = binder->bindingOf(only)) {
            binder->write(*b);
            return;
        }
    }
}

// The browser's side

TValueBrowserExt* TValueBrowser::ext()
{
    if (!m_ext)
        m_ext = new TValueBrowserExt(this);
    return m_ext;
}

void TValueBrowser::setFilter(const QString& text)
{
    if (text != filter())
        ext()->setFilter(text);
}

QString TValueBrowser::filter() const
{
    return m_ext ? m_ext->m_filterText : QString();
}

void TValueBrowser::setUndoStack(QUndoStack* stack)
{
    ext()->m_undoStack = stack;
    ext()->watchKeys();
}

QUndoStack* TValueBrowser::undoStack() const
{
    return m_ext ? m_ext->m_undoStack.data() : nullptr;
}
