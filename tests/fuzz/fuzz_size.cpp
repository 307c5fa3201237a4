// Size validator and size row.

#include "fuzzcommon.h"
#include "tcompoundvalidators.h"
#include "tsizevalue.h"

int fuzzOne(FuzzedDataProvider& data)
{
    static TBaseValue* row = fuzz::browser()->addSize(1, QStringLiteral("Size"), QString(), QString(), nullptr);
    const auto inBounds = [](const QVariant& value, const int* b) {
        const QSize s = value.toSize();
        return s.width() >= b[0] && s.width() <= b[1] && s.height() >= b[2] && s.height() <= b[3];
    };
    return fuzz::checkCompound<TSizeValidator>(data, QMetaType::QSize, inBounds, row);
}
