#include "tcompoundvalidators.h"
#include "tvaluevalidator.h"

#include <QRect>
#include <QtMath>
#include <QtTest>

namespace {

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

constexpr int I = TValueValidator::VR_Invalid;
constexpr int V = TValueValidator::VR_Valid;
constexpr int C = TValueValidator::VR_Corrected;

QObject* obj(TValueValidator* validator) { return validator; }

void columns()
{
    QTest::addColumn<QObject*>("validator");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<int>("result");
    QTest::addColumn<QVariant>("output");
}

void row(const char* name, TValueValidator* validator, const QVariant& input,
         int result, const QVariant& output)
{
    QTest::newRow(name) << obj(validator) << input << result << output;
}

// A rejected candidate must come back untouched.
void reject(const char* name, TValueValidator* validator, const QVariant& input)
{
    row(name, validator, input, I, input);
}

bool sameVariant(const QVariant& a, const QVariant& b)
{
    if (a.userType() != b.userType())
        return false;
    return a == b || (qIsNaN(a.toDouble()) && qIsNaN(b.toDouble()));
}

// QDebug prints a QRect by its width, which overflows for extreme edges.
QString describe(const QVariant& value)
{
    if (value.userType() == QMetaType::QRect) {
        const QRect r = value.toRect();
        return QStringLiteral("QRect(%1,%2 to %3,%4)")
            .arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
    }
    QString text;
    QDebug(&text) << value;
    return text;
}

} // namespace

class TestValidators : public QObject
{
    Q_OBJECT

private:
    // Checks one row, then that the accepted value is a fixed point: it
    // validates again as VR_Valid and stays as it is.
    void verifyRow();

private slots:
    void sharedObjects();
    void boundsAndAccessors();
    void intValidator_data();
    void intValidator() { verifyRow(); }
    void doubleValidator_data();
    void doubleValidator() { verifyRow(); }
    void regExpValidator_data();
    void regExpValidator() { verifyRow(); }
    void pointAndSize_data();
    void pointAndSize() { verifyRow(); }
    void rect_data();
    void rect() { verifyRow(); }
    void range_data();
    void range() { verifyRow(); }
};

void TestValidators::verifyRow()
{
    QFETCH(QObject*, validator);
    QFETCH(QVariant, input);
    QFETCH(int, result);
    QFETCH(QVariant, output);

    auto* checker = static_cast<TValueValidator*>(validator);
    QVariant value = input;
    QCOMPARE(int(checker->checkValue(value)), result);
    if (!sameVariant(value, output))
        QFAIL(qPrintable(describe(value) + QStringLiteral(" instead of ") + describe(output)));
    if (result == I)
        return;
    QVariant again = value;
    QCOMPARE(int(checker->checkValue(again)), V);
    QVERIFY(sameVariant(again, value));
}

void TestValidators::sharedObjects()
{
    const struct { TIntValidator* validator; int min; int max; } ints[] = {
        {TIntValidator::s_IntValidator, kMin, kMax},
        {TIntValidator::s_ByteValidator, 0, 255},
        {TIntValidator::s_WordValidator, 0, 65535},
        {TIntValidator::s_PositiveValidator, 1, kMax},
        {TIntValidator::s_ZeroPositiveValidator, 0, kMax},
    };
    for (const auto& shared : ints) {
        QVERIFY(shared.validator);
        QCOMPARE(shared.validator->minimum(), shared.min);
        QCOMPARE(shared.validator->maximum(), shared.max);
    }
    QVERIFY(TDoubleValidator::s_DoubleValidator);
    QCOMPARE(TDoubleValidator::s_DoubleValidator->minimum(), -qInf());
    QCOMPARE(TDoubleValidator::s_DoubleValidator->maximum(), qInf());
    QVERIFY(TPointValidator::s_PointValidator && TSizeValidator::s_SizeValidator
            && TRectValidator::s_RectValidator && TRangeValidator::s_RangeValidator);
}

