#include "tarvotest.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QPointer>

#include <memory>

#include "tboolvalue.h"
#include "tcolorvalue.h"
#include "tfontvalue.h"
#include "tintegervalue.h"
#include "tpathvalue.h"
#include "tpointvalue.h"
#include "ttextvalue.h"

using namespace tt;

namespace {

// Lets a test raise ItemChanged as the browser's subclasses do.
class Browser : public TValueBrowser
{
public:
    using TValueBrowser::onItemChanged;
};

// A browser with a row of each type that has a picking dialog.
struct Form
{
    Form()
        : browser(new Browser)
    {
        browser->setSpecialList(&TValueBrowser::s_specialList);
        number = browser->addInt(0, "Number", QString(), "number", &numberVar, LT_Int);
        flag = browser->addBool(0, "Flag", QString(), "flag", &flagVar);
        color = browser->addColor(0, "Color", QString(), "color", &colorVar);
        font = browser->addFont(0, "Font", QString(), "font", &fontVar);
        text = browser->addText(0, "Text", QString(), "text", &textVar);
        path = browser->addPath(0, "Path", QString(), "path", &pathVar);
        point = browser->addPoint(0, "Point", QString(), "point", &pointVar);
        browser->updateFromLinked();
        browser->show();
    }

    int numberVar = 5;
    bool flagVar = false;
    QColor colorVar = QColor(Qt::red);
    QFont fontVar = QFont(QStringLiteral("Sans"), 10);
    QString textVar = QStringLiteral("note");
    QString pathVar = QStringLiteral("/tmp");
    QPoint pointVar = QPoint(1, 2);
    std::unique_ptr<Browser> browser;
    TIntegerValue* number = nullptr;
    TBoolValue* flag = nullptr;
    TColorValue* color = nullptr;
    TFontValue* font = nullptr;
    TTextValue* text = nullptr;
    TPathValue* path = nullptr;
    TPointValue* point = nullptr;
};

enum Action { DeleteRow, ClearBrowser, DestroyBrowser };

} // namespace

Q_DECLARE_METATYPE(Action)

class TestLifetime : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { flush(); }

    void dialogOutlivesRow_data();
    void dialogOutlivesRow();
    void sharedEditorsOutliveBrowser_data();
    void sharedEditorsOutliveBrowser();
    void slotDeletesRow_data();
    void slotDeletesRow();
    void childDeletedWithEditorOpen();
};

void TestLifetime::initTestCase()
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void TestLifetime::dialogOutlivesRow_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<bool>("button");
    QTest::addColumn<Action>("action");
    const char* rows[] = {"color", "font", "text", "path"};
    for (const char* row : rows) {
        for (const bool button : {true, false}) {
            // Text and path rows open their dialog from the button only.
            if (!button && (qstrcmp(row, "text") == 0 || qstrcmp(row, "path") == 0))
                continue;
            const char* from = button ? "button" : "entry";
            QTest::addRow("%s %s, row deleted", row, from) << row << button << DeleteRow;
            QTest::addRow("%s %s, clear()", row, from) << row << button << ClearBrowser;
            QTest::addRow("%s %s, browser destroyed", row, from) << row << button << DestroyBrowser;
        }
    }
}

void TestLifetime::dialogOutlivesRow()
{
    QFETCH(QString, row);
    QFETCH(bool, button);
    QFETCH(Action, action);
    Form f;
    TBaseValue* target = row == "color" ? static_cast<TBaseValue*>(f.color)
        : row == "font"                 ? static_cast<TBaseValue*>(f.font)
        : row == "text"                 ? static_cast<TBaseValue*>(f.text)
                                        : static_cast<TBaseValue*>(f.path);
    QSignalSpy picks(f.browser.get(), &TValueBrowser::ValuePicked);
    ModalAnswer<QDialog> driver([&](QDialog* dialog) {
        switch (action) {
        case DeleteRow:
            delete target;
            break;
        case ClearBrowser:
            f.browser->clear();
            break;
        case DestroyBrowser:
            f.browser.reset();
            break;
        }
        if (auto* files = qobject_cast<QFileDialog*>(dialog))
            files->selectFile(QDir::tempPath());
        dialog->done(QDialog::Accepted);
    });
    const QString entry = row == "color" ? "Pick color..." : "Pick font...";
    if (button) {
        QTest::mouseClick(qobject_cast<QToolButton*>(open(target)->buttonWidget()), Qt::LeftButton);
    } else {
        QVERIFY(pick(target, entry));
    }
    QTRY_VERIFY(driver.seen());
    flush();
    // The pick had nowhere to go.
    QCOMPARE(picks.count(), 0);
    if (action != DeleteRow)
        return;
    // The browser carries on with the rows that are left.
    type(f.number, "12");
    QCOMPARE(f.number->value().value.toString(), QString("12"));
    QCOMPARE(picks.count(), 1);
}

