#include "tbasegroup.h"

#include "tvaluebrowser.h"

#include <QPalette>
#include <QSettings>

TBaseGroup::TBaseGroup(TValueBrowser* browser, const QString& name, int page, bool light, int id)
    : TBaseItem(browser, name, page, id)
{
    setFlags(flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEditable));

    const QPalette palette = browser ? browser->palette() : QPalette();
    const QColor dark = palette.color(QPalette::Dark);
    const QColor background = light ? dark.darker(80) : dark;
    const QColor text = light ? dark.darker(200) : palette.color(QPalette::Light);
    setBackground(0, background);
    setBackground(1, background);
    setForeground(0, text);
}

TBaseGroup::~TBaseGroup() = default;

void TBaseGroup::beginSection(QSettings& settings) const
{
    if (m_sectionName.isEmpty())
        return;
    if (!settings.group().isEmpty())
        settings.endGroup();
    settings.beginGroup(m_sectionName);
}

void TBaseGroup::writeDataSet(QSettings& settings)
{
    beginSection(settings);
}

void TBaseGroup::readDataSet(QSettings& settings)
{
    beginSection(settings);
}

void TBaseGroup::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (index.column() != 0)
        return;
    QStyleOptionViewItem opt(option);
    const TValueBrowser* b = browser();
    if (b) {
        opt.rect.setLeft(0);
        opt.rect.setRight(b->width() - 1);
    }
    const QColor text = foreground(0).color();
    opt.palette.setColor(QPalette::Text, text);
    if (opt.state & QStyle::State_Selected) {
        opt.palette.setColor(QPalette::Highlight, opt.palette.color(QPalette::Dark));
        opt.palette.setColor(QPalette::HighlightedText, opt.palette.color(QPalette::Light));
    }
    QItemDelegate::paint(painter, opt, index);
}
