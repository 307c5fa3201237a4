#include <QtTest>

#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

#include <limits>

#include "tbasevalue.h"
#include "tbuttoneditor.h"
#include "tcombobox_p.h"
#include "tdoublevalue.h"
#include "tdroplist_p.h"
#include "tintegervalue.h"
#include "titemlist.h"
#include "tvaluebrowser.h"
#include "tvaluevalidator.h"

namespace {

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QToolButton* arrowButton(const TDropList* editor, Qt::ArrowType arrow)
{
    if (!editor || !editor->buttonWidget())
        return nullptr;
    const auto buttons = editor->buttonWidget()->findChildren<QToolButton*>();
    for (QToolButton* button : buttons) {
        if (button->arrowType() == arrow)
            return button;
    }
    return nullptr;
}

// Steps the row whose editor is open, as a mouse click on its arrow does.
bool spin(const TDropList* editor, bool up)
{
    QToolButton* button = arrowButton(editor, up ? Qt::UpArrow : Qt::DownArrow);
    if (!button)
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

// A "..." editor whose dialog always answers with the same value.
class FixedPickEditor : public TPopupButtonEditor
{
public:
    QVariant answer;
    int clicks = 0;
    QVariant heldAfterPick;

protected:
    void buttonClicked() override
    {
        ++clicks;
        doPick(answer);
        heldAfterPick = item() ? item()->value().value : QVariant();
    }
};

// Puts the step of a library-wide editor back whatever a test does.
class StepGuard
{
public:
    explicit StepGuard(TNumButtonEditor* editor)
        : m_editor(editor)
        , m_step(editor->step())
    {
    }
    ~StepGuard() { m_editor->setStep(m_step); }

private:
    TNumButtonEditor* m_editor;
    double m_step;
};

// A browser with the library's special values, an integer and a real row.
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

    TDropList* enter(TBaseValue* row)
    {
        browser.setCurrentItem(row);
        return row->editor();
    }

    TValueBrowser browser;
    TIntegerValue* count = nullptr;
    TDoubleValue* scale = nullptr;
};

QString text(TBaseValue* row)
{
    return row->value().value.toString();
}

} // namespace

class TestButtonEditors : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { flushDeletes(); }

    void spinButtonLayout();
    void linearSteps_data();
    void linearSteps();
    void boundsAndOverSpin_data();
    void boundsAndOverSpin();
    void logStep_data();
    void logStep();
    void logStepsThroughButtons();
    void fractionalLogStepDoesNotMove();
    void specialValueSpinsToZero_data();
    void specialValueSpinsToZero();
    void twoBrowsersShareSpinEditor();
    void closedEditorButtonsDoNothing();
    void sharedStepAppliesEverywhere();
    void popupButton();
    void twoBrowsersSharePopupEditor();
};

