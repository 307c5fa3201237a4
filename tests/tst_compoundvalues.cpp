#include "tarvotest.h"

#include "tcompoundvalidators.h"
#include "tpointvalue.h"
#include "trangevalue.h"
#include "trectvalue.h"
#include "tsizevalue.h"

#include <QSettings>
#include <QTemporaryDir>

#include <limits>

using namespace tt;

namespace {

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

// A rectangle by its edges; QRect(x, y, w, h) overflows for extreme ones.
QRect edges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Same type and value, reals compared exactly; rectangles by their edges.
QString exact(const QVariant& v)
{
    if (v.userType() == QMetaType::QRect) {
        const QRect r = v.toRect();
        return QStringLiteral("rect %1 %2 %3 %4").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
    }
    if (v.userType() == QMetaType::QPointF)
        return QStringLiteral("range %1 %2").arg(v.toPointF().x(), 0, 'g', 17).arg(v.toPointF().y(), 0, 'g', 17);
    QString text;
    QDebug(&text) << v;
    return text;
}

TBaseValue* makeValue(TValueBrowser* browser, const QString& type)
{
    if (type == QLatin1String("TPointValue"))
        return new TPointValue(browser, QStringLiteral("point"));
    if (type == QLatin1String("TSizeValue"))
        return new TSizeValue(browser, QStringLiteral("size"));
    if (type == QLatin1String("TRectValue"))
        return new TRectValue(browser, QStringLiteral("rect"));
    return new TRangeValue(browser, QStringLiteral("range"), QStringLiteral("low"), QStringLiteral("high"));
}

QStringList childTexts(const TBaseValue* value, int column = 1)
{
    QStringList texts;
    for (const TBaseValue* child : value->childValues())
        texts << child->text(column);
    return texts;
}

class SmallXValidator : public TValueValidator
{
public:
    EValidateResult checkValue(QVariant& value) override
    {
        return value.userType() == QMetaType::QPoint && value.toPoint().x() <= 50 ? VR_Valid : VR_Invalid;
    }
};

// Sets the class-wide defaults, and puts them back however a test ends.
struct ExpandablesGuard
{
    explicit ExpandablesGuard(bool on) { set(on); }
    ~ExpandablesGuard() { set(true); }
    static void set(bool on)
    {
        TPointValue::setDefaultExpandableItems(on);
        TSizeValue::setDefaultExpandableItems(on);
        TRectValue::setDefaultExpandableItems(on);
        TRangeValue::setDefaultExpandableItems(on);
    }
};

const char* const kTypes[] = {"TPointValue", "TSizeValue", "TRectValue", "TRangeValue"};

} // namespace

class TestCompoundValues : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_browser.reset(new TValueBrowser);
        m_browser->setSpecialList(&TValueBrowser::s_specialList);
    }
    void cleanup() { m_browser.reset(); }

    void texts_data();
    void texts();
    void children_data();
    void children();
    void newValuesAndExpandables();
    void specialAndHiddenChildren();
    void extremeRectangles();
    void factoryAndSettings();

private:
    std::unique_ptr<TValueBrowser> m_browser;
};

