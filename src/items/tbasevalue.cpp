#include "tbasevalue.h"

#include "tcombobox_p.h"
#include "tdroplist_p.h"
#include "titemlist.h"
#include "tlinking_p.h"
#include "tvaluebrowser.h"
#include "tvariant_p.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QSettings>
#include <QToolTip>

#include <cmath>
#include <limits>
#include <utility>

namespace {
// The stored record has no kind until the first storeSet().
constexpr int NoKind = -1;
} // namespace

TBaseValue::TBaseValue(TValueBrowser* browser, const QString& name, int page, int id)
    : TBaseItem(browser, nullptr, name, page, id, true)
{
    m_isValue = true;
    init();
}

TBaseValue::TBaseValue(TBaseItem* parent, const QString& name, int id)
    : TBaseItem(nullptr, parent, name, -1, id, true)
{
    m_isValue = true;
    init();
}

QVector<TBaseValue*> TBaseValue::s_built;

void TBaseValue::init()
{
    if (s_building > 0) {
        m_cellDeferred = true;
        s_built.append(this);
    }
    m_stored.kind = NoKind;
    // No validator is set yet, so the empty text is always taken.
    if (m_cellDeferred) {
        // What setValue() would leave: an ordinary value that differs from
        // the (empty) stored set, shown once the factory is done; there are
        // no children yet, and the parent has not registered this row.
        m_current.kind = SK_Value;
        m_current.value = QVariant(QStringLiteral(""));
        m_changed = true;
        return;
    }
    TBaseValue::setValue(QVariant(QStringLiteral("")));
}

TBaseValue::~TBaseValue()
{
    if (m_cellDeferred)
        s_built.removeOne(this);
    closeEditor();
    // A compound parent keeps its child's place, empty, so it never reaches
    // a deleted child.
    if (auto* parentValue = dynamic_cast<TBaseValue*>(QTreeWidgetItem::parent())) {
        const int i = parentValue->m_children.indexOf(this);
        if (i >= 0)
            parentValue->m_children[i] = nullptr;
    }
    // Leave the tree while this row is still a value, so the view never
    // reaches a half-destroyed row.
    detachFromBrowser();
    m_isValue = false;
}

TBaseValue* TBaseValue::fromItem(QTreeWidgetItem* item)
{
    TBaseItem* row = TBaseItem::fromItem(item);
    return row && row->m_isValue ? static_cast<TBaseValue*>(row) : nullptr;
}

TDropList* TBaseValue::editor() const
{
    return m_editor.data();
}

void TBaseValue::setValidator(TValueValidator* validator)
{
    m_validator = validator;
    // Only ordinary values are checked again: list entries and special
    // values are not the validator's business.
    if (!validator || m_current.kind != SK_Value)
        return;
    QVariant copy = m_current.value;
    switch (validate(copy)) {
    case TValueValidator::VR_Invalid:
        setSpecial(SV_BadValue);
        break;
    case TValueValidator::VR_Corrected:
        setRecord(SK_Value, copy, nullptr);
        break;
    case TValueValidator::VR_Valid:
        break;
    }
}

void TBaseValue::setButtonEditor(TButtonEditor* editor)
{
    if (editor == m_buttonEditor)
        return;
    m_buttonEditor = editor;
    if (m_editor)
        m_editor->setButtonEditor(editor);
}

void TBaseValue::setLinked(void* variable, int type)
{
    m_link = variable;
    m_linkType = type;
}

void TBaseValue::allowSpecials(bool allow)
{
    m_specialsAllowed = allow;
    refillEditor();
}

void TBaseValue::refillEditor()
{
    // An editor that has its choices already gets them anew; one that has
    // not been filled yet fills itself on first need.
    if (m_editor && m_editor->comboBox()->isFilled()) {
        m_editor->comboBox()->clear();
        fillEditor();
        setCurrentItem();
    }
}

bool TBaseValue::setValue(const QVariant& value)
{
    QVariant copy = value;
    switch (validate(copy)) {
    case TValueValidator::VR_Invalid:
        return false;
    case TValueValidator::VR_Valid:
        setRecord(SK_Value, value, nullptr);
        return true;
    case TValueValidator::VR_Corrected:
        setRecord(SK_Value, copy, nullptr);
        return true;
    }
    return false;
}

