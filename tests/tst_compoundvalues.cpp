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
const char* const kTypes[] = {"TPointValue", "TSizeValue", "TRectValue", "TRangeValue"};

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

TBaseValue* make(TValueBrowser* browser, const QString& type)
{
    if (type == kTypes[0])
        return new TPointValue(browser, "point");
    if (type == kTypes[1])
        return new TSizeValue(browser, "size");
    if (type == kTypes[2])
        return new TRectValue(browser, "rect");
    return new TRangeValue(browser, "range", "low", "high");
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

// Sets the class-wide defaults of every compound value.
void setExpandables(bool on)
{
    TPointValue::setDefaultExpandableItems(on);
    TSizeValue::setDefaultExpandableItems(on);
    TRectValue::setDefaultExpandableItems(on);
    TRangeValue::setDefaultExpandableItems(on);
}

} // namespace

class TestCompoundValues : public QObject
{
    Q_OBJECT

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
    void extremeRectangles();
    void factoryAndSettings();

private:
    std::unique_ptr<TValueBrowser> m_browser;
};

void TestCompoundValues::texts_data()
{
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* type, const char* input, const QVariant& expected, const char* text) {
        QTest::addRow("%s %s", type, input) << type << input << expected << text;
    };
    row("TPointValue", "10,-20", QPoint(10, -20), "10,-20");
    row("TPointValue", "-3,-4", QPoint(-3, -4), "-3,-4");
    row("TPointValue", "5;6", QPoint(5, 6), "5,6");
    row("TSizeValue", "30 x 40", QSize(30, 40), "30,40");
    row("TSizeValue", "-1,-2", QSize(-1, -2), "-1,-2");
    row("TRectValue", "0 0 640 480", QRect(0, 0, 640, 480), "0,0,640,480");
    row("TRectValue", "-5,-5,10,10", QRect(-5, -5, 10, 10), "-5,-5,10,10");
    row("TRectValue", "1,2,0,-3", edges(1, 2, 0, -2), "1,2,0,-3");
    row("TRangeValue", "1.5 : 2.25", QPointF(1.5, 2.25), "1.5 : 2.25");
    row("TRangeValue", ".5 : -.25", QPointF(0.5, -0.25), "0.5 : -0.25");
    row("TRangeValue", "3 : 1", QPointF(3, 1), "3 : 1");
    row("TRangeValue", "0.5 : 2", QPointF(0.5, 2), "0.5 : 2");
    row("TRangeValue", "0.00001 : 3", QPointF(1e-05, 3), "0.00001 : 3");
    row("TRangeValue", "-0.25:1234567.5", QPointF(-0.25, 1234567.5), "-0.25 : 1234567.5");
    row("TRangeValue", "1234567.12345 : -0.00042", QPointF(1234567.12345, -0.00042), "1234567.12345 : -0.00042");
    row("TRangeValue", "2.123456789 : 3", QPointF(2.12346, 3), "2.12346 : 3");
    row("TRangeValue", "-0 : 0", QPointF(0, 0), "0 : 0");
    row("TRangeValue", "-2147483648 : 2147483647", QPointF(kMin, kMax), "-2147483648 : 2147483647");
}

void TestCompoundValues::texts()
{
    QFETCH(QString, cls);
    QFETCH(QString, input);
    QFETCH(QVariant, expected);
    QFETCH(QString, text);
    TBaseValue* value = make(m_browser.get(), cls);
    type(value, input);
    QCOMPARE(exact(value->variant()), exact(expected));
    QCOMPARE(shown(value), text);
    QCOMPARE(value->valueText(), text);
    // The shown text reads back as the same value, and so does the variant.
    TBaseValue* again = make(m_browser.get(), cls);
    QVERIFY(again->setValue(shown(value)));
    QCOMPARE(exact(again->variant()), exact(expected));
    QVERIFY(again->setValue(value->variant()));
    QCOMPARE(shown(again), text);
}