void TestCompoundValues::texts_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, const char* type, const char* input, const QVariant& expected,
                        const char* text) { QTest::newRow(name) << type << input << expected << text; };
    row("point", "TPointValue", "10,-20", QPoint(10, -20), "10,-20");
    row("point both negative", "TPointValue", "-3,-4", QPoint(-3, -4), "-3,-4");
    row("point semicolon", "TPointValue", "5;6", QPoint(5, 6), "5,6");
    row("size", "TSizeValue", "30 x 40", QSize(30, 40), "30,40");
    row("size negative", "TSizeValue", "-1,-2", QSize(-1, -2), "-1,-2");
    row("rect spaces", "TRectValue", "0 0 640 480", QRect(0, 0, 640, 480), "0,0,640,480");
    row("rect negative", "TRectValue", "-5,-5,10,10", QRect(-5, -5, 10, 10), "-5,-5,10,10");
    row("rect empty", "TRectValue", "1,2,0,-3", edges(1, 2, 0, -2), "1,2,0,-3");
    row("range", "TRangeValue", "1.5 : 2.25", QPointF(1.5, 2.25), "1.5 : 2.25");
    row("range signs", "TRangeValue", ".5 : -.25", QPointF(0.5, -0.25), "0.5 : -0.25");
    row("range unordered", "TRangeValue", "3 : 1", QPointF(3, 1), "3 : 1");
    row("range whole", "TRangeValue", "0.5 : 2", QPointF(0.5, 2), "0.5 : 2");
    row("range small", "TRangeValue", "0.00001 : 3", QPointF(1e-05, 3), "0.00001 : 3");
    row("range seven digits", "TRangeValue", "-0.25:1234567.5", QPointF(-0.25, 1234567.5), "-0.25 : 1234567.5");
    row("range all decimals", "TRangeValue", "1234567.12345 : -0.00042", QPointF(1234567.12345, -0.00042),
        "1234567.12345 : -0.00042");
    row("range rounded", "TRangeValue", "2.123456789 : 3", QPointF(2.12346, 3), "2.12346 : 3");
    row("range zero", "TRangeValue", "-0 : 0", QPointF(0, 0), "0 : 0");
    row("range bounds", "TRangeValue", "-2147483648 : 2147483647", QPointF(-2147483648.0, 2147483647.0),
        "-2147483648 : 2147483647");
}

void TestCompoundValues::texts()
{
    QFETCH(QString, type);
    QFETCH(QString, input);
    QFETCH(QVariant, expected);
    QFETCH(QString, text);
    TBaseValue* value = makeValue(m_browser.get(), type);
    QVERIFY(value->setValue(input));
    QCOMPARE(exact(value->variant()), exact(expected));
    QCOMPARE(shown(value), text);
    QCOMPARE(value->valueText(), text);
    // The shown text reads back as the same value, and so does the variant.
    TBaseValue* again = makeValue(m_browser.get(), type);
    QVERIFY(again->setValue(shown(value)));
    QCOMPARE(exact(again->variant()), exact(expected));
    QVERIFY(again->setValue(value->variant()));
    QCOMPARE(shown(again), text);
}

void TestCompoundValues::children_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("child");
    QTest::addColumn<QString>("childValue");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("bounded");
    QTest::newRow("point") << "TPointValue" << "10,20" << QStringList{"X coordinate", "Y coordinate"}
                           << QStringList{"10", "20"} << 0 << "500" << "500,20" << "100,20";
    QTest::newRow("size") << "TSizeValue" << "30,40" << QStringList{"Width", "Height"} << QStringList{"30", "40"}
                          << 1 << "-7" << "30,-7" << "30,1";
    QTest::newRow("rect") << "TRectValue" << "10,20,30,40"
                          << QStringList{"X coordinate", "Y coordinate", "Width", "Height"}
                          << QStringList{"10", "20", "30", "40"} << 3 << "1000" << "10,20,30,1000" << "10,20,30,100";
    QTest::newRow("rect y") << "TRectValue" << "10,20,30,40"
                            << QStringList{"X coordinate", "Y coordinate", "Width", "Height"}
                            << QStringList{"10", "20", "30", "40"} << 1 << "-20" << "10,-20,30,40" << "10,-20,30,40";
    QTest::newRow("range") << "TRangeValue" << "5 : 0.5" << QStringList{"low", "high"}
                           << QStringList{"5.00000", "0.50000"} << 1 << "0.00001" << "5 : 0.00001" << "5 : 0.00001";
    QTest::newRow("range clamped") << "TRangeValue" << "5 : 0.5" << QStringList{"low", "high"}
                                   << QStringList{"5.00000", "0.50000"} << 0 << "500" << "500 : 0.5" << "10 : 0.5";
}

