#ifndef TVALUEVALIDATOR_H
#define TVALUEVALIDATOR_H

#include "tarvoglobal.h"

#include <QObject>
#include <QRegExp>
#include <QVariant>

#include <limits>

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

    explicit TValueValidator(QObject* parent = nullptr);
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
    explicit TIntValidator(int min = std::numeric_limits<int>::min(),
                           int max = std::numeric_limits<int>::max(),
                           QObject* parent = nullptr);
    ~TIntValidator() override;

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    void setMinimum(int min) { m_minimum = min; }
    void setMaximum(int max) { m_maximum = max; }
    void setRange(int a, int b);

    EValidateResult checkValue(QVariant& value) override;

    static TIntValidator* s_IntValidator;          // full int range
    static TIntValidator* s_ByteValidator;         // 0 to 255
    static TIntValidator* s_WordValidator;         // 0 to 65535
    static TIntValidator* s_PositiveValidator;     // 1 to INT_MAX
    static TIntValidator* s_ZeroPositiveValidator; // 0 to INT_MAX

private:
    int m_minimum;
    int m_maximum;
};

/// Accepts finite reals and clamps them into [minimum, maximum]. The
/// canonical form is the fixed-point text with a fixed number of decimals.
class TARVO_EXPORT TDoubleValidator : public TValueValidator
{
public:
    explicit TDoubleValidator(double min = -std::numeric_limits<double>::infinity(),
                              double max = std::numeric_limits<double>::infinity(),
                              int decimals = 5, QObject* parent = nullptr);
    ~TDoubleValidator() override;

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    void setMinimum(double min) { m_minimum = min; }
    void setMaximum(double max) { m_maximum = max; }
    void setRange(double a, double b);

    EValidateResult checkValue(QVariant& value) override;

    static TDoubleValidator* s_DoubleValidator; // unbounded, 5 decimals

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
    TRegExpValidator(QRegExp& regexp, QObject* parent);
    ~TRegExpValidator() override;

    const QRegExp& regexp() const { return m_regexp; }
    void setRegExp(QRegExp& regexp) { m_regexp = regexp; }

    EValidateResult checkValue(QVariant& value) override;

private:
    QRegExp m_regexp;
};

#endif // TVALUEVALIDATOR_H