void TestCompoundValues::children_data()
{
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("child");
    QTest::addColumn<QString>("childValue");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("bounded");
    const QStringList xy{"X coordinate", "Y coordinate"}, wh{"Width", "Height"}, rect = xy + wh, range{"low", "high"};
    const QStringList rectTexts{"10", "20", "30", "40"}, rangeTexts{"5.00000", "0.50000"};
    QTest::newRow("point") << kTypes[0] << "10,20" << xy << QStringList{"10", "20"} << 0 << "500" << "500,20"
                           << "100,20";
    QTest::newRow("size") << kTypes[1] << "30,40" << wh << QStringList{"30", "40"} << 1 << "-7" << "30,-7" << "30,1";
    QTest::newRow("rect") << kTypes[2] << "10,20,30,40" << rect << rectTexts << 3 << "1000" << "10,20,30,1000"
                          << "10,20,30,100";
    QTest::newRow("rect y") << kTypes[2] << "10,20,30,40" << rect << rectTexts << 1 << "-20" << "10,-20,30,40"
                            << "10,-20,30,40";
    QTest::newRow("range") << kTypes[3] << "5 : 0.5" << range << rangeTexts << 1 << "0.00001" << "5 : 0.00001"
                           << "5 : 0.00001";
    QTest::newRow("range clamped") << kTypes[3] << "5 : 0.5" << range << rangeTexts << 0 << "500" << "500 : 0.5"
                                   << "10 : 0.5";
}

void TestCompoundValues::children()
{
    QFETCH(QString, cls);
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
    const int index = int(std::find(std::begin(kTypes), std::end(kTypes), cls) - std::begin(kTypes));

    // Children follow the parent; the parent follows a child typed into.
    for (TValueValidator* validator : {static_cast<TValueValidator*>(nullptr), validators[index]}) {
        TBaseValue* value = make(m_browser.get(), cls);
        if (validator)
            value->setValidator(validator);
        QVERIFY(value->setValue(start));
        QCOMPARE(childTexts(value, 0), names);
        QCOMPARE(childTexts(value), texts);
        // A child takes numbers only.
        type(value->registeredChild(child), "abc");
        QCOMPARE(childTexts(value), texts);
        type(value->registeredChild(child), childValue);
        // A value the parent clamps is written back to the children.
        QCOMPARE(shown(value), validator ? bounded : after);
        TBaseValue* expected = make(m_browser.get(), cls);
        QVERIFY(expected->setValue(shown(value)));
        QCOMPARE(childTexts(value), childTexts(expected));
    }

    // A deleted child: the others still reach the parent.
    TBaseValue* value = make(m_browser.get(), cls);
    QVERIFY(value->setValue(start));
    const int n = value->childValues().size();
    delete value->registeredChild(child);
    QVERIFY(!value->registeredChild(child) && value->childCount() == n - 1);
    value->setSpecial(SV_Default);
    value->showChildren(false);
    value->showChildren(true);
    QVERIFY(value->setValue(after));
    QCOMPARE(shown(value), after);
    TBaseValue* intact = make(m_browser.get(), cls);
    QVERIFY(intact->setValue(after));
    const int other = child ? 0 : 1;
    QVERIFY(value->registeredChild(other)->setValue(7) && intact->registeredChild(other)->setValue(7));
    QCOMPARE(shown(value), shown(intact));
}

void TestCompoundValues::newValuesAndSpecials()
{
    for (const bool expandables : {true, false}) {
        setExpandables(expandables);
        for (const char* cls : kTypes) {
            TBaseValue* value = make(m_browser.get(), cls);
            const int n = qstrcmp(cls, "TRectValue") ? 2 : 4;
            QCOMPARE(value->ItemID(), cls);
            QVERIFY(value->value().kind == SK_Special && value->value().value.toUInt() == SV_BadValue);
            QCOMPARE(value->childValues().size(), expandables ? n : 0);
            for (const TBaseValue* child : value->childValues())
                QVERIFY(child->isHidden() && child->isChildMode() && !child->isSpecialsAllowed());
            // Children made on request are made once, with the value.
            QVERIFY(value->setValue(n == 4 ? "3,4,5,6" : qstrcmp(cls, "TRangeValue") ? "3,4" : "3 : 4"));
            value->showChildren(true);
            value->showChildren(true);
            QVERIFY(value->childCount() == n && value->childValues().size() == n);
            QCOMPARE(value->registeredChild(1)->value().value.toDouble(), 4.0);
        }
    }
    QVERIFY(!TPointValue::s_showExpandables && !TRangeValue::s_showExpandables);
    setExpandables(true);

    // Under a special the children hide, and a child changed does not reach it.
    TRectValue rect(m_browser.get(), "rect");
    QVERIFY(rect.setValue("1,2,3,4"));
    rect.setSpecial(SV_Default);
    QCOMPARE(childTexts(&rect), QStringList({"1(hidden)", "2(hidden)", "3(hidden)", "4(hidden)"}));
    QVERIFY(rect.registeredChild(0)->setValue(QVariant(99)));
    QCOMPARE(rect.value().kind, int(SK_Special));
    QVERIFY(rect.setValue("5,6,7,8"));
    QCOMPARE(childTexts(&rect), QStringList({"5", "6", "7", "8"}));

    // Hidden children stay in step, and one changed keeps the other's value.
    TPointValue point(m_browser.get(), "point");
    QVERIFY(point.setValue(QVariant(QPoint(10, 20))));
    point.showChildren(false);
    QVERIFY(point.setValue(QVariant(QPoint(30, 40))));
    QVERIFY(point.registeredChild(0)->isHidden() && point.registeredChild(0)->setValue(QVariant(15)));
    QCOMPARE(point.point(), QPoint(15, 40));
    point.showChildren(true);
    QCOMPARE(childTexts(&point), QStringList({"15", "40"}));
    // A child value the parent refuses shows the parent's value again.
    SmallX small;
    point.setValidator(&small);
    type(point.registeredChild(0), "60");
    QCOMPARE(childTexts(&point), QStringList({"15", "40"}));
}

