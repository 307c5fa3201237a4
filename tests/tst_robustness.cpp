// Crashes and lost values found on the roads a user or an application takes:
// real popups and key presses, modal dialogs answered from inside their own
// event loop, windows destroyed with the browser inside, settings files
// written by hand.

#include <QtTest>

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>
#include <unistd.h>

#include "qeltexteditordialog.h"
#include "tboolvalue.h"
#include "tbasegroup.h"
#include "tcolorvalue.h"
#include "tcombobox_p.h"
#include "tcompoundvalidators.h"
#include "tdroplist_p.h"
#include "tfontvalue.h"
#include "tintegervalue.h"
#include "tlistvalue.h"
#include "trangevalue.h"
#include "ttextvalue.h"
#include "tvaluebrowser.h"

namespace {

// A window that shows the current row's hint, as an application's would.
class HintWindow : public QWidget
{
public:
    HintWindow() { connect(browser, &TValueBrowser::ItemHint, this, &HintWindow::showHint); }
    ~HintWindow() override { hint.reset(); }
    void showHint(const QString& text) { hint ? void(*hint = text) : void(++lateHints); }

    std::unique_ptr<QString> hint = std::make_unique<QString>();
    TValueBrowser* browser = new TValueBrowser(this);
    static int lateHints;
};
int HintWindow::lateHints = 0;

struct Form
{
    Form()
    {
        browser->setSpecialList(&TValueBrowser::s_specialList);
        browser->setItemLevel(browser->addGroup("G", "A"), 0);
        number = browser->addInt(1, "n", QString(), "n", &numberVar, LT_Int);
        other = browser->addInt(1, "o", QString(), "o", &numberVar, LT_Int);
        color = browser->addColor(1, "c", QString(), "c", &colorVar);
        font = browser->addFont(1, "f", QString(), "f", &fontVar);
        color2 = browser->addColor(1, "c2", QString(), QString(), nullptr);
        font2 = browser->addFont(1, "f2", QString(), QString(), nullptr);
        browser->updateFromLinked();
        browser->show();
        QVERIFY(QTest::qWaitForWindowExposed(browser));
    }
    ~Form() { delete browser; }
    TDropList* enter(TBaseValue* row)
    {
        browser->setCurrentItem(row);
        return row->editor();
    }
    void type(TBaseValue* row, const QString& text, Qt::Key key = Qt::Key_Return)
    {
        TDropList* editor = enter(row);
        QVERIFY(editor);
        editor->lineEdit()->selectAll();
        QTest::keyClicks(editor->comboBox(), text);
        QTest::keyClick(editor->comboBox(), key);
    }

    int numberVar = 5;
    QColor colorVar = QColor(Qt::red);
    QFont fontVar = QFont("Sans", 10);
    QPointer<TValueBrowser> browser = new TValueBrowser;
    TIntegerValue* number;
    TIntegerValue* other;
    TColorValue* color;
    TFontValue* font;
    TColorValue* color2;
    TFontValue* font2;
};

// Runs action inside the next modal dialog's event loop, then closes it.
void answerDialog(std::function<void(QDialog*)> action, bool accept = true, int tries = 300)
{
    QTimer::singleShot(10, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (tries > 0)
                answerDialog(action, accept, tries - 1);
            return;
        }
        action(dialog);
        accept ? dialog->accept() : dialog->reject();
    });
}

// Opens the popup with Alt+Down and waits for its view.
QAbstractItemView* openPopup(TDropList* editor)
{
    QTest::keyClick(editor->comboBox(), Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* view = editor->comboBox()->view();
    return QTest::qWaitFor([view] { return view->isVisible(); }) ? view : nullptr;
}

// Clicks the popup's entry with the given text.
bool clickEntry(TDropList* editor, const QString& text)
{
    QAbstractItemView* view = openPopup(editor);
    const int row = editor->comboBox()->findText(text, Qt::MatchExactly);
    if (!view || row < 0)
        return false;
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    return true;
}

// A settings file of the given lines.
QString settingsFile(const QTemporaryDir& dir, const QByteArray& lines)
{
    const QString name = dir.filePath("set.ini");
    QFile file(name);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(lines);
    return name;
}

enum Action { OtherRow, DeleteRow, Clear, DeleteBrowser };

} // namespace

