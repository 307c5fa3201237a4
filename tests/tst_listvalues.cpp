#include "tarvotest.h"

#include "tboolvalue.h"
#include "tintegervalue.h"
#include "tlistvalue.h"

#include <QSettings>
#include <QTemporaryDir>

using namespace tt;

namespace {

// A list with Low = 1 and High = 2.
struct Levels : TItemList
{
    Levels()
    {
        setItem(1, QStringLiteral("Low"));
        setItem(2, QStringLiteral("High"));
    }
};

} // namespace

class TestListValues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entries();
    void ownValuesAndAppending();
    void factoryAndValidators();
    void booleans();
    void settingsRoundTrip();
};

void TestListValues::entries()
{
    TValueBrowser browser;
    Levels list;
    TListValue value(&browser, QStringLiteral("Level"), &list);
    QVERIFY(value.value().kind == SK_ListItem && value.currentEntry() == list.first());
    QCOMPARE(shown(&value), QStringLiteral("Low"));
    QVERIFY(value.setValue(2));
    QCOMPARE(shown(&value), QStringLiteral("High"));
    // An entry's text, or a number of another type, selects the entry.
    QVERIFY(value.setValue(QStringLiteral("Low")));
    QVERIFY(value.value().value == QVariant(1) && value.currentEntry() == list.first());
    QVERIFY(value.setValue(QVariant(2u)));
    QVERIFY(value.currentEntry() == list.at(1));

    // No entries: an invalid value; no list at all: anything goes.
    TItemList empty;
    TListValue none(&browser, QStringLiteral("Empty"), &empty);
    QVERIFY(none.value().kind == SK_Value && !none.value().value.isValid());
    TListValue free(&browser, QStringLiteral("Free"), nullptr);
    QVERIFY(free.isOwnValues() && free.setValue(QStringLiteral("anything")));
    QCOMPARE(shown(&free), QStringLiteral("anything"));
}

void TestListValues::ownValuesAndAppending()
{
    TValueBrowser browser;
    Levels list;
    TListValue value(&browser, QStringLiteral("Level"), &list);
    value.allowListAppending(true);
    // Without own values an outside value is refused and nothing is added.
    QVERIFY(!value.isOwnValues() && !value.setValue(3));
    QCOMPARE(shown(&value), QStringLiteral("Low"));
    QCOMPARE(list.size(), 2);
    value.allowListAppending(false);
    value.allowOwnValues(true);
    QVERIFY(value.setValue(3));
    QVERIFY(value.value().kind == SK_Value && !value.currentEntry() && list.size() == 2);

    // Own values still go through the validator; only accepted ones are
    // appended, once.
    TIntValidator small(0, 5);
    value.setValidator(&small);
    value.allowListAppending(true);
    QVERIFY(!value.setValue(QStringLiteral("abc")));
    QCOMPARE(list.size(), 2);
    QVERIFY(value.setValue(9));
    QCOMPARE(list.last()->text, QStringLiteral("5"));
    QVERIFY(value.value().kind == SK_ListItem && value.currentEntry() == list.last());
    QVERIFY(value.setValue(1) && value.setValue(5));
    QCOMPARE(list.size(), 3);
    // A list shared by two values grows for both.
    TListValue other(&browser, QStringLiteral("Other"), &list);
    QVERIFY(other.setValue(QStringLiteral("5")));
    QVERIFY(other.currentEntry() == list.last());
}

void TestListValues::factoryAndValidators()
{
    TValueBrowser browser;
    browser.setSpecialList(&TValueBrowser::s_specialList);
    Levels list;
    int level = 2;
    QVERIFY(!browser.addList(-1, QStringLiteral("X"), QString(), QString(), nullptr, LT_Int, &list));
    TListValue* value = browser.addList(0, "Level", "hint", "level", &level, LT_Int, &list, true, false);
    QVERIFY(value->isOwnValues() && !value->isListAppending());
    QCOMPARE(value->properyName(), QStringLiteral("level"));
    browser.updateFromLinked();
    QCOMPARE(shown(value), QStringLiteral("High"));
    browser.show();
    QVERIFY(pick(value, "Low"));
    browser.updateLinked();
    QCOMPARE(level, 1);

    // A validator that refuses every value does not touch a list entry.
    QRegExp never(QStringLiteral("x{100}"));
    TRegExpValidator strict(never, nullptr);
    value->setValidator(&strict);
    QCOMPARE(value->value().kind, int(SK_ListItem));
    QCOMPARE(shown(value), QStringLiteral("Low"));
}

