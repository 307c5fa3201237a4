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

void row(const char* name, TValueValidator* validator, const QVariant& input, int result,
         const QVariant& output)
{
    QTest::newRow(name) << static_cast<QObject*>(validator) << input << result << output;
}

// A rejected candidate must come back untouched.
void reject(const char* name, TValueValidator* validator, const QVariant& input)
{
    row(name, validator, input, I, input);
}

bool same(const QVariant& a, const QVariant& b)
{
    return a.userType() == b.userType()
        && (a == b || (qIsNaN(a.toDouble()) && qIsNaN(b.toDouble())));
}

// QDebug prints a QRect by its width, which overflows for extreme edges.
QString describe(const QVariant& value)
{
    const QRect r = value.toRect();
    if (value.userType() == QMetaType::QRect)
        return QString::asprintf("QRect(%d,%d to %d,%d)", r.left(), r.top(), r.right(), r.bottom());
    QString text;
    QDebug(&text) << value;
    return text;
}

} // namespace

// Each row: a validator, a candidate, the result, and the value it leaves.
class TestValidators : public QObject
{
    Q_OBJECT

private slots:
    void bounds();
    void checkValue_data();
    void checkValue();
};

void TestValidators::bounds()
{
    TIntValidator inverted;
    inverted.setMinimum(10);
    inverted.setMaximum(1);
    QVERIFY(inverted.minimum() == 10 && inverted.maximum() == 1);
    // Below the minimum gives the minimum, anything else the maximum.
    for (const int in : {5, 10, 20}) {
        QVariant value(in);
        QCOMPARE(inverted.checkValue(value), TValueValidator::VR_Corrected);
        QCOMPARE(value.toInt(), in < 10 ? 10 : 1);
    }
    inverted.setRange(10, 1);
    QVERIFY(inverted.minimum() == 1 && inverted.maximum() == 10);
    TDoubleValidator real;
    real.setRange(10.0, 1.0);
    QVERIFY(real.minimum() == 1.0 && real.maximum() == 10.0);
    QRegExp first(QStringLiteral("a+"));
    QRegExp second(QStringLiteral("b+"));
    TRegExpValidator pattern(first, nullptr);
    pattern.setRegExp(second);
    QCOMPARE(pattern.regexp().pattern(), QStringLiteral("b+"));
}