void TestValidators::boundsAndAccessors()
{
    TIntValidator inverted;
    inverted.setMinimum(10);
    inverted.setMaximum(1);
    QCOMPARE(inverted.minimum(), 10);
    QCOMPARE(inverted.maximum(), 1);
    // Below the minimum gives the minimum, anything else the maximum.
    const struct { int in; const char* out; } cases[] = {{5, "10"}, {10, "1"}, {20, "1"}};
    for (const auto& c : cases) {
        QVariant value(c.in);
        QCOMPARE(inverted.checkValue(value), TValueValidator::VR_Corrected);
        QCOMPARE(value, QVariant(QString::fromLatin1(c.out)));
    }
    inverted.setRange(10, 1);
    QCOMPARE(inverted.minimum(), 1);
    QCOMPARE(inverted.maximum(), 10);

    TDoubleValidator real;
    real.setRange(10.0, 1.0);
    QCOMPARE(real.minimum(), 1.0);
    QCOMPARE(real.maximum(), 10.0);

    QRegExp first(QStringLiteral("a+"));
    QRegExp second(QStringLiteral("b+"));
    TRegExpValidator pattern(first, nullptr);
    pattern.setRegExp(second);
    QCOMPARE(pattern.regexp().pattern(), QStringLiteral("b+"));
}

void TestValidators::intValidator_data()
{
    columns();
    auto* byte = new TIntValidator(0, 255, this);
    auto* ten = new TIntValidator(0, 10, this);
    TIntValidator* full = TIntValidator::s_IntValidator;

    row("above max", byte, "300", C, "255");
    row("below min", byte, "-5", C, "0");
    row("in range text", byte, "12", V, "12");
    row("in range int keeps type", byte, 12, V, 12);
    row("+inf saturates", ten, qInf(), C, "10");
    row("-inf saturates", ten, -qInf(), C, "0");
    row("text truncates", full, "12.7", C, "12");
    row("negative text truncates", full, "-12.7", C, "-12");
    row("real rounds", full, 12.7, C, "13");
    row("negative real rounds", full, -12.7, C, "-13");
    row("text beyond int", full, "3000000000", C, "2147483647");
    row("text below int", full, "-3000000000", C, "-2147483648");
    row("text beyond 64 bits", full, "99999999999999999999", C, "2147483647");
    row("overflowing text", full, "1e400", C, "2147483647");
    row("real just beyond int", full, 2147483648.0, C, "2147483647");
    row("huge real", full, 1e12, C, "2147483647");
    row("long long", full, qlonglong(5000000000LL), C, "2147483647");
    row("unsigned long long", full, std::numeric_limits<qulonglong>::max(), C, "2147483647");
    reject("letters", full, "abc");
    reject("empty text", full, "");
    reject("nan text", full, "nan");
    reject("inf text", full, "inf");
    reject("nan real", full, qQNaN());
    reject("no value", full, QVariant());
}

void TestValidators::doubleValidator_data()
{
    columns();
    auto* unit = new TDoubleValidator(0.0, 1.0, 2, this);
    TDoubleValidator* full = TDoubleValidator::s_DoubleValidator;

    row("padded to decimals", unit, "0.5", C, "0.50");
    row("canonical text", unit, "0.50", V, "0.50");
    row("above max", unit, "2", C, "1.00");
    row("below min", unit, "-0.1", C, "0.00");
    row("+inf clamps to bound", unit, qInf(), C, "1.00");
    row("overflowing text clamps", unit, "1e400", C, "1.00");
    reject("letter", unit, "x");
    row("rounded to 5 decimals", full, 3.14159265, C, "3.14159");
    row("real gets canonical text", full, 2.5, C, "2.50000");
    row("negative zero written unsigned", full, "-0.000001", C, "0.00000");
    auto* fine = new TDoubleValidator(0.001, 1.0, 2, this);
    row("bound finer than decimals", fine, "-1", C, "0.00");
    row("bound's own text", fine, "0.00", V, "0.00");
    row("fixed notation", full, 1e20, C, "100000000000000000000.00000");
    reject("nan text", full, "nan");
    reject("inf text", full, "inf");
    reject("nan real", full, qQNaN());
    reject("inf real unbounded", full, qInf());
    reject("overflowing text unbounded", full, "1e400");
    reject("no value", full, QVariant());
}

void TestValidators::regExpValidator_data()
{
    columns();
    QRegExp digits(QStringLiteral("\\d{3}"));
    QRegExp broken(QStringLiteral("(\\d"));
    QVERIFY(!broken.isValid());
    auto* three = new TRegExpValidator(digits, this);
    auto* any = new TRegExpValidator(broken, this);

    row("match", three, "123", V, "123");
    reject("too long", three, "1234");
    reject("too short", three, "12");
    row("broken pattern accepts", any, "anything", V, "anything");
}

