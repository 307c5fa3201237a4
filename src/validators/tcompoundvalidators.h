#ifndef TCOMPOUNDVALIDATORS_H
#define TCOMPOUNDVALIDATORS_H

#include "tvaluevalidator.h"

// The compound validators accept a variant of their Qt type or any text
// that contains enough numbers, clamp each component, and always leave a
// variant of their Qt type behind.

/// Checks a QPoint; x and y are clamped to their own bounds.
class TARVO_EXPORT TPointValidator : public TValueValidator
{
public:
    explicit TPointValidator(QObject* parent = nullptr,
                             int minX = std::numeric_limits<int>::min(),
                             int maxX = std::numeric_limits<int>::max(),
                             int minY = std::numeric_limits<int>::min(),
                             int maxY = std::numeric_limits<int>::max());
    ~TPointValidator() override;

    EValidateResult checkValue(QVariant& value) override;

    static TPointValidator* s_PointValidator;

private:
    int m_minX;
    int m_maxX;
    int m_minY;
    int m_maxY;
};

/// Checks a QSize; width and height are clamped to their own bounds.
class TARVO_EXPORT TSizeValidator : public TValueValidator
{
public:
    explicit TSizeValidator(QObject* parent = nullptr,
                            int minWidth = std::numeric_limits<int>::min(),
                            int maxWidth = std::numeric_limits<int>::max(),
                            int minHeight = std::numeric_limits<int>::min(),
                            int maxHeight = std::numeric_limits<int>::max());
    ~TSizeValidator() override;

    EValidateResult checkValue(QVariant& value) override;

    static TSizeValidator* s_SizeValidator;

protected:
    int m_minWidth;
    int m_maxWidth;
    int m_minHeight;
    int m_maxHeight;
};

/// Checks a QRect given as x, y, width and height. The size is clamped to
/// the bounds; the position is not bounded.
class TARVO_EXPORT TRectValidator : public TSizeValidator
{
public:
    explicit TRectValidator(QObject* parent = nullptr,
                            int minWidth = std::numeric_limits<int>::min(),
                            int maxWidth = std::numeric_limits<int>::max(),
                            int minHeight = std::numeric_limits<int>::min(),
                            int maxHeight = std::numeric_limits<int>::max());
    ~TRectValidator() override;

    EValidateResult checkValue(QVariant& value) override;

    static TRectValidator* s_RectValidator;
};

/// Checks a pair of reals held as a QPointF, the first in x and the second
/// in y. Each is clamped to its own bounds and rounded to 5 decimals.
class TARVO_EXPORT TRangeValidator : public TValueValidator
{
public:
    explicit TRangeValidator(QObject* parent = nullptr,
                             double min1 = -2147483648.0, double max1 = 2147483647.0,
                             double min2 = -2147483648.0, double max2 = 2147483647.0);
    ~TRangeValidator() override;

    EValidateResult checkValue(QVariant& value) override;

    static TRangeValidator* s_RangeValidator;

private:
    double m_min1;
    double m_max1;
    double m_min2;
    double m_max2;
};

#endif // TCOMPOUNDVALIDATORS_H
