#include "trectvalue.h"

#include "tcompoundvalidators.h"
#include "tintegervalue.h"

#include <limits>

namespace {

// Places of the child rows among the registered children, in the order in
// which they are registered.
enum { XChild = 0, YChild = 1, WidthChild = 2, HeightChild = 3 };

int saturated(qint64 n)
{
    constexpr qint64 lowest = std::numeric_limits<int>::min();
    constexpr qint64 highest = std::numeric_limits<int>::max();
    return int(qBound(lowest, n, highest));
}

// The extent of the cells from first to last; QRect::width() and height()
// overflow for edges far apart.
int extent(int first, int last)
{
    return saturated(qint64(last) - first + 1);
}

// The last cell of a run of count cells starting at first, kept in int.
int lastCell(int first, int count)
{
    return saturated(qint64(first) + count - 1);
}

// QRect(x, y, width, height) overflows when the rectangle reaches past the
// int range; such a rectangle ends at the last int coordinate instead.
QRect fromPositionAndSize(int x, int y, int width, int height)
{
    return QRect(QPoint(x, y), QPoint(lastCell(x, width), lastCell(y, height)));
}

} // namespace

bool TRectValue::s_showExpandables = true;

TRectValue::TRectValue(TValueBrowser* browser, const QString& name, int page, int id)
    : TBaseValue(browser, name, page, id)
{
    construct();
}

TRectValue::TRectValue(TBaseItem* parent, const QString& name, int id)
    : TBaseValue(parent, name, id)
{
    construct();
}

TRectValue::~TRectValue() = default;

void TRectValue::construct()
{
    setValidator(TRectValidator::s_RectValidator);
    showChildren(s_showExpandables);
}

void TRectValue::setDefaultExpandableItems(bool show)
{
    s_showExpandables = show;
}

QRect TRectValue::rect() const
{
    return variant().toRect();
}

QSize TRectValue::size() const
{
    const QRect r = rect();
    return QSize(extent(r.left(), r.right()), extent(r.top(), r.bottom()));
}

QPoint TRectValue::point() const
{
    return rect().topLeft();
}

void TRectValue::writeValue(QRect& out)
{
    out = rect();
}

QString TRectValue::valueText() const
{
    const QRect r = rect();
    const QSize s = size();
    return QStringLiteral("%1,%2,%3,%4")
        .arg(r.left(), 0, 10, QLatin1Char(' '))
        .arg(r.top(), 0, 10, QLatin1Char(' '))
        .arg(s.width(), 0, 10, QLatin1Char(' '))
        .arg(s.height(), 0, 10, QLatin1Char(' '));
}

void TRectValue::doCreateChildren()
{
    const char* const names[] = {
        QT_TRANSLATE_NOOP("QItemDelegate", "X coordinate"),
        QT_TRANSLATE_NOOP("QItemDelegate", "Y coordinate"),
        QT_TRANSLATE_NOOP("QItemDelegate", "Width"),
        QT_TRANSLATE_NOOP("QItemDelegate", "Height"),
    };
    TIntegerValue* children[4];
    for (int i = 0; i < 4; ++i) {
        children[i] = new TIntegerValue(this, QItemDelegate::tr(names[i]), -1);
        children[i]->setValidator(TIntValidator::s_IntValidator);
    }
    for (TIntegerValue* child : children)
        registerChild(child);
}

void TRectValue::doUpdateChildren()
{
    const QRect r = rect();
    const QSize s = size();
    const int parts[] = {r.left(), r.top(), s.width(), s.height()};
    // The application may have deleted a child row; its place stays empty.
    for (int i = XChild; i <= HeightChild; ++i) {
        if (TBaseValue* child = registeredChild(i))
            setChildValue(child, QVariant(parts[i]));
    }
}

void TRectValue::doUpdateFromChild(TBaseValue*)
{
    // A part whose row has been deleted keeps its current value.
    const QRect current = rect();
    const QSize s = size();
    int parts[] = {current.left(), current.top(), s.width(), s.height()};
    for (int i = HeightChild; i >= XChild; --i) {
        if (const TBaseValue* child = registeredChild(i))
            parts[i] = child->number();
    }
    // A value the validator turns down leaves the parent as it was, and the
    // children show it again.
    const QRect r = fromPositionAndSize(parts[XChild], parts[YChild], parts[WidthChild], parts[HeightChild]);
    if (!setValue(QVariant(r)))
        updateChildren();
}
