#include "tvaluebrowser.h"

#include "tbasegroup.h"
#include "tbasevalue.h"
#include "tdroplist_p.h"
#include "tsettingscheck_p.h"
#include "tvalueitemdelegate_p.h"
#include "tvaluebrowserext_p.h"
#include "tvariant_p.h"

#include <QAccessible>
#include <QHeaderView>
#include <QHelpEvent>
#include <QResizeEvent>
#include <QSettings>
#include <QToolTip>
#include <QTreeWidgetItemIterator>

QIcon TValueBrowser::s_defaultRevertIcon;
SpecialValueList TValueBrowser::s_specialList;
const QTreeWidgetItem* TValueBrowser::s_cellOffScreen = nullptr;

TValueBrowser::TValueBrowser(QWidget* parent, unsigned int itemDefHeight)
    : QTreeWidget(parent)
    , m_itemDefHeight(itemDefHeight)
    , m_revertIcon(s_defaultRevertIcon)
{
    qRegisterMetaType<SValue>("SValue");
    qRegisterMetaType<TBaseItem*>("TBaseItem*");
    qRegisterMetaType<TItemList*>("TItemList*");
    qRegisterMetaType<TItem*>("TItem*");

    TBaseItem::s_defaultPage = 0;

    setRootIsDecorated(true);
    setIndentation(12);
    setUniformRowHeights(true);
    setHeaderLabels(QStringList() << tr("Property") << tr("Value"));
    setItemDelegate(new TValueItemDelegate(this));

    connect(this, &QTreeWidget::currentItemChanged, this,
            QOverload<QTreeWidgetItem*, QTreeWidgetItem*>::of(&TValueBrowser::selectionChanged));
    connect(this, &QTreeWidget::itemChanged, this,
            QOverload<QTreeWidgetItem*, int>::of(&TValueBrowser::onItemChanged));
    connect(this, &QTreeWidget::itemClicked, this, &TValueBrowser::onItemClicked);
}

TValueBrowser::~TValueBrowser()
{
    // The rows go while the browser is still whole, so every row can reach
    // it on its way out. A browser on its way out tells nobody: the window
    // whose slots would hear it may be half destroyed already. The default
    // page belongs to the browsers that stay.
    blockSignals(true);
    removeRows();
    delete m_ext;
    m_ext = nullptr;
}

void TValueBrowser::setWidthScale(unsigned int scale)
{
    if (scale < 5 || scale > 95)
        return;
    m_widthScale = scale;
    m_scaledWidth = -1;
    update();
}

void TValueBrowser::setSpecialList(SpecialValueList* list, bool deleteOld)
{
    SpecialValueList* old = m_specialList;
    m_specialList = list;
    // The library's own list and the list being set again are never deleted.
    if (deleteOld && old && old != list && old != &s_specialList)
        delete old;

    // Rows holding a special value find their entry in the new list; while
    // the list lacks the code, the row keeps its special value without an
    // entry, and finds the entry again when a list with the code comes back.
    // Open editors are filled anew: their entries may be those of the old,
    // perhaps deleted, list.
    for (TBaseItem* item : allItems()) {
        auto* value = dynamic_cast<TBaseValue*>(item);
        if (!value)
            continue;
        if (value->m_current.kind == SK_Special) {
            value->m_currentEntry = list ? list->findItem(value->m_current.value) : nullptr;
            value->setupValue();
        }
        value->refillEditor();
    }
}

QList<TBaseItem*> TValueBrowser::allItems() const
{
    QList<TBaseItem*> items;
    for (QTreeWidgetItemIterator it(const_cast<TValueBrowser*>(this)); *it; ++it) {
        if (auto* item = TBaseItem::fromItem(*it))
            items.append(item);
    }
    return items;
}

TBaseItem* TValueBrowser::getItem(int id)
{
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        auto* item = TBaseItem::fromItem(*it);
        if (item && item->id() == id)
            return item;
    }
    return nullptr;
}

