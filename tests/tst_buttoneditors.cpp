#include "tarvotest.h"

#include <QPointer>
#include <QRegularExpression>

#include <limits>

#include "tbuttoneditor.h"
#include "tdoublevalue.h"
#include "tintegervalue.h"

using namespace tt;

namespace {

constexpr double kLo = std::numeric_limits<int>::min();
constexpr double kHi = std::numeric_limits<int>::max();

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
        browser.show();
    }
    TValueBrowser browser;
    TIntegerValue* count = nullptr;
    TDoubleValue* scale = nullptr;
};

// One click on a spin button: the row's bounds and start (empty: a special
// value), over-spin, the direction and the value after the click.
struct Step
{
    bool real;
    double min, max;
    QString start;
    bool overSpin, up;
    QString expected;
};

} // namespace

Q_DECLARE_METATYPE(Step)

class TestButtonEditors : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { flush(); }
    void steps_data();
    void steps();
    void logSteps();
    void sharedEditors();
    void popupButton();
};

void TestButtonEditors::steps_data()
{
    QTest::addColumn<Step>("step");
    const QString hi = QString::number(int(kHi)), lo = QString::number(int(kLo));
    // A special value spins to zero, or to the bound nearest to it, and wrapping does not follow.
    const std::pair<const char*, Step> rows[] = {
        {"int 5 up", {false, kLo, kHi, "5", false, true, "6"}},
        {"int 0 down", {false, kLo, kHi, "0", false, false, "-1"}},
        {"real 2.5 up", {true, kLo, kHi, "2.5", false, true, "3.50000"}},
        {"real -0.25 up", {true, kLo, kHi, "-0.25", false, true, "0.75000"}},
        {"10 up stays", {false, 0, 10, "10", false, true, "10"}},
        {"10 up wraps", {false, 0, 10, "10", true, true, "0"}},
        {"0 down wraps", {false, 0, 10, "0", true, false, "10"}},
        {"0 down stays", {false, 0, 10, "0", false, false, "0"}},
        {"inside no wrap", {false, 0, 10, "9", true, true, "10"}},
        {"INT_MAX up", {false, kLo, kHi, hi, false, true, hi}},
        {"INT_MIN down", {false, kLo, kHi, lo, false, false, lo}},
        {"real 1 up wraps", {true, 0, 1, "1", true, true, "0.00000"}},
        {"real 0.5 down stays", {true, 0, 1, "0.5", false, false, "0.00000"}},
        {"special up", {false, kLo, kHi, "", true, true, "0"}},
        {"special down", {false, kLo, kHi, "", true, false, "0"}},
        {"special below range", {false, 5, 10, "", true, true, "5"}},
        {"special above range", {false, -10, -5, "", true, false, "-5"}},
        {"special real", {true, kLo, kHi, "", true, false, "0.00000"}},
    };
    for (const auto& row : rows)
        QTest::newRow(row.first) << row.second;
}

void TestButtonEditors::steps()
{
    QFETCH(Step, step);
    TIntValidator intRange{int(step.min), int(step.max)};
    TDoubleValidator realRange(step.min, step.max);
    TNumButtonEditor spinner;
    spinner.enableOverSpin(step.overSpin);
    Rows r;
    TBaseValue* row = step.real ? static_cast<TBaseValue*>(r.scale) : r.count;
    row->setButtonEditor(&spinner);
    row->setValidator(step.real ? static_cast<TValueValidator*>(&realRange) : &intRange);
    if (step.start.isEmpty())
        row->setSpecial(SV_Default);
    QVERIFY(step.start.isEmpty() || row->setValue(step.start));
    TDropList* editor = open(row);
    QSignalSpy picks(&r.browser, &TValueBrowser::ValuePicked);
    QVERIFY(spin(editor, step.up));
    QVERIFY(row->value().kind == SK_Value && val(row) == step.expected && shown(row) == step.expected);
    QCOMPARE(editor->lineEdit()->text(), step.expected);
    // One pick per click, and one more for a wrap to the opposite bound.
    const double from = step.start.toDouble(), to = step.expected.toDouble();
    QCOMPARE(picks.size(), !step.start.isEmpty() && (step.up ? to < from : to > from) ? 2 : 1);
    QCOMPARE(picks.last().at(1).value<SValue>().value.toString(), step.expected);
}

