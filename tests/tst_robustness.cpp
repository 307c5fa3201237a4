// Crashes and lost values found on the roads a user or an application takes:
// real popups and key presses, modal dialogs answered from inside their own
// event loop, windows destroyed with the browser inside, settings files
// written by hand.
#include "tarvotest.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>

#include <unistd.h>

#include "qeltexteditordialog.h"
#include "tbasegroup.h"
#include "tboolvalue.h"
#include "tcolorvalue.h"
#include "tcompoundvalidators.h"
#include "tfontvalue.h"
#include "tintegervalue.h"
#include "tlistvalue.h"
#include "trangevalue.h"
#include "ttextvalue.h"

using namespace tt;

namespace {

struct Form
{
    Form()
    {
        browser->setSpecialList(&TValueBrowser::s_specialList);
        browser->setItemLevel(browser->addGroup("G", "A"), 0);
        number = browser->addInt(1, "n", QString(), "n", &numberVar, LT_Int);
        color = browser->addColor(1, "c", QString(), "c", &colorVar);
        font = browser->addFont(1, "f", QString(), "f", &fontVar);
        color2 = browser->addColor(1, "c2", QString(), QString(), nullptr);
        font2 = browser->addFont(1, "f2", QString(), QString(), nullptr);
        browser->updateFromLinked();
        browser->show();
        QVERIFY(QTest::qWaitForWindowExposed(browser));
    }
    ~Form() { delete browser; }
    // Reads a settings file of the given lines.
    void read(const QByteArray& lines)
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("set.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(lines) == lines.size());
        file.close();
        QSettings settings(file.fileName(), QSettings::IniFormat);
        browser->readDataSet(settings);
    }

    int numberVar = 5;
    QColor colorVar = QColor(Qt::red);
    QFont fontVar = QFont("Sans", 10);
    QPointer<TValueBrowser> browser = new TValueBrowser;
    TIntegerValue* number;
    TColorValue *color, *color2;
    TFontValue *font, *font2;
};

// Writes the browser's values to a fresh file and reads them back.
void roundTrip(TValueBrowser* browser, const std::function<void()>& between)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("rt.ini"), QSettings::IniFormat);
    browser->writeDataSet(settings);
    between();
    browser->readDataSet(settings);
}

} // namespace

