#include "tcompoundvalidators.h"
#include "tvaluevalidator.h"

#include <QRect>
#include <QtMath>
#include <QtTest>

namespace {

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();
const QVariant no; // the output of a rejected candidate

// Exact: QPointF's own comparison is fuzzy.
bool same(const QVariant& a, const QVariant& b)
{
    const QPointF p = a.toPointF(), q = b.toPointF();
    return a.userType() == b.userType() && (a == b || (qIsNaN(a.toDouble()) && qIsNaN(b.toDouble())))
        && (a.userType() != QMetaType::QPointF || (p.x() == q.x() && p.y() == q.y()));
}

// QDebug prints a QRect by its width, which overflows for extreme edges.
QString describe(const QVariant& value)
{
    const QRect r = value.toRect();
    QString text;
    QDebug(&text).nospace() << (value.userType() != QMetaType::QRect ? value
                                    : QString::asprintf("QRect(%d,%d to %d,%d)", r.left(), r.top(), r.right(), r.bottom()));
    return text;
}

// One row per candidate and the value the validator should leave, named
// after the group and the candidate.
void rows(const char* group, TValueValidator* validator, std::initializer_list<std::pair<QVariant, QVariant>> cases)
{
    for (const auto& c : cases)
        QTest::addRow("%s %s", group, qPrintable(describe(c.first))) << static_cast<QObject*>(validator) << c.first << c.second;
}

} // namespace

class TestValidators : public QObject
{
    Q_OBJECT

private slots:
    void bounds()
    {
        // Inverted bounds: below the minimum gives the minimum, anything else the maximum.
        TIntValidator inverted;
        inverted.setMinimum(10);
        inverted.setMaximum(1);
        QVERIFY(inverted.minimum() == 10 && inverted.maximum() == 1);
        for (const auto& c : {qMakePair(5, QVariant("10")), qMakePair(10, QVariant("1")), qMakePair(20, QVariant("1"))}) {
            QVariant value(c.first);
            QVERIFY(inverted.checkValue(value) == TValueValidator::VR_Corrected && value == c.second);
        }
        // A range is put in order.
        TDoubleValidator real;
        inverted.setRange(10, 1);
        real.setRange(10.0, 1.0);
        QVERIFY(inverted.minimum() == 1 && inverted.maximum() == 10 && real.minimum() == 1.0 && real.maximum() == 10.0);
    }

