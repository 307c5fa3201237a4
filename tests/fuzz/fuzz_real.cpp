// Real validator: any candidate, any bounds and decimals.

#include "fuzzcommon.h"
#include "tvaluevalidator.h"

int fuzzOne(FuzzedDataProvider& data)
{
    const int decimals = data.ConsumeIntegralInRange(0, 20);
    TDoubleValidator validator(-std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::infinity(), decimals);
    if (data.ConsumeBool()) {
        const double a = fuzz::consumeReal(data);
        const double b = fuzz::consumeReal(data);
        if (std::isnan(a) || std::isnan(b))
            return 0; // no range at all
        validator.setRange(a, b);
    }
    fuzz::note("bounds", QVariant(QPointF(validator.minimum(), validator.maximum())));
    fuzz::note("decimals", QVariant(decimals));
    QVariant value;
    const auto result = fuzz::checkValidator(validator, fuzz::consumeCandidate(data), value);
    if (result == TValueValidator::VR_Invalid)
        return 0;
    if (result == TValueValidator::VR_Corrected)
        fuzz::require(value.userType() == QMetaType::QString, "a corrected real is text");

    // The accepted value is its own fixed-point text, within the bounds as
    // they read with that many decimals.
    const QString text = value.toString();
    bool ok = false;
    const double real = text.toDouble(&ok);
    fuzz::require(ok && std::isfinite(real), "an accepted real reads as a finite real");
    fuzz::require(text == QString::number(real, 'f', decimals), "an accepted real is in canonical form");
    fuzz::require(real >= fuzz::rounded(validator.minimum(), decimals)
                      && real <= fuzz::rounded(validator.maximum(), decimals),
                  "an accepted real lies within the bounds");
    return 0;
}
