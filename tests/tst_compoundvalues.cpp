#include "tarvotest.h"

#include "tcompoundvalidators.h"
#include "tpointvalue.h"
#include "trangevalue.h"
#include "trectvalue.h"
#include "tsizevalue.h"

#include <limits>

using namespace tt;

namespace {

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();
enum Type { Point, Size, Rect, Range };

// A rectangle by its edges; QRect(x, y, w, h) overflows for extreme ones.
QRect edges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Type and value, reals compared exactly, rectangles by their edges.
QString exact(const QVariant& v)
{
    const QRect r = v.toRect();
    const QPointF p = v.toPointF();
    if (v.userType() == QMetaType::QRect)
        return QString("rect %1 %2 %3 %4").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
    if (v.userType() == QMetaType::QPointF)
        return QString("range %1 %2").arg(p.x(), 0, 'g', 17).arg(p.y(), 0, 'g', 17);
    QString text;
    QDebug(&text) << v;
    return text;
}

QStringList childTexts(const TBaseValue* value, int column = 1)
{
    QStringList texts;
    for (const TBaseValue* child : value->childValues())
        texts << child->text(column) + (column == 1 && child->isHidden() ? "(hidden)" : "");
    return texts;
}

// Refuses points right of x = 50.
struct SmallX : TValueValidator
{
    EValidateResult checkValue(QVariant& v) override
    {
        return v.userType() == QMetaType::QPoint && v.toPoint().x() <= 50 ? VR_Valid : VR_Invalid;
    }
};

// A child typed into: the parent's start value and its children's texts,
// the child and its new text, the parent's text after it without and with
// a bounded validator.
struct Child
{
    int type;
    QString start;
    QStringList texts;
    int child;
    QString childValue, after, bounded;
};

void setExpandables(bool on)
{
    TPointValue::setDefaultExpandableItems(on);
    TSizeValue::setDefaultExpandableItems(on);
    TRectValue::setDefaultExpandableItems(on);
    TRangeValue::setDefaultExpandableItems(on);
}

} // namespace

Q_DECLARE_METATYPE(Child)

class TestCompoundValues : public QObject
{
    Q_OBJECT

    std::unique_ptr<TValueBrowser> m_browser;
    TBaseValue* make(int type)
    {
        TValueBrowser* b = m_browser.get();
        switch (type) {
        case Point: return new TPointValue(b, "point");
        case Size: return new TSizeValue(b, "size");
        case Rect: return new TRectValue(b, "rect");
        }
        return new TRangeValue(b, "range", "low", "high");
    }

private slots:
    void init()
    {
        m_browser.reset(new TValueBrowser);
        m_browser->setSpecialList(&TValueBrowser::s_specialList);
        m_browser->show();
    }
    void cleanup() { setExpandables(true); }
    void texts_data();
    void texts();
    void children_data();
    void children();
    void newValuesAndSpecials();
    void factoryAndLinks();
};

void TestCompoundValues::texts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("text");
    const auto row = [](int type, const char* input, const QVariant& expected, const char* text) {
        QTest::newRow(input) << type << input << expected << text;
    };
    row(Point, "10,-20", QPoint(10, -20), "10,-20");
    row(Point, "-3,-4", QPoint(-3, -4), "-3,-4");
    row(Point, "5;6", QPoint(5, 6), "5,6");
    row(Size, "30 x 40", QSize(30, 40), "30,40");
    row(Size, "-1,-2", QSize(-1, -2), "-1,-2");
    row(Rect, "0 0 640 480", QRect(0, 0, 640, 480), "0,0,640,480");
    row(Rect, "-5,-5,10,10", QRect(-5, -5, 10, 10), "-5,-5,10,10");
    row(Rect, "1,2,0,-3", edges(1, 2, 0, -2), "1,2,0,-3");
    // Edges are computed without overflow, and clamped.
    row(Rect, "2147483647,0,10,10", edges(kMax, 0, kMax, 9), "2147483647,0,1,10");
    row(Rect, "-2147483648,-2147483648,2147483647,-2147483648", edges(kMin, kMin, -2, kMin),
        "-2147483648,-2147483648,2147483647,1");
    row(Range, "1.5 : 2.25", QPointF(1.5, 2.25), "1.5 : 2.25");
    row(Range, ".5 : -.25", QPointF(0.5, -0.25), "0.5 : -0.25");
    row(Range, "3 : 1", QPointF(3, 1), "3 : 1");
    row(Range, "0.5 : 2", QPointF(0.5, 2), "0.5 : 2");
    row(Range, "0.00001 : 3", QPointF(1e-05, 3), "0.00001 : 3");
    row(Range, "-0.25:1234567.5", QPointF(-0.25, 1234567.5), "-0.25 : 1234567.5");
    row(Range, "1234567.12345 : -0.00042", QPointF(1234567.12345, -0.00042), "1234567.12345 : -0.00042");
    row(Range, "2.123456789 : 3", QPointF(2.12346, 3), "2.12346 : 3");
    row(Range, "-0 : 0", QPointF(0, 0), "0 : 0");
    row(Range, "-2147483648 : 2147483647", QPointF(kMin, kMax), "-2147483648 : 2147483647");
}