void TestButtonEditors::spinButtonLayout()
{
    // One editor for all integer rows and another for all real rows.
    TNumButtonEditor* ints = TIntegerValue::s_NumButtonEditor;
    QVERIFY(ints && TDoubleValue::s_NumButtonEditor);
    QVERIFY(static_cast<TButtonEditor*>(ints) != TDoubleValue::s_NumButtonEditor);
    QCOMPARE(ints->step(), 1.0);
    QVERIFY(!ints->overSpin() && !ints->logCount());

    Rows r;
    QCOMPARE(r.count->buttonEditor(), static_cast<TButtonEditor*>(ints));
    QCOMPARE(r.scale->buttonEditor(), static_cast<TButtonEditor*>(TDoubleValue::s_NumButtonEditor));
    TDropList* editor = r.enter(r.count);
    QPointer<QWidget> spinWidget = editor->buttonWidget();
    QVERIFY(spinWidget);
    QCOMPARE(TIntegerValue::s_NumButtonEditor->host(), editor);
    QCOMPARE(TIntegerValue::s_NumButtonEditor->item(), static_cast<TBaseValue*>(r.count));

    QCOMPARE(spinWidget->minimumWidth(), 20);
    QCOMPARE(spinWidget->maximumWidth(), 20);
    QToolButton* up = arrowButton(editor, Qt::UpArrow);
    QToolButton* down = arrowButton(editor, Qt::DownArrow);
    QVERIFY(up && down);
    QVERIFY(up->autoRepeat() && down->autoRepeat());
    QCOMPARE(spinWidget->layout()->indexOf(up), 0);
    QCOMPARE(spinWidget->layout()->indexOf(down), 1);

    // Between the text field and the restore button.
    QLayout* row = editor->layout();
    QCOMPARE(row->count(), 3);
    QCOMPARE(row->indexOf(editor->comboBox()), 0);
    QCOMPARE(row->indexOf(spinWidget), 1);
    QCOMPARE(row->indexOf(editor->restoreButton()), 2);
    QVERIFY(spinWidget->isVisible());

    // Another button editor replaces the widget at the same place.
    FixedPickEditor popup;
    editor->setButtonEditor(&popup);
    flushDeletes();
    QVERIFY(spinWidget.isNull());
    QVERIFY(qobject_cast<QToolButton*>(editor->buttonWidget()));
    QCOMPARE(row->indexOf(editor->buttonWidget()), 1);
    QCOMPARE(row->indexOf(editor->restoreButton()), 2);

    editor->setButtonEditor(nullptr);
    flushDeletes();
    QVERIFY(!editor->buttonWidget());
    QCOMPARE(row->count(), 2);
    QCOMPARE(row->indexOf(editor->restoreButton()), 1);
}

void TestButtonEditors::linearSteps_data()
{
    QTest::addColumn<bool>("real");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("expected");

    QTest::newRow("int 5 up") << false << "5" << true << "6";
    QTest::newRow("int 5 down") << false << "5" << false << "4";
    QTest::newRow("int -1 up") << false << "-1" << true << "0";
    QTest::newRow("int 0 down") << false << "0" << false << "-1";
    QTest::newRow("real 2.5 up") << true << "2.5" << true << "3.50000";
    QTest::newRow("real 2.5 down") << true << "2.5" << false << "1.50000";
    QTest::newRow("real -0.25 up") << true << "-0.25" << true << "0.75000";
}

void TestButtonEditors::linearSteps()
{
    QFETCH(bool, real);
    QFETCH(QString, start);
    QFETCH(bool, up);
    QFETCH(QString, expected);

    Rows r;
    TBaseValue* row = real ? static_cast<TBaseValue*>(r.scale) : r.count;
    QVERIFY(row->setValue(start));
    r.browser.storeSet();
    TDropList* editor = r.enter(row);
    QSignalSpy picks(&r.browser, &TValueBrowser::ValuePicked);

    QVERIFY(spin(editor, up));
    QCOMPARE(text(row), expected);
    QCOMPARE(row->value().kind, int(SK_Value));
    QCOMPARE(row->text(1), expected);
    QCOMPARE(editor->lineEdit()->text(), expected);
    QVERIFY(row->valueChanged());
    QCOMPARE(picks.count(), 1);
    QCOMPARE(picks.at(0).at(1).value<SValue>().value.toString(), expected);

    // The opposite arrow goes back to the start.
    QVERIFY(spin(editor, !up));
    QVERIFY(!row->valueChanged());
    QCOMPARE(picks.count(), 2);
    QCOMPARE(text(row), QString(real ? QString::number(start.toDouble(), 'f', 5) : start));
}