void TBaseValue::setRecord(int kind, const QVariant& value, TItem* entry)
{
    m_current.kind = kind;
    m_current.value = value;
    m_currentEntry = entry;
    setupValue();
}

void TBaseValue::setSpecial(unsigned int code)
{
    m_currentEntry = nullptr;
    m_current.kind = SK_Value;
    const TValueBrowser* b = browser();
    if (code != 0 && b && b->specialList()) {
        if (TItem* entry = b->specialList()->findItem(QVariant(code))) {
            m_currentEntry = entry;
            m_current.kind = SK_Special;
            m_current.value = QVariant(code);
        }
    }
    setupValue();
}

SValue& TBaseValue::value()
{
    return m_current;
}

QString TBaseValue::valueText() const
{
    return string();
}

QVariant TBaseValue::variant() const
{
    return m_current.value;
}

int TBaseValue::number() const
{
    return TarvoLink::toIntClamped(m_current.value);
}

double TBaseValue::numberF() const
{
    return m_current.value.toDouble();
}

QString TBaseValue::string() const
{
    return m_current.value.toString();
}

void TBaseValue::writeValue(QString& out)
{
    out = m_current.value.toString();
}

void TBaseValue::writeValue(double& out)
{
    out = m_current.value.toDouble();
}

void TBaseValue::writeValue(int& out)
{
    // The smallest whole number not less than the value, within the int
    // range; an unreadable value or NaN gives 0.
    const double d = std::ceil(m_current.value.toDouble());
    if (std::isnan(d))
        out = 0;
    else if (d >= double(std::numeric_limits<int>::max()))
        out = std::numeric_limits<int>::max();
    else if (d <= double(std::numeric_limits<int>::min()))
        out = std::numeric_limits<int>::min();
    else
        out = int(d);
}

void TBaseValue::writeValue(QVariant& out)
{
    out = m_current.value;
}

bool TBaseValue::valueChanged(const QVariant& a, const QVariant& b)
{
    return !tarvoVariantsEqual(a, b);
}

TItemList* TBaseValue::list() const
{
    return nullptr;
}

bool TBaseValue::setCurrentItem()
{
    if (!m_editor)
        return false;
    const TValueBrowser* b = browser();
    m_editor->markChanged(m_changed && b && b->changeInfo());
    m_editor->setShowValueText(true);
    if (m_current.kind == SK_Special) {
        m_editor->setCurrent(b ? b->specialList() : nullptr);
        return true;
    }
    m_editor->setCurrent(nullptr);
    return false;
}

void TBaseValue::fillEditor()
{
    if (!m_editor)
        return;
    const TValueBrowser* b = browser();
    if (m_specialsAllowed && b)
        m_editor->addList(b->specialList());
}

bool TBaseValue::autoIcon() const
{
    return false;
}

bool TBaseValue::autoIconActive() const
{
    return m_currentEntry ? false : autoIcon();
}

void TBaseValue::setupValue()
{
    const bool wasChanged = m_changed;
    m_changed = m_current.kind != m_stored.kind || valueChanged(m_current.value, m_stored.value);

    // A row the factory is still building shows its cell once, when done.
    const bool repainted = !m_cellDeferred && !m_cellKept && showCell();

    // The bold face is no data of the cell: a shown browser repaints the
    // cell for it, unless the cell's change has just done so.
    if (wasChanged != m_changed && !repainted) {
        TValueBrowser* b = browser();
        if (b && b->isVisible())
            b->update(b->indexFromItem(this, 1));
    }

    if (m_editor) {
        m_editor->comboBox()->ensureFilled();
        setCurrentItem();
        setSelected(false);
        setSelected(true);
    }

    updateChildren();

    QTreeWidgetItem* parentItem = QTreeWidgetItem::parent();
    if (TBaseValue* parentValue = fromItem(parentItem)) {
        if (!parentValue->m_updatingChildren && parentValue->m_current.kind != SK_Special)
            parentValue->updateFromChild(this);
    }
}

