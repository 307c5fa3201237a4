#include "tcompoundvalidators.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QRegularExpression>
#include <QSize>
#include <QSizeF>

#include <cmath>
#include <initializer_list>

namespace {

// The separators between the numbers are matched lazily, so that a minus
// sign in front of a number stays with the number: "3,-4" reads as 3 and -4.
const QRegularExpression& twoIntPattern()
{
    static const QRegularExpression pattern(QStringLiteral("(-?\\d+)\\D*?(-?\\d+)"));
    return pattern;
}

const QRegularExpression& fourIntPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("(-?\\d+)\\D*?(-?\\d+)\\D*?(-?\\d+)\\D*?(-?\\d+)"));
    return pattern;
}

// Groups 1 and 3 are the numbers, groups 2 and 4 their fraction parts. A
// number that starts at its point has no point before it, so a separator
// of points ("1.5..2.5") is not taken for the second number's start.
const QRegularExpression& twoRealPattern()
{
    static const QRegularExpression pattern(QStringLiteral(
        "(-?\\d+(\\.\\d*)?|-?(?<!\\.)\\.\\d+)\\D*?(-?\\d+(\\.\\d*)?|-?(?<!\\.)\\.\\d+)"));
    return pattern;
}

// Finds pattern anywhere in the text of value and copies the captured
// groups, in the order given, into components.
bool matchComponents(const QVariant& value, const QRegularExpression& pattern,
                     std::initializer_list<int> groups, QVariant* components)
{
    const QRegularExpressionMatch match = pattern.match(value.toString());
    if (!match.hasMatch())
        return false;
    for (const int group : groups)
        *components++ = match.captured(group);
    return true;
}

// Bounds one component with a temporary scalar validator. Leaves result
// alone and returns false when the component is not a number.
bool boundInt(QVariant component, int min, int max, int& result)
{
    TIntValidator validator(min, max);
    if (validator.checkValue(component) == TValueValidator::VR_Invalid)
        return false;
    result = component.toInt();
    return true;
}

bool boundReal(QVariant component, double min, double max, double& result)
{
    TDoubleValidator validator(min, max, 5);
    if (validator.checkValue(component) == TValueValidator::VR_Invalid)
        return false;
    result = component.toDouble();
    return true;
}

// Integer components of a real-valued Qt type are rounded here but left as
// reals, so that the int validator saturates the ones beyond int instead of
// letting them be narrowed.
QVariant roundedComponent(qreal real)
{
    // Rounded as QPointF::toPoint() rounds, with qRound; reals this large
    // are whole already.
    return QVariant(std::fabs(real) < 1e15 ? double(qRound64(real)) : double(real));
}

// Keeps the candidate when it already is the result, in the result's own
// type; otherwise replaces it by the result.
template <typename T>
bool sameResult(const T& a, const T& b)
{
    return a == b;
}

// QPointF's own comparison is fuzzy: 1e-150 would pass for 0, and a range
// would keep numbers that its five decimals cannot show.
template <>
bool sameResult(const QPointF& a, const QPointF& b)
{
    return a.x() == b.x() && a.y() == b.y();
}

template <typename T>
TValueValidator::EValidateResult finishTyped(QVariant& value, const T& result)
{
    if (value.userType() == qMetaTypeId<T>() && sameResult(value.value<T>(), result))
        return TValueValidator::VR_Valid;
    value = QVariant::fromValue(result);
    return TValueValidator::VR_Corrected;
}

// The far edge of a run of extent cells starting at start, kept in int.
int farEdge(int start, qint64 extent)
{
    constexpr qint64 lowest = std::numeric_limits<int>::min();
    constexpr qint64 highest = std::numeric_limits<int>::max();
    return int(qBound(lowest, qint64(start) + extent - 1, highest));
}

} // namespace

// ---------------------------------------------------------------------------

TPointValidator* TPointValidator::s_PointValidator = new TPointValidator();

TPointValidator::TPointValidator(QObject* parent, int minX, int maxX, int minY, int maxY)
    : TValueValidator(parent)
    , m_minX(minX)
    , m_maxX(maxX)
    , m_minY(minY)
    , m_maxY(maxY)
{
}

TPointValidator::~TPointValidator() = default;

TValueValidator::EValidateResult TPointValidator::checkValue(QVariant& value)
{
    QVariant components[2];
    switch (value.userType()) {
    case QMetaType::QPoint: {
        const QPoint point = value.toPoint();
        components[0] = point.x();
        components[1] = point.y();
        break;
    }
    case QMetaType::QPointF: {
        const QPointF point = value.toPointF();
        components[0] = roundedComponent(point.x());
        components[1] = roundedComponent(point.y());
        break;
    }
    default:
        if (!matchComponents(value, twoIntPattern(), {1, 2}, components))
            return VR_Invalid;
    }

    int x = m_minX;
    int y = m_minY;
    boundInt(components[0], m_minX, m_maxX, x);
    boundInt(components[1], m_minY, m_maxY, y);
    return finishTyped(value, QPoint(x, y));
}