void TestCompoundValues::children()
{
    QFETCH(QString, type);
    QFETCH(QString, start);
    QFETCH(QStringList, names);
    QFETCH(QStringList, texts);
    QFETCH(int, child);
    QFETCH(QString, childValue);
    QFETCH(QString, after);
    QFETCH(QString, bounded);
    TPointValidator points(nullptr, 0, 100, 0, 100);
    TSizeValidator sizes(nullptr, 1, 100, 1, 100);
    TRectValidator rects(nullptr, 0, 100, 0, 100);
    TRangeValidator ranges(nullptr, 0, 10, -1, 1);
    TValueValidator* const validators[] = {&points, &sizes, &rects, &ranges};
    const int index = int(std::find(std::begin(kTypes), std::end(kTypes), type) - std::begin(kTypes));

    // Children follow the parent; the parent follows a child.
    for (TValueValidator* validator : {static_cast<TValueValidator*>(nullptr), validators[index]}) {
        TBaseValue* value = makeValue(m_browser.get(), type);
        if (validator)
            value->setValidator(validator);
        QVERIFY(value->setValue(start));
        QCOMPARE(childTexts(value, 0), names);
        QCOMPARE(childTexts(value), texts);
        // A child takes numbers only.
        QVERIFY(!value->registeredChild(child)->setValue(QStringLiteral("abc")));
        QCOMPARE(childTexts(value), texts);
        QVERIFY(value->registeredChild(child)->setValue(childValue));
        // A value the parent clamps is written back to the children.
        QCOMPARE(shown(value), validator ? bounded : after);
        TBaseValue* expected = makeValue(m_browser.get(), type);
        QVERIFY(expected->setValue(shown(value)));
        QCOMPARE(childTexts(value), childTexts(expected));
    }

    // A deleted child: the others still reach the parent.
    TBaseValue* value = makeValue(m_browser.get(), type);
    QVERIFY(value->setValue(start));
    const int n = value->childValues().size();
    delete value->registeredChild(child);
    QVERIFY(!value->registeredChild(child));
    QCOMPARE(value->childCount(), n - 1);
    value->setSpecial(SV_Default);
    value->showChildren(false);
    value->showChildren(true);
    QVERIFY(value->setValue(after));
    QCOMPARE(shown(value), after);
    TBaseValue* intact = makeValue(m_browser.get(), type);
    QVERIFY(intact->setValue(after));
    const int other = child ? 0 : 1;
    QVERIFY(value->registeredChild(other)->setValue(7));
    QVERIFY(intact->registeredChild(other)->setValue(7));
    QCOMPARE(shown(value), shown(intact));
}

void TestCompoundValues::newValuesAndExpandables()
{
    for (const char* type : kTypes) {
        TBaseValue* value = makeValue(m_browser.get(), QString::fromLatin1(type));
        QCOMPARE(value->ItemID(), type);
        QVERIFY(value->value().kind == SK_Special && value->value().value.toUInt() == SV_BadValue);
        QCOMPARE(value->childCount(), qstrcmp(type, "TRectValue") == 0 ? 4 : 2);
        for (const TBaseValue* child : value->childValues())
            QVERIFY(child->isHidden() && child->isChildMode() && !child->isSpecialsAllowed());
    }
    {
        ExpandablesGuard guard(false);
        for (const char* type : kTypes) {
            TBaseValue* value = makeValue(m_browser.get(), QString::fromLatin1(type));
            QVERIFY(value->childCount() == 0 && value->childValues().isEmpty());
            const bool range = qstrcmp(type, "TRangeValue") == 0;
            QVERIFY(value->setValue(range ? "3 : 4" : qstrcmp(type, "TRectValue") == 0 ? "3,4,5,6" : "3,4"));
            value->showChildren(true);
            value->showChildren(true);
            const int n = qstrcmp(type, "TRectValue") == 0 ? 4 : 2;
            QVERIFY(value->childCount() == n && value->childValues().size() == n);
            QCOMPARE(value->registeredChild(1)->value().value.toDouble(), 4.0);
            value->showChildren(false);
            value->showChildren(true);
            QCOMPARE(value->childCount(), n);
        }
    }
    QVERIFY(TPointValue::s_showExpandables && TSizeValue::s_showExpandables && TRectValue::s_showExpandables
            && TRangeValue::s_showExpandables);
}

