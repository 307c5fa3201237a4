// Point validator and point row.

#include "fuzzcommon.h"
#include "tcompoundvalidators.h"
#include "tpointvalue.h"

namespace {
TPointValue* row = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initApplication();
    row = fuzz::browser()->addPoint(1, QStringLiteral("Point"), QString(), QString(), nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const auto inBounds = [](const QVariant& value, const int* b) {
        const QPoint p = value.toPoint();
        return p.x() >= b[0] && p.x() <= b[1] && p.y() >= b[2] && p.y() <= b[3];
    };
    return fuzz::checkCompound<TPointValidator>(bytes, size, QMetaType::QPoint, inBounds, row);
}
