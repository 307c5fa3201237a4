#include "tcompoundvalidators.h"
#include "tpointvalue.h"
#include "trangevalue.h"
#include "trectvalue.h"
#include "tsizevalue.h"
#include "tvaluebrowser.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <memory>

namespace {

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

// A rectangle by its edges; QRect(x, y, w, h) and QTest's printing of a
// QRect overflow for the extreme ones.
QRect edges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QString describe(const QVariant& value)
{
    if (value.userType() == QMetaType::QRect) {
        const QRect r = value.toRect();
        return QStringLiteral("QRect(%1,%2 to %3,%4)").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
    }
    if (value.userType() == QMetaType::QPointF) {
        const QPointF p = value.toPointF();
        return QStringLiteral("QPointF(%1, %2)").arg(p.x(), 0, 'g', 17).arg(p.y(), 0, 'g', 17);
    }
    QString text;
    QDebug(&text) << value;
    return text;
}

// Same type and same value; reals compared exactly, not fuzzily.
bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.userType() != b.userType())
        return false;
    if (a.userType() == QMetaType::QPointF)
        return a.toPointF().x() == b.toPointF().x() && a.toPointF().y() == b.toPointF().y();
    return a == b;
}

#define VERIFY_SAME(actual, expected)                                                              \
    do {                                                                                           \
        const QVariant a_ = (actual);                                                              \
        const QVariant e_ = (expected);                                                            \
        if (!sameValue(a_, e_))                                                                    \
            QFAIL(qPrintable(describe(a_) + QStringLiteral(" instead of ") + describe(e_)));       \
    } while (false)

// One value row of each compound type, by its item id.
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

QStringList childTexts(const TBaseValue* value)
{
    QStringList texts;
    for (const TBaseValue* child : value->childValues())
        texts << (child ? child->text(1) : QStringLiteral("<deleted>"));
    return texts;
}

QStringList childNames(const TBaseValue* value)
{
    QStringList names;
    for (const TBaseValue* child : value->childValues())
        names << child->text(0);
    return names;
}

// Turns every value down whose x is above 50.
class SmallXValidator : public TValueValidator
{
public:
    EValidateResult checkValue(QVariant& value) override
    {
        if (value.userType() != QMetaType::QPoint || value.toPoint().x() > 50)
            return VR_Invalid;
        return VR_Valid;
    }
};

// Restores the class-wide defaults however a test ends.
struct ExpandablesGuard
{
    ~ExpandablesGuard()
    {
        TPointValue::setDefaultExpandableItems(true);
        TSizeValue::setDefaultExpandableItems(true);
        TRectValue::setDefaultExpandableItems(true);
        TRangeValue::setDefaultExpandableItems(true);
    }
};

} // namespace

class TestCompoundValues : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newValueIsBadValue_data();
    void newValueIsBadValue();
    void texts_data();
    void texts();
    void rangeText_data();
    void rangeText();
    void childrenFollowParent();
    void parentFollowsChild();
    void clampedChildWrittenBack();
    void rejectedChildShowsParentAgain();
    void specialParentHidesChildren();
    void hiddenChildrenStayInStep();
    void childrenCreatedOnce();
    void defaultExpandableItems();
    void extremeRectangles();
    void deletedChild_data();
    void deletedChild();
    void factory();
    void factoryRefuses();
    void settingsRoundTrip();

private:
    std::unique_ptr<TValueBrowser> m_browser;
};

void TestCompoundValues::init()
{
    m_browser.reset(new TValueBrowser);
    m_browser->setSpecialList(&TValueBrowser::s_specialList);
}

void TestCompoundValues::cleanup()
{
    m_browser.reset();
}

void TestCompoundValues::newValueIsBadValue_data()
{
    QTest::addColumn<QString>("type");
    for (const char* type : {"TPointValue", "TSizeValue", "TRectValue", "TRangeValue"})
        QTest::newRow(type) << QString::fromLatin1(type);
}

