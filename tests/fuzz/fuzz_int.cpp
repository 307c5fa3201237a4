// Integer validator: any candidate, any bounds.

#include "fuzzcommon.h"
#include "tvaluevalidator.h"

int fuzzOne(FuzzedDataProvider& data)
{
    TIntValidator validator;
    if (data.ConsumeBool())
        validator.setRange(data.ConsumeIntegral<int>(), data.ConsumeIntegral<int>());
    QVariant value;
    const auto result = fuzz::checkValidator(validator, fuzz::consumeCandidate(data), value);
    if (result == TValueValidator::VR_Invalid)
        return 0;
    if (result == TValueValidator::VR_Corrected)
        fuzz::require(value.userType() == QMetaType::QString, "a corrected integer is text");

    // The accepted value reads as its own decimal text, within the bounds.
    const QString text = value.toString();
    bool ok = false;
    const int number = text.toInt(&ok);
    fuzz::require(ok, "an accepted integer reads as an int");
    fuzz::require(text == QString::number(number), "an accepted integer is in canonical form");
    fuzz::require(number >= validator.minimum() && number <= validator.maximum(),
                  "an accepted integer lies within the bounds");
    return 0;
}