void TestCompoundValues::specialAndHiddenChildren()
{
    TRectValue rect(m_browser.get(), QStringLiteral("rect"));
    QVERIFY(rect.setValue(QStringLiteral("1,2,3,4")));
    rect.setSpecial(SV_Default);
    for (const TBaseValue* child : rect.childValues())
        QVERIFY(child->isHidden());
    // A child changed under a special parent does not reach it.
    QVERIFY(rect.registeredChild(0)->setValue(QVariant(99)));
    QCOMPARE(rect.value().kind, int(SK_Special));
    QVERIFY(rect.setValue(QStringLiteral("5,6,7,8")));
    QCOMPARE(childTexts(&rect), QStringList({"5", "6", "7", "8"}));
    for (const TBaseValue* child : rect.childValues())
        QVERIFY(!child->isHidden());

    // Hidden children stay in step, and one changed keeps the other's value.
    TPointValue point(m_browser.get(), QStringLiteral("point"));
    QVERIFY(point.setValue(QVariant(QPoint(10, 20))));
    point.showChildren(false);
    QVERIFY(point.setValue(QVariant(QPoint(30, 40))));
    QVERIFY(point.registeredChild(0)->isHidden());
    QVERIFY(point.registeredChild(0)->setValue(QVariant(15)));
    QCOMPARE(point.point(), QPoint(15, 40));
    point.showChildren(true);
    QCOMPARE(childTexts(&point), QStringList({"15", "40"}));

    // A child value the parent refuses shows the parent's value again.
    SmallXValidator small;
    point.setValidator(&small);
    point.registeredChild(0)->setValue(QVariant(60));
    QCOMPARE(childTexts(&point), QStringList({"15", "40"}));
}

void TestCompoundValues::extremeRectangles()
{
    TRectValue rect(m_browser.get(), QStringLiteral("rect"));
    QVERIFY(rect.setValue(QStringLiteral("2147483647,0,10,10")));
    QCOMPARE(exact(rect.variant()), exact(edges(kMax, 0, kMax, 9)));
    QCOMPARE(rect.size(), QSize(1, 10));
    QCOMPARE(childTexts(&rect), QStringList({"2147483647", "0", "1", "10"}));
    QVERIFY(rect.registeredChild(2)->setValue(QVariant(kMax)));
    QCOMPARE(exact(rect.variant()), exact(edges(kMax, 0, kMax, 9)));
    QVERIFY(rect.setValue(QStringLiteral("-2147483648,-2147483648,2147483647,-2147483648")));
    QCOMPARE(exact(rect.variant()), exact(edges(kMin, kMin, -2, kMin)));
    QCOMPARE(shown(&rect), QStringLiteral("-2147483648,-2147483648,2147483647,1"));

    // Without a validator the size saturates instead of overflowing.
    rect.setValidator(nullptr);
    QVERIFY(rect.setValue(QVariant(edges(kMin, kMin, kMax, kMax))));
    QCOMPARE(rect.size(), QSize(kMax, kMax));
    QCOMPARE(shown(&rect), QStringLiteral("-2147483648,-2147483648,2147483647,2147483647"));
    QVERIFY(rect.registeredChild(0)->setValue(QVariant(kMax)));
    QRect out;
    rect.writeValue(out);
    QCOMPARE(exact(out), exact(edges(kMax, kMin, kMax, -2)));
}

