// Integer validator: any candidate, any bounds.

#include "fuzzcommon.h"
#include "tvaluevalidator.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    fuzz::context().clear();
    TIntValidator validator;
    if (data.ConsumeBool())
        validator.setRange(data.ConsumeIntegral<int>(), data.ConsumeIntegral<int>());
    const QVariant candidate = fuzz::consumeCandidate(data);
    fuzz::note("candidate", candidate);

    QVariant value = candidate;
    const TValueValidator::EValidateResult result = validator.checkValue(value);
    if (result != TValueValidator::VR_Corrected)
        fuzz::require(fuzz::identical(value, candidate), "a value that is not corrected is untouched");
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

    QVariant again = value;
    fuzz::require(validator.checkValue(again) == TValueValidator::VR_Valid, "an accepted integer is valid again");
    fuzz::require(fuzz::identical(again, value), "an accepted integer is left as it is");
    return 0;
}
