#ifndef TARVO_TVALUEVALIDATOR_H
#define TARVO_TVALUEVALIDATOR_H

#include "tarvoglobal.h"

#include <QObject>
#include <QRegExp>
#include <QVariant>

#include <limits>

/// \file tvaluevalidator.h
/// The validator interface and the integer, real and pattern validators.

/// Checks a candidate value and may rewrite it into its canonical form.
/// A validator keeps no state between checks, so one object can serve any
/// number of values at once.
class TARVO_EXPORT TValueValidator : public QObject
{
public:
    /// The outcome of checkValue().
    enum EValidateResult
    {
        VR_Invalid = 0,   ///< rejected; the variant is left as it was
        VR_Valid = 1,     ///< acceptable as given; the variant is untouched
        VR_Corrected = 2  ///< acceptable in the form written back into the variant
    };

    /// A validator owned by parent (may be null: the caller owns it). Rows that
    /// use it do not own it.
    explicit TValueValidator(QObject* parent = nullptr);
    /// Rows still using the validator must be gone or given another one first.
    ~TValueValidator() override;

    /// Checks value, rewriting it into canonical form where it says VR_Corrected.
    virtual EValidateResult checkValue(QVariant& value) = 0;

private:
    Q_DISABLE_COPY(TValueValidator)
};

/// Accepts whole numbers and clamps them into [minimum, maximum]. The
/// canonical form is the decimal text of the number.
class TARVO_EXPORT TIntValidator : public TValueValidator
{
public:
    /// Clamps into [min, max] (the whole int range by default).
    explicit TIntValidator(int min = std::numeric_limits<int>::min(),
                           int max = std::numeric_limits<int>::max(),
                           QObject* parent = nullptr);
    /// Destroys the validator.
    ~TIntValidator() override;

    /// The smallest accepted number.
    int minimum() const { return m_minimum; }
    /// The largest accepted number.
    int maximum() const { return m_maximum; }
    /// Sets the smallest accepted number; rows check their values at the next change.
    void setMinimum(int min) { m_minimum = min; }
    /// Sets the largest accepted number; rows check their values at the next change.
    void setMaximum(int max) { m_maximum = max; }
    /// Sets the bounds to a and b, in either order.
    void setRange(int a, int b);

    /// Accepts a number or a text holding a whole number and writes the clamped
    /// number's decimal text back (VR_Corrected unless it was already that text).
    /// Unreadable input is VR_Invalid and leaves value as it was.
    EValidateResult checkValue(QVariant& value) override;

    static TIntValidator* s_IntValidator;          ///< full int range
    static TIntValidator* s_ByteValidator;         ///< 0 to 255
    static TIntValidator* s_WordValidator;         ///< 0 to 65535
    static TIntValidator* s_PositiveValidator;     ///< 1 to INT_MAX
    static TIntValidator* s_ZeroPositiveValidator; ///< 0 to INT_MAX

private:
    int m_minimum;
    int m_maximum;
};

/// Accepts finite reals and clamps them into [minimum, maximum]. The
/// canonical form is the fixed-point text with a fixed number of decimals.
class TARVO_EXPORT TDoubleValidator : public TValueValidator
{
public:
    /// Clamps into [min, max] (unbounded by default) and writes decimals decimals.
    explicit TDoubleValidator(double min = -std::numeric_limits<double>::infinity(),
                              double max = std::numeric_limits<double>::infinity(),
                              int decimals = 5, QObject* parent = nullptr);
    /// Destroys the validator.
    ~TDoubleValidator() override;

    /// The smallest accepted number.
    double minimum() const { return m_minimum; }
    /// The largest accepted number.
    double maximum() const { return m_maximum; }
    /// Sets the smallest accepted number.
    void setMinimum(double min) { m_minimum = min; }
    /// Sets the largest accepted number.
    void setMaximum(double max) { m_maximum = max; }
    /// Sets the bounds to a and b, in either order.
    void setRange(double a, double b);

    /// Accepts a finite number or a text holding one and writes the clamped
    /// number's fixed-point text back. Unreadable, infinite or NaN input is
    /// VR_Invalid and leaves value as it was.
    EValidateResult checkValue(QVariant& value) override;

    static TDoubleValidator* s_DoubleValidator; ///< unbounded, 5 decimals

private:
    double m_minimum;
    double m_maximum;
    int m_decimals;
};

/// Accepts the texts that the whole expression matches. An expression that
/// is not valid accepts everything. Never rewrites the value.
class TARVO_EXPORT TRegExpValidator : public TValueValidator
{
public:
    /// Accepts the texts that regexp matches as a whole; owned by parent (may be null).
    TRegExpValidator(QRegExp& regexp, QObject* parent);
    /// Destroys the validator.
    ~TRegExpValidator() override;

    /// The expression the texts must match.
    const QRegExp& regexp() const { return m_regexp; }
    /// Replaces the expression.
    void setRegExp(QRegExp& regexp) { m_regexp = regexp; }

    /// VR_Valid when the whole text matches (or the expression is not valid),
    /// VR_Invalid otherwise.
    EValidateResult checkValue(QVariant& value) override;

private:
    QRegExp m_regexp;
};

#endif // TARVO_TVALUEVALIDATOR_H
