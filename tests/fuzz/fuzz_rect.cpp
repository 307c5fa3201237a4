// Rectangle validator and rectangle row.

#include "fuzzcommon.h"
#include "tcompoundvalidators.h"
#include "trectvalue.h"

int fuzzOne(FuzzedDataProvider& data)
{
    static TBaseValue* row = fuzz::browser()->addRect(1, QStringLiteral("Rectangle"), QString(), QString(), nullptr);
    // A size within the bounds (extents computed without int overflow),
    // unless the rectangle was cut off at the end of the int range.
    const auto inBounds = [](const QVariant& value, const int* b) {
        const QRect r = value.toRect();
        const qint64 w = qint64(r.right()) - r.left() + 1;
        const qint64 h = qint64(r.bottom()) - r.top() + 1;
        const auto cut = [](int edge) {
            return edge == std::numeric_limits<int>::max() || edge == std::numeric_limits<int>::min();
        };
        return ((w >= b[0] && w <= b[1]) || cut(r.right())) && ((h >= b[2] && h <= b[3]) || cut(r.bottom()));
    };
    return fuzz::checkCompound<TRectValidator>(data, QMetaType::QRect, inBounds, row);
}