void TestCompoundValues::newValueIsBadValue()
{
    QFETCH(QString, type);
    TBaseValue* value = makeValue(m_browser.get(), type);
    QCOMPARE(QString::fromLatin1(value->ItemID()), type);
    QCOMPARE(value->value().kind, int(SK_Special));
    QCOMPARE(value->value().value.toUInt(), unsigned(SV_BadValue));
    // The children exist but stay hidden under a special parent.
    QCOMPARE(value->childCount(), type == QLatin1String("TRectValue") ? 4 : 2);
    for (const TBaseValue* child : value->childValues()) {
        QVERIFY(child->isHidden());
        QVERIFY(child->isChildMode());
        QVERIFY(!child->isSpecialsAllowed());
    }
}

void TestCompoundValues::texts_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("text");

    QTest::newRow("point") << "TPointValue" << "10,20" << QVariant(QPoint(10, 20)) << "10,20";
    QTest::newRow("point negative") << "TPointValue" << "10,-20" << QVariant(QPoint(10, -20)) << "10,-20";
    QTest::newRow("point both negative") << "TPointValue" << "-3,-4" << QVariant(QPoint(-3, -4)) << "-3,-4";
    QTest::newRow("point semicolon") << "TPointValue" << "5;6" << QVariant(QPoint(5, 6)) << "5,6";
    QTest::newRow("size") << "TSizeValue" << "30 x 40" << QVariant(QSize(30, 40)) << "30,40";
    QTest::newRow("size negative") << "TSizeValue" << "-1,-2" << QVariant(QSize(-1, -2)) << "-1,-2";
    QTest::newRow("rect") << "TRectValue" << "10,20,30,40" << QVariant(QRect(10, 20, 30, 40)) << "10,20,30,40";
    QTest::newRow("rect spaces") << "TRectValue" << "0 0 640 480" << QVariant(QRect(0, 0, 640, 480))
                                 << "0,0,640,480";
    QTest::newRow("rect negative") << "TRectValue" << "-5,-5,10,10" << QVariant(QRect(-5, -5, 10, 10))
                                   << "-5,-5,10,10";
    QTest::newRow("rect empty") << "TRectValue" << "1,2,0,-3" << QVariant(edges(1, 2, 0, -2)) << "1,2,0,-3";
    QTest::newRow("range") << "TRangeValue" << "1.5 : 2.25" << QVariant(QPointF(1.5, 2.25)) << "1.5 : 2.25";
    QTest::newRow("range signs") << "TRangeValue" << ".5 : -.25" << QVariant(QPointF(0.5, -0.25))
                                 << "0.5 : -0.25";
    QTest::newRow("range unordered") << "TRangeValue" << "3 : 1" << QVariant(QPointF(3, 1)) << "3 : 1";
}

void TestCompoundValues::texts()
{
    QFETCH(QString, type);
    QFETCH(QString, input);
    QFETCH(QVariant, expected);
    QFETCH(QString, text);

    TBaseValue* value = makeValue(m_browser.get(), type);
    QVERIFY(value->setValue(input));
    VERIFY_SAME(value->variant(), expected);
    QCOMPARE(value->text(1), text);
    QCOMPARE(value->valueText(), text);

    // The shown text reads back as the same value.
    TBaseValue* again = makeValue(m_browser.get(), type);
    QVERIFY(again->setValue(value->text(1)));
    VERIFY_SAME(again->variant(), expected);
}

void TestCompoundValues::rangeText_data()
{
    QTest::addColumn<QPointF>("range");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain") << QPointF(1.5, 2.25) << "1.5 : 2.25";
    QTest::newRow("whole") << QPointF(0.5, 2) << "0.5 : 2";
    QTest::newRow("small") << QPointF(1e-05, 3) << "0.00001 : 3";
    QTest::newRow("seven digits") << QPointF(-0.25, 1234567.5) << "-0.25 : 1234567.5";
    QTest::newRow("all decimals") << QPointF(1234567.12345, -0.00042) << "1234567.12345 : -0.00042";
    QTest::newRow("rounded") << QPointF(2.123456789, 3) << "2.12346 : 3";
    QTest::newRow("zero") << QPointF(-0.0, 0) << "0 : 0";
    QTest::newRow("bounds") << QPointF(-2147483648.0, 2147483647.0) << "-2147483648 : 2147483647";
}

