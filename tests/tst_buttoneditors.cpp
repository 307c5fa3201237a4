#include "tarvotest.h"

#include <QLayout>
#include <QPointer>
#include <QPushButton>

#include <limits>

#include "tbuttoneditor.h"
#include "tdoublevalue.h"
#include "tintegervalue.h"

using namespace tt;

namespace {

constexpr double kIntMin = std::numeric_limits<int>::min();
constexpr double kIntMax = std::numeric_limits<int>::max();

QToolButton* arrow(const TDropList* editor, bool up)
{
    QWidget* spin = editor ? editor->buttonWidget() : nullptr;
    for (QToolButton* button : spin ? spin->findChildren<QToolButton*>() : QList<QToolButton*>()) {
        if (button->arrowType() == (up ? Qt::UpArrow : Qt::DownArrow))
            return button;
    }
    return nullptr;
}

// Clicks the up or down arrow of the editor.
bool spin(const TDropList* editor, bool up)
{
    QToolButton* button = arrow(editor, up);
    if (button)
        QTest::mouseClick(button, Qt::LeftButton);
    return button;
}

// A "..." editor whose dialog always answers with the same value.
struct FixedPickEditor : TPopupButtonEditor
{
    QVariant answer;
    int clicks = 0;
    QVariant heldAfterPick;
    void buttonClicked() override
    {
        ++clicks;
        doPick(answer);
        heldAfterPick = item() ? item()->value().value : QVariant();
    }
};

struct Rows
{
    Rows()
    {
        browser.setSpecialList(&TValueBrowser::s_specialList);
        count = new TIntegerValue(&browser, "Count");
        scale = new TDoubleValue(&browser, "Scale");
        browser.resize(400, 200);
        browser.show();
    }
    TValueBrowser browser;
    TIntegerValue* count = nullptr;
    TDoubleValue* scale = nullptr;
};

} // namespace

class TestButtonEditors : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { flush(); }
    void spinButtonLayout();
    void steps_data();
    void steps();
    void logStep_data();
    void logStep();
    void logStepsThroughButtons();
    void twoBrowsersShareSpinEditor();
    void popupButton();
};

void TestButtonEditors::spinButtonLayout()
{
    TNumButtonEditor* ints = TIntegerValue::s_NumButtonEditor;
    QVERIFY(static_cast<TButtonEditor*>(ints) != TDoubleValue::s_NumButtonEditor);
    QVERIFY(ints->step() == 1.0 && !ints->overSpin() && !ints->logCount());
    Rows r;
    TDropList* editor = open(r.count);
    QPointer<QWidget> spinWidget = editor->buttonWidget();
    QVERIFY(r.count->buttonEditor() == ints && ints->host() == editor && ints->item() == r.count);
    QVERIFY(spinWidget->maximumWidth() == 20 && arrow(editor, true)->autoRepeat() && arrow(editor, false)->autoRepeat());
    QCOMPARE(spinWidget->layout()->indexOf(arrow(editor, true)), 0);
    QLayout* row = editor->layout();
    QVERIFY(row->count() == 3 && row->indexOf(spinWidget) == 1 && row->indexOf(editor->restoreButton()) == 2);
    // Another button editor takes the same place; none leaves two widgets.
    FixedPickEditor popup;
    editor->setButtonEditor(&popup);
    flush();
    QVERIFY(spinWidget.isNull() && row->indexOf(editor->buttonWidget()) == 1);
    editor->setButtonEditor(nullptr);
    flush();
    QVERIFY(!editor->buttonWidget() && row->indexOf(editor->restoreButton()) == 1);
}