bool TBaseValue::showCell()
{
    if (m_currentEntry)
        return setValueCell(m_currentEntry->displayText(), m_currentEntry->icon ? *m_currentEntry->icon : QIcon());
    if (m_current.kind == SK_Special) {
        // A special value the browser's list lacks (for now) is shown by
        // the library's own name for it.
        const TItem* known = TValueBrowser::s_specialList.findItem(m_current.value);
        return setValueCell(known ? known->displayText() : m_current.value.toString(), QIcon());
    }
    const QString text = valueText();
    return setValueCell(text, itemIcon());
}

void TBaseValue::showBuiltCells()
{
    const QVector<TBaseValue*> built = std::exchange(s_built, {});
    for (TBaseValue* value : built) {
        value->m_cellDeferred = false;
        // A cell that stays as the row joined the tree (empty, without an
        // icon) needs nothing.
        if (value->m_currentEntry || value->m_current.kind == SK_Special || !value->valueText().isEmpty()
            || !value->itemIcon().isNull())
            value->showCell();
        else if (TValueBrowser* b = value->browser())
            // The view finds a row among its siblings by searching from the
            // last one, and remembers the place: the new row is found at
            // once now, but only after a long search once many rows have
            // followed it.
            b->indexFromItem(value);
    }
}

QVariant TBaseValue::data(int column, int role) const
{
    if (column == 1 && role == Qt::ToolTipRole) {
        const QVariant tip = QTreeWidgetItem::data(column, role);
        return tip.isValid() ? tip : QTreeWidgetItem::data(column, Qt::DisplayRole);
    }
    return TBaseItem::data(column, role);
}

bool TBaseValue::setValueCell(const QString& text, const QIcon& icon)
{
    TValueBrowser* b = browser();
    QAbstractItemModel* model = b ? b->model() : nullptr;
    // Most values have no icon: a cell without one stores none, which the
    // view paints as it paints an empty icon.
    const QVariant shownIcon = QTreeWidgetItem::data(1, Qt::DecorationRole);
    const bool bothEmpty = icon.isNull()
        && (!shownIcon.isValid()
            || (shownIcon.userType() == QMetaType::QIcon && static_cast<const QIcon*>(shownIcon.constData())->isNull()));
    // The tool tip is the text (see data()): a tool tip set by hand goes.
    const auto setCell = [this, &text, &icon, bothEmpty]() {
        setText(1, text);
        if (QTreeWidgetItem::data(1, Qt::ToolTipRole).isValid())
            setData(1, Qt::ToolTipRole, QVariant());
        if (!bothEmpty)
            setIcon(1, icon);
    };
    if (!model || model->signalsBlocked()) {
        setCell();
        return false;
    }
    // Text, tool tip and icon change as one: the view and the itemChanged
    // slots hear of the cell once rather than once per role, and not at all
    // when nothing changed (as each setter would have decided).
    const QVariant shown = QTreeWidgetItem::data(1, Qt::DisplayRole);
    const bool changed = shown.userType() != QMetaType::QString
        || *static_cast<const QString*>(shown.constData()) != text
        || QTreeWidgetItem::data(1, Qt::ToolTipRole).isValid() || (!bothEmpty && shownIcon != QVariant(icon));
    if (!changed)
        return false;
    {
        const QSignalBlocker blocker(model);
        setCell();
    }
    static const QVector<int> roles = {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole, Qt::DecorationRole};
    const QModelIndex index = b->indexFromItem(this, 1);
    // A child row under a collapsed value is off screen: the browser spares
    // its view the search for the cell among the shown rows.
    const QTreeWidgetItem* parentItem = QTreeWidgetItem::parent();
    if (m_childMode && parentItem && !parentItem->isExpanded())
        TValueBrowser::s_cellOffScreen = this;
    emit model->dataChanged(index, index, roles);
    TValueBrowser::s_cellOffScreen = nullptr;
    return true;
}

