// Point validator and point row.

#include "fuzzrows.h"
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
    FuzzedDataProvider data(bytes, size);
    fuzz::context().clear();
    int bounds[4] = {std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                     std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
    if (data.ConsumeBool()) {
        for (int& b : bounds)
            b = data.ConsumeIntegral<int>();
        for (int i = 0; i < 4; i += 2) {
            if (bounds[i] > bounds[i + 1])
                std::swap(bounds[i], bounds[i + 1]);
        }
    }
    TPointValidator validator(nullptr, bounds[0], bounds[1], bounds[2], bounds[3]);
    const QVariant candidate = fuzz::consumeCandidate(data);
    fuzz::note("candidate", candidate);

    QVariant value = candidate;
    const TValueValidator::EValidateResult result = validator.checkValue(value);
    if (result != TValueValidator::VR_Corrected)
        fuzz::require(fuzz::identical(value, candidate), "a value that is not corrected is untouched");
    if (result != TValueValidator::VR_Invalid) {
        fuzz::require(value.userType() == QMetaType::QPoint, "an accepted point is a QPoint");
        const QPoint p = value.toPoint();
        fuzz::require(p.x() >= bounds[0] && p.x() <= bounds[1] && p.y() >= bounds[2] && p.y() <= bounds[3],
                      "an accepted point lies within the bounds");
        QVariant again = value;
        fuzz::require(validator.checkValue(again) == TValueValidator::VR_Valid, "an accepted point is valid again");
        fuzz::require(fuzz::identical(again, value), "an accepted point is left as it is");
    }
    fuzz::checkRow(row, &validator, candidate);
    return 0;
}