void TestButtonEditors::boundsAndOverSpin_data()
{
    QTest::addColumn<bool>("real");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("overSpin");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("expected");

    QTest::newRow("10 up stays") << false << 0.0 << 10.0 << "10" << false << true << "10";
    QTest::newRow("10 up wraps") << false << 0.0 << 10.0 << "10" << true << true << "0";
    QTest::newRow("0 down wraps") << false << 0.0 << 10.0 << "0" << true << false << "10";
    QTest::newRow("0 down stays") << false << 0.0 << 10.0 << "0" << false << false << "0";
    QTest::newRow("inside no wrap") << false << 0.0 << 10.0 << "9" << true << true << "10";
    QTest::newRow("INT_MAX up") << false << double(kIntMin) << double(kIntMax)
                                << QString::number(kIntMax) << false << true << QString::number(kIntMax);
    QTest::newRow("INT_MIN down") << false << double(kIntMin) << double(kIntMax)
                                  << QString::number(kIntMin) << false << false << QString::number(kIntMin);
    QTest::newRow("real 1 up wraps") << true << 0.0 << 1.0 << "1" << true << true << "0.00000";
    QTest::newRow("real 0.5 down stays") << true << 0.0 << 1.0 << "0.5" << false << false << "0.00000";
}

void TestButtonEditors::boundsAndOverSpin()
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
    QVERIFY(row->setValue(start));
    TDropList* editor = r.enter(row);

    QVERIFY(spin(editor, up));
    QCOMPARE(text(row), expected);
    QCOMPARE(row->value().kind, int(SK_Value));
    QCOMPARE(editor->lineEdit()->text(), expected);
}

void TestButtonEditors::logStep_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("up");
    QTest::addColumn<double>("expected");

    QTest::newRow("120 up") << "120" << true << 130.0;
    QTest::newRow("120 down") << "120" << false << 110.0;
    QTest::newRow("100 down") << "100" << false << 90.0;
    QTest::newRow("100 up") << "100" << true << 200.0;
    QTest::newRow("10 down") << "10" << false << 9.0;
    QTest::newRow("10 up") << "10" << true << 20.0;
    QTest::newRow("9 up") << "9" << true << 10.0;
    QTest::newRow("1 down") << "1" << false << 0.0;
    QTest::newRow("0 down") << "0" << false << -1.0;
    QTest::newRow("0 up") << "0" << true << 1.0;
    QTest::newRow("-1 down") << "-1" << false << -2.0;
    QTest::newRow("-10 up") << "-10" << true << -9.0;
    QTest::newRow("-100 up") << "-100" << true << -90.0;
    QTest::newRow("-100 down") << "-100" << false << -200.0;
    QTest::newRow("2.50000 up") << "2.50000" << true << 2.6;
    QTest::newRow("2.50000 down") << "2.50000" << false << 2.4;
    QTest::newRow("0.00000 up") << "0.00000" << true << 0.00001;
    QTest::newRow("-0.50000 up") << "-0.50000" << true << -0.4;
    QTest::newRow("-0.50000 down") << "-0.50000" << false << -0.6;
    // Twelve decimals: ten to that power is far beyond an int.
    QTest::newRow("12 decimals up") << "1.234567890123" << true << 1.234567890124;
    QTest::newRow("12 decimals down") << "1.234567890123" << false << 1.234567890122;
    QTest::newRow("12 decimals trailing zeros") << "1.500000000000" << true << 1.6;
    QTest::newRow("12 decimals smallest") << "0.000000000001" << true << 0.000000000002;
}

void TestButtonEditors::logStep()
{
    QFETCH(QString, text);
    QFETCH(bool, up);
    QFETCH(double, expected);
    const double result = TNumButtonEditor::logStep(text, 1.0, up);
    // Tighter than a fuzzy compare: a step on the twelfth decimal must show.
    const double tolerance = 1e-14 * qMax(1.0, qAbs(expected));
    QVERIFY2(qAbs(result - expected) <= tolerance,
             qPrintable(QString("%1 instead of %2").arg(result, 0, 'g', 17).arg(expected, 0, 'g', 17)));
}