void TestListValues::booleans()
{
    TValueBrowser browser;
    bool flag = true;
    TBoolValue* value = browser.addBool(0, QStringLiteral("Flag"), QString(), QStringLiteral("flag"), &flag);
    QVERIFY(value->list() == &TBoolValue::s_BoolList && value->linkType() == LT_Bool);
    QCOMPARE(value->ItemID(), "TBoolValue");
    QVERIFY(!value->boolean());
    QCOMPARE(shown(value), QStringLiteral("False"));
    browser.updateFromLinked();
    QVERIFY(value->boolean() && value->checkState(1) == Qt::Checked);
    value->onClickItem(0); // the name column changes nothing
    QVERIFY(value->boolean());
    value->onClickItem(1);
    QVERIFY(!value->boolean() && value->checkState(1) == Qt::Unchecked);
    browser.updateLinked();
    QVERIFY(!flag);
    for (const QVariant& v : {QVariant(1), QVariant(0), QVariant(QStringLiteral("true"))}) {
        QVERIFY(value->setValue(v));
        QCOMPARE(value->boolean(), v.toBool());
        bool target = !v.toBool();
        value->writeValue(target);
        QCOMPARE(target, v.toBool());
    }
    // Without a special list nothing becomes special: the box stays in step.
    value->setSpecial(SV_Default);
    QVERIFY(value->value().kind == SK_ListItem && value->checkState(1) == Qt::Checked);
    QCOMPARE(shown(value), QStringLiteral("True"));

    // A special value is a partly checked box; a click makes it true.
    browser.setSpecialList(&TValueBrowser::s_specialList);
    value->setSpecial(SV_Unused);
    QVERIFY(value->value().kind == SK_Special && value->checkState(1) == Qt::PartiallyChecked);
    QCOMPARE(shown(value), QStringLiteral("Unused"));
    value->setValue(false);
    value->setSpecial(SV_Unused);
    value->onClickItem(1);
    QVERIFY(value->boolean() && value->value().kind == SK_ListItem && value->checkState(1) == Qt::Checked);
    QCOMPARE(TBoolValue::s_BoolList.size(), 2);
}

void TestListValues::settingsRoundTrip()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("lists.ini"));
    Levels list;
    TValueBrowser browsers[2];
    QList<TBaseValue*> rows[2];
    for (TValueBrowser& browser : browsers) {
        browser.setSpecialList(&TValueBrowser::s_specialList);
        rows[&browser - browsers] = {browser.addList(0, "Level", QString(), "level", nullptr, LT_Int, &list, true),
                                     browser.addBool(0, "Flag", QString(), "flag", nullptr),
                                     browser.addBool(0, "Unused", QString(), "unused", nullptr)};
    }
    rows[0][0]->setValue(2);
    rows[0][1]->setValue(true);
    rows[0][2]->setSpecial(SV_Unused);
    {
        QSettings settings(file, QSettings::IniFormat);
        browsers[0].writeDataSet(settings);
        settings.sync();
        QCOMPARE(settings.status(), QSettings::NoError);
        QCOMPARE(settings.value(QStringLiteral("level.Type")).toInt(), int(SK_ListItem));
    }
    QSettings settings(file, QSettings::IniFormat);
    browsers[1].readDataSet(settings);
    // Values read as text from the file find their entries again.
    QVERIFY(rows[1][0]->currentEntry() == list.at(1));
    QCOMPARE(rows[1][1]->checkState(1), Qt::Checked);
    QCOMPARE(rows[1][2]->value().kind, int(SK_Special));
    QCOMPARE(rows[1][2]->checkState(1), Qt::PartiallyChecked);
}

QTEST_MAIN(TestListValues)
#include "tst_listvalues.moc"