void TValueBrowser::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                const QVector<int>& roles)
{
    // QTreeView looks a changed cell up in its list of shown rows, starting
    // from the last one it found: a row under a collapsed value is not in the
    // list, and is searched for in all of it. Compound values change their
    // child rows with every change of value.
    if (!s_cellOffScreen || itemFromIndex(topLeft) != s_cellOffScreen) {
        QTreeWidget::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    // What the view does besides painting: the row keeps an open editor in
    // step itself, and the cell needs no room until its row is shown.
#ifndef QT_NO_ACCESSIBILITY
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::DataChanged);
        event.setFirstRow(topLeft.row());
        event.setFirstColumn(topLeft.column());
        event.setLastRow(bottomRight.row());
        event.setLastColumn(bottomRight.column());
        QAccessible::updateAccessibility(&event);
    }
#endif
}

bool TValueBrowser::setItemLevel(TBaseItem* item, int level)
{
    if (!item || level < 0 || item->text(0).isEmpty())
        return false;
    if (level < m_levels.size())
        m_levels[level] = item;
    else
        m_levels.append(item);
    return true;
}

void TValueBrowser::forgetItem(TBaseItem* item)
{
    // Entries from the first one naming the row on are dropped, so new rows
    // of those levels go under the deepest entry that is still alive.
    if (m_ext)
        m_ext->forgetRow(item);
    const int i = m_levels.indexOf(item);
    if (i >= 0)
        m_levels.erase(m_levels.begin() + i, m_levels.end());
}

int TValueBrowser::addPage()
{
    return ++TBaseItem::s_defaultPage;
}

void TValueBrowser::updateEditorGeometries()
{
    QAbstractItemView::updateEditorGeometries();
}

void TValueBrowser::clear()
{
    m_page = 0;
    TBaseItem::s_defaultPage = 0;
    removeRows();
}

void TValueBrowser::removeRows()
{
    // Close the open editor first: it must not outlive its row.
    if (auto* current = dynamic_cast<TBaseItem*>(currentItem())) {
        const bool blocked = blockSignals(true);
        current->onLeaveItem();
        blockSignals(blocked);
    }
    m_levels.clear();
    if (m_ext)
        m_ext->forgetAll();
    QTreeWidget::clear();
}

void TValueBrowser::resizeEvent(QResizeEvent* e)
{
    QAbstractItemView::resizeEvent(e);
    // The viewport's resize events come through here as well, with the
    // viewport's smaller size; the column always follows the browser's own
    // width (which is e->size() for the browser's event). Only a new width
    // sizes it: a column the user has dragged stays until the browser is
    // resized (a scroll bar coming or going resizes only the viewport).
    if (width() == m_scaledWidth)
        return;
    m_scaledWidth = width();
    const unsigned int width = unsigned(qMax(0, m_scaledWidth));
    header()->resizeSection(0, int(m_widthScale * width / 100u));
}

void TValueBrowser::hideEvent(QHideEvent* e)
{
    Q_UNUSED(e)
}

bool TValueBrowser::viewportEvent(QEvent* e)
{
    if (e->type() != QEvent::ToolTip)
        return QTreeView::viewportEvent(e);
    if (!isActiveWindow())
        return false;

    auto* help = static_cast<QHelpEvent*>(e);
    const QModelIndex index = indexAt(help->pos());
    const QVariant tip = model()->data(index, Qt::ToolTipRole);
    if (!tip.canConvert<QString>())
        return QTreeView::viewportEvent(e);

    const QVariant font = model()->data(index, ToolTipFontRole);
    QToolTip::setFont(font.isValid() ? qvariant_cast<QFont>(font) : QFont());
    QToolTip::showText(help->globalPos(), tip.toString(), this);
    return true;
}

// Pages, selection and hints

void TValueBrowser::switchPage(int page)
{
    if (page == m_page)
        return;
    m_page = page;
    for (TBaseItem* item : allItems())
        item->setVisible(item->visible());
    auto* current = dynamic_cast<TBaseItem*>(currentItem());
    doHintChange(current && !current->isHidden() ? current : nullptr);
}

void TValueBrowser::switchPage(const QModelIndex& index)
{
    switchPage(index.row());
}

void TValueBrowser::doHintChange(TBaseItem* item)
{
    if (item) {
        // A slot connected to HintChanged may delete the row.
        const QString hint = item->hint();
        emit HintChanged(hint, item, item->text(0));
        emit ItemHint(hint);
    } else {
        emit HintChanged(QString(), nullptr, QString());
        emit ItemHint(QString());
    }
}

