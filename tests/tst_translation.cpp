#include "tarvotest.h"

#include <QPushButton>
#include <QTranslator>

#include "tboolvalue.h"
#include "tpointvalue.h"

// The shipped German translation, installed after the library has built its static lists.
class TestTranslation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void german()
    {
#ifndef TARVO_DE_QM
        QSKIP("translations are not built");
#else
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(TARVO_DE_QM)) && QCoreApplication::installTranslator(&translator));
        TValueBrowser browser;
        browser.setSpecialList(&TValueBrowser::s_specialList);
        QVERIFY(browser.headerItem()->text(0) == "Eigenschaft" && browser.headerItem()->text(1) == "Wert");
        TBoolValue* row = browser.addBool(0, "Flag", "", "flag", nullptr);
        TPointValue* point = browser.addPoint(0, "Origin", "", "origin", nullptr);
        QVERIFY(point->child(0)->text(0) == "X-Koordinate" && point->child(1)->text(0) == "Y-Koordinate");
        point->setSpecial(SV_Default);
        QVERIFY(tt::shown(point) == "Standard" && tt::shown(row) == "Falsch");
        // The built-in lists are translated when shown, in the popup too.
        browser.show();
        QVERIFY(tt::pick(row, "Wahr") && row->boolean());
        QStringList texts;
        for (int i = 0; i < row->editor()->comboBox()->count(); ++i)
            texts << row->editor()->comboBox()->itemText(i);
        QCOMPARE(texts.filter(QRegularExpression("^(Standard|Ungültiger Wert|Falsch|Wahr|True)$")).size(), 4);
        QCOMPARE(row->editor()->restoreButton()->toolTip(), QStringLiteral("Vorherigen Wert wiederherstellen (Umschalt+Esc)"));
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(TValueBrowser().headerItem()->text(0), QStringLiteral("Property"));
#endif
    }
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