void TestButtonEditors::logStepsThroughButtons()
{
    TNumButtonEditor spinner;
    spinner.enableLogCount(true);
    TDoubleValidator twelve(-std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::infinity(), 12);
    Rows r;
    r.count->setButtonEditor(&spinner);
    r.scale->setButtonEditor(&spinner);

    // Up from 7 and back down the same sequence.
    QVERIFY(r.count->setValue(7));
    TDropList* editor = r.enter(r.count);
    QStringList walked;
    for (int i = 0; i < 6; ++i) {
        QVERIFY(spin(editor, true));
        walked << text(r.count);
    }
    QCOMPARE(walked, QStringList({"8", "9", "10", "20", "30", "40"}));
    walked.clear();
    for (int i = 0; i < 9; ++i) {
        QVERIFY(spin(editor, false));
        walked << text(r.count);
    }
    QCOMPARE(walked, QStringList({"30", "20", "10", "9", "8", "7", "6", "5", "4"}));

    // The real row steps on the last digit of its canonical text.
    QVERIFY(r.scale->setValue(2.5));
    editor = r.enter(r.scale);
    QVERIFY(spin(editor, false));
    QCOMPARE(text(r.scale), QString("2.40000"));

    // With twelve decimals the step is still on the last one.
    r.scale->setValidator(&twelve);
    QVERIFY(r.scale->setValue("1.234567890123"));
    QCOMPARE(text(r.scale), QString("1.234567890123"));
    QVERIFY(spin(editor, true));
    QCOMPARE(text(r.scale), QString("1.234567890124"));
    r.scale->setValidator(nullptr);
}

void TestButtonEditors::fractionalLogStepDoesNotMove()
{
    QCOMPARE(TNumButtonEditor::logStep("3", 0.5, true), 3.0);
    QCOMPARE(TNumButtonEditor::logStep("2.50000", 0.5, false), 2.5);

    TNumButtonEditor spinner;
    spinner.enableLogCount(true);
    spinner.setStep(0.5);
    Rows r;
    r.count->setButtonEditor(&spinner);
    QVERIFY(r.count->setValue(3));
    TDropList* editor = r.enter(r.count);
    QVERIFY(spin(editor, true));
    QCOMPARE(text(r.count), QString("3"));
    QVERIFY(spin(editor, false));
    QCOMPARE(text(r.count), QString("3"));
}

void TestButtonEditors::specialValueSpinsToZero_data()
{
    QTest::addColumn<bool>("real");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("expected");

    QTest::newRow("up") << false << kIntMin << kIntMax << true << "0";
    QTest::newRow("down") << false << kIntMin << kIntMax << false << "0";
    QTest::newRow("0 below range") << false << 5 << 10 << true << "5";
    QTest::newRow("0 above range") << false << -10 << -5 << false << "-5";
    QTest::newRow("real") << true << kIntMin << kIntMax << false << "0.00000";
}

void TestButtonEditors::specialValueSpinsToZero()
{
    QFETCH(bool, real);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(bool, up);
    QFETCH(QString, expected);

    TIntValidator range(min, max);
    TNumButtonEditor spinner;
    // Wrapping must not follow the replacement of a special value.
    spinner.enableOverSpin(true);
    Rows r;
    TBaseValue* row = real ? static_cast<TBaseValue*>(r.scale) : r.count;
    row->setButtonEditor(&spinner);
    if (!real)
        row->setValidator(&range);
    row->setSpecial(SV_Default);
    QCOMPARE(row->value().kind, int(SK_Special));
    TDropList* editor = r.enter(row);
    QSignalSpy picks(&r.browser, &TValueBrowser::ValuePicked);

    QVERIFY(spin(editor, up));
    QCOMPARE(row->value().kind, int(SK_Value));
    QCOMPARE(text(row), expected);
    QCOMPARE(row->text(1), expected);
    QCOMPARE(editor->lineEdit()->text(), expected);
    QCOMPARE(picks.count(), 1);
}