void TestCompoundValues::texts()
{
    QFETCH(int, type);
    QFETCH(QString, input);
    QFETCH(QVariant, expected);
    QFETCH(QString, text);
    TBaseValue* value = make(type);
    tt::type(value, input);
    QCOMPARE(exact(value->variant()), exact(expected));
    QVERIFY(shown(value) == text && value->valueText() == text);
    // The shown text reads back as the same value, and so does the variant.
    TBaseValue* again = make(type);
    QVERIFY(again->setValue(shown(value)));
    QCOMPARE(exact(again->variant()), exact(expected));
    QVERIFY(again->setValue(value->variant()) && shown(again) == text);
}

void TestCompoundValues::children_data()
{
    QTest::addColumn<Child>("c");
    const QStringList rect{"10", "20", "30", "40"}, range{"5.00000", "0.50000"};
    QTest::newRow("point") << Child{Point, "10,20", {"10", "20"}, 0, "500", "500,20", "100,20"};
    QTest::newRow("size") << Child{Size, "30,40", {"30", "40"}, 1, "-7", "30,-7", "30,1"};
    QTest::newRow("rect") << Child{Rect, "10,20,30,40", rect, 3, "1000", "10,20,30,1000", "10,20,30,100"};
    QTest::newRow("rect y") << Child{Rect, "10,20,30,40", rect, 1, "-20", "10,-20,30,40", "10,-20,30,40"};
    QTest::newRow("rect edge") << Child{Rect, "2147483647,0,10,10", {"2147483647", "0", "1", "10"}, 2,
                                        "2147483647", "2147483647,0,1,10", "2147483647,0,1,10"};
    QTest::newRow("range") << Child{Range, "5 : 0.5", range, 1, "0.00001", "5 : 0.00001", "5 : 0.00001"};
    QTest::newRow("range clamped") << Child{Range, "5 : 0.5", range, 0, "500", "500 : 0.5", "10 : 0.5"};
}

void TestCompoundValues::children()
{
    QFETCH(Child, c);
    TPointValidator points(nullptr, 0, 100, 0, 100);
    TSizeValidator sizes(nullptr, 1, 100, 1, 100);
    TRectValidator rects(nullptr, 0, 100, 0, 100);
    TRangeValidator ranges(nullptr, 0, 10, -1, 1);
    TValueValidator* const validators[] = {&points, &sizes, &rects, &ranges};
    // Children follow the parent; the parent follows a child typed into, and
    // a value the parent clamps is written back to the children.
    for (TValueValidator* validator : {static_cast<TValueValidator*>(nullptr), validators[c.type]}) {
        TBaseValue* value = make(c.type);
        value->setValidator(validator ? validator : value->validator());
        QVERIFY(value->setValue(c.start));
        QVERIFY(validator || childTexts(value) == c.texts);
        const QStringList before = childTexts(value);
        type(value->registeredChild(c.child), "abc"); // a child takes numbers only
        QCOMPARE(childTexts(value), before);
        type(value->registeredChild(c.child), c.childValue);
        QCOMPARE(shown(value), validator ? c.bounded : c.after);
        TBaseValue* expected = make(c.type);
        QVERIFY(expected->setValue(shown(value)));
        QCOMPARE(childTexts(value), childTexts(expected));
    }
    // A deleted child: the others still reach the parent.
    TBaseValue* value = make(c.type);
    QVERIFY(value->setValue(c.start));
    const int n = value->childValues().size();
    delete value->registeredChild(c.child);
    QVERIFY(!value->registeredChild(c.child) && value->childCount() == n - 1);
    value->setSpecial(SV_Default);
    value->showChildren(false);
    value->showChildren(true);
    QVERIFY(value->setValue(c.after) && shown(value) == c.after);
    TBaseValue* intact = make(c.type);
    QVERIFY(intact->setValue(c.after));
    const int other = c.child ? 0 : 1;
    QVERIFY(value->registeredChild(other)->setValue(7) && intact->registeredChild(other)->setValue(7));
    QCOMPARE(shown(value), shown(intact));
}

