// Pattern validator: a fuzzed expression checking a fuzzed text.

#include "fuzzcommon.h"
#include "tvaluevalidator.h"

#include <QRegExp>

int fuzzOne(FuzzedDataProvider& data)
{
    static const QRegExp::PatternSyntax syntaxes[] = {
        QRegExp::RegExp, QRegExp::RegExp2, QRegExp::Wildcard, QRegExp::WildcardUnix,
        QRegExp::FixedString, QRegExp::W3CXmlSchema11};
    const QRegExp::PatternSyntax syntax = syntaxes[data.ConsumeIntegralInRange<size_t>(0, 5)];
    const Qt::CaseSensitivity cs = data.ConsumeBool() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    // Short patterns and texts: the expression engine backtracks, and a
    // run must not spend its time there.
    QRegExp expression(fuzz::consumeText(data, 24), cs, syntax);
    TRegExpValidator validator(expression, nullptr);
    const QVariant candidate = data.ConsumeBool() ? QVariant(fuzz::consumeText(data, 64))
                                                  : fuzz::consumeCandidate(data);
    fuzz::note("candidate", candidate);

    QVariant value = candidate;
    const TValueValidator::EValidateResult result = validator.checkValue(value);
    fuzz::require(result != TValueValidator::VR_Corrected, "a pattern never corrects");
    fuzz::require(fuzz::identical(value, candidate), "a pattern leaves the value as it is");
    if (!expression.isValid())
        fuzz::require(result == TValueValidator::VR_Valid, "an unusable pattern accepts everything");
    else
        fuzz::require((result == TValueValidator::VR_Valid) == expression.exactMatch(candidate.toString()),
                      "a pattern accepts exactly the texts it matches whole");

    // No state is kept between checks.
    QVariant again = value;
    fuzz::require(validator.checkValue(again) == result, "a second check gives the same answer");
    return 0;
}
