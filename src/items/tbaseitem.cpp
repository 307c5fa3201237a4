#include "tbaseitem.h"

#include "tlinking_p.h"
#include "tvaluebrowser.h"

#include <QApplication>
#include <QSettings>
#include <QStyle>

int TBaseItem::s_defaultPage = 0;
int TBaseItem::s_building = 0;

namespace {
// The role under which a row answers with itself (see fromItem()).
constexpr int SelfRole = Qt::UserRole + 0x5e1f;
} // namespace

QVariant TBaseItem::data(int column, int role) const
{
    // The address as a plain number: far cheaper to pass than a pointer type.
    if (role == SelfRole)
        return QVariant(qulonglong(quintptr(this)));
    return QTreeWidgetItem::data(column, role);
}

TBaseItem* TBaseItem::fromItem(QTreeWidgetItem* item)
{
    if (!item || item->type() != UserType)
        return nullptr;
    const QVariant self = item->data(0, SelfRole);
    return self.userType() == QMetaType::ULongLong
        ? reinterpret_cast<TBaseItem*>(quintptr(*static_cast<const qulonglong*>(self.constData())))
        : nullptr;
}

TBaseItem::TBaseItem(TValueBrowser* browser, const QString& name, int page, int id)
    : TBaseItem(browser, nullptr, name, page, id, false)
{
}

TBaseItem::TBaseItem(TBaseItem* parent, const QString& name, int id)
    : TBaseItem(nullptr, parent, name, -1, id, false)
{
}

TBaseItem::TBaseItem(TValueBrowser* browser, TBaseItem* parent, const QString& name, int page, int id,
                     bool valueCell)
    : QTreeWidgetItem(QStringList(name), QTreeWidgetItem::UserType)
{
    // Set up before joining the tree: the view hears of the new row once,
    // as a whole, rather than of each step.
    setFlags(flags() & ~Qt::ItemIsUserCheckable);
    if (valueCell)
        setText(1, QString());
    if (parent) {
        parent->addChild(this);
        // A disabled parent disables the rows that join it.
        if (!(parent->flags() & Qt::ItemIsEnabled))
            setFlags(flags());
        if (parent->m_expandOnChild) {
            parent->m_expandOnChild = false;
            parent->setExpanded(true);
        }
    } else if (browser) {
        browser->addTopLevelItem(this);
    }
    init(name, page, id);
}

TBaseItem::~TBaseItem()
{
    detachFromBrowser();
}

void TBaseItem::init(const QString& name, int page, int id)
{
    Q_UNUSED(name) // column 0 was set by the tree item's constructor
    m_id = id;
    m_hint.clear();
    m_checkPropertyName.clear();
    m_checkLink = nullptr;
    m_checkLinkType = LT_Bool;

    // The check box was taken off before the row joined the tree.
    QTreeWidget* tree = treeWidget();
    m_checkState = m_storedCheckState = checkState(0);

    QTreeWidgetItem* parentItem = QTreeWidgetItem::parent();
    if (const TBaseItem* p = fromItem(parentItem)) {
        // Child rows live on their parent's page.
        m_page = p->page();
    } else if (page >= 0) {
        m_page = unsigned(page);
        s_defaultPage = page;
    } else {
        m_page = unsigned(s_defaultPage);
    }

    // The base rule of setVisible(true), for a row the view has just got
    // and shows: only a row off the current page needs hiding.
    m_visible = true;
    if (isSelected())
        setSelected(false);
    const TValueBrowser* b = browser();
    if (!(b && int(m_page) == b->page()))
        setHidden(true);
    // Marking a row expanded costs the view a persistent index; a row
    // without children is expanded once it gets its first one.
    if (tree) {
        if (childCount() > 0)
            setExpanded(true);
        else
            m_expandOnChild = true;
    }
}

void TBaseItem::detachFromBrowser()
{
    QTreeWidget* tree = treeWidget();
    if (!tree)
        return;
    if (auto* b = qobject_cast<TValueBrowser*>(tree))
        b->forgetItem(this);
    // Children go first, each while it can still reach the browser.
    while (childCount() > 0)
        delete child(childCount() - 1);
    if (QTreeWidgetItem* p = QTreeWidgetItem::parent())
        p->removeChild(this);
    else
        tree->takeTopLevelItem(tree->indexOfTopLevelItem(this));
}

TValueBrowser* TBaseItem::browser() const
{
    return qobject_cast<TValueBrowser*>(treeWidget());
}

void TBaseItem::setItemIcon(const QIcon& icon)
{
    setIcon(0, icon);
}

QIcon TBaseItem::itemIcon() const
{
    return icon(0);
}

const QIcon TBaseItem::itemIcon()
{
    return QIcon();
}

bool TBaseItem::setItemLevel(int level)
{
    TValueBrowser* b = browser();
    return b ? b->setItemLevel(this, level) : false;
}

bool TBaseItem::isCheckable() const
{
    return flags() & Qt::ItemIsUserCheckable;
}

void TBaseItem::setCheckable(bool on)
{
    if (on) {
        setFlags(flags() | Qt::ItemIsUserCheckable);
        setChecked(Qt::Unchecked);
    } else {
        // The box goes; the state is kept.
        setFlags(flags() & ~Qt::ItemIsUserCheckable);
        setData(0, Qt::CheckStateRole, QVariant());
    }
}

void TBaseItem::setChecked(Qt::CheckState state)
{
    m_checkState = state;
    // A row without its box keeps the state without showing it.
    if (isCheckable())
        setCheckState(0, state);
}

void TBaseItem::updateCheckState()
{
    // Without a box the tree item has no state to tell.
    if (isCheckable())
        m_checkState = checkState(0);
}

