#include <QtTest>

#include <QPushButton>
#include <QTranslator>

#include "tboolvalue.h"
#include "tcombobox_p.h"
#include "tdroplist_p.h"
#include "tintegervalue.h"
#include "titemlist.h"
#include "tpointvalue.h"
#include "tvaluebrowser.h"

// The shipped German translation, installed after the library has built its
// static lists.
class TestTranslation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void headerAndSpecialValue();
    void builtInListsWhenShown();
    void childNamesAndEditorTexts();

private:
    QTranslator m_translator;
};

void TestTranslation::initTestCase()
{
#ifndef TARVO_DE_QM
    QSKIP("translations are not built");
#else
    QVERIFY(m_translator.load(QStringLiteral(TARVO_DE_QM)));
    QVERIFY(QCoreApplication::installTranslator(&m_translator));
#endif
}

void TestTranslation::cleanupTestCase()
{
    QCoreApplication::removeTranslator(&m_translator);
    TValueBrowser browser;
    QCOMPARE(browser.headerItem()->text(0), QStringLiteral("Property"));
}

void TestTranslation::headerAndSpecialValue()
{
    TValueBrowser browser;
    QCOMPARE(browser.headerItem()->text(0), QStringLiteral("Eigenschaft"));
    QCOMPARE(browser.headerItem()->text(1), QStringLiteral("Wert"));

    browser.setSpecialList(&TValueBrowser::s_specialList);
    int width = 3;
    TIntegerValue* row = browser.addInt(0, "Width", "", "width", &width, LT_Int);
    row->setSpecial(SV_Default);
    QCOMPARE(row->text(1), QStringLiteral("Standard"));
}

void TestTranslation::builtInListsWhenShown()
{
    TValueBrowser browser;
    browser.setSpecialList(&TValueBrowser::s_specialList);
    bool flag = false;
    TBoolValue* row = browser.addBool(0, "Flag", "", "flag", &flag);
    browser.updateFromLinked();
    QCOMPARE(row->text(1), QStringLiteral("Falsch"));

    browser.show();
    browser.setCurrentItem(row);
    QVERIFY(row->editor());
    TComboBox* combo = row->editor()->comboBox();
    combo->showPopup();
    combo->hidePopup();
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    QVERIFY2(texts.contains(QStringLiteral("Standard")), qPrintable(texts.join(',')));
    QVERIFY2(texts.contains(QStringLiteral("Ungültiger Wert")), qPrintable(texts.join(',')));
    QVERIFY2(texts.contains(QStringLiteral("Falsch")), qPrintable(texts.join(',')));
    QVERIFY2(texts.contains(QStringLiteral("Wahr")), qPrintable(texts.join(',')));
    QVERIFY(!texts.contains(QStringLiteral("True")));
}

void TestTranslation::childNamesAndEditorTexts()
{
    TValueBrowser browser;
    QPoint origin(1, 2);
    TPointValue* point = browser.addPoint(0, "Origin", "", "origin", &origin);
    QCOMPARE(point->childCount(), 2);
    QCOMPARE(point->child(0)->text(0), QStringLiteral("X-Koordinate"));
    QCOMPARE(point->child(1)->text(0), QStringLiteral("Y-Koordinate"));

    int width = 3;
    TIntegerValue* row = browser.addInt(0, "Width", "", "width", &width, LT_Int);
    browser.show();
    browser.setCurrentItem(row);
    QVERIFY(row->editor());
    QCOMPARE(row->editor()->restoreButton()->toolTip(),
             QStringLiteral("Vorherigen Wert wiederherstellen (Umschalt+Esc)"));
}

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
