// Color validator and color row.

#include "fuzzcommon.h"
#include "tcolorvalue.h"

namespace {
TColorValue* row = nullptr;

// The color an accepted value stands for.
QColor colorOf(const QVariant& value)
{
    if (value.userType() == QMetaType::QColor)
        return qvariant_cast<QColor>(value);
    const QString name = value.toString().trimmed();
    return QColor::isValidColor(name) ? QColor(name) : QColor();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initApplication();
    row = fuzz::browser()->addColor(1, QStringLiteral("Color"), QString(), QString(), nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    fuzz::context().clear();
    const QVariant candidate = fuzz::consumeCandidate(data);
    fuzz::note("candidate", candidate);
    TColorValidator& validator = TColorValidator::s_ColorValidator;

    QVariant value = candidate;
    const TValueValidator::EValidateResult result = validator.checkValue(value);
    if (result != TValueValidator::VR_Corrected)
        fuzz::require(fuzz::identical(value, candidate), "a value that is not corrected is untouched");
    if (result == TValueValidator::VR_Corrected)
        fuzz::require(value.userType() == QMetaType::QColor
                          || (value.userType() == QMetaType::QString && colorOf(value).alpha() != 255),
                      "a corrected color is a QColor, or the text of a translucent one");
    if (result != TValueValidator::VR_Invalid) {
        const QColor color = colorOf(value);
        fuzz::require(color.isValid(), "an accepted value names a color");
        if (value.userType() == QMetaType::QColor)
            fuzz::require(color.alpha() == 255 && color == color.toRgb(),
                          "an accepted color is opaque RGB");
        QVariant again = value;
        fuzz::require(validator.checkValue(again) == TValueValidator::VR_Valid, "an accepted color is valid again");
        fuzz::require(fuzz::identical(again, value), "an accepted color is left as it is");
        // Its text form is a color too, and the same one.
        QVariant text(color.name());
        fuzz::require(validator.checkValue(text) == TValueValidator::VR_Valid, "a color's name is valid");
    }

    // The row holds a list entry or a color its validator takes as it is.
    row->setSpecial(SV_Default);
    const bool accepted = row->setValue(candidate);
    const SValue& held = row->value();
    if (accepted) {
        fuzz::require(held.kind != SK_Special, "an accepted color is no special value");
        if (held.kind == SK_ListItem) {
            fuzz::require(row->list() && row->list()->findItem(held.value), "a list color is an entry");
        } else {
            QVariant copy = held.value;
            fuzz::require(validator.checkValue(copy) == TValueValidator::VR_Valid,
                          "a row holds what its validator takes as it is");
        }
        fuzz::require(row->color().isValid(), "the row holds a color");
        if (held.kind == SK_Value)
            fuzz::require(row->color() == colorOf(held.value), "an own color keeps its alpha");
    } else {
        fuzz::require(held.kind == SK_Special, "a rejected color leaves the row as it was");
    }
    (void)row->valueText();
    return 0;
}
