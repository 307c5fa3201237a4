// Size validator and size row.

#include "fuzzrows.h"
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
    TSizeValidator validator(nullptr, bounds[0], bounds[1], bounds[2], bounds[3]);
    const QVariant candidate = fuzz::consumeCandidate(data);
    fuzz::note("candidate", candidate);

    QVariant value = candidate;
    const TValueValidator::EValidateResult result = validator.checkValue(value);
    if (result != TValueValidator::VR_Corrected)
        fuzz::require(fuzz::identical(value, candidate), "a value that is not corrected is untouched");
    if (result != TValueValidator::VR_Invalid) {
        fuzz::require(value.userType() == QMetaType::QSize, "an accepted size is a QSize");
        const QSize s = value.toSize();
        fuzz::require(s.width() >= bounds[0] && s.width() <= bounds[1] && s.height() >= bounds[2]
                          && s.height() <= bounds[3],
                      "an accepted size lies within the bounds");
        QVariant again = value;
        fuzz::require(validator.checkValue(again) == TValueValidator::VR_Valid, "an accepted size is valid again");
        fuzz::require(fuzz::identical(again, value), "an accepted size is left as it is");
    }
    fuzz::checkRow(row, &validator, candidate);
    return 0;
}