void TBaseValue::valuePicked(TItemList* list, TItem* item, const QVariant& value)
{
    const TValueBrowser* b = browser();
    if (list && b && list == b->specialList()) {
        setSpecial(value.toUInt());
        return;
    }
    if (!setValue(value)) {
        setCurrentItem();
        return;
    }
    // The entry picked is the entry shown, even where an earlier entry of
    // the list has the same value ("cyan" and "aqua").
    if (m_currentEntry && item && m_currentEntry != item && list && list == this->list()
        && list->contains(item) && tarvoVariantsEqual(m_currentEntry->value, item->value)) {
        m_currentEntry = item;
        setupValue();
    }
}

TValueValidator::EValidateResult TBaseValue::validate(QVariant& value)
{
    return m_validator ? m_validator->checkValue(value) : TValueValidator::VR_Valid;
}

void TBaseValue::setVisible(bool visible)
{
    TBaseItem::setVisible(visible);
    if (m_editor)
        m_editor->setFocus(Qt::OtherFocusReason);
}

void TBaseValue::storeSet(bool emitChanges)
{
    TBaseItem::storeSet(emitChanges);
    m_stored = m_current;
    // The cell shows the current record, which stays as it is; only an
    // automatic icon is drawn anew.
    m_cellKept = !autoIcon();
    setupValue();
    m_cellKept = false;
}

void TBaseValue::restoreSet()
{
    TBaseItem::restoreSet();
    switch (m_stored.kind) {
    case NoKind:
        // Nothing has been stored yet: the value stays as it is.
        break;
    case SK_Special: {
        m_current = m_stored;
        m_currentEntry = nullptr;
        // Without the code in the browser's list the row keeps the special
        // value, and finds its entry when a list with the code is set.
        const TValueBrowser* b = browser();
        const uint code = m_stored.value.toUInt();
        if (code != 0 && b && b->specialList() && b->specialList()->findItem(QVariant(code)))
            setSpecial(code);
        else
            setupValue();
        break;
    }
    default:
        // Validated again; a list value finds its entry again. A value the
        // validator no longer accepts leaves the row as it is.
        setValue(m_stored.value);
        break;
    }
}

void TBaseValue::updateFromLinked()
{
    QVariant v;
    if (doUpdateFromLinked(v))
        setValue(v);
    TBaseItem::updateFromLinked();
}

void TBaseValue::updateLinked()
{
    doUpdateLinked(m_current.value);
    TBaseItem::updateLinked();
}

bool TBaseValue::doUpdateFromLinked(QVariant& out)
{
    return TarvoLink::read(m_link, m_linkType, out);
}

bool TBaseValue::doUpdateLinked(QVariant& in)
{
    return TarvoLink::write(m_link, m_linkType, in);
}

void TBaseValue::writeRecord(QSettings& settings, const SValue& record, const QVariant& stored)
{
    settings.setValue(m_propertyName, stored);
    settings.setValue(m_propertyName + QLatin1String(".Type"), record.kind);
}

void TBaseValue::writeValueKeys(QSettings& settings, bool asText)
{
    TBaseItem::writeDataSet(settings);
    const TValueBrowser* b = browser();
    if (m_propertyName.isEmpty() || !b)
        return;
    auto stored = [asText](const QVariant& v) { return asText ? QVariant(v.toString()) : v; };
    switch (b->storingPolicy()) {
    case TValueBrowser::SP_Current:
        writeRecord(settings, m_current, stored(m_current.value));
        break;
    case TValueBrowser::SP_Stored:
        // Before the first storeSet() there is no stored set to write, and
        // the keys already in the file are kept.
        if (m_stored.kind != NoKind)
            writeRecord(settings, m_stored, stored(m_stored.value));
        break;
    case TValueBrowser::SP_Linked: {
        QVariant v;
        if (doUpdateFromLinked(v))
            settings.setValue(m_propertyName, stored(v));
        break;
    }
    }
}

void TBaseValue::writeDataSet(QSettings& settings)
{
    writeValueKeys(settings, false);
}

void TBaseValue::writeDataSetAsText(QSettings& settings)
{
    writeValueKeys(settings, true);
}

