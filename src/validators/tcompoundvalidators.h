#ifndef TARVO_TCOMPOUNDVALIDATORS_H
#define TARVO_TCOMPOUNDVALIDATORS_H

#include "tvaluevalidator.h"

/// \file tcompoundvalidators.h
/// Validators of points, sizes, rectangles and ranges.

// The compound validators accept a variant of their Qt type or any text
// that contains enough numbers, clamp each component, and always leave a
// variant of their Qt type behind.

/// Checks a QPoint; x and y are clamped to their own bounds.
class TARVO_EXPORT TPointValidator : public TValueValidator
{
public:
    /// Clamps x into [minX, maxX] and y into [minY, maxY]; owned by parent (may be null).
    explicit TPointValidator(QObject* parent = nullptr,
                             int minX = std::numeric_limits<int>::min(),
                             int maxX = std::numeric_limits<int>::max(),
                             int minY = std::numeric_limits<int>::min(),
                             int maxY = std::numeric_limits<int>::max());
    /// Destroys the validator.
    ~TPointValidator() override;

    /// Accepts a QPoint or a text holding two whole numbers (such as "3, -4")
    /// and leaves the clamped QPoint. Anything else is VR_Invalid and leaves value
    /// as it was.
    EValidateResult checkValue(QVariant& value) override;

    /// The library's unbounded point validator; never deleted.
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
    /// Clamps the width into [minWidth, maxWidth] and the height into
    /// [minHeight, maxHeight]; owned by parent (may be null).
    explicit TSizeValidator(QObject* parent = nullptr,
                            int minWidth = std::numeric_limits<int>::min(),
                            int maxWidth = std::numeric_limits<int>::max(),
                            int minHeight = std::numeric_limits<int>::min(),
                            int maxHeight = std::numeric_limits<int>::max());
    /// Destroys the validator.
    ~TSizeValidator() override;

    /// Accepts a QSize or a text holding two whole numbers and leaves the clamped
    /// QSize. Anything else is VR_Invalid and leaves value as it was.
    EValidateResult checkValue(QVariant& value) override;

    /// The library's unbounded size validator; never deleted.
    static TSizeValidator* s_SizeValidator;

protected:
    /// The smallest accepted width.
    int m_minWidth;
    /// The largest accepted width.
    int m_maxWidth;
    /// The smallest accepted height.
    int m_minHeight;
    /// The largest accepted height.
    int m_maxHeight;
};

/// Checks a QRect given as x, y, width and height. The size is clamped to
/// the bounds; the position is not bounded.
class TARVO_EXPORT TRectValidator : public TSizeValidator
{
public:
    /// Clamps the width and height as TSizeValidator; owned by parent (may be null).
    explicit TRectValidator(QObject* parent = nullptr,
                            int minWidth = std::numeric_limits<int>::min(),
                            int maxWidth = std::numeric_limits<int>::max(),
                            int minHeight = std::numeric_limits<int>::min(),
                            int maxHeight = std::numeric_limits<int>::max());
    /// Destroys the validator.
    ~TRectValidator() override;

    /// Accepts a QRect or a text holding four whole numbers (x, y, width, height)
    /// and leaves the QRect with its size clamped. Anything else is VR_Invalid and
    /// leaves value as it was.
    EValidateResult checkValue(QVariant& value) override;

    /// The library's unbounded rectangle validator; never deleted.
    static TRectValidator* s_RectValidator;
};

/// Checks a pair of reals held as a QPointF, the first in x and the second
/// in y. Each is clamped to its own bounds and rounded to 5 decimals.
class TARVO_EXPORT TRangeValidator : public TValueValidator
{
public:
    /// Clamps the first real into [min1, max1] and the second into [min2, max2];
    /// owned by parent (may be null).
    explicit TRangeValidator(QObject* parent = nullptr,
                             double min1 = -2147483648.0, double max1 = 2147483647.0,
                             double min2 = -2147483648.0, double max2 = 2147483647.0);
    /// Destroys the validator.
    ~TRangeValidator() override;

    /// Accepts a QPointF or a text holding two reals and leaves the clamped
    /// QPointF. Anything else is VR_Invalid and leaves value as it was.
    EValidateResult checkValue(QVariant& value) override;

    /// The library's range validator; never deleted.
    static TRangeValidator* s_RangeValidator;

private:
    double m_min1;
    double m_max1;
    double m_min2;
    double m_max2;
};

#endif // TARVO_TCOMPOUNDVALIDATORS_H
