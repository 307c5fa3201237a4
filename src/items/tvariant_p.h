#ifndef TARVO_TVARIANT_P_H
#define TARVO_TVARIANT_P_H

#include "tarvoglobal.h"

#include <QVariant>

class QSettings;

// Variant equality as the library means it, the same with every Qt version:
// - numbers of any numeric type (bool included) are equal when their values
//   are: whole numbers exactly, reals when equal or, both being non-zero and
//   finite, equal to within qFuzzyCompare();
// - variants of one type compare with QVariant's own operator;
// - otherwise b is converted to a's type when it can be, else a to b's type,
//   and the two are compared (reals exactly); a failed conversion is no
//   match. A text on the left therefore compares with the text form of a
//   number on the right ("2.50000" is not 2.5), while a number on the left
//   compares with the number read from a text on the right (12 is "12"),
//   and a color on the left with the color a text names.
// Qt 6's QVariant::operator== no longer converts between types and compares
// reals exactly; the library relies on the rules above.
TARVO_AUTOTEST_EXPORT bool tarvoVariantsEqual(const QVariant& a, const QVariant& b);

// QVariant::convert() to a type id, alike in Qt 5 and Qt 6.
bool tarvoConvert(QVariant& v, int type);

// settings.value(key), read alike by every Qt version. Qt 6 writes INI files
// in UTF-8, while Qt 5 reads their bytes as Latin-1 unless the caller set a
// codec. With Qt 5, an INI text without a codec whose characters are all
// bytes that together form valid UTF-8 (with at least one multi-byte
// sequence) is therefore taken as UTF-8. Qt 5 writes non-ASCII characters
// as escapes, so its own files read as before.
TARVO_AUTOTEST_EXPORT QVariant tarvoSettingsValue(QSettings& settings, const QString& key);

#endif // TARVO_TVARIANT_P_H