namespace {
// A kind read from a settings file; anything but a known kind, including a
// missing key, is an ordinary value.
int storedKind(const QVariant& v)
{
    bool ok = false;
    const int kind = v.toInt(&ok);
    return ok && (kind == SK_ListItem || kind == SK_Special) ? kind : int(SK_Value);
}

// Whether a special value read from a file is one of the browser's list.
// Any other code is no value at all: taken as special, it would leave the
// row an ordinary value holding whatever it held before, unchecked.
bool isListedSpecial(TItemList* specials, const QVariant& code)
{
    bool ok = false;
    const uint number = code.toUInt(&ok);
    return ok && number != 0 && specials && specials->findItem(QVariant(number));
}

bool isListedSpecial(const TValueBrowser* browser, const QVariant& code)
{
    return isListedSpecial(browser->specialList(), code);
}
} // namespace

void TBaseValue::readDataSet(QSettings& settings)
{
    readDataSetAs(settings, nullptr);
}

void TBaseValue::readDataSetAs(QSettings& settings, bool (*adapt)(QVariant& value))
{
    TBaseItem::readDataSet(settings);
    const TValueBrowser* b = browser();
    if (m_propertyName.isEmpty() || !b)
        return;
    // A missing key changes nothing; a key written for a row without a
    // value (an invalid variant) reads back as no value.
    if (!settings.contains(m_propertyName))
        return;
    QVariant v = tarvoSettingsValue(settings, m_propertyName);
    if (adapt && v.isValid() && !adapt(v))
        return;
    const QVariant kindKey = settings.value(m_propertyName + QLatin1String(".Type"));

    switch (b->storingPolicy()) {
    case TValueBrowser::SP_Current:
        if (storedKind(kindKey) != SK_Special)
            setValue(v);
        else if (isListedSpecial(b, v))
            setSpecial(v.toUInt());
        break;
    case TValueBrowser::SP_Stored:
        // A special value is taken as read, also while the browser has no
        // list with it: restoring finds its entry once the list is there.
        // A code that is no special value at all is no value.
        if (storedKind(kindKey) == SK_Special && !isListedSpecial(b, v)
            && !isListedSpecial(&TValueBrowser::s_specialList, v))
            break;
        m_stored.value = v;
        m_stored.kind = storedKind(kindKey);
        break;
    case TValueBrowser::SP_Linked: {
        if (!TarvoLink::isActive(m_link, m_linkType) || !TarvoLink::converts(m_linkType, v))
            break;
        // Only what the row itself would take reaches the variable, in the
        // form the row would hold it.
        QVariant candidate = v;
        TItemList* l = list();
        const bool inList = l && (l->findItem(candidate) || l->findItemByText(candidate.toString()));
        if (inList || validate(candidate) != TValueValidator::VR_Invalid)
            doUpdateLinked(candidate);
        break;
    }
    }
}

void TBaseValue::onEnterItem()
{
    TValueBrowser* b = browser();
    if (!b)
        return;
    if (!(flags() & Qt::ItemIsEnabled)) {
        b->setFocus(Qt::OtherFocusReason);
        return;
    }
    b->openPersistentEditor(this, 1);
    setCurrentItem();
    if (m_editor)
        m_editor->setFocus(Qt::OtherFocusReason);
    else
        b->setFocus(Qt::OtherFocusReason);
}

void TBaseValue::onLeaveItem()
{
    QToolTip::hideText();
    closeEditor();
}

void TBaseValue::closeEditor()
{
    TDropList* editor = m_editor.data();
    if (!editor)
        return;
    m_editor = nullptr;
    editor->disconnect();
    editor->setButtonEditor(nullptr);
    editor->detachValue();
    // The view hides the editor and deletes it once control returns to the
    // event loop: the editor may be the very widget whose key press moved
    // the browser to another row.
    TValueBrowser* b = browser();
    if (b && b->isPersistentEditorOpen(this, 1))
        b->closePersistentEditor(this, 1);
    else
        editor->deleteLater();
}

