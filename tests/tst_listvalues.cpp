#include "tboolvalue.h"
#include "tintegervalue.h"
#include "tlistvalue.h"
#include "tvaluebrowser.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestListValues : public QObject
{
    Q_OBJECT

private:
    // A list with Low = 1 and High = 2.
    static void fillLevels(TItemList& list)
    {
        list.setItem(1, QStringLiteral("Low"));
        list.setItem(2, QStringLiteral("High"));
    }

private Q_SLOTS:
    void firstEntryIsInitialValue();
    void selectsByValueAndByText();
    void ownValues();
    void listAppending();
    void rejectedValueAppendsNothing();
    void emptyListGivesInvalidValue();
    void factoryAddList();
    void listEntrySurvivesNewValidator();

    void boolStartsFalse();
    void boolClickToggles();
    void boolSpecialAndClick();
    void boolSpecialWithoutSpecialList();
    void boolVariantConversion();
    void boolSharesList();
    void boolFactoryAndLink();

    void settingsRoundTrip();
};

void TestListValues::firstEntryIsInitialValue()
{
    TValueBrowser browser;
    TItemList list;
    fillLevels(list);
    TListValue value(&browser, QStringLiteral("Level"), &list);
    QCOMPARE(value.value().kind, int(SK_ListItem));
    QCOMPARE(value.value().value, QVariant(1));
    QCOMPARE(value.text(1), QStringLiteral("Low"));
    QCOMPARE(value.currentEntry(), list.first());
}

void TestListValues::selectsByValueAndByText()
{
    TValueBrowser browser;
    TItemList list;
    fillLevels(list);
    TListValue value(&browser, QStringLiteral("Level"), &list);
    QVERIFY(value.setValue(2));
    QCOMPARE(value.text(1), QStringLiteral("High"));
    QCOMPARE(value.value().kind, int(SK_ListItem));
    // Typed text equal to an entry's text selects the entry.
    QVERIFY(value.setValue(QStringLiteral("Low")));
    QCOMPARE(value.value().value, QVariant(1));
    QCOMPARE(value.currentEntry(), list.first());
    // A number of another type still matches.
    QVERIFY(value.setValue(QVariant(2u)));
    QCOMPARE(value.currentEntry(), list.at(1));
}

void TestListValues::ownValues()
{
    TValueBrowser browser;
    TItemList list;
    fillLevels(list);
    TListValue value(&browser, QStringLiteral("Level"), &list);
    QVERIFY(!value.isOwnValues());
    QVERIFY(!value.setValue(3));
    QCOMPARE(value.text(1), QStringLiteral("Low"));

    value.allowOwnValues(true);
    QVERIFY(value.setValue(3));
    QCOMPARE(value.value().kind, int(SK_Value));
    QCOMPARE(value.text(1), QStringLiteral("3"));
    QCOMPARE(value.currentEntry(), nullptr);
    QCOMPARE(list.size(), 2);

    // Own values still go through the validator.
    TIntValidator small(0, 5);
    value.setValidator(&small);
    QVERIFY(value.setValue(9));
    QCOMPARE(value.value().value, QVariant(QStringLiteral("5")));
    QVERIFY(!value.setValue(QStringLiteral("abc")));
}

void TestListValues::listAppending()
{
    TValueBrowser browser;
    TItemList list;
    fillLevels(list);
    TListValue value(&browser, QStringLiteral("Level"), &list);
    value.allowOwnValues(true);
    value.allowListAppending(true);
    QVERIFY(value.setValue(3));
    QCOMPARE(list.size(), 3);
    QCOMPARE(list.last()->text, QStringLiteral("3"));
    QCOMPARE(value.value().kind, int(SK_ListItem));
    QCOMPARE(value.currentEntry(), list.last());
    // The second time the entry is found, not added again.
    QVERIFY(value.setValue(1));
    QVERIFY(value.setValue(3));
    QCOMPARE(list.size(), 3);

    // A list shared by two values grows for both.
    TListValue other(&browser, QStringLiteral("Other"), &list);
    QVERIFY(other.setValue(QStringLiteral("3")));
    QCOMPARE(other.currentEntry(), list.last());
}

