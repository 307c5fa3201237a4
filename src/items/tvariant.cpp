#include "tvariant_p.h"

#include <QSettings>
#include <QtGlobal>

#include <cmath>
#include <utility>

namespace {

bool isNumericType(int type)
{
    switch (type) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

bool isRealType(int type)
{
    return type == QMetaType::Double || type == QMetaType::Float;
}

bool isUnsignedType(int type)
{
    switch (type) {
    case QMetaType::Bool:
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

bool isFuzzyComparable(double r)
{
    const int kind = std::fpclassify(r);
    return kind == FP_NORMAL || kind == FP_SUBNORMAL;
}

// Both variants hold numbers.
bool numbersEqual(const QVariant& a, const QVariant& b)
{
    const int ta = a.userType();
    const int tb = b.userType();
    if (isRealType(ta) || isRealType(tb)) {
        const double ra = a.toDouble();
        const double rb = b.toDouble();
        if (ra == rb)
            return true;
        return isFuzzyComparable(ra) && isFuzzyComparable(rb) && qFuzzyCompare(ra, rb);
    }
    const bool ua = isUnsignedType(ta);
    const bool ub = isUnsignedType(tb);
    if (ua && ub)
        return a.toULongLong() == b.toULongLong();
    if (!ua && !ub)
        return a.toLongLong() == b.toLongLong();
    // One signed, one unsigned: a negative number equals no unsigned one.
    const qlonglong s = ua ? b.toLongLong() : a.toLongLong();
    const qulonglong u = ua ? a.toULongLong() : b.toULongLong();
    return s >= 0 && qulonglong(s) == u;
}

bool canConvertTo(const QVariant& v, int type)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return v.canConvert(QMetaType(type));
#else
    return v.canConvert(type);
#endif
}

// Both variants have the same type, one of them by conversion: reals are
// then compared exactly.
bool sameTypeEqual(const QVariant& a, const QVariant& b)
{
    if (isRealType(a.userType()))
        return a.toDouble() == b.toDouble();
    if (isNumericType(a.userType()))
        return numbersEqual(a, b);
    return a == b;
}

} // namespace

bool tarvoConvert(QVariant& v, int type)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return v.convert(QMetaType(type));
#else
    return v.convert(type);
#endif
}

bool tarvoVariantsEqual(const QVariant& a, const QVariant& b)
{
    const int ta = a.userType();
    const int tb = b.userType();
    // Most rows hold ints.
    if (ta == QMetaType::Int && tb == QMetaType::Int)
        return *static_cast<const int*>(a.constData()) == *static_cast<const int*>(b.constData());
    if (isNumericType(ta) && isNumericType(tb))
        return numbersEqual(a, b);
    if (ta == tb)
        return a == b;
    if (!a.isValid() || !b.isValid())
        return false;

    QVariant first = a;
    QVariant second = b;
    if (!canConvertTo(second, ta))
        std::swap(first, second);
    if (!tarvoConvert(second, first.userType()))
        return false;
    return sameTypeEqual(first, second);
}

QVariant tarvoSettingsValue(QSettings& settings, const QString& key)
{
    const QVariant value = settings.value(key);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    if (settings.format() != QSettings::IniFormat || settings.iniCodec()
        || value.userType() != QMetaType::QString)
        return value;
    const QString text = value.toString();
    bool high = false;
    for (const QChar c : text) {
        if (c.unicode() > 0xff)
            return value;
        high = high || c.unicode() >= 0x80;
    }
    if (!high)
        return value;
    const QByteArray bytes = text.toLatin1();
    const QString decoded = QString::fromUtf8(bytes);
    if (decoded.contains(QChar::ReplacementCharacter) || decoded.toUtf8() != bytes)
        return value;
    return decoded;
#else
    return value;
#endif
}
