#include "tarvotest.h"

#include <QPushButton>
#include <QTranslator>

#include "tboolvalue.h"
#include "tpointvalue.h"

// The shipped German translation, installed after the library has built its
// static lists.
class TestTranslation : public QObject
{
    Q_OBJECT

    QTranslator m_translator;

private Q_SLOTS:
    void german()
    {
#ifndef TARVO_DE_QM
        QSKIP("translations are not built");
#else
        QVERIFY(m_translator.load(QStringLiteral(TARVO_DE_QM)));
        QVERIFY(QCoreApplication::installTranslator(&m_translator));
#endif
        TValueBrowser browser;
        browser.setSpecialList(&TValueBrowser::s_specialList);
        QVERIFY(browser.headerItem()->text(0) == "Eigenschaft" && browser.headerItem()->text(1) == "Wert");
        bool flag = false;
        TBoolValue* row = browser.addBool(0, "Flag", "", "flag", &flag);
        QCOMPARE(tt::shown(row), QStringLiteral("Falsch"));
        TPointValue* point = browser.addPoint(0, "Origin", "", "origin", nullptr);
        QVERIFY(point->child(0)->text(0) == "X-Koordinate" && point->child(1)->text(0) == "Y-Koordinate");
        point->setSpecial(SV_Default);
        QCOMPARE(tt::shown(point), QStringLiteral("Standard"));

        // The built-in lists are translated when shown, in the popup too.
        browser.show();
        QVERIFY(tt::pick(row, "Wahr") && row->boolean());
        TComboBox* combo = tt::open(row)->comboBox();
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        QCOMPARE(texts.filter(QRegularExpression("^(Standard|Ungültiger Wert|Falsch|Wahr|True)$")).size(), 4);
        QVERIFY(!texts.contains("True"));
        QCOMPARE(row->editor()->restoreButton()->toolTip(),
                 QStringLiteral("Vorherigen Wert wiederherstellen (Umschalt+Esc)"));
    }

    void cleanupTestCase()
    {
        QCoreApplication::removeTranslator(&m_translator);
        TValueBrowser browser;
        QCOMPARE(browser.headerItem()->text(0), QStringLiteral("Property"));
    }
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