void TestCompoundValues::rangeText()
{
    QFETCH(QPointF, range);
    QFETCH(QString, text);

    TRangeValue value(m_browser.get(), QStringLiteral("range"), QStringLiteral("a"), QStringLiteral("b"));
    QVERIFY(value.setValue(QVariant(range)));
    QCOMPARE(value.text(1), text);

    TRangeValue again(m_browser.get(), QStringLiteral("again"), QStringLiteral("a"), QStringLiteral("b"));
    QVERIFY(again.setValue(text));
    VERIFY_SAME(again.variant(), value.variant());
    QCOMPARE(again.text(1), text);
}

void TestCompoundValues::childrenFollowParent()
{
    TPointValue point(m_browser.get(), QStringLiteral("point"));
    QVERIFY(point.setValue(QStringLiteral("10,20")));
    QCOMPARE(childNames(&point), QStringList({"X coordinate", "Y coordinate"}));
    QCOMPARE(childTexts(&point), QStringList({"10", "20"}));
    QVERIFY(!point.registeredChild(0)->isHidden());

    TSizeValue size(m_browser.get(), QStringLiteral("size"));
    QVERIFY(size.setValue(QVariant(QSize(30, 40))));
    QCOMPARE(childNames(&size), QStringList({"Width", "Height"}));
    QCOMPARE(childTexts(&size), QStringList({"30", "40"}));

    TRectValue rect(m_browser.get(), QStringLiteral("rect"));
    QVERIFY(rect.setValue(QVariant(QRect(10, 20, 30, 40))));
    QCOMPARE(childNames(&rect), QStringList({"X coordinate", "Y coordinate", "Width", "Height"}));
    QCOMPARE(childTexts(&rect), QStringList({"10", "20", "30", "40"}));
    QCOMPARE(rect.size(), QSize(30, 40));
    QCOMPARE(rect.point(), QPoint(10, 20));

    TRangeValue range(m_browser.get(), QStringLiteral("range"), QStringLiteral("low"), QStringLiteral("high"));
    QVERIFY(range.setValue(QVariant(QPointF(0.5, 2))));
    QCOMPARE(childNames(&range), QStringList({"low", "high"}));
    QCOMPARE(childTexts(&range), QStringList({"0.50000", "2.00000"}));
}

void TestCompoundValues::parentFollowsChild()
{
    TPointValue point(m_browser.get(), QStringLiteral("point"));
    QVERIFY(point.setValue(QVariant(QPoint(10, 20))));
    QVERIFY(point.registeredChild(0)->setValue(QVariant(15)));
    QCOMPARE(point.point(), QPoint(15, 20));
    QCOMPARE(point.text(1), QStringLiteral("15,20"));

    TSizeValue size(m_browser.get(), QStringLiteral("size"));
    QVERIFY(size.setValue(QVariant(QSize(30, 40))));
    QVERIFY(size.registeredChild(1)->setValue(QStringLiteral("-7")));
    QCOMPARE(size.size(), QSize(30, -7));

    TRectValue rect(m_browser.get(), QStringLiteral("rect"));
    QVERIFY(rect.setValue(QVariant(QRect(10, 20, 30, 40))));
    QVERIFY(rect.registeredChild(2)->setValue(QVariant(50)));
    VERIFY_SAME(rect.variant(), QVariant(QRect(10, 20, 50, 40)));
    QVERIFY(rect.registeredChild(1)->setValue(QVariant(-20)));
    VERIFY_SAME(rect.variant(), QVariant(QRect(10, -20, 50, 40)));
    QCOMPARE(rect.text(1), QStringLiteral("10,-20,50,40"));

    TRangeValue range(m_browser.get(), QStringLiteral("range"), QStringLiteral("low"), QStringLiteral("high"));
    QVERIFY(range.setValue(QVariant(QPointF(0.5, 2))));
    QVERIFY(range.registeredChild(1)->setValue(QStringLiteral("0.00001")));
    VERIFY_SAME(range.variant(), QVariant(QPointF(0.5, 1e-05)));
    QCOMPARE(range.text(1), QStringLiteral("0.5 : 0.00001"));
}