Q_DECLARE_METATYPE(Action)

class TestRobustness : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void browserDestroyedInWindow();
    void dialogOutlivesEditor_data();
    void dialogOutlivesEditor();
    void hiddenCurrentRowShownAgain_data();
    void hiddenCurrentRowShownAgain();
    void specialListReplacedWithEditorOpen();
    void corruptSettingsValue_data();
    void corruptSettingsValue();
    void commandActsForItsOwnBrowser();
    void fontFamilyOutsideList_data();
    void fontFamilyOutsideList();
    void colorValues_data();
    void colorValues();
    void equalColorEntries_data();
    void equalColorEntries();
    void specialValuesAndListChanges();
    void checkStateBeforeBaseline();
    void emptyListValueRoundTrip();
    void textKeysOfOtherTypes_data();
    void textKeysOfOtherTypes();
    void callerTextsOfBuiltInEntries();
    void saveIntoReadOnlyDirectory();
    void rangeTexts_data();
    void rangeTexts();
};

void TestRobustness::browserDestroyedInWindow()
{
    TValueBrowser stays;
    auto* window = new HintWindow;
    TIntegerValue* row = window->browser->addInt(0, "n", "hint", "n", nullptr, -1);
    window->show();
    window->browser->setCurrentItem(row);
    QCOMPARE(*window->hint, QString("hint"));
    QCOMPARE(stays.addPage(), 1);
    delete window;
    QCOMPARE(HintWindow::lateHints, 0);
    QCOMPARE(stays.addInt(0, "later", QString(), QString(), nullptr, -1)->page(), 1u);
}

void TestRobustness::dialogOutlivesEditor_data()
{
    QTest::addColumn<bool>("font");
    QTest::addColumn<bool>("button");
    QTest::addColumn<Action>("action");
    const char* names[] = {"other row current", "row deleted", "clear()", "browser deleteLater()"};
    for (int action = OtherRow; action <= DeleteBrowser; ++action) {
        for (const bool font : {false, true}) {
            for (const bool button : {false, true})
                QTest::addRow("%s %s, %s", font ? "font" : "color", button ? "button" : "entry", names[action])
                    << font << button << Action(action);
        }
    }
}

void TestRobustness::dialogOutlivesEditor()
{
    QFETCH(bool, font);
    QFETCH(bool, button);
    QFETCH(Action, action);
    Form f;
    TBaseValue* row = font ? static_cast<TBaseValue*>(f.font) : f.color;
    TBaseValue* other = font ? static_cast<TBaseValue*>(f.font2) : f.color2;
    const QString before = row->text(1), otherBefore = other->text(1);
    TDropList* editor = f.enter(row);
    QSignalSpy picks(f.browser.data(), &TValueBrowser::ValuePicked);
    bool answered = false, activationDone = false, inActivation = false;
    connect(editor->comboBox(), &QComboBox::textActivated, [&] { activationDone = true; });
    answerDialog([&](QDialog* dialog) {
        answered = true;
        inActivation = !button && !activationDone;
        if (auto* colors = qobject_cast<QColorDialog*>(dialog))
            colors->setCurrentColor(Qt::blue);
        if (auto* fonts = qobject_cast<QFontDialog*>(dialog))
            fonts->setCurrentFont(QFont("Serif", 31));
        switch (action) {
        case OtherRow: f.browser->setCurrentItem(other); break;
        case DeleteRow: delete row; break;
        case Clear: f.browser->clear(); break;
        case DeleteBrowser: f.browser->deleteLater(); break;
        }
    });
    if (button) {
        qobject_cast<QToolButton*>(editor->buttonWidget())->click();
    } else {
        QVERIFY(openPopup(editor));
        QTest::keyClick(editor->comboBox()->view(), Qt::Key_End);
        QTest::keyClick(editor->comboBox()->view(), Qt::Key_Return);
    }
    QTRY_VERIFY(answered);
    QVERIFY(!inActivation);
    // Let what is pending run: posted events, the view's delayed layout.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    // A browser deleted later still takes the pick, and goes afterwards.
    if (action != DeleteBrowser)
        QCOMPARE(picks.count(), 0);
    if (action == OtherRow) {
        QCOMPARE(row->text(1), before);
        QCOMPARE(other->text(1), otherBefore);
    }
    if (action == DeleteBrowser)
        QTRY_VERIFY(!f.browser);
}