// ---------------------------------------------------------------------------

TSizeValidator* TSizeValidator::s_SizeValidator = new TSizeValidator();

TSizeValidator::TSizeValidator(QObject* parent, int minWidth, int maxWidth,
                               int minHeight, int maxHeight)
    : TValueValidator(parent)
    , m_minWidth(minWidth)
    , m_maxWidth(maxWidth)
    , m_minHeight(minHeight)
    , m_maxHeight(maxHeight)
{
}

TSizeValidator::~TSizeValidator() = default;

TValueValidator::EValidateResult TSizeValidator::checkValue(QVariant& value)
{
    QVariant components[2];
    switch (value.userType()) {
    case QMetaType::QSize: {
        const QSize size = value.toSize();
        components[0] = size.width();
        components[1] = size.height();
        break;
    }
    case QMetaType::QSizeF: {
        const QSizeF size = value.toSizeF();
        components[0] = roundedComponent(size.width());
        components[1] = roundedComponent(size.height());
        break;
    }
    default:
        if (!matchComponents(value, twoIntPattern(), {1, 2}, components))
            return VR_Invalid;
    }

    int width = m_minWidth;
    int height = m_minHeight;
    boundInt(components[0], m_minWidth, m_maxWidth, width);
    boundInt(components[1], m_minHeight, m_maxHeight, height);
    return finishTyped(value, QSize(width, height));
}

// ---------------------------------------------------------------------------

TRectValidator* TRectValidator::s_RectValidator = new TRectValidator();

TRectValidator::TRectValidator(QObject* parent, int minWidth, int maxWidth,
                               int minHeight, int maxHeight)
    : TSizeValidator(parent, minWidth, maxWidth, minHeight, maxHeight)
{
}

TRectValidator::~TRectValidator() = default;

TValueValidator::EValidateResult TRectValidator::checkValue(QVariant& value)
{
    // x, y, width, height
    QVariant components[4];
    switch (value.userType()) {
    case QMetaType::QRect: {
        // QRect::width() and height() overflow for extreme edges.
        const QRect rect = value.toRect();
        components[0] = rect.left();
        components[1] = rect.top();
        components[2] = qlonglong(rect.right()) - rect.left() + 1;
        components[3] = qlonglong(rect.bottom()) - rect.top() + 1;
        break;
    }
    case QMetaType::QRectF: {
        const QRectF rect = value.toRectF();
        components[0] = roundedComponent(rect.x());
        components[1] = roundedComponent(rect.y());
        components[2] = roundedComponent(rect.width());
        components[3] = roundedComponent(rect.height());
        break;
    }
    default:
        if (!matchComponents(value, fourIntPattern(), {1, 2, 3, 4}, components))
            return VR_Invalid;
    }

    // The position is not bounded, only kept in int; it is 0 when it does
    // not read as a number.
    constexpr int lowest = std::numeric_limits<int>::min();
    constexpr int highest = std::numeric_limits<int>::max();
    int x = 0;
    int y = 0;
    boundInt(components[0], lowest, highest, x);
    boundInt(components[1], lowest, highest, y);

    int width = m_minWidth;
    int height = m_minHeight;
    boundInt(components[2], m_minWidth, m_maxWidth, width);
    boundInt(components[3], m_minHeight, m_maxHeight, height);

    // Built from its edges: QRect(x, y, width, height) would overflow when
    // the rectangle reaches past the int range. Such a rectangle ends at
    // the last int coordinate instead.
    const QRect rect(QPoint(x, y), QPoint(farEdge(x, width), farEdge(y, height)));
    return finishTyped(value, rect);
}

// ---------------------------------------------------------------------------

TRangeValidator* TRangeValidator::s_RangeValidator = new TRangeValidator();

TRangeValidator::TRangeValidator(QObject* parent, double min1, double max1,
                                 double min2, double max2)
    : TValueValidator(parent)
    , m_min1(min1)
    , m_max1(max1)
    , m_min2(min2)
    , m_max2(max2)
{
}

TRangeValidator::~TRangeValidator() = default;

TValueValidator::EValidateResult TRangeValidator::checkValue(QVariant& value)
{
    QVariant components[2];
    const int type = value.userType();
    if (type == QMetaType::QPointF || type == QMetaType::QPoint) {
        const QPointF point = value.toPointF();
        components[0] = double(point.x());
        components[1] = double(point.y());
    } else if (!matchComponents(value, twoRealPattern(), {1, 3}, components)) {
        return VR_Invalid;
    }

    double first = m_min1;
    double second = m_min2;
    boundReal(components[0], m_min1, m_max1, first);
    boundReal(components[1], m_min2, m_max2, second);
    return finishTyped(value, QPointF(first, second));
}
