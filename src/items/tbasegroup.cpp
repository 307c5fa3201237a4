#include "tbasegroup.h"

#include "tvaluebrowser.h"

#include <QPainter>
#include <QPalette>
#include <QSettings>

#include <cmath>

namespace {

// Relative luminance of a colour, as used for contrast ratios.
double luminance(const QColor& c)
{
    auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// The heading's text colour: the preferred one when it reads well on the
// band (4.5:1), otherwise the first of the palette's text colours that does.
QColor readableOn(const QColor& band, const QColor& preferred, const QPalette& palette)
{
    constexpr double enough = 4.5;
    if (contrast(preferred, band) >= enough)
        return preferred;
    QColor best = preferred;
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::BrightText,
                                           QPalette::Light, QPalette::Shadow}) {
        const QColor c = palette.color(role);
        if (contrast(c, band) >= enough)
            return c;
        if (contrast(c, band) > contrast(best, band))
            best = c;
    }
    return best;
}

} // namespace

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
    setForeground(0, readableOn(background, text, palette));
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
    // The band and the name span the whole row. Each cell paints the whole
    // band within its own rectangle, so a repaint of the value cell alone
    // leaves no hole in it.
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
    QRect clip = option.rect;
    if (index.column() == 0)
        clip.setLeft(opt.rect.left());
    painter->save();
    painter->setClipRect(clip, Qt::IntersectClip);
    QItemDelegate::paint(painter, opt, index.sibling(index.row(), 0));
    painter->restore();
}
