// Font descriptions handed to a font row.

#include "fuzzcommon.h"
#include "tfontvalue.h"

int fuzzOne(FuzzedDataProvider& data)
{
    static TFontValue* row = fuzz::browser()->addFont(1, QStringLiteral("Font"), QString(), QString(), nullptr);
    static const QFont start = row->font();
    const QVariant candidate = data.ConsumeBool() ? QVariant(fuzz::consumeText(data, 512))
                                                  : fuzz::consumeCandidate(data);
    fuzz::note("candidate", candidate);
    row->setValue(QVariant(start));
    if (!row->setValue(candidate)) {
        fuzz::require(row->font() == start, "a rejected font leaves the row as it was");
        return 0;
    }
    const SValue& held = row->value();
    fuzz::require(held.kind != SK_Special, "an accepted font is no special value");
    fuzz::require(held.value.userType() == QMetaType::QFont, "a font row holds a QFont");
    const QFont font = row->font();
    fuzz::require(!font.family().isEmpty(), "an accepted font has a family");

    // The description written to settings reads back as the same font.
    const QString description = font.toString();
    fuzz::note("description", QVariant(description));
    fuzz::require(row->setValue(QVariant(description)), "a font's description is taken");
    fuzz::note("read back", QVariant(row->font().toString()));
    fuzz::require(row->font().toString() == description, "a font's description reads back as the font");
    (void)row->valueText();
    row->browser()->setCurrentItem(row);
    row->browser()->setCurrentItem(nullptr);
    return 0;
}