void TestButtonEditors::steps_data()
{
    QTest::addColumn<bool>("real");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("overSpin");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("expected");
    const QString max = QString::number(int(kIntMax)), min = QString::number(int(kIntMin));
    QTest::newRow("int 5 up") << false << kIntMin << kIntMax << "5" << false << true << "6";
    QTest::newRow("int 0 down") << false << kIntMin << kIntMax << "0" << false << false << "-1";
    QTest::newRow("real 2.5 up") << true << kIntMin << kIntMax << "2.5" << false << true << "3.50000";
    QTest::newRow("real -0.25 up") << true << kIntMin << kIntMax << "-0.25" << false << true << "0.75000";
    QTest::newRow("10 up stays") << false << 0.0 << 10.0 << "10" << false << true << "10";
    QTest::newRow("10 up wraps") << false << 0.0 << 10.0 << "10" << true << true << "0";
    QTest::newRow("0 down wraps") << false << 0.0 << 10.0 << "0" << true << false << "10";
    QTest::newRow("0 down stays") << false << 0.0 << 10.0 << "0" << false << false << "0";
    QTest::newRow("inside no wrap") << false << 0.0 << 10.0 << "9" << true << true << "10";
    QTest::newRow("INT_MAX up") << false << kIntMin << kIntMax << max << false << true << max;
    QTest::newRow("INT_MIN down") << false << kIntMin << kIntMax << min << false << false << min;
    QTest::newRow("real 1 up wraps") << true << 0.0 << 1.0 << "1" << true << true << "0.00000";
    QTest::newRow("real 0.5 down stays") << true << 0.0 << 1.0 << "0.5" << false << false << "0.00000";
    // A special value spins to zero, or to the bound nearest to it, and
    // wrapping does not follow.
    QTest::newRow("special up") << false << kIntMin << kIntMax << "" << true << true << "0";
    QTest::newRow("special down") << false << kIntMin << kIntMax << "" << true << false << "0";
    QTest::newRow("special below range") << false << 5.0 << 10.0 << "" << true << true << "5";
    QTest::newRow("special above range") << false << -10.0 << -5.0 << "" << true << false << "-5";
    QTest::newRow("special real") << true << kIntMin << kIntMax << "" << true << false << "0.00000";
}

void TestButtonEditors::steps()
{
    QFETCH(bool, real);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(QString, start);
    QFETCH(bool, overSpin);
    QFETCH(bool, up);
    QFETCH(QString, expected);
    TIntValidator intRange{int(min), int(max)};
    TDoubleValidator realRange(min, max);
    TNumButtonEditor spinner;
    spinner.enableOverSpin(overSpin);
    QCOMPARE(spinner.overSpin(), overSpin);
    Rows r;
    TBaseValue* row = real ? static_cast<TBaseValue*>(r.scale) : r.count;
    row->setButtonEditor(&spinner);
    row->setValidator(real ? static_cast<TValueValidator*>(&realRange) : &intRange);
    if (start.isEmpty())
        row->setSpecial(SV_Default);
    QVERIFY(start.isEmpty() || row->setValue(start));
    r.browser.storeSet();
    TDropList* editor = open(row);
    QSignalSpy picks(&r.browser, &TValueBrowser::ValuePicked);
    QVERIFY(spin(editor, up));
    QVERIFY(row->value().kind == SK_Value && val(row) == expected && shown(row) == expected);
    QCOMPARE(editor->lineEdit()->text(), expected);
    // One pick per click, and one more for a wrap to the opposite bound.
    const bool wrapped = !start.isEmpty() && (up ? expected.toDouble() < start.toDouble() : expected.toDouble() > start.toDouble());
    QCOMPARE(picks.size(), wrapped ? 2 : 1);
    QCOMPARE(picks.last().at(1).value<SValue>().value.toString(), expected);
}

void TestButtonEditors::logStep_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("up");
    QTest::addColumn<double>("expected");
    const auto row = [](const char* text, bool up, double expected) {
        QTest::addRow("%s %s", text, up ? "up" : "down") << QString(text) << up << expected;
    };
    row("120", true, 130.0);
    row("100", false, 90.0);
    row("100", true, 200.0);
    row("10", false, 9.0);
    row("9", true, 10.0);
    row("1", false, 0.0);
    row("0", false, -1.0);
    row("0", true, 1.0);
    row("-1", false, -2.0);
    row("-10", true, -9.0);
    row("-100", true, -90.0);
    row("-100", false, -200.0);
    row("2.50000", true, 2.6);
    row("0.00000", true, 0.00001);
    row("-0.50000", true, -0.4);
    row("-0.50000", false, -0.6);
    // Twelve decimals: ten to that power is far beyond an int.
    row("1.234567890123", true, 1.234567890124);
    row("1.234567890123", false, 1.234567890122);
    row("1.500000000000", true, 1.6);
    row("0.000000000001", true, 0.000000000002);
}

void TestButtonEditors::logStep()
{
    QFETCH(QString, text);
    QFETCH(bool, up);
    QFETCH(double, expected);
    const double result = TNumButtonEditor::logStep(text, 1.0, up);
    QVERIFY2(qAbs(result - expected) <= 1e-14 * qMax(1.0, qAbs(expected)),
             qPrintable(QString("%1 instead of %2").arg(result, 0, 'g', 17).arg(expected, 0, 'g', 17)));
    // A step below one does not move.
    QCOMPARE(TNumButtonEditor::logStep(text, 0.5, up), text.toDouble());
}