void TestValidators::pointAndSize_data()
{
    columns();
    TPointValidator* point = TPointValidator::s_PointValidator;
    auto* square = new TPointValidator(this, 0, 100, 0, 100);
    auto* size = new TSizeValidator(this, 1, 500, 1, 500);

    row("text", point, "10,20", C, QPoint(10, 20));
    row("point", point, QPoint(10, 20), V, QPoint(10, 20));
    row("surrounded", point, "x=3 y=4", C, QPoint(3, 4));
    row("digits split", point, "34", C, QPoint(3, 4));
    row("minus after comma", point, "10,-20", C, QPoint(10, -20));
    row("own text reads back", point, "3,-4", C, QPoint(3, -4));
    row("both negative", point, "-3 -4", C, QPoint(-3, -4));
    row("huge text clamps", point, "99999999999,-99999999999", C, QPoint(kMax, kMin));
    row("real point rounds", point, QPointF(1.6, -2.4), C, QPoint(2, -2));
    row("extreme real point", point, QPointF(1e20, qQNaN()), C, QPoint(kMax, kMin));
    reject("one number", point, "7");
    reject("size is no point", point, QSize(1, 2));
    row("clamped", square, "150,-5", C, QPoint(100, 0));
    row("size clamped", size, QSize(0, 800), C, QSize(1, 500));
    row("size minus", TSizeValidator::s_SizeValidator, "10,-20", C, QSize(10, -20));
}

void TestValidators::rect_data()
{
    columns();
    TRectValidator* any = TRectValidator::s_RectValidator;
    auto* bounded = new TRectValidator(this, 1, 100, 1, 100);

    row("size clamped, position kept", bounded, "-5,-5,1000,0", C, QRect(-5, -5, 100, 1));
    row("rect in range", bounded, QRect(10, 20, 30, 40), V, QRect(10, 20, 30, 40));
    row("negative position", any, "-5,-5,10,10", C, QRect(-5, -5, 10, 10));
    row("real rect rounds", any, QRectF(0.4, 0.6, 10.2, 9.5), C, QRect(0, 1, 10, 10));
    row("right edge at int max", any, "2147483647,0,10,10", C,
        QRect(QPoint(kMax, 0), QPoint(kMax, 9)));
    row("huge position", any, "99999999999,0,5,5", C, QRect(QPoint(kMax, 0), QPoint(kMax, 4)));
    row("left edge at int min", any, "-2147483648,0,-10,5", C,
        QRect(QPoint(kMin, 0), QPoint(kMin, 4)));
    row("widest rect", any, QRect(QPoint(kMin, kMin), QPoint(kMax, kMax)), C,
        QRect(QPoint(kMin, kMin), QPoint(-2, -2)));
    reject("three numbers", any, "1,2,3");
}

void TestValidators::range_data()
{
    columns();
    TRangeValidator* any = TRangeValidator::s_RangeValidator;
    auto* unit = new TRangeValidator(this, 0.0, 1.0, 0.0, 1.0);

    row("text", any, "1.5 : 2.25", C, QPointF(1.5, 2.25));
    row("leading points", any, ".5 : -.25", C, QPointF(0.5, -0.25));
    row("5 decimals", any, "2.123456789 : 3", C, QPointF(2.12346, 3));
    row("one real is two numbers", any, "1.5", C, QPointF(1, 5));
    row("range", any, QPointF(1.5, 2.25), V, QPointF(1.5, 2.25));
    row("tiny number rounds to zero", any, QPointF(1e-150, 0), C, QPointF(0, 0));
    row("integer point", any, QPoint(1, 2), C, QPointF(1, 2));
    row("huge text clamps", any, "99999999999 : 1", C, QPointF(2147483647.0, 1));
    row("nan and inf", any, QPointF(qQNaN(), qInf()), C, QPointF(-2147483648.0, 2147483647.0));
    row("bounded", unit, "5 : -5", C, QPointF(1, 0));
    reject("one number", any, "7");
}

QTEST_GUILESS_MAIN(TestValidators)

#include "tst_validators.moc"