class TestRobustness : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { flush(); }

    void browserDestroyedInWindow()
    {
        TValueBrowser stays;
        auto* window = new QWidget;
        auto* browser = new TValueBrowser(window);
        bool dying = false;
        int late = 0;
        connect(browser, &TValueBrowser::ItemHint, [&] { late += dying; });
        connect(browser, &TValueBrowser::ItemChanged, [&] { late += dying; });
        window->show();
        browser->setCurrentItem(browser->addInt(0, "n", "hint", "n", nullptr, -1));
        QCOMPARE(stays.addPage(), 1);
        dying = true;
        delete window;
        QCOMPARE(late, 0);
        QCOMPARE(stays.addInt(0, "later", QString(), QString(), nullptr, -1)->page(), 1u);
    }

    // A color or font dialog whose asking editor lost its row takes nothing.
    void dialogOutlivesEditor_data()
    {
        QTest::addColumn<bool>("font");
        QTest::addColumn<bool>("button");
        QTest::addColumn<bool>("deleteBrowser");
        for (int i = 0; i < 8; ++i)
            QTest::addRow("%s %s, %s", i & 1 ? "font" : "color", i & 2 ? "button" : "entry",
                          i & 4 ? "browser deleteLater()" : "other row current")
                << bool(i & 1) << bool(i & 2) << bool(i & 4);
    }
    void dialogOutlivesEditor()
    {
        QFETCH(bool, font);
        QFETCH(bool, button);
        QFETCH(bool, deleteBrowser);
        Form f;
        TBaseValue* row = font ? static_cast<TBaseValue*>(f.font) : f.color;
        TBaseValue* other = font ? static_cast<TBaseValue*>(f.font2) : f.color2;
        const QString before = shown(row), otherBefore = shown(other);
        QSignalSpy picks(f.browser.data(), &TValueBrowser::ValuePicked);
        bool activationDone = false, inActivation = false;
        connect(open(row)->comboBox(), &QComboBox::textActivated, [&] { activationDone = true; });
        ModalAnswer<QDialog> answer([&](QDialog* dialog) {
            inActivation = !button && !activationDone;
            if (auto* colors = qobject_cast<QColorDialog*>(dialog))
                colors->setCurrentColor(Qt::blue);
            if (auto* fonts = qobject_cast<QFontDialog*>(dialog))
                fonts->setCurrentFont(QFont("Serif", 31));
            deleteBrowser ? f.browser->deleteLater() : f.browser->setCurrentItem(other);
            dialog->accept();
        });
        if (button)
            QTest::mouseClick(open(row)->buttonWidget(), Qt::LeftButton);
        else
            QVERIFY(pick(row, font ? "Pick font..." : "Pick color..."));
        QTRY_VERIFY(answer.seen());
        QVERIFY(!inActivation);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        if (deleteBrowser) // a browser deleted later still takes the pick
            QTRY_VERIFY(!f.browser);
        else {
            QCOMPARE(picks.count(), 0);
            QCOMPARE(shown(row), before);
            QCOMPARE(shown(other), otherBefore);
        }
    }

    void hiddenCurrentRowShownAgain_data()
    {
        QTest::addColumn<bool>("page");
        QTest::newRow("hidden row") << false;
        QTest::newRow("row on another page") << true;
    }
    void hiddenCurrentRowShownAgain()
    {
        QFETCH(bool, page);
        Form f;
        f.browser->addPage();
        TIntegerValue* row = page ? f.browser->addInt(0, "p", QString(), QString(), nullptr, -1) : f.number;
        QPointer<TDropList> editor = open(row);
        if (page)
            f.browser->switchPage(1);
        QVERIFY(editor);
        QTest::keyClicks(editor->comboBox(), "77");
        if (page) {
            f.browser->switchPage(0);
            f.browser->setCurrentItem(row);
            f.browser->switchPage(1);
        } else {
            row->setVisible(false);
            f.browser->setCurrentItem(row);
            row->setVisible(true);
        }
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(row->editor(), editor.data());
        QCOMPARE(editor->lineEdit()->text(), QString("77"));
    }

    void specialListReplacedWithEditorOpen()
    {
        Form f;
        f.browser->setSpecialList(new SpecialValueList, false);
        QVERIFY(!pick(f.number, "none")); // fills the list from the empty one
        f.browser->setSpecialList(&TValueBrowser::s_specialList, true);
        key(f.number, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(f.number->value().kind, int(SK_Special));
        f.browser->setSpecialList(nullptr);
        QCOMPARE(f.number->editor()->comboBox()->findText("Default"), -1);
    }

    void corruptSettingsValue_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QPointF>("range");
        const QPointF kept(1, 2);
        QTest::newRow("reported") << QByteArray("@Variant(\\0\\0\\0\\x81a?\\xf8)") << kept;
        QTest::newRow("list of a huge count") << QByteArray("@Variant(\\0\\0\\0\\ta?\\xf8)") << kept;
        QTest::newRow("string list, raw bytes") << QByteArray("@Variant(\0\0\0\x0b\x7f\xff\xff\xff)", 18) << kept;
        QTest::newRow("list in a list")
            << QByteArray("1, @Variant(\\0\\0\\0\\t\\0\\0\\0\\x1\\0\\0\\0\\t\\x7f\\0\\0\\0)") << kept;
        QTest::newRow("sound point")
            << QByteArray("@Variant(\\0\\0\\0\\x1a?\\xf8\\0\\0\\0\\0\\0\\0@\\b\\0\\0\\0\\0\\0\\0)") << QPointF(1.5, 3);
    }
    void corruptSettingsValue()
    {
        QFETCH(QByteArray, value);
        QFETCH(QPointF, range);
        Form f;
        TRangeValue* row = f.browser->addRange(1, "rg", QString(), "rg", nullptr);
        row->setValue(QPointF(1, 2));
        f.read("[A]\nrg=" + value + "\nn=7\n");
        QCOMPARE(f.number->number(), 7);
        QCOMPARE(row->range(), range);
    }

    void commandActsForItsOwnBrowser()
    {
        Form a, b;
        QVERIFY(!pick(a.color, "none")); // fills a's list
        open(b.color)->comboBox()->ensureFilled();
        ModalAnswer<QColorDialog> answer([](QColorDialog* dialog) {
            dialog->setCurrentColor(Qt::blue);
            dialog->accept();
        });
        QVERIFY(pick(a.color, "Pick color..."));
        QTRY_COMPARE(a.color->color(), QColor(Qt::blue));
        QCOMPARE(b.color->color(), QColor(Qt::red));
    }

    // A family outside the list reads back as itself, with Return or Down.
    void fontFamilyOutsideList()
    {
        Form f;
        f.fontVar = QFont("No Such Family Xq", 11);
        f.browser->updateFromLinked();
        f.browser->storeSet();
        for (const Qt::Key k : {Qt::Key_Return, Qt::Key_Down}) {
            QCOMPARE(open(f.font)->lineEdit()->text(), QString("No Such Family Xq [11]"));
            QVERIFY(!pick(f.font, "none")); // fills the list
            key(f.font, k);
            f.browser->updateLinked();
            QCOMPARE(f.fontVar.family(), QString("No Such Family Xq"));
            QCOMPARE(shown(f.font), QString("No Such Family Xq [11]"));
        }
    }

    void colorValues_data()
    {
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QString>("text");
        QTest::newRow("translucent") << QVariant(QColor(10, 20, 30, 40)) << QColor(10, 20, 30, 40) << "#280a141e";
        QTest::newRow("transparent") << QVariant("transparent") << QColor(0, 0, 0, 0) << "transparent";
        QTest::newRow("QRgb as text") << QVariant("4294901760") << QColor(Qt::red) << "Red";
    }
    void colorValues()
    {
        QFETCH(QVariant, input);
        QFETCH(QColor, color);
        QFETCH(QString, text);
        QCOMPARE(TColorList::baseColorList().findItem(QColor(255, 0, 0, 128))->text, QString("Red"));
        Form f;
        QVERIFY(f.color->setValue(input));
        QCOMPARE(f.color->color(), color);
        QCOMPARE(shown(f.color), text);
        f.browser->updateLinked();
        QCOMPARE(f.colorVar, color);
        f.browser->updateFromLinked();
        QCOMPARE(f.color->color(), color);
        roundTrip(f.browser, [&] { f.color->setValue(QColor(Qt::green)); });
        QCOMPARE(f.color->color(), color);
    }

    // The entry picked is the entry shown, also where two name one color.
    void equalColorEntries()
    {
        Form f;
        TColorValue* row = f.browser->addColor(1, "r", QString(), QString(), nullptr, &TColorList::registeredColorList());
        for (const QString entry : {"cyan", "grey"}) {
            QVERIFY(pick(row, entry));
            QTRY_COMPARE(shown(row), entry);
            QCOMPARE(row->editor()->lineEdit()->text(), entry);
        }
    }

    void specialValuesAndListChanges()
    {
        Form f;
        f.number->setSpecial(SV_Default);
        f.browser->setSpecialList(nullptr);
        f.browser->setStoringPolicy(TValueBrowser::SP_Stored);
        f.read("[A]\nn=8\nn.Type=1\n");
        f.browser->setStoringPolicy(TValueBrowser::SP_Current);
        QTemporaryDir dir;
        QSettings settings(dir.filePath("w.ini"), QSettings::IniFormat);
        f.browser->writeDataSet(settings);
        settings.endGroup();
        QCOMPARE(settings.value("A/n.Type").toInt(), int(SK_Special));
        f.browser->setSpecialList(&TValueBrowser::s_specialList);
        QCOMPARE(shown(f.number), QString("Default"));
        f.number->setValue(5);
        f.browser->restoreSet();
        QCOMPARE(f.number->value().kind, int(SK_Special));
        QCOMPARE(shown(f.number), QString("Default"));
    }

    // restoreSet() before any baseline keeps the check state; "no value"
    // goes through settings as "no value".
    void checkStateAndNoValue()
    {
        Form f;
        bool on = false;
        f.number->addCheckProperty("n.on", &on, LT_Bool);
        f.number->setChecked(Qt::Checked);
        f.browser->restoreSet();
        f.browser->updateLinked();
        QVERIFY(on);
        TListValue* row = f.browser->addList(1, "l", QString(), "l", nullptr, -1, nullptr, true);
        QVERIFY(!row->variant().isValid());
        roundTrip(f.browser, [&] { row->setValue("x"); });
        QVERIFY(!row->variant().isValid());
    }

    void textKeysOfOtherTypes_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("policy");
        QTest::addColumn<QString>("text");
        for (const int policy : {int(TValueBrowser::SP_Current), int(TValueBrowser::SP_Linked)}) {
            QTest::addRow("string list %d", policy) << QByteArray("Hello, world") << policy << "Hello, world";
            QTest::addRow("point %d", policy) << QByteArray("@Point(1 2)") << policy << "kept";
        }
    }
    void textKeysOfOtherTypes()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, policy);
        QFETCH(QString, text);
        Form f;
        QString note = "kept";
        TTextValue* row = f.browser->addText(1, "note", QString(), "note", &note);
        f.browser->updateFromLinked();
        f.browser->setStoringPolicy(TValueBrowser::EStoringPolicy(policy));
        f.read("[A]\nnote=" + line + "\n");
        QCOMPARE(policy == TValueBrowser::SP_Linked ? note : shown(row), text);
    }

    void callerTextsOfBuiltInEntries()
    {
        TItem* entry = TValueBrowser::s_specialList.findItem(int(SV_Default));
        TItem* yes = TBoolValue::s_BoolList.at(1);
        const QString oldEntry = entry->text, oldYes = yes->text;
        entry->text = "Std";
        yes->text = "Jawohl";
        Form f;
        f.number->setSpecial(SV_Default);
        const bool ok = shown(f.number) == "Std" && TValueBrowser::s_specialList.findItemByText("Std") == entry
            && TBoolValue::s_BoolList.findItemByText("Jawohl") == yes && entry->text == "Std";
        entry->text = oldEntry;
        yes->text = oldYes;
        QVERIFY(ok);
    }

    void saveIntoReadOnlyDirectory()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("note.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("note") == 4);
        file.close();
        qelTextEditorDialog dialog;
        QVERIFY(dialog.loadFromFile(file.fileName()));
        QVERIFY(file.resize(0) && file.setPermissions(QFileDevice::Permissions(0x6666)));
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x5555)));
        // Root writes anywhere: the save runs as an ordinary user.
        const bool root = geteuid() == 0;
        QVERIFY(!root || seteuid(65534) == 0);
        const bool saved = dialog.saveToFile(file.fileName());
        QVERIFY(!root || seteuid(0) == 0);
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
        QVERIFY(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("note"));
    }

    void rangeTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPointF>("range");
        QTest::newRow("1.5..2.5") << "1.5..2.5" << QPointF(1.5, 2.5);
        QTest::newRow("10.0..20.0") << "10.0..20.0" << QPointF(10, 20);
        QTest::newRow("-1.5 .. -0.5") << "-1.5 .. -0.5" << QPointF(-1.5, -0.5);
        QTest::newRow("10,-20") << "10,-20" << QPointF(10, -20);
    }
    void rangeTexts()
    {
        QFETCH(QString, text);
        QFETCH(QPointF, range);
        Form f;
        TRangeValidator wide(nullptr, -100, 100, -100, 100);
        TRangeValue* row = f.browser->addRange(1, "rg", QString(), QString(), nullptr, &wide);
        type(row, text);
        QCOMPARE(row->range(), range);
    }
};

QTEST_MAIN(TestRobustness)
#include "tst_robustness.moc"
