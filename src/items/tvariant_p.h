#ifndef TARVO_TVARIANT_P_H
#define TARVO_TVARIANT_P_H

#include "tarvoglobal.h"

#include <QVariant>

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

#endif // TARVO_TVARIANT_P_H
