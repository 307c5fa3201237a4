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

} // namespace

class TestButtonEditors : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { flush(); }
    void spinSteps();
    void sharedEditors();
};

void TestButtonEditors::spinSteps()
{
    // Per kind of row, bounds, decimals, over-spin and logarithmic counting: clicks as the start
    // value ("*": a special value), '+' for up or '-' for down, and the value after the click.
    const struct {
        bool real;
        double min, max;
        int decimals;
        bool overSpin, log;
        const char* clicks;
    } groups[] = {
        {false, kLo, kHi, 0, false, false, "2147483647+2147483647 -2147483648--2147483648"},
        {true, kLo, kHi, 5, false, false, "2.5+3.50000 -0.25+0.75000"},
        {false, 0, 10, 0, false, false, "10+10 0-0"},
        {false, 0, 10, 0, true, false, "10+0 0-10 9+10"},
        {true, 0, 1, 5, true, false, "1+0.00000"},
        {true, 0, 1, 5, false, false, "0.5-0.00000"},
        // A special value spins to zero, or to the bound nearest to it, and does not wrap.
        {false, kLo, kHi, 0, true, false, "*+0 *-0"},
        {false, 5, 10, 0, true, false, "*+5"},
        {false, -10, -5, 0, true, false, "*--5"},
        {true, kLo, kHi, 5, true, false, "*-0.00000"},
        // The 1-2-3 ... 9-10-20 sequence; twelve decimals are far beyond an int.
        {false, kLo, kHi, 0, false, true,
         "120+130 100-90 100+200 10-9 9+10 10+20 40-30 20-10 1-0 0--1 0+1 -1--2 -10+-9 -100+-90 -100--200"},
        {true, kLo, kHi, 5, false, true,
         "2.50000+2.60000 2.50000-2.40000 0.00000+0.00001 -0.50000+-0.40000 -0.50000--0.60000"},
        {true, -qInf(), qInf(), 12, false, true,
         "1.234567890123+1.234567890124 1.234567890123-1.234567890122 1.500000000000+1.600000000000 "
         "0.000000000001+0.000000000002"},
    };
    for (const auto& g : groups) {
        TIntValidator ints{int(qBound(kLo, g.min, kHi)), int(qBound(kLo, g.max, kHi))};
        TDoubleValidator reals(g.min, g.max, g.decimals);
        TNumButtonEditor spinner;
        spinner.enableOverSpin(g.overSpin);
        spinner.enableLogCount(g.log);
        Rows r;
        TBaseValue* row = g.real ? static_cast<TBaseValue*>(r.scale) : r.count;
        row->setButtonEditor(&spinner);
        row->setValidator(g.real ? static_cast<TValueValidator*>(&reals) : &ints);
        TDropList* editor = open(row);
        QSignalSpy picks(&r.browser, &TValueBrowser::ValuePicked);
        for (const double step : {1.0, 0.5}) { // a logarithmic step below one does not move
            spinner.setStep(step);
            for (const QString& click : QString(g.clicks).split(' ')) {
                const int at = click.indexOf(QRegularExpression("[-+]"), 1);
                const QString start = click.left(at), after = step < 1 ? start : click.mid(at + 1);
                const bool up = click.at(at) == '+';
                if (start == "*")
                    row->setSpecial(SV_Default);
                QVERIFY(start == "*" || row->setValue(start));
                picks.clear();
                QVERIFY(spin(editor, up));
                QVERIFY2(val(row) == after && shown(row) == after && editor->lineEdit()->text() == after,
                         qPrintable(click + " gave " + val(row)));
                QCOMPARE(row->value().kind, int(SK_Value));
                // One pick per click, and one more for a wrap to the opposite bound.
                const double from = start.toDouble(), to = after.toDouble();
                const bool wrapped = start != "*" && (up ? to < from : to > from);
                QVERIFY(step < 1 || picks.size() == (wrapped ? 2 : 1));
                QVERIFY(step < 1 || picks.last().at(1).value<SValue>().value.toString() == after);
            }
            if (!g.log)
                break;
        }
    }
}

void TestButtonEditors::sharedEditors()
{
    // The library's spin editor, shared by every int row, and a "..." editor
    // serve rows in two browsers: each button acts for its own row.
    TNumButtonEditor* shared = TIntegerValue::s_NumButtonEditor;
    QVERIFY(static_cast<TButtonEditor*>(shared) != TDoubleValue::s_NumButtonEditor && shared->step() == 1.0);
    Rows a, b;
    QVERIFY(a.count->setValue(5) && b.count->setValue(10) && a.scale->setValue(2.5));
    TDropList* editorA = open(a.count);
    QPointer<QToolButton> staleUp = arrow(editorA, true);
    QVERIFY(staleUp->autoRepeat() && arrow(editorA, false)->autoRepeat());
    TDropList* editorB = open(b.count);
    QVERIFY(shared->host() == editorB && shared->item() == b.count);
    QSignalSpy picksA(&a.browser, &TValueBrowser::ValuePicked);
    QSignalSpy picksB(&b.browser, &TValueBrowser::ValuePicked);
    shared->setStep(5);
    QVERIFY(spin(editorA, true) && spin(editorB, false) && spin(open(a.scale), true));
    shared->setStep(1);
    QVERIFY(val(a.count) == "10" && val(b.count) == "5" && val(a.scale) == "3.50000");
    QVERIFY(editorB->lineEdit()->text() == "5" && picksA.count() == 2 && picksB.count() == 1);
    // The button of a closed editor does nothing, and goes.
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

    // A "..." editor takes the spin buttons' place, and they go. Its answer reaches the row before
    // doPick() returns; a refused one is still a pick, an equal one is none.
    QPointer<QWidget> spinWidget = editorA->buttonWidget();
    FixedPickEditor dialog;
    a.browser.storeSet();
    a.count->setButtonEditor(&dialog);
    b.scale->setButtonEditor(&dialog);
    editorA = open(a.count);
    flush();
    auto* button = qobject_cast<QToolButton*>(editorA->buttonWidget());
    QVERIFY(spinWidget.isNull() && button && button->text() == "..." && button->toolTip() == "Pick value from dialog");
    picksA.clear();
    dialog.answer = 17;
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(dialog.heldAfterPick == "17" && editorA->lineEdit()->text() == "17" && a.count->valueChanged());
    for (const QVariant& answer : {QVariant("abc"), QVariant(17)}) {
        dialog.answer = answer;
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(val(a.count) == "17" && picksA.count() == 2);
    }
    TDropList* otherEditor = open(b.scale);
    dialog.answer = 33;
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(val(a.count) == "33" && val(b.scale) != "33.00000");
    open(a.scale); // once closed, none
    button->click();
    QCOMPARE(dialog.clicks, 4);
    QTest::mouseClick(qobject_cast<QToolButton*>(otherEditor->buttonWidget()), Qt::LeftButton);
    QCOMPARE(val(b.scale), QString("33.00000"));
}

QTEST_MAIN(TestButtonEditors)
#include "tst_buttoneditors.moc"