void TBaseItem::setCheckPropertyName(const QString& name)
{
    m_checkPropertyName = name;
}

void TBaseItem::setCheckLinked(void* variable, int type)
{
    m_checkLink = variable;
    m_checkLinkType = type;
}

void TBaseItem::addCheckProperty(const QString& name, void* variable, int type)
{
    m_checkPropertyName = name;
    setCheckLinked(variable, type);
    setFlags(flags() | Qt::ItemIsUserCheckable);
    setChecked(Qt::Unchecked);
}

void TBaseItem::setEnabled(bool enabled)
{
    setSelected(false);
    const bool was = flags() & Qt::ItemIsEnabled;
    const Qt::ItemFlags both = Qt::ItemIsEnabled | Qt::ItemIsEditable;
    setFlags(enabled ? (flags() | both) : (flags() & ~both));
    // The current row's editor follows: a disabled row takes no input.
    TValueBrowser* b = browser();
    if (b && was != enabled && b->currentItem() == this) {
        if (enabled) {
            onEnterItem();
        } else {
            onLeaveItem();
            b->setFocus(Qt::OtherFocusReason);
        }
    }
}

void TBaseItem::setVisible(bool visible)
{
    m_visible = visible;
    // Deselecting a row that is not selected changes nothing, and asking the
    // selection model costs more than the rest of a new row together.
    if (isSelected())
        setSelected(false);
    const TValueBrowser* b = browser();
    // Qt lays the whole tree out anew after every setHidden(), even one
    // that changes nothing; compound values show their child rows again on
    // every change of value.
    const bool hide = !(visible && b && int(m_page) == b->page() && !m_filteredOut);
    if (hide != isHidden())
        setHidden(hide);
}

void TBaseItem::setHint(const QString& hint)
{
    m_hint = hint;
}

bool TBaseItem::visible() const
{
    return m_visible;
}

void TBaseItem::storeSet(bool emitChanges)
{
    Q_UNUSED(emitChanges)
    m_storedCheckState = m_checkState;
    m_checkStored = true;
}

void TBaseItem::restoreSet()
{
    // Before the first storeSet() (or a stored state read from settings)
    // there is no stored state to go back to.
    if (!m_checkStored)
        return;
    m_checkState = m_storedCheckState;
    if (isCheckable())
        setCheckState(0, m_checkState);
}

void TBaseItem::updateFromLinked()
{
    Qt::CheckState state;
    if (TarvoLink::readCheck(m_checkLink, m_checkLinkType, state))
        setChecked(state);
}

void TBaseItem::updateLinked()
{
    TarvoLink::writeCheck(m_checkLink, m_checkLinkType, m_checkState);
}

void TBaseItem::writeDataSet(QSettings& settings)
{
    if (m_checkPropertyName.isEmpty())
        return;
    const TValueBrowser* b = browser();
    if (!b)
        return;
    switch (b->storingPolicy()) {
    case TValueBrowser::SP_Current:
        settings.setValue(m_checkPropertyName, int(m_checkState));
        break;
    case TValueBrowser::SP_Stored:
        // Before the first storeSet() there is no stored state to write, and
        // the key already in the file is kept.
        if (m_checkStored)
            settings.setValue(m_checkPropertyName, int(m_storedCheckState));
        break;
    case TValueBrowser::SP_Linked: {
        Qt::CheckState state;
        if (TarvoLink::readCheck(m_checkLink, m_checkLinkType, state))
            settings.setValue(m_checkPropertyName, int(state));
        break;
    }
    }
}

void TBaseItem::readDataSet(QSettings& settings)
{
    if (m_checkPropertyName.isEmpty())
        return;
    const TValueBrowser* b = browser();
    if (!b)
        return;
    // A missing key leaves the state (or the bound variable) as it was.
    const QVariant stored = settings.value(m_checkPropertyName);
    if (!stored.isValid())
        return;
    const Qt::CheckState state = TarvoLink::checkStateFromNumber(stored.toUInt());
    switch (b->storingPolicy()) {
    case TValueBrowser::SP_Current:
        setChecked(state);
        break;
    case TValueBrowser::SP_Stored:
        m_storedCheckState = state;
        m_checkStored = true;
        break;
    case TValueBrowser::SP_Linked:
        TarvoLink::writeCheck(m_checkLink, m_checkLinkType, state);
        break;
    }
}

void TBaseItem::onEnterItem()
{
    if (TValueBrowser* b = browser())
        b->setFocus(Qt::OtherFocusReason);
}

void TBaseItem::onLeaveItem()
{
}

void TBaseItem::onClickItem(int column)
{
    Q_UNUSED(column)
}

void TBaseItem::onChangeItem(int column)
{
    if (column == 0)
        updateCheckState();
}

void TBaseItem::setup()
{
    if (const TValueBrowser* b = browser())
        setSizeHint(0, QSize(0, int(b->itemDefHeight())));
}

void TBaseItem::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    QItemDelegate::paint(painter, option, index);
}

int TBaseItem::iconSpace() const
{
    const TValueBrowser* b = browser();
    QStyle* style = b ? b->style() : QApplication::style();
    return style->pixelMetric(QStyle::PM_SmallIconSize) + 6;
}

void TBaseItem::drawDisplay(QPainter* painter, const QStyleOptionViewItem& option,
                            const QRect& rect, const QString& text) const
{
    // Multi-line values keep one row: their first line and a mark.
    const int lineBreak = text.indexOf(QChar::LineSeparator);
    if (lineBreak >= 0)
        QItemDelegate::drawDisplay(painter, option, rect, text.left(lineBreak) + QLatin1String(" <...>"));
    else
        QItemDelegate::drawDisplay(painter, option, rect, text);
}
