// Color validator and color row.

#include "fuzzcommon.h"
#include "tcolorvalue.h"

namespace {
// The color an accepted value stands for.
QColor colorOf(const QVariant& value)
{
    if (value.userType() == QMetaType::QColor)
        return qvariant_cast<QColor>(value);
    const QString name = value.toString().trimmed();
    return QColor::isValidColor(name) ? QColor(name) : QColor();
}
} // namespace

int fuzzOne(FuzzedDataProvider& data)
{
    static TColorValue* row = fuzz::browser()->addColor(1, QStringLiteral("Color"), QString(), QString(), nullptr);
    TColorValidator& validator = TColorValidator::s_ColorValidator;
    const QVariant candidate = fuzz::consumeCandidate(data);
    QVariant value;
    const auto result = fuzz::checkValidator(validator, candidate, value);
    if (result == TValueValidator::VR_Corrected)
        fuzz::require(value.userType() == QMetaType::QColor
                          || (value.userType() == QMetaType::QString && colorOf(value).alpha() != 255),
                      "a corrected color is a QColor, or the text of a translucent one");
    if (result != TValueValidator::VR_Invalid) {
        const QColor color = colorOf(value);
        fuzz::require(color.isValid(), "an accepted value names a color");
        if (value.userType() == QMetaType::QColor)
            fuzz::require(color.alpha() == 255 && color == color.toRgb(), "an accepted color is opaque RGB");
        // Its text form is a color too, and the same one.
        QVariant text(color.name());
        fuzz::require(validator.checkValue(text) == TValueValidator::VR_Valid, "a color's name is valid");
    }

    // The row holds a list entry or a color its validator takes as it is.
    row->setSpecial(SV_Default);
    const bool accepted = row->setValue(candidate);
    const SValue& held = row->value();
    if (!accepted) {
        fuzz::require(held.kind == SK_Special, "a rejected color leaves the row as it was");
        return 0;
    }
    fuzz::require(held.kind != SK_Special, "an accepted color is no special value");
    if (held.kind == SK_ListItem) {
        fuzz::require(row->list() && row->list()->findItem(held.value), "a list color is an entry");
    } else {
        QVariant copy = held.value;
        fuzz::require(validator.checkValue(copy) == TValueValidator::VR_Valid,
                      "a row holds what its validator takes as it is");
        fuzz::require(row->color() == colorOf(held.value), "an own color keeps its alpha");
    }
    fuzz::require(row->color().isValid(), "the row holds a color");
    (void)row->valueText();
    return 0;
}
