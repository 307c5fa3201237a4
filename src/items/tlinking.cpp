#include "tlinking_p.h"

#include "tbaseitem.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>
#include <limits>

namespace TarvoLink {

bool isActive(const void* variable, int type)
{
    return variable && type >= LT_Int && type <= LT_Variant;
}

Qt::CheckState checkStateFromNumber(qint64 n)
{
    if (n <= 0)
        return Qt::Unchecked;
    if (n == 1)
        return Qt::PartiallyChecked;
    return Qt::Checked;
}

namespace {

// A real truncated toward zero, saturated to the int range; NaN gives 0.
qint64 truncatedReal(double d)
{
    if (std::isnan(d))
        return 0;
    if (d >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (d <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return qint64(d);
}

float toFloatClamped(double d)
{
    if (std::isnan(d) || std::isinf(d))
        return float(d);
    const double fmax = double(std::numeric_limits<float>::max());
    if (d > fmax)
        return std::numeric_limits<float>::infinity();
    if (d < -fmax)
        return -std::numeric_limits<float>::infinity();
    return float(d);
}

// A variant as a whole number within [lo, hi]: integer texts and numbers
// directly, real texts and reals rounded to the nearest whole number (halves
// up, as QVariant rounds reals), both saturated to the range; anything
// unreadable gives 0.
template<typename T>
T wholeNumber(const QVariant& v)
{
    const T lo = std::numeric_limits<T>::min();
    const T hi = std::numeric_limits<T>::max();
    bool ok = false;
    if (v.userType() != QMetaType::Double && v.userType() != QMetaType::Float) {
        if (std::numeric_limits<T>::is_signed) {
            const qlonglong n = v.toLongLong(&ok);
            if (ok)
                return n < qlonglong(lo) ? lo : (n > qlonglong(hi) ? hi : T(n));
        } else {
            // QVariant hands a negative signed number over as a huge unsigned
            // one; below the range is below the range.
            const bool unsignedSource = v.userType() == QMetaType::UInt
                || v.userType() == QMetaType::ULongLong;
            if (!unsignedSource) {
                const qlonglong s = v.toLongLong(&ok);
                if (ok && s < 0)
                    return lo;
            }
            const qulonglong n = v.toULongLong(&ok);
            if (ok)
                return n > qulonglong(hi) ? hi : T(n);
        }
    }
    const double d = std::floor(v.toDouble(&ok) + 0.5);
    if (!ok || std::isnan(d))
        return 0;
    if (d <= double(lo))
        return lo;
    if (d >= double(hi))
        return hi;
    return T(d);
}

} // namespace

int toIntClamped(const QVariant& v)
{
    return wholeNumber<int>(v);
}

bool converts(int type, const QVariant& in)
{
    if (!in.isValid())
        return false;
    bool ok = false;
    switch (type) {
    case LT_Int:
    case LT_UInt:
    case LT_Long:
    case LT_ULong:
    case LT_LongLong:
    case LT_ULongLong:
        in.toLongLong(&ok);
        if (!ok)
            in.toULongLong(&ok);
        if (!ok) {
            const double d = in.toDouble(&ok);
            ok = ok && !std::isnan(d);
        }
        return ok;
    case LT_Float:
    case LT_Double: {
        const double d = in.toDouble(&ok);
        return ok && !std::isnan(d);
    }
    case LT_Color:
        return qvariant_cast<QColor>(in).isValid();
    case LT_Font:
        return in.canConvert<QFont>();
    case LT_Size:
        return in.canConvert<QSize>();
    case LT_Point:
        return in.canConvert<QPoint>();
    case LT_Rect:
        return in.canConvert<QRect>();
    default:
        return true;
    }
}

bool read(const void* variable, int type, QVariant& out)
{
    if (!isActive(variable, type))
        return false;
    switch (type) {
    case LT_Int:
    case LT_Long:
        out = QVariant(*static_cast<const int*>(variable));
        break;
    case LT_UInt:
    case LT_ULong:
        out = QVariant(*static_cast<const unsigned int*>(variable));
        break;
    case LT_LongLong:
        out = QVariant(*static_cast<const qlonglong*>(variable));
        break;
    case LT_ULongLong:
        out = QVariant(*static_cast<const qulonglong*>(variable));
        break;
    case LT_Float:
        out = QVariant(*static_cast<const float*>(variable));
        break;
    case LT_Double:
        out = QVariant(*static_cast<const double*>(variable));
        break;
    case LT_Bool:
        out = QVariant(*static_cast<const bool*>(variable));
        break;
    case LT_String:
        out = QVariant(*static_cast<const QString*>(variable));
        break;
    case LT_Color:
        out = QVariant(*static_cast<const QColor*>(variable));
        break;
    case LT_Font:
        out = QVariant(*static_cast<const QFont*>(variable));
        break;
    case LT_Size:
        out = QVariant(*static_cast<const QSize*>(variable));
        break;
    case LT_Point:
        out = QVariant(*static_cast<const QPoint*>(variable));
        break;
    case LT_Rect:
        out = QVariant(*static_cast<const QRect*>(variable));
        break;
    case LT_Variant:
        out = *static_cast<const QVariant*>(variable);
        break;
    }
    return true;
}

bool write(void* variable, int type, const QVariant& in)
{
    if (!isActive(variable, type))
        return false;
    switch (type) {
    case LT_Int:
    case LT_Long:
        *static_cast<int*>(variable) = wholeNumber<int>(in);
        break;
    case LT_UInt:
    case LT_ULong:
        *static_cast<unsigned int*>(variable) = wholeNumber<unsigned int>(in);
        break;
    case LT_LongLong:
        *static_cast<qlonglong*>(variable) = wholeNumber<qlonglong>(in);
        break;
    case LT_ULongLong:
        *static_cast<qulonglong*>(variable) = wholeNumber<qulonglong>(in);
        break;
    case LT_Float:
        *static_cast<float*>(variable) = toFloatClamped(in.toDouble());
        break;
    case LT_Double:
        *static_cast<double*>(variable) = in.toDouble();
        break;
    case LT_Bool:
        *static_cast<bool*>(variable) = in.toBool();
        break;
    case LT_String:
        *static_cast<QString*>(variable) = in.toString();
        break;
    case LT_Color:
        *static_cast<QColor*>(variable) = qvariant_cast<QColor>(in);
        break;
    case LT_Font:
        *static_cast<QFont*>(variable) = qvariant_cast<QFont>(in);
        break;
    case LT_Size:
        *static_cast<QSize*>(variable) = in.canConvert<QSize>() ? in.toSize() : QSize();
        break;
    case LT_Point:
        *static_cast<QPoint*>(variable) = in.canConvert<QPoint>() ? in.toPoint() : QPoint(0, 0);
        break;
    case LT_Rect:
        *static_cast<QRect*>(variable) = in.canConvert<QRect>() ? in.toRect() : QRect();
        break;
    case LT_Variant:
        *static_cast<QVariant*>(variable) = in;
        break;
    }
    return true;
}

bool readCheck(const void* variable, int type, Qt::CheckState& state)
{
    if (!isActive(variable, type))
        return false;
    switch (type) {
    case LT_Int:
    case LT_Long:
        state = checkStateFromNumber(*static_cast<const int*>(variable));
        return true;
    case LT_UInt:
    case LT_ULong:
        state = checkStateFromNumber(*static_cast<const unsigned int*>(variable));
        return true;
    case LT_LongLong:
        state = checkStateFromNumber(qint32(quint32(*static_cast<const qlonglong*>(variable))));
        return true;
    case LT_ULongLong:
        state = checkStateFromNumber(qint32(quint32(*static_cast<const qulonglong*>(variable))));
        return true;
    case LT_Float:
        state = checkStateFromNumber(truncatedReal(double(*static_cast<const float*>(variable))));
        return true;
    case LT_Double:
        state = checkStateFromNumber(truncatedReal(*static_cast<const double*>(variable)));
        return true;
    case LT_Bool:
        state = *static_cast<const bool*>(variable) ? Qt::Checked : Qt::Unchecked;
        return true;
    case LT_String:
        state = checkStateFromNumber(static_cast<const QString*>(variable)->toUInt(nullptr, 10));
        return true;
    case LT_Variant:
        state = checkStateFromNumber(static_cast<const QVariant*>(variable)->toUInt());
        return true;
    default:
        return false;
    }
}

bool writeCheck(void* variable, int type, Qt::CheckState state)
{
    if (!isActive(variable, type))
        return false;
    const int n = int(state);
    switch (type) {
    case LT_Int:
    case LT_Long:
        *static_cast<int*>(variable) = n;
        return true;
    case LT_UInt:
    case LT_ULong:
        *static_cast<unsigned int*>(variable) = unsigned(n);
        return true;
    case LT_LongLong:
        *static_cast<qlonglong*>(variable) = qlonglong(n);
        return true;
    case LT_ULongLong:
        *static_cast<qulonglong*>(variable) = qulonglong(qlonglong(n));
        return true;
    case LT_Float:
        *static_cast<float*>(variable) = float(n);
        return true;
    case LT_Double:
        *static_cast<double*>(variable) = double(n);
        return true;
    case LT_Bool:
        *static_cast<bool*>(variable) = state != Qt::Unchecked;
        return true;
    case LT_String:
        *static_cast<QString*>(variable) = QString::number(n);
        return true;
    case LT_Variant:
        *static_cast<QVariant*>(variable) = QVariant(n);
        return true;
    default:
        return false;
    }
}

} // namespace TarvoLink