void TestCompoundValues::clampedChildWrittenBack()
{
    TPointValidator bounded(nullptr, 0, 100, 0, 100);
    TPointValue point(m_browser.get(), QStringLiteral("point"));
    point.setValidator(&bounded);
    QVERIFY(point.setValue(QVariant(QPoint(10, 20))));
    QVERIFY(point.registeredChild(0)->setValue(QVariant(500)));
    QCOMPARE(point.point(), QPoint(100, 20));
    QCOMPARE(childTexts(&point), QStringList({"100", "20"}));

    TSizeValidator sizes(nullptr, 1, 100, 1, 100);
    TSizeValue size(m_browser.get(), QStringLiteral("size"));
    size.setValidator(&sizes);
    QVERIFY(size.setValue(QStringLiteral("0,500")));
    QCOMPARE(size.size(), QSize(1, 100));
    QVERIFY(size.registeredChild(0)->setValue(QVariant(-9)));
    QCOMPARE(childTexts(&size), QStringList({"1", "100"}));

    TRectValidator rects(nullptr, 0, 100, 0, 100);
    TRectValue rect(m_browser.get(), QStringLiteral("rect"));
    rect.setValidator(&rects);
    QVERIFY(rect.setValue(QStringLiteral("1,2,3,4")));
    QVERIFY(rect.registeredChild(3)->setValue(QVariant(1000)));
    QCOMPARE(childTexts(&rect), QStringList({"1", "2", "3", "100"}));
    VERIFY_SAME(rect.variant(), QVariant(QRect(1, 2, 3, 100)));

    TRangeValidator ranges(nullptr, 0, 10, -1, 1);
    TRangeValue range(m_browser.get(), QStringLiteral("range"), QStringLiteral("a"), QStringLiteral("b"));
    range.setValidator(&ranges);
    QVERIFY(range.setValue(QStringLiteral("5 : 0")));
    QVERIFY(range.registeredChild(0)->setValue(QVariant(500.0)));
    QCOMPARE(childTexts(&range), QStringList({"10.00000", "0.00000"}));
    QCOMPARE(range.text(1), QStringLiteral("10 : 0"));
}

void TestCompoundValues::rejectedChildShowsParentAgain()
{
    SmallXValidator small;
    TPointValue point(m_browser.get(), QStringLiteral("point"));
    point.setValidator(&small);
    QVERIFY(point.setValue(QVariant(QPoint(10, 20))));
    point.registeredChild(0)->setValue(QVariant(60));
    QCOMPARE(point.point(), QPoint(10, 20));
    QCOMPARE(childTexts(&point), QStringList({"10", "20"}));
}

void TestCompoundValues::specialParentHidesChildren()
{
    TRectValue rect(m_browser.get(), QStringLiteral("rect"));
    QVERIFY(rect.setValue(QVariant(QRect(1, 2, 3, 4))));
    for (const TBaseValue* child : rect.childValues())
        QVERIFY(!child->isHidden());

    rect.setSpecial(SV_Default);
    QCOMPARE(rect.value().kind, int(SK_Special));
    for (const TBaseValue* child : rect.childValues())
        QVERIFY(child->isHidden());
    // A child changed under a special parent does not reach it.
    QVERIFY(rect.registeredChild(0)->setValue(QVariant(99)));
    QCOMPARE(rect.value().kind, int(SK_Special));

    QVERIFY(rect.setValue(QStringLiteral("5,6,7,8")));
    QCOMPARE(childTexts(&rect), QStringList({"5", "6", "7", "8"}));
    for (const TBaseValue* child : rect.childValues())
        QVERIFY(!child->isHidden());
}

void TestCompoundValues::hiddenChildrenStayInStep()
{
    TPointValue point(m_browser.get(), QStringLiteral("point"));
    QVERIFY(point.setValue(QVariant(QPoint(10, 20))));
    point.showChildren(false);
    QVERIFY(point.registeredChild(0)->isHidden());
    QVERIFY(point.setValue(QVariant(QPoint(30, 40))));
    QCOMPARE(childTexts(&point), QStringList({"30", "40"}));
    QVERIFY(point.registeredChild(0)->isHidden());
    // Changing one hidden child must not bring back an old other one.
    QVERIFY(point.registeredChild(0)->setValue(QVariant(15)));
    QCOMPARE(point.point(), QPoint(15, 40));

    point.showChildren(true);
    QVERIFY(!point.registeredChild(0)->isHidden());
    QCOMPARE(childTexts(&point), QStringList({"15", "40"}));
}