void TestCompoundValues::newValuesAndSpecials()
{
    // A new value holds the bad-value special; its children are made hidden,
    // or, when the class default says so, on request: once, with the value.
    for (const bool expandables : {true, false}) {
        setExpandables(expandables);
        for (const int type : {Point, Size, Rect, Range}) {
            TBaseValue* value = make(type);
            const int n = type == Rect ? 4 : 2;
            QVERIFY(value->value().kind == SK_Special && value->value().value.toUInt() == SV_BadValue);
            QCOMPARE(value->childValues().size(), expandables ? n : 0);
            for (const TBaseValue* child : value->childValues())
                QVERIFY(child->isHidden() && child->isChildMode() && !child->isSpecialsAllowed());
            QVERIFY(value->setValue(n == 4 ? "3,4,5,6" : type == Range ? "3 : 4" : "3,4"));
            value->showChildren(true);
            value->showChildren(true);
            QVERIFY(value->childCount() == n && value->registeredChild(1)->value().value.toDouble() == 4.0);
        }
    }
    setExpandables(true);
    // Under a special the children hide, and a child changed does not reach it.
    TRectValue rect(m_browser.get(), "rect");
    QVERIFY(rect.setValue("1,2,3,4"));
    rect.setSpecial(SV_Default);
    QCOMPARE(childTexts(&rect), QStringList({"1(hidden)", "2(hidden)", "3(hidden)", "4(hidden)"}));
    QVERIFY(rect.registeredChild(0)->setValue(QVariant(99)) && rect.value().kind == SK_Special);
    QVERIFY(rect.setValue("5,6,7,8"));
    QCOMPARE(childTexts(&rect), QStringList({"5", "6", "7", "8"}));
    // Without a validator the size saturates instead of overflowing.
    rect.setValidator(nullptr);
    QVERIFY(rect.setValue(QVariant(edges(kMin, kMin, kMax, kMax))) && rect.size() == QSize(kMax, kMax));
    QCOMPARE(shown(&rect), QStringLiteral("-2147483648,-2147483648,2147483647,2147483647"));
    QVERIFY(rect.registeredChild(0)->setValue(QVariant(kMax)));
    QRect out;
    rect.writeValue(out);
    QCOMPARE(exact(out), exact(edges(kMax, kMin, kMax, -2)));
    // Hidden children stay in step, and one changed keeps the other's value.
    TPointValue point(m_browser.get(), "point");
    QVERIFY(point.setValue(QVariant(QPoint(10, 20))));
    point.showChildren(false);
    QVERIFY(point.setValue(QVariant(QPoint(30, 40))));
    QVERIFY(point.registeredChild(0)->isHidden() && point.registeredChild(0)->setValue(QVariant(15)));
    point.showChildren(true);
    QVERIFY(point.point() == QPoint(15, 40) && childTexts(&point) == QStringList({"15", "40"}));
    // A child value the parent refuses shows the parent's value again.
    SmallX small;
    point.setValidator(&small);
    type(point.registeredChild(0), "60");
    QCOMPARE(childTexts(&point), QStringList({"15", "40"}));
}

void TestCompoundValues::factoryAndLinks()
{
    QPoint point(3, -4), rangeVariable(1, 2);
    QSize size(5, 6);
    QRect rect(7, 8, 9, 10);
    TPointValidator points(nullptr, -10, 10, -10, 10);
    TValueBrowser& b = *m_browser;
    QVERIFY(!b.addPoint(-1, "Point", "", "point", &point) && !b.addSize(0, "", "", "size", &point));
    QVERIFY(!b.addRect(-2, "Rect", "", "rect", &point) && !b.addRange(0, QString(), "", "range", &point));
    const QList<TBaseValue*> rows{b.addPoint(0, "Point", "hint", "point", &point, &points),
                                  b.addSize(1, "Size", "", "size", &size), b.addRect(0, "Rect", "", "rect", &rect),
                                  b.addRange(0, "Range", "", "range", &rangeVariable)};
    QVERIFY(rows[1]->parent() == rows[0] && !b.getItem(0)); // parts have no id of their own
    QStringList texts;
    for (const TBaseValue* row : rows)
        texts << childTexts(row, 0).join(',');
    QCOMPARE(texts.join('/'), "X coordinate,Y coordinate/Width,Height/X coordinate,Y coordinate,Width,Height/min,max");
    b.updateFromLinked();
    texts.clear();
    for (const TBaseValue* row : rows)
        texts << shown(row);
    QCOMPARE(texts, QStringList({"3,-4", "5,6", "7,8,9,10", "1 : 2"}));
    QVERIFY(rows[0]->setValue("50,-50") && rows[1]->registeredChild(0)->setValue(QVariant(11)));
    QVERIFY(rows[2]->setValue("-1,-2,3,4") && rows[3]->setValue("1.6 : -2.4"));
    b.updateLinked();
    QVERIFY(point == QPoint(10, -10) && size == QSize(11, 6) && rect == QRect(-1, -2, 3, 4));
    QCOMPARE(rangeVariable, QPoint(2, -2));
    QPointF real;
    static_cast<TRangeValue*>(rows[3])->writeValue(real);
    QVariant asVariant;
    static_cast<TRangeValue*>(rows[3])->writeValue(asVariant);
    QVERIFY(real == QPointF(1.6, -2.4) && exact(asVariant) == exact(real));
}

QTEST_MAIN(TestCompoundValues)
#include "tst_compoundvalues.moc"