void TestRobustness::hiddenCurrentRowShownAgain_data()
{
    QTest::addColumn<bool>("page");
    QTest::newRow("hidden row") << false;
    QTest::newRow("row on another page") << true;
}

void TestRobustness::hiddenCurrentRowShownAgain()
{
    QFETCH(bool, page);
    Form f;
    f.browser->addPage();
    TIntegerValue* row = page ? f.browser->addInt(0, "p", QString(), QString(), nullptr, -1) : f.number;
    if (page) {
        f.browser->setCurrentItem(row);
        f.browser->switchPage(1);
    } else {
        f.enter(row);
    }
    QPointer<TDropList> editor = row->editor();
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
    // Let what is pending run: posted events, the view's delayed layout.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(row->editor(), editor.data());
    QCOMPARE(editor->lineEdit()->text(), QString("77"));
}

void TestRobustness::specialListReplacedWithEditorOpen()
{
    Form f;
    f.browser->setSpecialList(new SpecialValueList, false);
    TDropList* editor = f.enter(f.number);
    QVERIFY(openPopup(editor));
    QTest::keyClick(editor->comboBox()->view(), Qt::Key_Escape);
    f.browser->setSpecialList(&TValueBrowser::s_specialList, true);
    QTest::keyClick(editor->comboBox(), Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(f.number->value().kind, int(SK_Special));
    f.browser->setSpecialList(nullptr);
    QCOMPARE(editor->comboBox()->findText("Default"), -1);
}

void TestRobustness::corruptSettingsValue_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QPointF>("range");
    const QPointF kept(1, 2);
    QTest::newRow("reported") << QByteArray("@Variant(\\0\\0\\0\\x81a?\\xf8)") << kept;
    QTest::newRow("list of a huge count") << QByteArray("@Variant(\\0\\0\\0\\ta?\\xf8)") << kept;
    QTest::newRow("string list, raw bytes") << QByteArray("@Variant(\0\0\0\x0b\x7f\xff\xff\xff)", 18) << kept;
    QTest::newRow("list in a list") << QByteArray("1, @Variant(\\0\\0\\0\\t\\0\\0\\0\\x1\\0\\0\\0\\t\\x7f\\0\\0\\0)")
                                    << kept;
    QTest::newRow("sound point") << QByteArray("@Variant(\\0\\0\\0\\x1a?\\xf8\\0\\0\\0\\0\\0\\0@\\b\\0\\0\\0\\0\\0\\0)")
                                 << QPointF(1.5, 3);
}

void TestRobustness::corruptSettingsValue()
{
    QFETCH(QByteArray, value);
    QFETCH(QPointF, range);
    QTemporaryDir dir;
    QSettings settings(settingsFile(dir, "[A]\nrg=" + value + "\nn=7\n"), QSettings::IniFormat);
    Form f;
    TRangeValue* row = f.browser->addRange(1, "rg", QString(), "rg", nullptr);
    row->setValue(QPointF(1, 2));
    f.browser->readDataSet(settings);
    QCOMPARE(f.number->number(), 7);
    QCOMPARE(row->range(), range);
}

void TestRobustness::commandActsForItsOwnBrowser()
{
    Form a, b;
    TDropList* editorA = a.enter(a.color);
    QVERIFY(openPopup(editorA));
    QTest::keyClick(editorA->comboBox()->view(), Qt::Key_Escape);
    b.enter(b.color)->comboBox()->ensureFilled();
    answerDialog([](QDialog* dialog) { qobject_cast<QColorDialog*>(dialog)->setCurrentColor(Qt::blue); });
    QVERIFY(openPopup(editorA));
    QTest::keyClick(editorA->comboBox()->view(), Qt::Key_End);
    QTest::keyClick(editorA->comboBox()->view(), Qt::Key_Return);
    QTRY_COMPARE(a.color->color(), QColor(Qt::blue));
    QCOMPARE(b.color->color(), QColor(Qt::red));
}

void TestRobustness::fontFamilyOutsideList_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Down to the next row") << int(Qt::Key_Down);
}

