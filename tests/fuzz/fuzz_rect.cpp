// Rectangle validator and rectangle row.

#include "fuzzrows.h"
#include "tcompoundvalidators.h"
#include "trectvalue.h"

namespace {
TRectValue* row = nullptr;
constexpr qint64 lowest = std::numeric_limits<int>::min();
constexpr qint64 highest = std::numeric_limits<int>::max();

// The extent from the first to the last cell, without int overflow.
qint64 extent(int first, int last)
{
    return qint64(last) - first + 1;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initApplication();
    row = fuzz::browser()->addRect(1, QStringLiteral("Rectangle"), QString(), QString(), nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    fuzz::context().clear();
    int bounds[4] = {int(lowest), int(highest), int(lowest), int(highest)};
    if (data.ConsumeBool()) {
        for (int& b : bounds)
            b = data.ConsumeIntegral<int>();
        for (int i = 0; i < 4; i += 2) {
            if (bounds[i] > bounds[i + 1])
                std::swap(bounds[i], bounds[i + 1]);
        }
    }
    TRectValidator validator(nullptr, bounds[0], bounds[1], bounds[2], bounds[3]);
    const QVariant candidate = fuzz::consumeCandidate(data);
    fuzz::note("candidate", candidate);

    QVariant value = candidate;
    const TValueValidator::EValidateResult result = validator.checkValue(value);
    if (result != TValueValidator::VR_Corrected)
        fuzz::require(fuzz::identical(value, candidate), "a value that is not corrected is untouched");
    if (result != TValueValidator::VR_Invalid) {
        fuzz::require(value.userType() == QMetaType::QRect, "an accepted rectangle is a QRect");
        const QRect r = value.toRect();
        // A size within the bounds, unless the rectangle was cut off at the
        // end of the int range.
        const qint64 w = extent(r.left(), r.right());
        const qint64 h = extent(r.top(), r.bottom());
        fuzz::require((w >= bounds[0] && w <= bounds[1]) || r.right() == highest || r.right() == lowest,
                      "an accepted rectangle's width lies within the bounds");
        fuzz::require((h >= bounds[2] && h <= bounds[3]) || r.bottom() == highest || r.bottom() == lowest,
                      "an accepted rectangle's height lies within the bounds");
        QVariant again = value;
        fuzz::require(validator.checkValue(again) == TValueValidator::VR_Valid,
                      "an accepted rectangle is valid again");
        fuzz::require(fuzz::identical(again, value), "an accepted rectangle is left as it is");
    }
    fuzz::checkRow(row, &validator, candidate);
    return 0;
}