void TestListValues::rejectedValueAppendsNothing()
{
    TValueBrowser browser;
    TItemList list;
    fillLevels(list);
    TListValue value(&browser, QStringLiteral("Level"), &list);
    value.allowListAppending(true);
    // Without own values an outside value is refused and nothing is added.
    QVERIFY(!value.setValue(7));
    QCOMPARE(list.size(), 2);

    value.allowOwnValues(true);
    TIntValidator digits(0, 9);
    value.setValidator(&digits);
    QVERIFY(!value.setValue(QStringLiteral("x")));
    QCOMPARE(list.size(), 2);
}

void TestListValues::emptyListGivesInvalidValue()
{
    TValueBrowser browser;
    TItemList list;
    TListValue value(&browser, QStringLiteral("Empty"), &list);
    QCOMPARE(value.value().kind, int(SK_Value));
    QVERIFY(!value.value().value.isValid());
    // A value built without a list accepts anything.
    TListValue free(&browser, QStringLiteral("Free"), nullptr);
    QVERIFY(free.isOwnValues());
    QVERIFY(free.setValue(QStringLiteral("anything")));
    QCOMPARE(free.text(1), QStringLiteral("anything"));
}

void TestListValues::factoryAddList()
{
    TValueBrowser browser;
    TItemList list;
    fillLevels(list);
    int level = 2;
    TListValue* value = browser.addList(0, QStringLiteral("Level"), QStringLiteral("hint"),
                                        QStringLiteral("level"), &level, LT_Int, &list, true, false);
    QVERIFY(value);
    QVERIFY(value->isOwnValues());
    QVERIFY(!value->isListAppending());
    QCOMPARE(value->properyName(), QStringLiteral("level"));
    browser.updateFromLinked();
    QCOMPARE(value->text(1), QStringLiteral("High"));
    QVERIFY(value->setValue(1));
    browser.updateLinked();
    QCOMPARE(level, 1);
    QVERIFY(!browser.addList(-1, QStringLiteral("X"), QString(), QString(), nullptr, LT_Int, &list));
}

void TestListValues::listEntrySurvivesNewValidator()
{
    TValueBrowser browser;
    browser.setSpecialList(&TValueBrowser::s_specialList);
    TItemList list;
    fillLevels(list);
    TListValue value(&browser, QStringLiteral("Level"), &list);
    // A validator that refuses every value does not touch a list entry.
    QRegExp never(QStringLiteral("x{100}"));
    TRegExpValidator strict(never, nullptr);
    value.setValidator(&strict);
    QCOMPARE(value.value().kind, int(SK_ListItem));
    QCOMPARE(value.text(1), QStringLiteral("Low"));
}

void TestListValues::boolStartsFalse()
{
    TValueBrowser browser;
    TBoolValue value(&browser, QStringLiteral("Flag"));
    QVERIFY(!value.boolean());
    QCOMPARE(value.checkState(1), Qt::Unchecked);
    QCOMPARE(value.text(1), QStringLiteral("False"));
    bool target = true;
    value.writeValue(target);
    QVERIFY(!target);
    QCOMPARE(QString::fromLatin1(value.ItemID()), QStringLiteral("TBoolValue"));
}

void TestListValues::boolClickToggles()
{
    TValueBrowser browser;
    TBoolValue value(&browser, QStringLiteral("Flag"));
    value.onClickItem(1);
    QVERIFY(value.boolean());
    QCOMPARE(value.checkState(1), Qt::Checked);
    QCOMPARE(value.text(1), QStringLiteral("True"));
    value.onClickItem(0); // the name column changes nothing
    QVERIFY(value.boolean());
    value.onClickItem(1);
    QVERIFY(!value.boolean());
    QCOMPARE(value.checkState(1), Qt::Unchecked);
}

void TestListValues::boolSpecialAndClick()
{
    TValueBrowser browser;
    browser.setSpecialList(&TValueBrowser::s_specialList);
    TBoolValue value(&browser, QStringLiteral("Flag"));
    value.setSpecial(SV_Unused);
    QCOMPARE(value.value().kind, int(SK_Special));
    QCOMPARE(value.checkState(1), Qt::PartiallyChecked);
    QCOMPARE(value.text(1), QStringLiteral("Unused"));
    value.onClickItem(1);
    QVERIFY(value.boolean());
    QCOMPARE(value.value().kind, int(SK_ListItem));
    QCOMPARE(value.checkState(1), Qt::Checked);
}