    void checkValue_data()
    {
        QTest::addColumn<QObject*>("validator");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<QVariant>("output");

        rows("byte", new TIntValidator(0, 255, this), {{"300", "255"}, {"-5", "0"}, {"12", "12"}, {12, 12}});
        rows("shared byte", TIntValidator::s_ByteValidator, {{256, "255"}, {-1, "0"}});
        rows("shared word", TIntValidator::s_WordValidator, {{"70000", "65535"}, {"-1", "0"}});
        rows("shared positive", TIntValidator::s_PositiveValidator, {{0, "1"}, {kMax, kMax}});
        rows("shared zero positive", TIntValidator::s_ZeroPositiveValidator, {{"-1", "0"}});
        rows("ten", new TIntValidator(0, 10, this), {{qInf(), "10"}, {-qInf(), "0"}});
        // No silent narrowing: read as 64 bits or real, clamped, then narrowed.
        rows("int", TIntValidator::s_IntValidator, {{"-12.7", "-12"}, {-12.7, "-13"}, {2.5, "3"}, {kMin, kMin},
             {"007", "7"}, {"-0", "0"},
             {"3000000000", "2147483647"}, {"-3000000000", "-2147483648"}, {"99999999999999999999", "2147483647"},
             {"1e400", "2147483647"}, {2147483648.0, "2147483647"}, {qlonglong(5000000000LL), "2147483647"},
             {std::numeric_limits<qulonglong>::max(), "2147483647"},
             {"abc", no}, {"", no}, {"nan", no}, {"inf", no}, {qQNaN(), no}, {no, no}});

        // Real texts come back the same when validated again.
        rows("unit", new TDoubleValidator(0.0, 1.0, 2, this), {{"0.5", "0.50"}, {"0.50", "0.50"}, {"2", "1.00"},
             {"-0.1", "0.00"}, {qInf(), "1.00"}, {"1e400", "1.00"}, {"x", no}});
        rows("whole", new TDoubleValidator(0.0, 10.0, 0, this), {{"1.25", "1"}, {"7", "7"}});
        rows("bound finer than decimals", new TDoubleValidator(0.001, 1.0, 2, this), {{"-1", "0.00"}});
        rows("real", TDoubleValidator::s_DoubleValidator, {{3.14159265, "3.14159"}, {2.5, "2.50000"},
             {"-0.000001", "0.00000"}, {1e20, "100000000000000000000.00000"}, {"05.00000", "5.00000"},
             {"-0.00000", "0.00000"}, {"1e00005", "100000.00000"}, {"1.0e+05", "100000.00000"},
             {"nan", no}, {"inf", no}, {qQNaN(), no}, {qInf(), no}, {"1e400", no}, {no, no}});

        QRegExp letters(QStringLiteral("a+")), digits(QStringLiteral("\\d{3}")), broken(QStringLiteral("(\\d"));
        auto* pattern = new TRegExpValidator(letters, this);
        pattern->setRegExp(digits);
        rows("pattern", pattern, {{"123", "123"}, {"1234", no}, {"12", no}, {"aaa", no}});
        rows("broken pattern", new TRegExpValidator(broken, this), {{"anything", "anything"}});

        // Compound texts keep their minus signs; numbers clamp into int.
        rows("point", TPointValidator::s_PointValidator, {{"10,20", QPoint(10, 20)}, {QPoint(10, 20), QPoint(10, 20)},
             {"x=3 y=4", QPoint(3, 4)}, {"34", QPoint(3, 4)}, {"10,-20", QPoint(10, -20)}, {"-3 -4", QPoint(-3, -4)},
             {"99999999999,-99999999999", QPoint(kMax, kMin)}, {QPointF(1.6, -2.4), QPoint(2, -2)},
             {QPointF(1e20, qQNaN()), QPoint(kMax, kMin)}, {"7", no}, {QSize(1, 2), no}});
        rows("square", new TPointValidator(this, 0, 100, 0, 100), {{"150,-5", QPoint(100, 0)}});
        rows("size", new TSizeValidator(this, 1, 500, 1, 500), {{QSize(0, 800), QSize(1, 500)}, {QSizeF(2.4, 3.6), QSize(2, 4)}});
        rows("shared size", TSizeValidator::s_SizeValidator, {{"10,-20", QSize(10, -20)}});

        // Rectangle edges are computed in 64 bits and clamped.
        rows("bounded rect", new TRectValidator(this, 1, 100, 1, 100),
             {{"-5,-5,1000,0", QRect(-5, -5, 100, 1)}, {QRect(10, 20, 30, 40), QRect(10, 20, 30, 40)}});
        rows("rect", TRectValidator::s_RectValidator, {{QRectF(1.4, 0.6, 10.2, 9.5), QRect(1, 1, 10, 10)},
             {QRectF(qQNaN(), qQNaN(), 2, 2), QRect(0, 0, 2, 2)},
             {"2147483647,0,10,10", QRect(QPoint(kMax, 0), QPoint(kMax, 9))},
             {"99999999999,0,5,5", QRect(QPoint(kMax, 0), QPoint(kMax, 4))},
             {"-2147483648,0,-10,5", QRect(QPoint(kMin, 0), QPoint(kMin, 4))},
             {QRect(QPoint(kMin, kMin), QPoint(kMax, kMax)), QRect(QPoint(kMin, kMin), QPoint(-2, -2))},
             {"1,2,3", no}});

        // Ranges compare exactly and are written in fixed notation.
        rows("range", TRangeValidator::s_RangeValidator, {{"1.5 : 2.25", QPointF(1.5, 2.25)},
             {".5 : -.25", QPointF(0.5, -0.25)}, {"2.123456789 : 3", QPointF(2.12346, 3)}, {"1.5", QPointF(1, 5)},
             {QPointF(1.5, 2.25), QPointF(1.5, 2.25)}, {QPointF(1e-150, 0), QPointF(0, 0)}, {QPoint(1, 2), QPointF(1, 2)},
             {"99999999999 : 1", QPointF(2147483647.0, 1)}, {QPointF(qQNaN(), qInf()), QPointF(-2147483648.0, 2147483647.0)},
             {"7", no}});
        rows("unit range", new TRangeValidator(this, 0.0, 1.0, 0.0, 1.0), {{"5 : -5", QPointF(1, 0)}});
    }

    // A rejected candidate comes back untouched; one equal to its output is
    // valid, any other is corrected. What is accepted is a fixed point: it
    // validates again as valid and stays as it is.
    void checkValue()
    {
        QFETCH(QObject*, validator);
        QFETCH(QVariant, input);
        QFETCH(QVariant, output);
        auto* checker = static_cast<TValueValidator*>(validator);
        const bool rejected = !output.isValid();
        QVariant value = input;
        QCOMPARE(checker->checkValue(value), rejected ? TValueValidator::VR_Invalid
                     : same(input, output) ? TValueValidator::VR_Valid : TValueValidator::VR_Corrected);
        QVERIFY2(same(value, rejected ? input : output), qPrintable(describe(value) + " instead of " + describe(output)));
        if (!rejected) {
            QCOMPARE(checker->checkValue(value), TValueValidator::VR_Valid);
            QVERIFY(same(value, output));
        }
    }
};

QTEST_GUILESS_MAIN(TestValidators)

#include "tst_validators.moc"