void TValueBrowser::selectionChanged(QTreeWidgetItem* item, QTreeWidgetItem* prevItem)
{
    auto* next = dynamic_cast<TBaseItem*>(item);
    if (item == prevItem) {
        // The row stays current (shown again, or back on its page): its
        // open editor and the text typed into it stay. Closing it here
        // would pull it out of the view's editor table while the view
        // walks that table. A click in the row's other column moves the
        // focus out of the editor: it gets it back.
        auto* value = dynamic_cast<TBaseValue*>(next);
        if (value && value->editor())
            value->editor()->setFocus(Qt::OtherFocusReason);
        doHintChange(next);
        return;
    }
    const bool blocked = blockSignals(true);
    if (auto* prev = dynamic_cast<TBaseItem*>(prevItem))
        prev->onLeaveItem();
    if (next)
        next->onEnterItem();
    blockSignals(blocked);
    doHintChange(next);
}

void TValueBrowser::onItemChanged(QTreeWidgetItem* item, int column)
{
    auto* base = TBaseItem::fromItem(item);
    if (!base)
        return;
    TValueBrowserExt::Edit edit(column == 0 ? m_ext : nullptr, base);
    base->onChangeItem(column);
    edit.finish();
}

void TValueBrowser::onItemChanged(TBaseItem* item)
{
    emit ItemChanged(item);
}

void TValueBrowser::onItemClicked(QTreeWidgetItem* item, int column)
{
    if (auto* base = TBaseItem::fromItem(item))
        base->onClickItem(column);
}

void TValueBrowser::valuePicked(TItemList* list, TItem* item, const QVariant& value)
{
    auto* current = dynamic_cast<TBaseValue*>(currentItem());
    if (!current)
        return;
    // A special value's code is a number: the text "8" equals "Default" (8)
    // as a QVariant, yet picking one in place of the other is a change.
    // Likewise an entry of the row's list is a change from an equal own value
    // (the entry "Red" from the own value "red"), unless it is the current entry.
    const bool fromSpecials = list && list == m_specialList;
    const bool otherEntry = item && item != current->currentEntry();
    if (fromSpecials == (current->value().kind == SK_Special) && !otherEntry
        && tarvoVariantsEqual(value, current->variant()))
        return;
    TValueBrowserExt::Edit edit(m_ext, current);
    m_picking = true;
    current->valuePicked(list, item, value);
    m_picking = false;
    edit.finish();
    // A copy: a slot may delete the row while later slots still read it.
    const SValue picked = current->value();
    emit ValuePicked(current, picked);
}

void TValueBrowser::restoreSetCurrent()
{
    if (auto* current = dynamic_cast<TBaseItem*>(currentItem())) {
        TValueBrowserExt::Edit edit(m_ext, current);
        current->restoreSet();
        edit.finish();
    }
}

// Value sets

void TValueBrowser::storeSet(bool emitChanges)
{
    for (TBaseItem* item : allItems())
        item->storeSet(emitChanges);
}

void TValueBrowser::restoreSet()
{
    for (TBaseItem* item : allItems())
        item->restoreSet();
    if (m_ext)
        m_ext->syncObjects();
}

void TValueBrowser::updateFromLinked()
{
    for (TBaseItem* item : allItems())
        item->updateFromLinked();
}

void TValueBrowser::updateLinked()
{
    for (TBaseItem* item : allItems())
        item->updateLinked();
}

void TValueBrowser::writeDataSet(QSettings& settings)
{
    for (TBaseItem* item : allItems())
        item->writeDataSet(settings);
}

void TValueBrowser::readDataSet(QSettings& settings)
{
    // An entry that QSettings cannot read without aborting is skipped like a
    // missing one: the rows read a copy of the file without it.
    const TarvoSettingsCheck::Substitute substitute(settings);
    QSettings& source = substitute.settings() ? *substitute.settings() : settings;
    for (TBaseItem* item : allItems())
        item->readDataSet(source);
    if (m_ext)
        m_ext->syncObjects();
}