void TestCompoundValues::childrenCreatedOnce()
{
    ExpandablesGuard guard;
    TSizeValue::setDefaultExpandableItems(false);
    TSizeValue size(m_browser.get(), QStringLiteral("size"));
    QCOMPARE(size.childCount(), 0);
    QVERIFY(size.setValue(QVariant(QSize(3, 4))));
    size.showChildren(true);
    size.showChildren(true);
    QCOMPARE(size.childCount(), 2);
    QCOMPARE(size.childValues().size(), 2);
    QCOMPARE(childTexts(&size), QStringList({"3", "4"}));
    size.showChildren(false);
    QCOMPARE(size.childCount(), 2);
    size.showChildren(true);
    QCOMPARE(size.childCount(), 2);
    QCOMPARE(size.childValues().size(), 2);
}

void TestCompoundValues::defaultExpandableItems()
{
    {
        ExpandablesGuard guard;
        TPointValue::setDefaultExpandableItems(false);
        TSizeValue::setDefaultExpandableItems(false);
        TRectValue::setDefaultExpandableItems(false);
        TRangeValue::setDefaultExpandableItems(false);
        for (const char* type : {"TPointValue", "TSizeValue", "TRectValue", "TRangeValue"}) {
            TBaseValue* value = makeValue(m_browser.get(), QString::fromLatin1(type));
            QCOMPARE(value->childCount(), 0);
            QVERIFY(value->childValues().isEmpty());
            value->showChildren(true);
            QCOMPARE(value->childCount(), QByteArray(type) == "TRectValue" ? 4 : 2);
        }
    }
    QVERIFY(TPointValue::s_showExpandables && TSizeValue::s_showExpandables
            && TRectValue::s_showExpandables && TRangeValue::s_showExpandables);
    TPointValue point(m_browser.get(), QStringLiteral("point"));
    QCOMPARE(point.childCount(), 2);
}

void TestCompoundValues::extremeRectangles()
{
    TRectValue rect(m_browser.get(), QStringLiteral("rect"));
    QVERIFY(rect.setValue(QStringLiteral("2147483647,0,10,10")));
    VERIFY_SAME(rect.variant(), QVariant(edges(kMax, 0, kMax, 9)));
    QCOMPARE(rect.size(), QSize(1, 10));
    QCOMPARE(rect.text(1), QStringLiteral("2147483647,0,1,10"));
    QCOMPARE(childTexts(&rect), QStringList({"2147483647", "0", "1", "10"}));
    // A wider child saturates at the last coordinate.
    QVERIFY(rect.registeredChild(2)->setValue(QVariant(kMax)));
    VERIFY_SAME(rect.variant(), QVariant(edges(kMax, 0, kMax, 9)));
    QCOMPARE(childTexts(&rect), QStringList({"2147483647", "0", "1", "10"}));

    QVERIFY(rect.setValue(QStringLiteral("-2147483648,-2147483648,2147483647,-2147483648")));
    VERIFY_SAME(rect.variant(), QVariant(edges(kMin, kMin, -2, kMin)));
    QCOMPARE(rect.text(1), QStringLiteral("-2147483648,-2147483648,2147483647,1"));

    // Without a validator the rectangle may span the whole int range; its
    // size saturates instead of overflowing.
    rect.setValidator(nullptr);
    QVERIFY(rect.setValue(QVariant(edges(kMin, kMin, kMax, kMax))));
    QCOMPARE(rect.size(), QSize(kMax, kMax));
    QCOMPARE(rect.text(1), QStringLiteral("-2147483648,-2147483648,2147483647,2147483647"));
    QCOMPARE(childTexts(&rect), QStringList({"-2147483648", "-2147483648", "2147483647", "2147483647"}));
    QVERIFY(rect.registeredChild(0)->setValue(QVariant(kMax)));
    VERIFY_SAME(rect.variant(), QVariant(edges(kMax, kMin, kMax, -2)));
    QRect out;
    rect.writeValue(out);
    QVERIFY(out.left() == kMax && out.right() == kMax && out.bottom() == -2);
}

