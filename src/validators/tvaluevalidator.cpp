#include "tvaluevalidator.h"

#include "tvariant_p.h"

#include <QtMath>

#include <cmath>

namespace {

// How a candidate reads as a real number.
enum class RealReading
{
    Unreadable, // no number, or a text or variant that is not a number
    Finite,     // a finite real
    Overflow    // beyond every real: an infinite real variant, or a text
                // such as "1e400" that overflows
};

bool isRealType(const QVariant& value)
{
    const int type = value.userType();
    return type == QMetaType::Double || type == QMetaType::Float;
}

// Reads value as a real. Texts that spell an infinity or not-a-number are
// unreadable, while real variants holding an infinity and texts that
// overflow give Overflow, with the sign kept in real.
RealReading readReal(const QVariant& value, double& real)
{
    if (!value.isValid())
        return RealReading::Unreadable;

    if (isRealType(value)) {
        real = value.toDouble();
        if (qIsNaN(real))
            return RealReading::Unreadable;
        return qIsInf(real) ? RealReading::Overflow : RealReading::Finite;
    }

    bool ok = false;
    real = value.toDouble(&ok);
    if (ok)
        return qIsFinite(real) ? RealReading::Finite : RealReading::Unreadable;
    // A failed text conversion yields an infinity only when the number
    // was too large; anything else failed for want of a number.
    if (value.userType() == QMetaType::QString && qIsInf(real))
        return RealReading::Overflow;
    return RealReading::Unreadable;
}

// The fixed-point text of real. A real that rounds to zero is written
// without a sign: "-0.00" would read back as negative zero, which prints
// as "0.00", and the canonical text would not be its own canonical text.
QString fixedText(double real, int decimals)
{
    QString text = QString::number(real, 'f', decimals);
    if (text.startsWith(QLatin1Char('-')) && text.toDouble() == 0.0)
        text.remove(0, 1);
    return text;
}

// Finishes a check: the candidate is valid when it equals its canonical
// text (the comparison converts the candidate to a string), otherwise
// it is replaced by that text.
TValueValidator::EValidateResult finish(QVariant& value, const QString& canonical)
{
    const QVariant canonicalValue(canonical);
    if (tarvoVariantsEqual(canonicalValue, value))
        return TValueValidator::VR_Valid;
    value = canonicalValue;
    return TValueValidator::VR_Corrected;
}

TValueValidator::EValidateResult replace(QVariant& value, const QString& text)
{
    value = QVariant(text);
    return TValueValidator::VR_Corrected;
}

// Whether text is exactly what QString::number() writes for a whole
// number: an optional minus sign and decimal digits without a leading zero
// ("0" itself, never "-0"). Such a text needs no rewriting once it has been
// read as a number in range, so no canonical text has to be built for it.
bool isCanonicalInteger(const QString& text)
{
    const QChar* p = text.constData();
    const QChar* end = p + text.size();
    if (p != end && *p == QLatin1Char('-'))
        ++p;
    if (p == end || end - p > 10)
        return false;
    if (*p == QLatin1Char('0'))
        return end - p == 1 && p == text.constData();
    for (; p != end; ++p) {
        if (p->unicode() < '0' || p->unicode() > '9')
            return false;
    }
    return true;
}

// Whether text is exactly what QString::number(real, 'f', decimals) writes
// for the real that the text reads as: an optional minus sign, digits
// without a leading zero, and a point followed by exactly `decimals` digits
// (no point when `decimals` is 0). With at most 15 significant digits a text
// reads as the nearest real, which prints back as the same text; longer
// texts and negative zero are left to the full comparison.
bool isCanonicalFixed(const QString& text, int decimals)
{
    const QChar* p = text.constData();
    const QChar* end = p + text.size();
    const bool negative = p != end && *p == QLatin1Char('-');
    if (negative)
        ++p;
    const QChar* intStart = p;
    while (p != end && p->unicode() >= '0' && p->unicode() <= '9')
        ++p;
    const QChar* intEnd = p;
    if (intEnd == intStart || (*intStart == QLatin1Char('0') && intEnd - intStart > 1))
        return false;
    if (decimals > 0) {
        if (p == end || *p != QLatin1Char('.'))
            return false;
        ++p;
        if (end - p != decimals)
            return false;
        for (const QChar* q = p; q != end; ++q) {
            if (q->unicode() < '0' || q->unicode() > '9')
                return false;
        }
    } else if (decimals < 0 || p != end) {
        return false;
    }
    // Significant digits: from the first non-zero digit to the last one
    // written, trailing zeros included.
    int significant = 0;
    bool started = false;
    for (const QChar* q = intStart; q != end; ++q) {
        if (*q == QLatin1Char('.'))
            continue;
        started = started || *q != QLatin1Char('0');
        if (started)
            ++significant;
    }
    if (negative && !started)
        return false;
    return significant <= 15;
}

constexpr qint64 kIntMin = std::numeric_limits<int>::min();
constexpr qint64 kIntMax = std::numeric_limits<int>::max();

// Reads value as a whole number in 64 bits. Real variants are rounded, texts
// truncated toward zero; both saturate at the int range, and the callers
// clamp to narrower bounds.
bool readInteger(const QVariant& value, qint64& number)
{
    if (!value.isValid())
        return false;

    // Real variants must not go through toLongLong, which rounds and has
    // no defined result for a NaN or a real beyond 64 bits.
    if (!isRealType(value)) {
        const int type = value.userType();
        if (type == QMetaType::ULongLong || type == QMetaType::ULong) {
            const qulonglong u = value.toULongLong();
            number = u > qulonglong(kIntMax) ? kIntMax : qint64(u);
            return true;
        }
        bool ok = false;
        const qlonglong n = value.toLongLong(&ok);
        if (ok) {
            number = n;
            return true;
        }
    }

    double real = 0.0;
    switch (readReal(value, real)) {
    case RealReading::Unreadable:
        return false;
    case RealReading::Overflow:
        number = real > 0 ? kIntMax : kIntMin;
        return true;
    case RealReading::Finite:
        break;
    }
    // A real variant rounds as QVariant::toInt does, with qRound (a spin
    // step of 0.5 moves the value); a text such as "12.7" is truncated.
    if (real <= double(kIntMin))
        number = kIntMin;
    else if (real >= double(kIntMax))
        number = kIntMax;
    else
        number = isRealType(value) ? qRound64(real) : qint64(std::trunc(real));
    return true;
}

} // namespace