void TestRobustness::fontFamilyOutsideList()
{
    QFETCH(int, key);
    Form f;
    f.fontVar = QFont("No Such Family Xq", 11);
    f.browser->updateFromLinked();
    f.browser->storeSet();
    TDropList* editor = f.enter(f.font);
    QCOMPARE(editor->lineEdit()->text(), QString("No Such Family Xq [11]"));
    QVERIFY(openPopup(editor));
    QTest::keyClick(editor->comboBox()->view(), Qt::Key_Escape);
    QTest::keyClick(editor->comboBox(), Qt::Key(key));
    f.browser->updateLinked();
    QCOMPARE(f.fontVar.family(), QString("No Such Family Xq"));
    QCOMPARE(f.font->text(1), QString("No Such Family Xq [11]"));
}

void TestRobustness::colorValues_data()
{
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("text");
    QTest::newRow("translucent") << QVariant(QColor(10, 20, 30, 40)) << QColor(10, 20, 30, 40) << "#280a141e";
    QTest::newRow("translucent text") << QVariant("#80ff0000") << QColor(255, 0, 0, 128) << "#80ff0000";
    QTest::newRow("transparent") << QVariant("transparent") << QColor(0, 0, 0, 0) << "transparent";
    QTest::newRow("QRgb") << QVariant(0xffff0000u) << QColor(Qt::red) << "Red";
    QTest::newRow("QRgb as text") << QVariant("4294901760") << QColor(Qt::red) << "Red";
}

void TestRobustness::colorValues()
{
    QFETCH(QVariant, input);
    QFETCH(QColor, color);
    QFETCH(QString, text);
    QVERIFY(TColorList::registeredColorList().findItemByText("transparent"));
    QCOMPARE(TColorList::baseColorList().findItem(QColor(255, 0, 0, 128))->text, QString("Red"));
    Form f;
    QVERIFY(f.color->setValue(input));
    QCOMPARE(f.color->color(), color);
    QCOMPARE(f.color->text(1), text);
    f.browser->updateLinked();
    QCOMPARE(f.colorVar, color);
    f.browser->updateFromLinked();
    QCOMPARE(f.color->color(), color);
    QTemporaryDir dir;
    QSettings settings(dir.filePath("c.ini"), QSettings::IniFormat);
    f.browser->writeDataSet(settings);
    f.color->setValue(QColor(Qt::green));
    f.browser->readDataSet(settings);
    QCOMPARE(f.color->color(), color);
}

void TestRobustness::equalColorEntries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("cyan") << "cyan";
    QTest::newRow("grey") << "grey";
}

void TestRobustness::equalColorEntries()
{
    QFETCH(QString, entry);
    Form f;
    TColorValue* row = f.browser->addColor(1, "r", QString(), QString(), nullptr, &TColorList::registeredColorList());
    TDropList* editor = f.enter(row);
    QVERIFY(clickEntry(editor, entry));
    QTRY_COMPARE(row->text(1), entry);
    QCOMPARE(editor->lineEdit()->text(), entry);
}

void TestRobustness::specialValuesAndListChanges()
{
    QTemporaryDir dir;
    QSettings settings(settingsFile(dir, "[A]\nn=8\nn.Type=1\n"), QSettings::IniFormat);
    Form f;
    f.number->setSpecial(SV_Default);
    f.browser->setSpecialList(nullptr);
    f.browser->setStoringPolicy(TValueBrowser::SP_Stored);
    f.browser->readDataSet(settings);
    f.browser->setStoringPolicy(TValueBrowser::SP_Current);
    f.browser->writeDataSet(settings);
    settings.endGroup();
    QCOMPARE(settings.value("A/n.Type").toInt(), int(SK_Special));
    f.browser->setSpecialList(&TValueBrowser::s_specialList);
    QCOMPARE(f.number->text(1), QString("Default"));
    f.number->setValue(5);
    f.browser->restoreSet();
    QCOMPARE(f.number->value().kind, int(SK_Special));
    QCOMPARE(f.number->text(1), QString("Default"));
}

void TestRobustness::checkStateBeforeBaseline()
{
    Form f;
    bool on = false;
    f.number->addCheckProperty("n.on", &on, LT_Bool);
    f.number->setChecked(Qt::Checked);
    f.browser->restoreSet();
    QCOMPARE(f.number->checked(), Qt::Checked);
    f.browser->updateLinked();
    QVERIFY(on);
}