void TestButtonEditors::logSteps()
{
    // The 1-2-3 ... 9-10-20 sequence, each click as the start value, '+' for
    // up or '-' for down, and the value after it.
    const QString steps = QStringLiteral("120+130 100-90 100+200 10-9 9+10 10+20 40-30 20-10 1-0 0--1 0+1 -1--2 "
        "-10+-9 -100+-90 -100--200 2.50000+2.60000 2.50000-2.40000 0.00000+0.00001 -0.50000+-0.40000 "
        "-0.50000--0.60000 "
        // Twelve decimals: ten to that power is far beyond an int.
        "1.234567890123+1.234567890124 1.234567890123-1.234567890122 1.500000000000+1.600000000000 "
        "0.000000000001+0.000000000002");
    TNumButtonEditor spinner;
    spinner.enableLogCount(true);
    TDoubleValidator twelve(-qInf(), qInf(), 12);
    Rows r;
    r.count->setButtonEditor(&spinner);
    r.scale->setButtonEditor(&spinner);
    for (const QString& step : steps.split(' ')) {
        const int at = step.indexOf(QRegularExpression("[-+]"), 1);
        const QString start = step.left(at);
        TBaseValue* row = start.contains('.') ? static_cast<TBaseValue*>(r.scale) : r.count;
        if (start.size() > 12)
            r.scale->setValidator(&twelve);
        for (const double size : {0.5, 1.0}) { // a step below one does not move
            spinner.setStep(size);
            QVERIFY(row->setValue(start));
            QVERIFY(spin(open(row), step.at(at) == '+'));
            QCOMPARE(val(row), size < 1 ? start : step.mid(at + 1));
        }
    }
    r.scale->setValidator(nullptr);
}

void TestButtonEditors::sharedEditors()
{
    TNumButtonEditor* shared = TIntegerValue::s_NumButtonEditor;
    QVERIFY(static_cast<TButtonEditor*>(shared) != TDoubleValue::s_NumButtonEditor);
    QVERIFY(shared->step() == 1.0 && !shared->overSpin() && !shared->logCount());
    Rows a, b;
    QVERIFY(a.count->setValue(5) && b.count->setValue(10) && a.scale->setValue(2.5));
    TDropList* editorA = open(a.count);
    QPointer<QToolButton> staleUp = arrow(editorA, true);
    TDropList* editorB = open(b.count);
    QVERIFY(shared->host() == editorB && shared->item() == b.count);
    QSignalSpy picksA(&a.browser, &TValueBrowser::ValuePicked);
    QSignalSpy picksB(&b.browser, &TValueBrowser::ValuePicked);
    // Each editor's buttons step their own row, with the shared step.
    shared->setStep(5);
    QVERIFY(spin(editorA, true) && spin(editorB, false) && spin(open(a.scale), true));
    shared->setStep(1);
    QVERIFY(val(a.count) == "10" && val(b.count) == "5" && val(a.scale) == "3.50000");
    QVERIFY(editorB->lineEdit()->text() == "5" && picksA.count() == 2 && picksB.count() == 1);
    // The button of a closed editor does nothing, and goes.
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
    // Another button editor takes the spin buttons' place, and they go.
    QPointer<QWidget> spinWidget = editorA->buttonWidget();
    FixedPickEditor popup;
    editorA->setButtonEditor(&popup);
    flush();
    QVERIFY(spinWidget.isNull() && editorA->findChildren<QToolButton*>().size() == 1);
    editorA->setButtonEditor(nullptr);
    flush();
    QVERIFY(!editorA->buttonWidget() && editorA->findChildren<QToolButton*>().isEmpty());
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
    QVERIFY(button && button->text() == "..." && button->toolTip() == "Pick value from dialog");
    // The answer reaches the row before doPick() returns; a refused one is
    // still a pick, an equal one is none.
    dialog.answer = 17;
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(dialog.heldAfterPick == "17" && editor->lineEdit()->text() == "17" && r.count->valueChanged());
    QCOMPARE(picks.count(), 1);
    for (const QVariant& answer : {QVariant("abc"), QVariant(17)}) {
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