void TestButtonEditors::twoBrowsersShareSpinEditor()
{
    Rows a;
    Rows b;
    QVERIFY(a.count->setValue(5));
    QVERIFY(b.count->setValue(10));
    TDropList* editorA = a.enter(a.count);
    TDropList* editorB = b.enter(b.count);
    QVERIFY(editorA && editorB);
    // The shared editor was last asked for B's buttons.
    QCOMPARE(TIntegerValue::s_NumButtonEditor->host(), editorB);
    QSignalSpy picksA(&a.browser, &TValueBrowser::ValuePicked);
    QSignalSpy picksB(&b.browser, &TValueBrowser::ValuePicked);

    QVERIFY(spin(editorA, true));
    QCOMPARE(text(a.count), QString("6"));
    QCOMPARE(text(b.count), QString("10"));
    QCOMPARE(editorA->lineEdit()->text(), QString("6"));
    QCOMPARE(editorB->lineEdit()->text(), QString("10"));
    QCOMPARE(picksA.count(), 1);
    QCOMPARE(picksB.count(), 0);

    QVERIFY(spin(editorB, false));
    QCOMPARE(text(b.count), QString("9"));
    QCOMPARE(text(a.count), QString("6"));

    QVERIFY(spin(editorA, true));
    QCOMPARE(text(a.count), QString("7"));
    QCOMPARE(text(b.count), QString("9"));
    QCOMPARE(picksA.count(), 2);
    QCOMPARE(picksB.count(), 1);
}

void TestButtonEditors::closedEditorButtonsDoNothing()
{
    Rows a;
    Rows b;
    QVERIFY(a.count->setValue(5));
    QVERIFY(a.scale->setValue(1));
    QVERIFY(b.count->setValue(10));
    QVERIFY(b.scale->setValue(3));
    TDropList* editorA = a.enter(a.count);
    TDropList* editorB = b.enter(b.count);
    QPointer<QToolButton> staleUp = arrowButton(editorA, Qt::UpArrow);
    QVERIFY(staleUp);
    QSignalSpy picksA(&a.browser, &TValueBrowser::ValuePicked);
    QSignalSpy picksB(&b.browser, &TValueBrowser::ValuePicked);

    // A's editor closes; its button is still there until deleted.
    a.enter(a.scale);
    QVERIFY(staleUp);
    QSignalSpy clicked(staleUp.data(), &QToolButton::clicked);
    staleUp->click();
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(text(a.count), QString("5"));
    QCOMPARE(text(a.scale), QString("1.00000"));
    QCOMPARE(text(b.count), QString("10"));
    QCOMPARE(picksA.count(), 0);
    QCOMPARE(picksB.count(), 0);
    flushDeletes();
    QVERIFY(staleUp.isNull());

    // B's buttons still reach B's row.
    QVERIFY(spin(editorB, true));
    QCOMPARE(text(b.count), QString("11"));
    QCOMPARE(picksB.count(), 1);

    // The row of an open editor is deleted while the shared editor last
    // served A: the orphaned buttons reach neither browser.
    QPointer<QToolButton> orphanDown = arrowButton(editorB, Qt::DownArrow);
    QVERIFY(orphanDown);
    editorA = a.enter(a.count);
    QCOMPARE(TIntegerValue::s_NumButtonEditor->host(), editorA);
    delete b.count;
    b.count = nullptr;
    QVERIFY(orphanDown);
    orphanDown->click();
    QCOMPARE(text(a.count), QString("5"));
    QCOMPARE(text(b.scale), QString("3.00000"));
    QCOMPARE(picksA.count(), 0);
    QCOMPARE(picksB.count(), 1);
    flushDeletes();
    QVERIFY(orphanDown.isNull());
    QVERIFY(spin(editorA, false));
    QCOMPARE(text(a.count), QString("4"));
}