void TestRobustness::emptyListValueRoundTrip()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("l.ini"), QSettings::IniFormat);
    Form f;
    TListValue* row = f.browser->addList(1, "l", QString(), "l", nullptr, -1, nullptr, true);
    QVERIFY(!row->variant().isValid());
    f.browser->writeDataSet(settings);
    row->setValue("x");
    f.browser->readDataSet(settings);
    QVERIFY(!row->variant().isValid());
}

void TestRobustness::textKeysOfOtherTypes_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("policy");
    QTest::addColumn<QString>("text");
    for (const int policy : {int(TValueBrowser::SP_Current), int(TValueBrowser::SP_Linked)}) {
        QTest::addRow("string list %d", policy) << QByteArray("Hello, world") << policy << "Hello, world";
        QTest::addRow("point %d", policy) << QByteArray("@Point(1 2)") << policy << "kept";
    }
}

void TestRobustness::textKeysOfOtherTypes()
{
    QFETCH(QByteArray, line);
    QFETCH(int, policy);
    QFETCH(QString, text);
    QTemporaryDir dir;
    QSettings settings(settingsFile(dir, "[A]\nnote=" + line + "\n"), QSettings::IniFormat);
    Form f;
    QString note = "kept";
    TTextValue* row = f.browser->addText(1, "note", QString(), "note", &note);
    f.browser->updateFromLinked();
    f.browser->setStoringPolicy(TValueBrowser::EStoringPolicy(policy));
    f.browser->readDataSet(settings);
    QCOMPARE(policy == TValueBrowser::SP_Linked ? note : row->text(1), text);
}

void TestRobustness::callerTextsOfBuiltInEntries()
{
    TItem* defaultEntry = TValueBrowser::s_specialList.findItem(int(SV_Default));
    TItem* yes = TBoolValue::s_BoolList.at(1);
    const QString oldDefault = defaultEntry->text, oldYes = yes->text;
    defaultEntry->text = "Std";
    yes->text = "Jawohl";
    Form f;
    f.number->setSpecial(SV_Default);
    const QString shown = f.number->text(1);
    TItem* found = TValueBrowser::s_specialList.findItemByText("Std");
    TItem* foundYes = TBoolValue::s_BoolList.findItemByText("Jawohl");
    const QString afterLookup = defaultEntry->text;
    defaultEntry->text = oldDefault;
    yes->text = oldYes;
    QCOMPARE(shown, QString("Std"));
    QCOMPARE(found, defaultEntry);
    QCOMPARE(foundYes, yes);
    QCOMPARE(afterLookup, QString("Std"));
}

void TestRobustness::saveIntoReadOnlyDirectory()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("note.txt");
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("note") == 4);
    file.close();
    qelTextEditorDialog dialog;
    QVERIFY(dialog.loadFromFile(name));
    QVERIFY(file.resize(0) && file.setPermissions(QFileDevice::Permissions(0x6666)));
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x5555)));
    // Root writes anywhere: the save runs as an ordinary user.
    const bool root = geteuid() == 0;
    QVERIFY(!root || seteuid(65534) == 0);
    const bool saved = dialog.saveToFile(name);
    QVERIFY(!root || seteuid(0) == 0);
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    QVERIFY(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("note"));
}

void TestRobustness::rangeTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("range");
    QTest::newRow("1.5..2.5") << "1.5..2.5" << QPointF(1.5, 2.5);
    QTest::newRow("10.0..20.0") << "10.0..20.0" << QPointF(10, 20);
    QTest::newRow("-1.5 .. -0.5") << "-1.5 .. -0.5" << QPointF(-1.5, -0.5);
    QTest::newRow("10,-20") << "10,-20" << QPointF(10, -20);
}

void TestRobustness::rangeTexts()
{
    QFETCH(QString, text);
    QFETCH(QPointF, range);
    Form f;
    TRangeValidator wide(nullptr, -100, 100, -100, 100);
    TRangeValue* row = f.browser->addRange(1, "rg", QString(), QString(), nullptr, &wide);
    f.type(row, text);
    QCOMPARE(row->range(), range);
}

QTEST_MAIN(TestRobustness)
#include "tst_robustness.moc"