void TestCompoundValues::deletedChild_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariant>("first");
    QTest::addColumn<QVariant>("second");
    QTest::addColumn<QVariant>("lastChild");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("point") << "TPointValue" << QVariant(QPoint(1, 2)) << QVariant(QPoint(3, 4)) << QVariant(7)
                           << QVariant(QPoint(3, 7));
    QTest::newRow("size") << "TSizeValue" << QVariant(QSize(1, 2)) << QVariant(QSize(3, 4)) << QVariant(7)
                          << QVariant(QSize(3, 7));
    QTest::newRow("rect") << "TRectValue" << QVariant(QRect(1, 2, 3, 4)) << QVariant(QRect(5, 6, 7, 8))
                          << QVariant(9) << QVariant(QRect(5, 6, 7, 9));
    QTest::newRow("range") << "TRangeValue" << QVariant(QPointF(1, 2)) << QVariant(QPointF(3, 4))
                           << QVariant(0.5) << QVariant(QPointF(3, 0.5));
}

void TestCompoundValues::deletedChild()
{
    QFETCH(QString, type);
    QFETCH(QVariant, first);
    QFETCH(QVariant, second);
    QFETCH(QVariant, lastChild);
    QFETCH(QVariant, expected);

    TBaseValue* value = makeValue(m_browser.get(), type);
    QVERIFY(value->setValue(first));
    const int n = value->childValues().size();
    delete value->registeredChild(0);
    QVERIFY(!value->registeredChild(0));
    QCOMPARE(value->childCount(), n - 1);

    QVERIFY(value->setValue(second));
    VERIFY_SAME(value->variant(), second);
    value->setSpecial(SV_Default);
    value->showChildren(false);
    value->showChildren(true);
    QVERIFY(value->setValue(second));
    // The remaining children still reach the parent; the deleted one's part
    // is kept.
    QVERIFY(value->registeredChild(n - 1)->setValue(lastChild));
    VERIFY_SAME(value->variant(), expected);
}

void TestCompoundValues::factory()
{
    QPoint point(3, -4);
    QSize size(5, 6);
    QRect rect(7, 8, 9, 10);
    QPoint rangeVariable(1, 2);
    TPointValidator points(nullptr, -10, 10, -10, 10);

    m_browser->addGroup(QStringLiteral("group"));
    TPointValue* p = m_browser->addPoint(0, "Point", "hint", "point", &point, &points);
    TSizeValue* s = m_browser->addSize(1, "Size", "", "size", &size);
    TRectValue* r = m_browser->addRect(0, "Rect", "", "rect", &rect);
    TRangeValue* g = m_browser->addRange(0, "Range", "", "range", &rangeVariable);
    QVERIFY(p && s && r && g);

    QVERIFY(!p->parent());
    QCOMPARE(s->parent(), static_cast<QTreeWidgetItem*>(p));
    QCOMPARE(p->text(0), QStringLiteral("Point"));
    QCOMPARE(p->hint(), QStringLiteral("hint"));
    QCOMPARE(p->properyName(), QStringLiteral("point"));
    QCOMPARE(p->validator(), static_cast<TValueValidator*>(&points));
    QCOMPARE(s->validator(), static_cast<TValueValidator*>(TSizeValidator::s_SizeValidator));
    QCOMPARE(r->validator(), static_cast<TValueValidator*>(TRectValidator::s_RectValidator));
    QCOMPARE(g->validator(), static_cast<TValueValidator*>(TRangeValidator::s_RangeValidator));
    QCOMPARE(p->linkType(), int(LT_Point));
    QCOMPARE(s->linkType(), int(LT_Size));
    QCOMPARE(r->linkType(), int(LT_Rect));
    QCOMPARE(g->linkType(), int(LT_Point));
    QCOMPARE(childNames(g), QStringList({"min", "max"}));
    // The size row placed under the point is not one of its parts.
    QCOMPARE(p->childValues().size(), 2);

    m_browser->updateFromLinked();
    QCOMPARE(p->point(), QPoint(3, -4));
    QCOMPARE(s->size(), QSize(5, 6));
    VERIFY_SAME(r->variant(), QVariant(QRect(7, 8, 9, 10)));
    VERIFY_SAME(g->variant(), QVariant(QPointF(1, 2)));
    QCOMPARE(g->text(1), QStringLiteral("1 : 2"));

    QVERIFY(p->setValue(QStringLiteral("50,-50")));
    QVERIFY(s->registeredChild(0)->setValue(QVariant(11)));
    QVERIFY(r->setValue(QStringLiteral("-1,-2,3,4")));
    QVERIFY(g->setValue(QStringLiteral("1.6 : -2.4")));
    m_browser->updateLinked();
    QCOMPARE(point, QPoint(10, -10));
    QCOMPARE(size, QSize(11, 6));
    QCOMPARE(rect, QRect(-1, -2, 3, 4));
    // The range's variable is a QPoint: the reals arrive rounded.
    QCOMPARE(rangeVariable, QPoint(2, -2));

    QPointF exact;
    g->writeValue(exact);
    QCOMPARE(exact, QPointF(1.6, -2.4));
    QSize written;
    s->writeValue(written);
    QCOMPARE(written, QSize(11, 6));
    // The overloads of the base stay visible beside the typed one.
    QVariant asVariant;
    g->writeValue(asVariant);
    VERIFY_SAME(asVariant, QVariant(QPointF(1.6, -2.4)));
}