void TestValidators::checkValue_data()
{
    QTest::addColumn<QObject*>("validator");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<int>("result");
    QTest::addColumn<QVariant>("output");

    auto* byte = new TIntValidator(0, 255, this);
    auto* ten = new TIntValidator(0, 10, this);
    TIntValidator* full = TIntValidator::s_IntValidator;
    row("int above max", byte, "300", C, "255");
    row("int below min", byte, "-5", C, "0");
    row("int in range", byte, "12", V, "12");
    row("int keeps its type", byte, 12, V, 12);
    row("shared byte", TIntValidator::s_ByteValidator, 256, C, "255");
    row("shared word", TIntValidator::s_WordValidator, "70000", C, "65535");
    row("shared positive", TIntValidator::s_PositiveValidator, 0, C, "1");
    row("shared zero positive", TIntValidator::s_ZeroPositiveValidator, "-1", C, "0");
    row("int +inf saturates", ten, qInf(), C, "10");
    row("int -inf saturates", ten, -qInf(), C, "0");
    row("int text truncates", full, "-12.7", C, "-12");
    row("int real rounds", full, -12.7, C, "-13");
    row("int half rounds up", full, 2.5, C, "3");
    row("int text beyond int", full, "3000000000", C, "2147483647");
    row("int text below int", full, "-3000000000", C, "-2147483648");
    row("int text beyond 64 bits", full, "99999999999999999999", C, "2147483647");
    row("int overflowing text", full, "1e400", C, "2147483647");
    row("int real just beyond int", full, 2147483648.0, C, "2147483647");
    row("int long long", full, qlonglong(5000000000LL), C, "2147483647");
    row("int unsigned long long", full, std::numeric_limits<qulonglong>::max(), C, "2147483647");
    reject("int letters", full, "abc");
    reject("int nan text", full, "nan");
    reject("int inf text", full, "inf");
    reject("int nan real", full, qQNaN());
    reject("int no value", full, QVariant());

    auto* unit = new TDoubleValidator(0.0, 1.0, 2, this);
    auto* fine = new TDoubleValidator(0.001, 1.0, 2, this);
    TDoubleValidator* real = TDoubleValidator::s_DoubleValidator;
    row("real padded to decimals", unit, "0.5", C, "0.50");
    row("real above max", unit, "2", C, "1.00");
    row("real below min", unit, "-0.1", C, "0.00");
    row("real +inf clamps to bound", unit, qInf(), C, "1.00");
    row("real overflowing text clamps", unit, "1e400", C, "1.00");
    reject("real letter", unit, "x");
    row("real rounded to 5 decimals", real, 3.14159265, C, "3.14159");
    row("real gets canonical text", real, 2.5, C, "2.50000");
    row("real negative zero written unsigned", real, "-0.000001", C, "0.00000");
    row("real bound finer than decimals", fine, "-1", C, "0.00");
    row("real fixed notation", real, 1e20, C, "100000000000000000000.00000");
    reject("real nan text", real, "nan");
    reject("real inf text", real, "inf");
    reject("real nan", real, qQNaN());
    reject("real inf unbounded", real, qInf());
    reject("real overflowing text unbounded", real, "1e400");
    reject("real no value", real, QVariant());

    QRegExp digits(QStringLiteral("\\d{3}"));
    QRegExp broken(QStringLiteral("(\\d"));
    auto* three = new TRegExpValidator(digits, this);
    row("pattern match", three, "123", V, "123");
    reject("pattern too long", three, "1234");
    reject("pattern too short", three, "12");
    row("broken pattern accepts", new TRegExpValidator(broken, this), "any", V, "any");

    TPointValidator* point = TPointValidator::s_PointValidator;
    row("point text", point, "10,20", C, QPoint(10, 20));
    row("point surrounded", point, "x=3 y=4", C, QPoint(3, 4));
    row("point digits split", point, "34", C, QPoint(3, 4));
    row("point minus after comma", point, "10,-20", C, QPoint(10, -20));
    row("point both negative", point, "-3 -4", C, QPoint(-3, -4));
    row("point huge text clamps", point, "99999999999,-99999999999", C, QPoint(kMax, kMin));
    row("point real rounds", point, QPointF(1.6, -2.4), C, QPoint(2, -2));
    row("point extreme reals", point, QPointF(1e20, qQNaN()), C, QPoint(kMax, kMin));
    reject("point one number", point, "7");
    reject("point size is no point", point, QSize(1, 2));
    row("point clamped", new TPointValidator(this, 0, 100, 0, 100), "150,-5", C, QPoint(100, 0));
    row("size clamped", new TSizeValidator(this, 1, 500, 1, 500), QSize(0, 800), C, QSize(1, 500));
    row("size minus", TSizeValidator::s_SizeValidator, "10,-20", C, QSize(10, -20));

    TRectValidator* rect = TRectValidator::s_RectValidator;
    row("rect size clamped, position kept", new TRectValidator(this, 1, 100, 1, 100),
        "-5,-5,1000,0", C, QRect(-5, -5, 100, 1));
    row("rect real rounds", rect, QRectF(0.4, 0.6, 10.2, 9.5), C, QRect(0, 1, 10, 10));
    row("rect right edge at int max", rect, "2147483647,0,10,10", C,
        QRect(QPoint(kMax, 0), QPoint(kMax, 9)));
    row("rect huge position", rect, "99999999999,0,5,5", C, QRect(QPoint(kMax, 0), QPoint(kMax, 4)));
    row("rect left edge at int min", rect, "-2147483648,0,-10,5", C,
        QRect(QPoint(kMin, 0), QPoint(kMin, 4)));
    row("rect widest", rect, QRect(QPoint(kMin, kMin), QPoint(kMax, kMax)), C,
        QRect(QPoint(kMin, kMin), QPoint(-2, -2)));
    reject("rect three numbers", rect, "1,2,3");

    TRangeValidator* range = TRangeValidator::s_RangeValidator;
    row("range text", range, "1.5 : 2.25", C, QPointF(1.5, 2.25));
    row("range leading points", range, ".5 : -.25", C, QPointF(0.5, -0.25));
    row("range 5 decimals", range, "2.123456789 : 3", C, QPointF(2.12346, 3));
    row("range one real is two numbers", range, "1.5", C, QPointF(1, 5));
    row("range tiny number rounds to zero", range, QPointF(1e-150, 0), C, QPointF(0, 0));
    row("range from integer point", range, QPoint(1, 2), C, QPointF(1, 2));
    row("range huge text clamps", range, "99999999999 : 1", C, QPointF(2147483647.0, 1));
    row("range nan and inf", range, QPointF(qQNaN(), qInf()), C, QPointF(-2147483648.0, 2147483647.0));
    row("range bounded", new TRangeValidator(this, 0.0, 1.0, 0.0, 1.0), "5 : -5", C, QPointF(1, 0));
    reject("range one number", range, "7");
}

// Checks one row, then that the accepted value is a fixed point: it validates
// again as VR_Valid and stays as it is.
void TestValidators::checkValue()
{
    QFETCH(QObject*, validator);
    QFETCH(QVariant, input);
    QFETCH(int, result);
    QFETCH(QVariant, output);

    auto* checker = static_cast<TValueValidator*>(validator);
    QVariant value = input;
    QCOMPARE(int(checker->checkValue(value)), result);
    if (!same(value, output))
        QFAIL(qPrintable(describe(value) + QStringLiteral(" instead of ") + describe(output)));
    if (result == I)
        return;
    QVariant again = value;
    QCOMPARE(int(checker->checkValue(again)), V);
    QVERIFY(same(again, value));
}

QTEST_GUILESS_MAIN(TestValidators)

#include "tst_validators.moc"
