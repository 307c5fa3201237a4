#include "tvalueitemdelegate_p.h"

#include "tbaseitem.h"
#include "tvaluebrowser.h"

TValueItemDelegate::TValueItemDelegate(TValueBrowser* browser)
    : QItemDelegate(browser)
{
}

TValueItemDelegate::~TValueItemDelegate() = default;

TValueBrowser* TValueItemDelegate::browser() const
{
    return static_cast<TValueBrowser*>(parent());
}

void TValueItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    if (auto* item = TBaseItem::fromItem(browser()->itemFromIndex(index)))
        item->paint(painter, option, index);
    else
        QItemDelegate::paint(painter, option, index);
}

QSize TValueItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    // The browser's row height is the least; a larger font gets the line
    // height it needs plus a small margin.
    return QSize(10, qMax(int(browser()->itemDefHeight()), option.fontMetrics.height() + 2));
}

QWidget* TValueItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    // Values are edited in the value column only, whatever the edit triggers.
    if (index.column() != 1)
        return nullptr;
    if (auto* item = TBaseItem::fromItem(browser()->itemFromIndex(index)))
        return item->createEditor(parent, option, index);
    return QItemDelegate::createEditor(parent, option, index);
}

void TValueItemDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex& index) const
{
    if (auto* item = TBaseItem::fromItem(browser()->itemFromIndex(index)))
        item->updateEditorGeometry(editor, option, index);
    else
        QItemDelegate::updateEditorGeometry(editor, option, index);
}

void TValueItemDelegate::setEditorData(QWidget*, const QModelIndex&) const
{
}

void TValueItemDelegate::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const
{
}