void TestListValues::boolSpecialWithoutSpecialList()
{
    TValueBrowser browser; // no special list
    TBoolValue value(&browser, QStringLiteral("Flag"));
    value.setValue(true);
    value.setSpecial(SV_Default);
    // Nothing became special: the box stays in step with the boolean.
    QCOMPARE(value.value().kind, int(SK_ListItem));
    QCOMPARE(value.checkState(1), Qt::Checked);
    QCOMPARE(value.text(1), QStringLiteral("True"));
}

void TestListValues::boolVariantConversion()
{
    TValueBrowser browser;
    TBoolValue value(&browser, QStringLiteral("Flag"));
    QVERIFY(value.setValue(QVariant(1)));
    QVERIFY(value.boolean());
    QVERIFY(value.setValue(QVariant(0)));
    QVERIFY(!value.boolean());
    QVERIFY(value.setValue(QVariant(QStringLiteral("true"))));
    QVERIFY(value.boolean());
}

void TestListValues::boolSharesList()
{
    TValueBrowser a;
    TValueBrowser b;
    TBoolValue first(&a, QStringLiteral("A"));
    TBoolValue second(&b, QStringLiteral("B"));
    QCOMPARE(first.list(), &TBoolValue::s_BoolList);
    QCOMPARE(second.list(), &TBoolValue::s_BoolList);
    QCOMPARE(TBoolValue::s_BoolList.size(), 2);
}

void TestListValues::boolFactoryAndLink()
{
    TValueBrowser browser;
    bool flag = true;
    TBoolValue* value = browser.addBool(0, QStringLiteral("Flag"), QString(), QStringLiteral("flag"), &flag);
    QVERIFY(value);
    QCOMPARE(value->linkType(), int(LT_Bool));
    browser.updateFromLinked();
    QVERIFY(value->boolean());
    QCOMPARE(value->checkState(1), Qt::Checked);
    value->onClickItem(1);
    browser.updateLinked();
    QVERIFY(!flag);
}

void TestListValues::settingsRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("lists.ini"));
    TItemList list;
    fillLevels(list);

    {
        TValueBrowser browser;
        browser.setSpecialList(&TValueBrowser::s_specialList);
        TListValue* level = browser.addList(0, QStringLiteral("Level"), QString(), QStringLiteral("level"),
                                            nullptr, LT_Int, &list, true);
        TBoolValue* flag = browser.addBool(0, QStringLiteral("Flag"), QString(), QStringLiteral("flag"), nullptr);
        TBoolValue* unused = browser.addBool(0, QStringLiteral("Unused"), QString(), QStringLiteral("unused"), nullptr);
        level->setValue(2);
        flag->setValue(true);
        unused->setSpecial(SV_Unused);
        QSettings settings(file, QSettings::IniFormat);
        browser.writeDataSet(settings);
        settings.sync();
        QCOMPARE(settings.status(), QSettings::NoError);
        QCOMPARE(settings.value(QStringLiteral("level.Type")).toInt(), int(SK_ListItem));
    }

    TValueBrowser browser;
    browser.setSpecialList(&TValueBrowser::s_specialList);
    TListValue* level = browser.addList(0, QStringLiteral("Level"), QString(), QStringLiteral("level"),
                                        nullptr, LT_Int, &list, true);
    TBoolValue* flag = browser.addBool(0, QStringLiteral("Flag"), QString(), QStringLiteral("flag"), nullptr);
    TBoolValue* unused = browser.addBool(0, QStringLiteral("Unused"), QString(), QStringLiteral("unused"), nullptr);
    QSettings settings(file, QSettings::IniFormat);
    browser.readDataSet(settings);
    // Values read as text from the file find their entries again.
    QCOMPARE(level->currentEntry(), list.at(1));
    QVERIFY(flag->boolean());
    QCOMPARE(flag->checkState(1), Qt::Checked);
    QCOMPARE(unused->value().kind, int(SK_Special));
    QCOMPARE(unused->checkState(1), Qt::PartiallyChecked);
}

QTEST_MAIN(TestListValues)
#include "tst_listvalues.moc"