void TestButtonEditors::sharedStepAppliesEverywhere()
{
    StepGuard guard(TIntegerValue::s_NumButtonEditor);
    Rows a;
    Rows b;
    QVERIFY(a.count->setValue(5));
    QVERIFY(b.count->setValue(10));
    QVERIFY(a.scale->setValue(2.5));
    TIntegerValue::s_NumButtonEditor->setStep(5);

    TDropList* editorA = a.enter(a.count);
    TDropList* editorB = b.enter(b.count);
    QVERIFY(spin(editorA, true));
    QVERIFY(spin(editorB, false));
    QCOMPARE(text(a.count), QString("10"));
    QCOMPARE(text(b.count), QString("5"));

    // Real rows have an editor of their own.
    QVERIFY(spin(a.enter(a.scale), true));
    QCOMPARE(text(a.scale), QString("3.50000"));

    TIntegerValue::s_NumButtonEditor->setStep(1);
    QVERIFY(spin(editorB, true));
    QCOMPARE(text(b.count), QString("6"));
}

void TestButtonEditors::popupButton()
{
    FixedPickEditor dialog;
    Rows r;
    QVERIFY(r.count->setValue(4));
    r.browser.storeSet();
    r.count->setButtonEditor(&dialog);
    TDropList* editor = r.enter(r.count);
    QSignalSpy picks(&r.browser, &TValueBrowser::ValuePicked);

    auto* button = qobject_cast<QToolButton*>(editor->buttonWidget());
    QVERIFY(button);
    QCOMPARE(button->parentWidget(), static_cast<QWidget*>(editor));
    QCOMPARE(button->text(), QString("..."));
    QCOMPARE(button->minimumWidth(), 20);
    QCOMPARE(button->maximumWidth(), 20);
    QCOMPARE(button->toolTip(), QString("Pick value from dialog"));
    QCOMPARE(dialog.host(), editor);
    QCOMPARE(dialog.item(), static_cast<TBaseValue*>(r.count));

    // The answer reaches the row before doPick() returns.
    dialog.answer = 17;
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(dialog.clicks, 1);
    QCOMPARE(text(r.count), QString("17"));
    QCOMPARE(dialog.heldAfterPick.toString(), QString("17"));
    QCOMPARE(editor->lineEdit()->text(), QString("17"));
    QVERIFY(r.count->valueChanged());
    QCOMPARE(picks.count(), 1);
    QCOMPARE(picks.at(0).at(1).value<SValue>().value.toString(), QString("17"));

    // An answer the validator refuses leaves the row and its editor.
    dialog.answer = "abc";
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(text(r.count), QString("17"));
    QCOMPARE(editor->lineEdit()->text(), QString("17"));
    QCOMPARE(picks.count(), 2);

    // The same answer again is no change.
    dialog.answer = 17;
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(picks.count(), 2);
}

void TestButtonEditors::twoBrowsersSharePopupEditor()
{
    FixedPickEditor dialog;
    dialog.answer = 33;
    Rows a;
    Rows b;
    QVERIFY(a.count->setValue(1));
    QVERIFY(b.count->setValue(2));
    a.count->setButtonEditor(&dialog);
    b.count->setButtonEditor(&dialog);
    TDropList* editorA = a.enter(a.count);
    QPointer<QWidget> buttonA = editorA->buttonWidget();
    TDropList* editorB = b.enter(b.count);
    QCOMPARE(dialog.host(), editorB);

    QTest::mouseClick(qobject_cast<QToolButton*>(buttonA.data()), Qt::LeftButton);
    QCOMPARE(text(a.count), QString("33"));
    QCOMPARE(text(b.count), QString("2"));

    // Once A's editor is closed its button does nothing.
    dialog.answer = 44;
    a.enter(a.scale);
    QVERIFY(buttonA);
    qobject_cast<QToolButton*>(buttonA.data())->click();
    QCOMPARE(dialog.clicks, 1);
    QCOMPARE(text(a.count), QString("33"));
    QCOMPARE(text(b.count), QString("2"));

    QTest::mouseClick(qobject_cast<QToolButton*>(editorB->buttonWidget()), Qt::LeftButton);
    QCOMPARE(text(b.count), QString("44"));
    QCOMPARE(text(a.count), QString("33"));
}

QTEST_MAIN(TestButtonEditors)
#include "tst_buttoneditors.moc"