void TestCompoundValues::factoryRefuses()
{
    QPoint point;
    QVERIFY(!m_browser->addPoint(-1, "Point", "", "point", &point));
    QVERIFY(!m_browser->addSize(0, "", "", "size", &point));
    QVERIFY(!m_browser->addRect(-2, "Rect", "", "rect", &point));
    QVERIFY(!m_browser->addRange(0, QString(), "", "range", &point));
    QCOMPARE(m_browser->topLevelItemCount(), 0);
}

void TestCompoundValues::settingsRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("values.ini"));

    const QVariant values[] = {
        QVariant(QPoint(10, -20)),
        QVariant(QSize(30, 40)),
        QVariant(QRect(-5, -5, 10, 10)),
        QVariant(edges(kMax, 0, kMax, 9)),
        QVariant(QPointF(1e-05, 1234567.5)),
        QVariant(QPointF(-0.25, 2.12346)),
    };
    auto fill = [](TValueBrowser& browser) {
        QList<TBaseValue*> rows;
        rows << browser.addPoint(0, "p", "", "point", nullptr) << browser.addSize(0, "s", "", "size", nullptr)
             << browser.addRect(0, "r", "", "rect", nullptr) << browser.addRect(0, "x", "", "extreme", nullptr)
             << browser.addRange(0, "g", "", "range", nullptr) << browser.addRange(0, "h", "", "range2", nullptr);
        return rows;
    };

    {
        TValueBrowser source;
        source.setStoringPolicy(TValueBrowser::SP_Current);
        const QList<TBaseValue*> rows = fill(source);
        for (int i = 0; i < rows.size(); ++i)
            QVERIFY(rows.at(i)->setValue(values[i]));
        QSettings settings(path, QSettings::IniFormat);
        source.writeDataSet(settings);
        settings.sync();
        QCOMPARE(settings.status(), QSettings::NoError);
    }

    TValueBrowser target;
    target.setStoringPolicy(TValueBrowser::SP_Current);
    const QList<TBaseValue*> rows = fill(target);
    QSettings settings(path, QSettings::IniFormat);
    target.readDataSet(settings);
    for (int i = 0; i < rows.size(); ++i) {
        VERIFY_SAME(rows.at(i)->variant(), values[i]);
        QCOMPARE(rows.at(i)->value().kind, int(SK_Value));
    }
    QCOMPARE(rows.at(3)->text(1), QStringLiteral("2147483647,0,1,10"));
    QCOMPARE(rows.at(4)->text(1), QStringLiteral("0.00001 : 1234567.5"));
}

QTEST_MAIN(TestCompoundValues)

#include "tst_compoundvalues.moc"