void TBaseValue::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    QStyleOptionViewItem opt(option);
    const TValueBrowser* b = browser();
    if (index.column() != 0 && m_changed && b && b->changeInfo())
        opt.font.setWeight(QFont::Bold);
    if (m_childMode) {
        const QColor text = opt.palette.color(QPalette::Dark).darker(200);
        opt.palette.setColor(QPalette::Text, text);
        opt.font.setItalic(true);
    }
    if (opt.state & QStyle::State_Selected) {
        // A selected row looks unselected: its own background, its text
        // colour, and icons (a color swatch) in their true colours rather
        // than tinted as selected.
        painter->fillRect(opt.rect, opt.palette.brush(index.column() == 1 ? QPalette::Base : QPalette::Window));
        opt.state &= ~QStyle::State_Selected;
    }
    QItemDelegate::paint(painter, opt, index);

    // The grid: both lines in one call, which sets the pen up once.
    const QLine grid[2] = {QLine(option.rect.bottomLeft(), option.rect.bottomRight()),
                           QLine(option.rect.topRight(), option.rect.bottomRight())};
    const QPen pen = painter->pen();
    painter->setPen(option.palette.color(QPalette::Dark));
    painter->drawLines(grid, 2);
    painter->setPen(pen);
}

QWidget* TBaseValue::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    Q_UNUSED(option)
    Q_UNUSED(index)
    auto* self = const_cast<TBaseValue*>(this);
    auto* editor = new TDropList(parent, self);
    m_editor = editor;
    if (TValueBrowser* b = browser()) {
        QObject::connect(editor, &TDropList::picked, b, &TValueBrowser::valuePicked);
        QObject::connect(editor, &TDropList::restoreValueInvoked, b, &TValueBrowser::restoreSetCurrent);
    }
    editor->setButtonEditor(m_buttonEditor);
    return editor;
}

void TBaseValue::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const
{
    Q_UNUSED(index)
    if (editor)
        editor->setGeometry(option.rect.adjusted(autoIconActive() ? iconSpace() : -1, -1, -1, 0));
}

// Child values

void TBaseValue::registerChild(TBaseValue* child)
{
    if (!child || m_children.contains(child))
        return;
    m_children.append(child);
    child->allowSpecials(false);
    child->setChildMode();
}

void TBaseValue::setChildValue(TBaseValue* child, const QVariant& value)
{
    if (!child)
        return;
    // setValue() would bring back the very record the child has (the same
    // entry of its list, or the same plain value the validator passed),
    // and the row would stay as it is.
    const SValue& current = child->m_current;
    if (!child->m_editor && current.value.userType() == value.userType()
        && tarvoVariantsEqual(current.value, value)) {
        TItemList* list = child->list();
        if (current.kind == SK_ListItem && child->m_currentEntry && list
            && list->findItem(value) == child->m_currentEntry)
            return;
        if (current.kind == SK_Value && !child->m_currentEntry && !list)
            return;
    }
    child->setValue(value);
}

void TBaseValue::setChildMode()
{
    m_childMode = true;
}

void TBaseValue::showChildren(bool show)
{
    if (show == m_childrenShown)
        return;
    m_childrenShown = show;
    if (show) {
        if (!m_childrenCreated) {
            doCreateChildren();
            setExpanded(false);
            m_childrenCreated = true;
        }
        updateChildren();
    } else if (m_childrenCreated) {
        for (TBaseValue* child : qAsConst(m_children)) {
            if (child)
                child->setVisible(false);
        }
    }
}

void TBaseValue::updateFromChild(TBaseValue* child)
{
    if (child && m_childrenCreated && m_children.contains(child))
        doUpdateFromChild(child);
}

void TBaseValue::doUpdateFromChild(TBaseValue*)
{
}

void TBaseValue::updateChildren()
{
    if (!m_childrenCreated)
        return;
    m_updatingChildren = true;
    const bool special = m_current.kind == SK_Special;
    // Hidden children are kept in step too: they are still rows that the
    // application may read or change, and a change to one of them must not
    // bring back an old value of another.
    if (!special)
        doUpdateChildren();
    if (m_childrenShown) {
        for (TBaseValue* child : qAsConst(m_children)) {
            if (child)
                child->setVisible(!special);
        }
    }
    m_updatingChildren = false;
}

void TBaseValue::doUpdateChildren()
{
}

void TBaseValue::doCreateChildren()
{
}

void TBaseValue::doShowChildren(bool)
{
}
