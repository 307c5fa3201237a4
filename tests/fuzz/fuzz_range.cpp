// Range validator and range row.

#include "fuzzcommon.h"
#include "tcompoundvalidators.h"
#include "trangevalue.h"

int fuzzOne(FuzzedDataProvider& data)
{
    static TBaseValue* row = fuzz::browser()->addRange(1, QStringLiteral("Range"), QString(), QString(), nullptr);
    double bounds[4] = {-2147483648.0, 2147483647.0, -2147483648.0, 2147483647.0};
    if (data.ConsumeBool()) {
        for (double& b : bounds) {
            b = fuzz::consumeReal(data);
            if (!std::isfinite(b))
                return 0; // a range has finite bounds
        }
        for (int i = 0; i < 4; i += 2) {
            if (bounds[i] > bounds[i + 1])
                std::swap(bounds[i], bounds[i + 1]);
        }
    }
    TRangeValidator validator(nullptr, bounds[0], bounds[1], bounds[2], bounds[3]);
    fuzz::note("first", QVariant(QPointF(bounds[0], bounds[1])));
    fuzz::note("second", QVariant(QPointF(bounds[2], bounds[3])));
    const QVariant candidate = fuzz::consumeCandidate(data);
    QVariant value;
    if (fuzz::checkValidator(validator, candidate, value) != TValueValidator::VR_Invalid) {
        fuzz::require(value.userType() == QMetaType::QPointF, "an accepted range is a QPointF");
        const QPointF p = value.toPointF();
        const double parts[2] = {p.x(), p.y()};
        for (int i = 0; i < 2; ++i) {
            fuzz::require(std::isfinite(parts[i]), "a range holds finite numbers");
            fuzz::require(parts[i] == fuzz::rounded(parts[i], 5), "a range's numbers have five decimals");
            fuzz::require(parts[i] >= fuzz::rounded(bounds[2 * i], 5) && parts[i] <= fuzz::rounded(bounds[2 * i + 1], 5),
                          "a range's numbers lie within the bounds");
        }
    }
    fuzz::checkRow(row, &validator, candidate);
    return 0;
}