void TestButtonEditors::logStepsThroughButtons()
{
    TNumButtonEditor spinner;
    spinner.enableLogCount(true);
    TDoubleValidator twelve(-qInf(), qInf(), 12);
    Rows r;
    r.count->setButtonEditor(&spinner);
    r.scale->setButtonEditor(&spinner);
    QVERIFY(r.count->setValue(7));
    TDropList* editor = open(r.count);
    QStringList walked;
    for (const bool up : {true, true, true, true, true, true, false, false, false, false, false, false, false}) {
        QVERIFY(spin(editor, up));
        walked << val(r.count);
    }
    QCOMPARE(walked, QStringList({"8", "9", "10", "20", "30", "40", "30", "20", "10", "9", "8", "7", "6"}));
    spinner.setStep(0.5);
    QVERIFY(spin(editor, true) && val(r.count) == "6");
    spinner.setStep(1);
    QVERIFY(r.scale->setValue(2.5));
    editor = open(r.scale);
    QVERIFY(spin(editor, false) && val(r.scale) == "2.40000");
    r.scale->setValidator(&twelve);
    QVERIFY(r.scale->setValue("1.234567890123"));
    QVERIFY(spin(editor, true) && val(r.scale) == "1.234567890124");
    r.scale->setValidator(nullptr);
}

void TestButtonEditors::twoBrowsersShareSpinEditor()
{
    TNumButtonEditor* shared = TIntegerValue::s_NumButtonEditor;
    Rows a, b;
    QVERIFY(a.count->setValue(5) && b.count->setValue(10) && a.scale->setValue(2.5));
    TDropList* editorA = open(a.count);
    QPointer<QToolButton> staleUp = arrow(editorA, true);
    TDropList* editorB = open(b.count);
    QVERIFY(shared->host() == editorB);
    QSignalSpy picksA(&a.browser, &TValueBrowser::ValuePicked);
    QSignalSpy picksB(&b.browser, &TValueBrowser::ValuePicked);
    // Each editor's buttons step their own row, with the shared step.
    shared->setStep(5);
    QVERIFY(spin(editorA, true) && spin(editorB, false) && spin(open(a.scale), true));
    shared->setStep(1);
    QVERIFY(val(a.count) == "10" && val(b.count) == "5" && val(a.scale) == "3.50000");
    QVERIFY(editorB->lineEdit()->text() == "5" && picksA.count() == 2 && picksB.count() == 1);
    // The button of a closed editor does nothing.
    QVERIFY(staleUp);
    staleUp->click();
    QVERIFY(val(a.count) == "10" && picksA.count() == 2);
    flush();
    QVERIFY(staleUp.isNull());
    // Nor do the buttons of a deleted row, while the editor serves A.
    QPointer<QToolButton> orphan = arrow(editorB, false);
    editorA = open(a.count);
    delete b.count;
    orphan->click();
    QVERIFY(val(a.count) == "10" && picksA.count() == 2);
    QVERIFY(spin(editorA, false) && val(a.count) == "9");
}

void TestButtonEditors::popupButton()
{
    FixedPickEditor dialog;
    Rows r, other;
    QVERIFY(r.count->setValue(4) && other.count->setValue(2));
    r.browser.storeSet();
    r.count->setButtonEditor(&dialog);
    other.count->setButtonEditor(&dialog);
    TDropList* editor = open(r.count);
    QSignalSpy picks(&r.browser, &TValueBrowser::ValuePicked);
    auto* button = qobject_cast<QToolButton*>(editor->buttonWidget());
    QVERIFY(button && button->parentWidget() == editor && button->text() == "..." && button->maximumWidth() == 20);
    QCOMPARE(button->toolTip(), QString("Pick value from dialog"));
    QVERIFY(dialog.host() == editor && dialog.item() == r.count);
    // The answer reaches the row before doPick() returns; an equal one picks nothing.
    dialog.answer = 17;
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(dialog.heldAfterPick == "17" && editor->lineEdit()->text() == "17" && r.count->valueChanged());
    QCOMPARE(picks.count(), 1);
    for (const QVariant& answer : {QVariant("abc"), QVariant(17)}) { // a refused answer still counts as a pick
        dialog.answer = answer;
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(val(r.count) == "17" && picks.count() == 2);
    }
    // Shared by two browsers: each button serves its own row; once closed, none.
    TDropList* otherEditor = open(other.count);
    QVERIFY(dialog.host() == otherEditor);
    dialog.answer = 33;
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(val(r.count) == "33" && val(other.count) == "2");
    open(r.scale);
    button->click();
    QCOMPARE(dialog.clicks, 4);
    QTest::mouseClick(qobject_cast<QToolButton*>(otherEditor->buttonWidget()), Qt::LeftButton);
    QCOMPARE(val(other.count), QString("33"));
}

QTEST_MAIN(TestButtonEditors)
#include "tst_buttoneditors.moc"