// ---------------------------------------------------------------------------

TValueValidator::TValueValidator(QObject* parent)
    : QObject(parent)
{
}

TValueValidator::~TValueValidator() = default;

// ---------------------------------------------------------------------------

TIntValidator* TIntValidator::s_IntValidator = new TIntValidator();
TIntValidator* TIntValidator::s_ByteValidator = new TIntValidator(0, 255);
TIntValidator* TIntValidator::s_WordValidator = new TIntValidator(0, 65535);
TIntValidator* TIntValidator::s_PositiveValidator = new TIntValidator(1);
TIntValidator* TIntValidator::s_ZeroPositiveValidator = new TIntValidator(0);

TIntValidator::TIntValidator(int min, int max, QObject* parent)
    : TValueValidator(parent)
    , m_minimum(min)
    , m_maximum(max)
{
}

TIntValidator::~TIntValidator() = default;

void TIntValidator::setRange(int a, int b)
{
    m_minimum = qMin(a, b);
    m_maximum = qMax(a, b);
}

TValueValidator::EValidateResult TIntValidator::checkValue(QVariant& value)
{
    // An int variant in range is its own canonical form.
    if (value.userType() == QMetaType::Int) {
        const int n = *static_cast<const int*>(value.constData());
        if (n < m_minimum)
            return replace(value, QString::number(m_minimum));
        if (n > m_maximum)
            return replace(value, QString::number(m_maximum));
        return VR_Valid;
    }
    qint64 number = 0;
    if (!readInteger(value, number))
        return VR_Invalid;

    if (number < m_minimum)
        return replace(value, QString::number(m_minimum));
    if (number > m_maximum)
        return replace(value, QString::number(m_maximum));
    if (value.userType() == QMetaType::QString && isCanonicalInteger(value.toString()))
        return VR_Valid;
    return finish(value, QString::number(number));
}

// ---------------------------------------------------------------------------

TDoubleValidator* TDoubleValidator::s_DoubleValidator = new TDoubleValidator();

TDoubleValidator::TDoubleValidator(double min, double max, int decimals, QObject* parent)
    : TValueValidator(parent)
    , m_minimum(min)
    , m_maximum(max)
    , m_decimals(decimals)
{
}

TDoubleValidator::~TDoubleValidator() = default;

void TDoubleValidator::setRange(double a, double b)
{
    if (a > b)
        qSwap(a, b);
    m_minimum = a;
    m_maximum = b;
}

TValueValidator::EValidateResult TDoubleValidator::checkValue(QVariant& value)
{
    double real = 0.0;
    if (readReal(value, real) == RealReading::Unreadable)
        return VR_Invalid;

    // An overflowing candidate clamps like any other out-of-range number,
    // which lets a bounded value wrap when it is handed an infinity. With
    // no finite bound on that side there is no number to clamp to.
    double clamped = real;
    if (real < m_minimum)
        clamped = m_minimum;
    else if (real > m_maximum)
        clamped = m_maximum;
    if (!qIsFinite(clamped))
        return VR_Invalid;

    // A bound with more decimals than the canonical text reads back outside
    // itself ("0.00" for a minimum of 0.001): the bound's own text is then
    // taken as it is, so that an accepted value is accepted again unchanged.
    if (clamped != real)
        return finish(value, fixedText(clamped, m_decimals));
    if (value.userType() == QMetaType::QString && isCanonicalFixed(value.toString(), m_decimals))
        return VR_Valid;
    return finish(value, fixedText(clamped, m_decimals));
}

// ---------------------------------------------------------------------------

TRegExpValidator::TRegExpValidator(QRegExp& regexp, QObject* parent)
    : TValueValidator(parent)
    , m_regexp(regexp)
{
}

TRegExpValidator::~TRegExpValidator() = default;

TValueValidator::EValidateResult TRegExpValidator::checkValue(QVariant& value)
{
    if (!m_regexp.isValid())
        return VR_Valid;
    return m_regexp.exactMatch(value.toString()) ? VR_Valid : VR_Invalid;
}
