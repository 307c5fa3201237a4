// Point validator and point row.

#include "fuzzcommon.h"
#include "tcompoundvalidators.h"
#include "tpointvalue.h"

int fuzzOne(FuzzedDataProvider& data)
{
    static TBaseValue* row = fuzz::browser()->addPoint(1, QStringLiteral("Point"), QString(), QString(), nullptr);
    const auto inBounds = [](const QVariant& value, const int* b) {
        const QPoint p = value.toPoint();
        return p.x() >= b[0] && p.x() <= b[1] && p.y() >= b[2] && p.y() <= b[3];
    };
    return fuzz::checkCompound<TPointValidator>(data, QMetaType::QPoint, inBounds, row);
}
