// Size validator and size row.

#include "fuzzcommon.h"
#include "tcompoundvalidators.h"
#include "tsizevalue.h"

namespace {
TSizeValue* row = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initApplication();
    row = fuzz::browser()->addSize(1, QStringLiteral("Size"), QString(), QString(), nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const auto inBounds = [](const QVariant& value, const int* b) {
        const QSize s = value.toSize();
        return s.width() >= b[0] && s.width() <= b[1] && s.height() >= b[2] && s.height() <= b[3];
    };
    return fuzz::checkCompound<TSizeValidator>(bytes, size, QMetaType::QSize, inBounds, row);
}