void TestCompoundValues::factoryAndSettings()
{
    QPoint point(3, -4);
    QSize size(5, 6);
    QRect rect(7, 8, 9, 10);
    QPoint rangeVariable(1, 2);
    TPointValidator points(nullptr, -10, 10, -10, 10);
    TValueBrowser& b = *m_browser;
    QVERIFY(!b.addPoint(-1, "Point", "", "point", &point) && !b.addSize(0, "", "", "size", &point));
    QVERIFY(!b.addRect(-2, "Rect", "", "rect", &point) && !b.addRange(0, QString(), "", "range", &point));
    TPointValue* p = b.addPoint(0, "Point", "hint", "point", &point, &points);
    TSizeValue* s = b.addSize(1, "Size", "", "size", &size);
    TRectValue* r = b.addRect(0, "Rect", "", "rect", &rect);
    TRangeValue* g = b.addRange(0, "Range", "", "range", &rangeVariable);
    QVERIFY(s->parent() == p && p->validator() == &points && p->childValues().size() == 2);
    QVERIFY(s->validator() == TSizeValidator::s_SizeValidator && r->validator() == TRectValidator::s_RectValidator
            && g->validator() == TRangeValidator::s_RangeValidator);
    QVERIFY(p->linkType() == LT_Point && s->linkType() == LT_Size && r->linkType() == LT_Rect
            && g->linkType() == LT_Point);
    QCOMPARE(childTexts(g, 0), QStringList({"min", "max"}));
    QVERIFY(!b.getItem(0)); // parts have no id of their own
    b.updateFromLinked();
    QCOMPARE(shown(p), QStringLiteral("3,-4"));
    QCOMPARE(shown(s), QStringLiteral("5,6"));
    QCOMPARE(shown(r), QStringLiteral("7,8,9,10"));
    QCOMPARE(shown(g), QStringLiteral("1 : 2"));
    QVERIFY(p->setValue(QStringLiteral("50,-50")));
    QVERIFY(s->registeredChild(0)->setValue(QVariant(11)));
    QVERIFY(r->setValue(QStringLiteral("-1,-2,3,4")));
    QVERIFY(g->setValue(QStringLiteral("1.6 : -2.4")));
    b.updateLinked();
    QCOMPARE(point, QPoint(10, -10));
    QCOMPARE(size, QSize(11, 6));
    QCOMPARE(rect, QRect(-1, -2, 3, 4));
    QCOMPARE(rangeVariable, QPoint(2, -2));
    QPointF real;
    g->writeValue(real);
    QCOMPARE(real, QPointF(1.6, -2.4));
    QVariant asVariant;
    g->writeValue(asVariant);
    QCOMPARE(exact(asVariant), exact(QPointF(1.6, -2.4)));

    // Every row reads back from a settings file as written.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("values.ini"));
    QVERIFY(r->setValue(QVariant(edges(kMax, 0, kMax, 9))));
    QVERIFY(g->setValue(QVariant(QPointF(1e-05, 1234567.5))));
    const QList<TBaseValue*> rows{p, s, r, g};
    {
        QSettings settings(path, QSettings::IniFormat);
        b.writeDataSet(settings);
    }
    TValueBrowser target;
    const QList<TBaseValue*> read{target.addPoint(0, "Point", "", "point", nullptr),
                                  target.addSize(0, "Size", "", "size", nullptr),
                                  target.addRect(0, "Rect", "", "rect", nullptr),
                                  target.addRange(0, "Range", "", "range", nullptr)};
    QSettings settings(path, QSettings::IniFormat);
    target.readDataSet(settings);
    for (int i = 0; i < rows.size(); ++i)
        QCOMPARE(exact(read.at(i)->variant()), exact(rows.at(i)->variant()));
    QCOMPARE(shown(read.at(2)), QStringLiteral("2147483647,0,1,10"));
    QCOMPARE(shown(read.at(3)), QStringLiteral("0.00001 : 1234567.5"));
}

QTEST_MAIN(TestCompoundValues)
#include "tst_compoundvalues.moc"