void TestLifetime::sharedEditorsOutliveBrowser_data()
{
    QTest::addColumn<bool>("firstGoes");
    QTest::newRow("first browser destroyed") << true;
    QTest::newRow("second browser destroyed") << false;
}

void TestLifetime::sharedEditorsOutliveBrowser()
{
    QFETCH(bool, firstGoes);
    auto a = std::make_unique<Form>();
    auto b = std::make_unique<Form>();
    // Editors open in both browsers, through the shared spin, color, font
    // and text editors and over the shared boolean and special lists.
    for (Form* f : {a.get(), b.get()}) {
        for (TBaseValue* row : std::initializer_list<TBaseValue*>{f->number, f->flag, f->color, f->font, f->text})
            QVERIFY(open(row));
        QVERIFY(open(f->color)->comboBox()->count() > 0);
    }
    (firstGoes ? a : b).reset();
    flush();
    Form& left = firstGoes ? *b : *a;

    type(left.number, "8");
    QCOMPARE(left.number->number(), 8);
    // The shared spin editor steps the row of the browser that is left.
    auto* spin = open(left.number)->buttonWidget();
    QVERIFY(spin);
    const QList<QAbstractButton*> spinButtons = spin->findChildren<QAbstractButton*>();
    QVERIFY(!spinButtons.isEmpty());
    for (QAbstractButton* step : spinButtons)
        step->click();
    QCOMPARE(left.number->value().kind, int(SK_Value));

    type(left.flag, TBoolValue::s_BoolList.at(1)->text);
    QCOMPARE(left.flag->boolean(), TBoolValue::s_BoolList.at(1)->value.toBool());
    type(left.point, TValueBrowser::s_specialList.findItem(QVariant(SV_Default))->text);
    QCOMPARE(left.point->value().kind, int(SK_Special));

    QVERIFY(clickDots<QColorDialog>(left.color, [](QColorDialog* dialog) {
        dialog->setCurrentColor(QColor(0, 0, 128));
        dialog->accept();
    }));
    QCOMPARE(left.color->color(), QColor(0, 0, 128));
}

void TestLifetime::slotDeletesRow_data()
{
    QTest::addColumn<QString>("signal");
    QTest::addColumn<Action>("action");
    for (const char* signal : {"ValuePicked", "ItemChanged", "HintChanged"}) {
        QTest::addRow("%s deletes the row", signal) << signal << DeleteRow;
        QTest::addRow("%s clears the browser", signal) << signal << ClearBrowser;
    }
}

void TestLifetime::slotDeletesRow()
{
    QFETCH(QString, signal);
    QFETCH(Action, action);
    Form f;
    QPointer<TDropList> editor = open(f.number);
    QVERIFY(editor);
    TBaseItem* target = f.number;
    int calls = 0;
    auto react = [&](TBaseItem* item) {
        if (item != target || calls++)
            return;
        if (action == DeleteRow)
            delete item;
        else
            f.browser->clear();
    };
    TValueBrowser* browser = f.browser.get();
    if (signal == "ValuePicked") {
        connect(browser, &TValueBrowser::ValuePicked, browser,
                [&](TBaseItem* item, const SValue&) { react(item); }, Qt::DirectConnection);
        QTest::keyClicks(editor->comboBox(), "42");
        QTest::keyClick(editor->comboBox(), Qt::Key_Return);
    } else if (signal == "ItemChanged") {
        connect(browser, &TValueBrowser::ItemChanged, browser, react, Qt::DirectConnection);
        f.browser->onItemChanged(target);
    } else {
        connect(browser, &TValueBrowser::HintChanged, browser,
                [&](const QString&, TBaseItem* item, const QString&) { react(item); }, Qt::DirectConnection);
        f.browser->setCurrentItem(f.flag);
        f.browser->setCurrentItem(f.number);
    }
    flush();
    QCOMPARE(calls, 1);
    QVERIFY(editor.isNull());
    if (action == DeleteRow) {
        QVERIFY(f.browser->findItems("Number", Qt::MatchExactly).isEmpty());
        type(f.point, "3,4");
        QCOMPARE(f.point->point(), QPoint(3, 4));
    } else {
        QCOMPARE(f.browser->topLevelItemCount(), 0);
    }
}

void TestLifetime::childDeletedWithEditorOpen()
{
    Form f;
    f.point->showChildren(true);
    f.point->setExpanded(true);
    auto* x = dynamic_cast<TBaseValue*>(f.point->child(0));
    auto* y = dynamic_cast<TBaseValue*>(f.point->child(1));
    QVERIFY(x && y);
    QPointer<TDropList> editor = open(x);
    QVERIFY(editor);
    QTest::keyClicks(editor->comboBox(), "9");
    delete x;
    flush();
    QVERIFY(editor.isNull());
    // The parent and the other child carry on.
    type(y, "7");
    QCOMPARE(f.point->point(), QPoint(1, 7));
    type(f.point, "5,6");
    QCOMPARE(y->value().value.toInt(), 6);
}

QTEST_MAIN(TestLifetime)
#include "tst_lifetime.moc"