void TestCompoundValues::extremeRectangles()
{
    TRectValue rect(m_browser.get(), "rect");
    QVERIFY(rect.setValue("2147483647,0,10,10"));
    QCOMPARE(exact(rect.variant()), exact(edges(kMax, 0, kMax, 9)));
    QCOMPARE(rect.size(), QSize(1, 10));
    QCOMPARE(childTexts(&rect), QStringList({"2147483647", "0", "1", "10"}));
    QVERIFY(rect.registeredChild(2)->setValue(QVariant(kMax)));
    QCOMPARE(exact(rect.variant()), exact(edges(kMax, 0, kMax, 9)));
    QVERIFY(rect.setValue("-2147483648,-2147483648,2147483647,-2147483648"));
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
    QPoint point(3, -4), rangeVariable(1, 2);
    QSize size(5, 6);
    QRect rect(7, 8, 9, 10);
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
    const QList<TBaseValue*> rows{p, s, r, g};
    QStringList texts;
    for (const TBaseValue* row : rows)
        texts << shown(row);
    QCOMPARE(texts, QStringList({"3,-4", "5,6", "7,8,9,10", "1 : 2"}));
    QVERIFY(p->setValue("50,-50") && s->registeredChild(0)->setValue(QVariant(11)));
    QVERIFY(r->setValue("-1,-2,3,4") && g->setValue("1.6 : -2.4"));
    b.updateLinked();
    QVERIFY(point == QPoint(10, -10) && size == QSize(11, 6) && rect == QRect(-1, -2, 3, 4));
    QCOMPARE(rangeVariable, QPoint(2, -2));
    QPointF real;
    g->writeValue(real);
    QCOMPARE(real, QPointF(1.6, -2.4));
    QVariant asVariant;
    g->writeValue(asVariant);
    QCOMPARE(exact(asVariant), exact(QPointF(1.6, -2.4)));

    // Every row reads back from a settings file as written.
    QTemporaryDir dir;
    QSettings settings(dir.filePath("values.ini"), QSettings::IniFormat);
    QVERIFY(r->setValue(QVariant(edges(kMax, 0, kMax, 9))) && g->setValue(QVariant(QPointF(1e-05, 1234567.5))));
    b.writeDataSet(settings);
    settings.sync();
    TValueBrowser target;
    const QList<TBaseValue*> read{target.addPoint(0, "Point", "", "point", nullptr),
                                  target.addSize(0, "Size", "", "size", nullptr),
                                  target.addRect(0, "Rect", "", "rect", nullptr),
                                  target.addRange(0, "Range", "", "range", nullptr)};
    target.readDataSet(settings);
    for (int i = 0; i < rows.size(); ++i)
        QCOMPARE(exact(read.at(i)->variant()), exact(rows.at(i)->variant()));
    QVERIFY(shown(read.at(2)) == "2147483647,0,1,10" && shown(read.at(3)) == "0.00001 : 1234567.5");
}

QTEST_MAIN(TestCompoundValues)
#include "tst_compoundvalues.moc"
