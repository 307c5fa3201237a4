#include <QtTest>

#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <memory>

#include "tbasegroup.h"
#include "tbasevalue.h"
#include "tcombobox_p.h"
#include "tcomboeditor.h"
#include "tdoublevalue.h"
#include "tdroplist_p.h"
#include "tintegervalue.h"
#include "titemlist.h"
#include "tvaluebrowser.h"
#include "tvaluevalidator.h"

namespace {

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Remembers what checkEditor() said each time it was asked for a value.
class WatchingValidator : public TIntValidator
{
public:
    EValidateResult checkValue(QVariant& value) override
    {
        if (browser)
            seen << browser->checkEditor();
        return TIntValidator::checkValue(value);
    }

    TValueBrowser* browser = nullptr;
    QList<bool> seen;
};

// A command entry that records its calls and may pick a value.
class RecordingCommand : public TComboEditor
{
public:
    void invoke(TBaseValue* value) override
    {
        invokedWith << value;
        if (pickValue.isValid())
            doPick(pickValue);
    }

    QList<TBaseValue*> invokedWith;
    QVariant pickValue;
};

// An integer row whose editor ends with a separator and a command entry.
class CommandValue : public TIntegerValue
{
public:
    CommandValue(TValueBrowser* browser, const QString& name, TComboEditor* command)
        : TIntegerValue(browser, name)
        , m_command(command)
    {
    }

    void fillEditor() override
    {
        TIntegerValue::fillEditor();
        editor()->addSeparator();
        editor()->addComboEditor(m_command);
    }

private:
    TComboEditor* m_command;
};

// A browser with the library's special values and three bound rows, whose
// baseline is taken from the variables.
struct Form
{
    Form()
    {
        browser.setSpecialList(&TValueBrowser::s_specialList);
        width = browser.addInt(0, "Width", "Width of the frame", "width", &widthVar, LT_Int);
        height = browser.addInt(0, "Height", "Height of the frame", "height", &heightVar, LT_Int);
        ratio = browser.addReal(0, "Ratio", "Aspect ratio", "ratio", &ratioVar, LT_Double);
        browser.updateFromLinked();
        browser.storeSet();
        browser.resize(400, 300);
        browser.show();
    }

    TDropList* enter(TBaseValue* row)
    {
        browser.setCurrentItem(row);
        return row ? row->editor() : nullptr;
    }

    int widthVar = 7;
    int heightVar = 3;
    double ratioVar = 1.5;
    TValueBrowser browser;
    TIntegerValue* width = nullptr;
    TIntegerValue* height = nullptr;
    TDoubleValue* ratio = nullptr;
};

// TBaseItem is a QObject without a meta-object of its own, so the variant
// is read as the pointer it holds.
TBaseItem* itemArg(const QVariant& v)
{
    if (v.userType() != qMetaTypeId<TBaseItem*>())
        return nullptr;
    return *static_cast<TBaseItem* const*>(v.constData());
}

SValue pickedRecord(const QSignalSpy& spy, int i)
{
    return spy.at(i).at(1).value<SValue>();
}

void sendWheel(QWidget* widget, int delta)
{
    const QPointF pos(widget->rect().center());
    QWheelEvent wheel(pos, QPointF(widget->mapToGlobal(pos.toPoint())), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &wheel);
}

void sendFocusOut(QWidget* widget, Qt::FocusReason reason)
{
    QFocusEvent out(QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(widget, &out);
}

bool isBold(const QLineEdit* edit)
{
    return edit->font().weight() == QFont::Bold;
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { flushDeletes(); }

    void editorOpensOnCurrentRowOnly();
    void hintSignalsOnCurrentChange();
    void firstFillIsLazy();
    void popupStartsAtValueColumn();
    void typedValueIsCommitted_data();
    void typedValueIsCommitted();
    void rejectedTextPutsEditorBack();
    void escapeRestoresTypedText();
    void pastedTextSurvivesFirstFill();
    void restoreToStoredValue_data();
    void restoreToStoredValue();
    void steppingThroughSpecials();
    void wheelStepsLikeShiftArrows();
    void specialNamesAndNumbers();
    void commandAndSeparatorEntries();
    void leavingByTabOrMouse();
    void arrowKeysCommitAndMove();
    void checkEditorDuringPick();
    void allowSpecialsRefillsOpenEditor();
    void restoreButtonIcon();
    void disabledRowGetsNoEditor();
    void deletingRowsWithEditorOpen();
    void clearWithEditorOpen();
    void slotOnValuePickedClosesEditor_data();
    void slotOnValuePickedClosesEditor();
    void destroyBrowserWithEditorOpen();
};

void TestEditing::editorOpensOnCurrentRowOnly()
{
    Form f;
    QCOMPARE(f.width->editor(), static_cast<TDropList*>(nullptr));

    QPointer<TDropList> first = f.enter(f.width);
    QVERIFY(first);
    QVERIFY(f.browser.isPersistentEditorOpen(f.width, 1));
    QCOMPARE(f.browser.itemWidget(f.width, 1), static_cast<QWidget*>(first.data()));
    QCOMPARE(first->valueItem(), static_cast<TBaseValue*>(f.width));
    QCOMPARE(first->lineEdit()->text(), QString("7"));
    QVERIFY(!f.height->editor());
    QVERIFY(!f.ratio->editor());

    QPointer<TDropList> second = f.enter(f.height);
    QVERIFY(second);
    QVERIFY(second != first);
    QVERIFY(!f.width->editor());
    QVERIFY(!f.browser.isPersistentEditorOpen(f.width, 1));
    QVERIFY(!first || first->isHidden());
    QCOMPARE(second->lineEdit()->text(), QString("3"));
    flushDeletes();
    QVERIFY(first.isNull());

    // A plain tree item added through the inherited interface gets none.
    auto* plain = new QTreeWidgetItem(&f.browser, QStringList("Plain"));
    f.browser.setCurrentItem(plain);
    QVERIFY(!f.height->editor());
    flushDeletes();
    QVERIFY(second.isNull());
    QVERIFY(!f.browser.itemWidget(plain, 1));

    f.browser.setCurrentItem(nullptr);
    QVERIFY(!f.width->editor() && !f.height->editor() && !f.ratio->editor());
}

void TestEditing::hintSignalsOnCurrentChange()
{
    Form f;
    QSignalSpy hints(&f.browser, QOverload<const QString&, TBaseItem*, const QString&>::of(
                                     &TValueBrowser::HintChanged));
    QSignalSpy itemHints(&f.browser, &TValueBrowser::ItemHint);

    f.enter(f.height);
    QCOMPARE(hints.count(), 1);
    QCOMPARE(hints.at(0).at(0).toString(), QString("Height of the frame"));
    QCOMPARE(itemArg(hints.at(0).at(1)), static_cast<TBaseItem*>(f.height));
    QCOMPARE(hints.at(0).at(2).toString(), QString("Height"));
    QCOMPARE(itemHints.count(), 1);
    QCOMPARE(itemHints.at(0).at(0).toString(), QString("Height of the frame"));

    f.enter(f.ratio);
    QCOMPARE(hints.count(), 2);
    QCOMPARE(itemArg(hints.at(1).at(1)), static_cast<TBaseItem*>(f.ratio));
    QCOMPARE(itemHints.at(1).at(0).toString(), QString("Aspect ratio"));

    f.browser.setCurrentItem(nullptr);
    QCOMPARE(hints.count(), 3);
    QCOMPARE(hints.at(2).at(0).toString(), QString());
    QCOMPARE(itemArg(hints.at(2).at(1)), static_cast<TBaseItem*>(nullptr));
    QCOMPARE(hints.at(2).at(2).toString(), QString());
    QCOMPARE(itemHints.count(), 3);
    QCOMPARE(itemHints.at(2).at(0).toString(), QString());
}

void TestEditing::firstFillIsLazy()
{
    Form f;
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    TDropList* editor = f.enter(f.width);
    TComboBox* combo = editor->comboBox();

    // Until a choice is needed the editor shows the current value alone.
    QVERIFY(!combo->isFilled());
    QCOMPARE(combo->count(), 1);
    QCOMPARE(combo->itemText(0), QString("7"));
    QVERIFY(!combo->itemData(0, EntryValueRole).isValid());

    // Leaving by a mouse click before anything filled it changes nothing.
    sendFocusOut(combo, Qt::MouseFocusReason);
    QVERIFY(!combo->isFilled());
    QCOMPARE(picks.count(), 0);
    QCOMPARE(f.width->value().value.toString(), QString("7"));

    // Escape and plain arrows do not fill it either.
    QTest::keyClick(combo, Qt::Key_Escape);
    QVERIFY(!combo->isFilled());

    // Any other key fills it with the special values, in their order.
    QTest::keyClick(combo, Qt::Key_End);
    QVERIFY(combo->isFilled());
    const QStringList names{"Default", "No Value", "Unused", "Empty", "Bad Value"};
    QCOMPARE(combo->count(), names.size());
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(combo->itemText(i), names.at(i));
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(editor->lineEdit()->text(), QString("7"));
    QCOMPARE(picks.count(), 0);
}

void TestEditing::popupStartsAtValueColumn()
{
    Form f;
    TComboBox* combo = f.enter(f.width)->comboBox();
    combo->showPopup();
    QVERIFY(combo->isFilled());
    QCOMPARE(combo->count(), 5);

    auto* container = combo->findChild<QFrame*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(container);
    QTRY_VERIFY_WITH_TIMEOUT(container->isVisible(), 1000);
    const int left = f.browser.mapToGlobal(f.browser.viewport()->pos()).x()
                     + f.browser.header()->sectionViewportPosition(1) - 1;
    QCOMPARE(container->geometry().left(), left);
    combo->hidePopup();
}

void TestEditing::typedValueIsCommitted_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

void TestEditing::typedValueIsCommitted()
{
    QFETCH(int, key);
    Form f;
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    TDropList* editor = f.enter(f.width);
    TComboBox* combo = editor->comboBox();
    QVERIFY(!isBold(editor->lineEdit()));

    QTest::keyClicks(combo, "42");
    QCOMPARE(editor->lineEdit()->text(), QString("42"));
    QCOMPARE(f.width->value().value.toString(), QString("7"));
    QTest::keyClick(combo, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

    QCOMPARE(f.width->value().kind, int(SK_Value));
    QCOMPARE(f.width->value().value.toString(), QString("42"));
    QCOMPARE(f.width->text(1), QString("42"));
    QCOMPARE(f.widthVar, 7); // not written back before updateLinked()
    f.browser.updateLinked();
    QCOMPARE(f.widthVar, 42);

    QCOMPARE(picks.count(), 1);
    QCOMPARE(itemArg(picks.at(0).at(0)), static_cast<TBaseItem*>(f.width));
    QCOMPARE(pickedRecord(picks, 0).value.toString(), QString("42"));
    QCOMPARE(pickedRecord(picks, 0).kind, int(SK_Value));

    // The value it already has is no pick: neither the untouched text nor
    // the same number typed again.
    QTest::keyClick(combo, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QTest::keyClicks(combo, "42");
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(picks.count(), 1);

    // Changed from the stored 7: bold in the editor as in the row.
    QVERIFY(f.width->valueChanged());
    QVERIFY(isBold(editor->lineEdit()));
    QCOMPARE(editor->lineEdit()->text(), QString("42"));

    // The typed text never becomes an entry of its own.
    QCOMPARE(combo->findText("42"), -1);
    QCOMPARE(combo->count(), 5);
    QCOMPARE(combo->insertPolicy(), QComboBox::NoInsert);

    // Back to the stored value: no longer changed, no longer bold.
    editor->lineEdit()->selectAll();
    QTest::keyClicks(combo, "7");
    QTest::keyClick(combo, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(f.width->value().value.toString(), QString("7"));
    QVERIFY(!f.width->valueChanged());
    QVERIFY(!isBold(editor->lineEdit()));
    QCOMPARE(combo->count(), 5);
    QCOMPARE(picks.count(), 2);
}

void TestEditing::rejectedTextPutsEditorBack()
{
    Form f;
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    TDropList* editor = f.enter(f.width);

    QTest::keyClicks(editor->comboBox(), "abc");
    QTest::keyClick(editor->comboBox(), Qt::Key_Return);

    QCOMPARE(f.width->value().kind, int(SK_Value));
    QCOMPARE(f.width->value().value.toString(), QString("7"));
    QCOMPARE(f.width->text(1), QString("7"));
    QCOMPARE(editor->lineEdit()->text(), QString("7"));
    QVERIFY(!f.width->valueChanged());
    // The pick is reported with the record the row kept.
    QCOMPARE(picks.count(), 1);
    QCOMPARE(pickedRecord(picks, 0).value.toString(), QString("7"));
    f.browser.updateLinked();
    QCOMPARE(f.widthVar, 7);
}

void TestEditing::escapeRestoresTypedText()
{
    Form f;
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    TDropList* editor = f.enter(f.width);
    QSignalSpy restores(editor, &TDropList::restoreValueInvoked);

    QTest::keyClicks(editor->comboBox(), "99");
    QTest::keyClick(editor->comboBox(), Qt::Key_Escape);
    QCOMPARE(editor->lineEdit()->text(), QString("7"));
    QCOMPARE(editor->lineEdit()->selectedText(), QString("7"));
    QCOMPARE(f.width->value().value.toString(), QString("7"));
    QCOMPARE(picks.count(), 0);
    QCOMPARE(restores.count(), 0);

    // After an accepted edit, Escape goes back to the new value.
    QTest::keyClicks(editor->comboBox(), "12");
    QTest::keyClick(editor->comboBox(), Qt::Key_Return);
    QTest::keyClicks(editor->comboBox(), "345");
    QTest::keyClick(editor->comboBox(), Qt::Key_Escape);
    QCOMPARE(editor->lineEdit()->text(), QString("12"));
    QCOMPARE(f.width->value().value.toString(), QString("12"));
}

void TestEditing::pastedTextSurvivesFirstFill()
{
    Form f;
    TDropList* editor = f.enter(f.width);
    // Text that reaches the line edit without a key press (paste, input
    // method, drop) while the editor still shows the current value alone.
    editor->lineEdit()->setText("55");
    QVERIFY(!editor->comboBox()->isFilled());
    QTest::keyClick(editor->comboBox(), Qt::Key_Return);
    QCOMPARE(f.width->value().value.toString(), QString("55"));
}

void TestEditing::restoreToStoredValue_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("Shift+Esc") << false;
    QTest::newRow("restore button") << true;
}

void TestEditing::restoreToStoredValue()
{
    QFETCH(bool, byButton);
    Form f;
    TDropList* editor = f.enter(f.width);
    QSignalSpy restores(editor, &TDropList::restoreValueInvoked);
    const auto restore = [&] {
        if (byButton)
            editor->restoreButton()->click();
        else
            QTest::keyClick(editor->comboBox(), Qt::Key_Escape, Qt::ShiftModifier);
    };

    QTest::keyClicks(editor->comboBox(), "42");
    QTest::keyClick(editor->comboBox(), Qt::Key_Return);
    QVERIFY(f.width->valueChanged());

    restore();
    QCOMPARE(restores.count(), 1);
    QCOMPARE(f.width->value().value.toString(), QString("7"));
    QCOMPARE(f.width->text(1), QString("7"));
    QCOMPARE(editor->lineEdit()->text(), QString("7"));
    QVERIFY(!f.width->valueChanged());
    QVERIFY(!isBold(editor->lineEdit()));
    QCOMPARE(f.width->editor(), editor);

    // A special value stored as the baseline comes back as that special.
    f.width->setSpecial(SV_Default);
    f.browser.storeSet();
    QTest::keyClicks(editor->comboBox(), "13");
    QTest::keyClick(editor->comboBox(), Qt::Key_Return);
    QCOMPARE(f.width->value().value.toString(), QString("13"));
    restore();
    QCOMPARE(restores.count(), 2);
    QCOMPARE(f.width->value().kind, int(SK_Special));
    QCOMPARE(f.width->value().value.toUInt(), unsigned(SV_Default));
    QCOMPARE(editor->lineEdit()->text(), QString("Default"));
    QCOMPARE(editor->comboBox()->currentIndex(), 0);
}

void TestEditing::steppingThroughSpecials()
{
    Form f;
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    TDropList* editor = f.enter(f.width);
    TComboBox* combo = editor->comboBox();

    // With no current entry Shift+Down takes the first one.
    QTest::keyClick(combo, Qt::Key_Down, Qt::ShiftModifier);
    QVERIFY(combo->isFilled());
    QCOMPARE(f.width->value().kind, int(SK_Special));
    QCOMPARE(f.width->value().value.toUInt(), unsigned(SV_Default));
    QCOMPARE(f.width->text(1), QString("Default"));
    QCOMPARE(editor->lineEdit()->text(), QString("Default"));
    QCOMPARE(picks.count(), 1);

    QTest::keyClick(combo, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(f.width->value().value.toUInt(), unsigned(SV_NoValue));
    QCOMPARE(f.width->text(1), QString("No Value"));
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(picks.count(), 2);

    QTest::keyClick(combo, Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(f.width->value().value.toUInt(), unsigned(SV_Default));
    QCOMPARE(picks.count(), 3);

    // Nothing before the first entry.
    QTest::keyClick(combo, Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(f.width->value().value.toUInt(), unsigned(SV_Default));
    QCOMPARE(picks.count(), 3);
    QCOMPARE(f.browser.currentItem(), static_cast<QTreeWidgetItem*>(f.width));

    // Nothing after the last one.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(combo, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(f.width->value().value.toUInt(), unsigned(SV_BadValue));
    QCOMPARE(picks.count(), 7);
    QTest::keyClick(combo, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(picks.count(), 7);
    QCOMPARE(f.width->text(1), QString("Bad Value"));
    QCOMPARE(f.browser.currentItem(), static_cast<QTreeWidgetItem*>(f.width));

    // A special value differs from the stored 7; the variable gets its code.
    QVERIFY(f.width->valueChanged());
    f.browser.updateLinked();
    QCOMPARE(f.widthVar, int(SV_BadValue));
}

void TestEditing::wheelStepsLikeShiftArrows()
{
    Form f;
    TDropList* editor = f.enter(f.height);
    TComboBox* combo = editor->comboBox();
    QVERIFY(!combo->isFilled());

    sendWheel(combo, -120);
    QVERIFY(combo->isFilled());
    QCOMPARE(f.height->value().value.toUInt(), unsigned(SV_Default));
    sendWheel(combo, -120);
    QCOMPARE(f.height->value().value.toUInt(), unsigned(SV_NoValue));
    sendWheel(combo, 120);
    QCOMPARE(f.height->value().value.toUInt(), unsigned(SV_Default));
    QCOMPARE(editor->lineEdit()->text(), QString("Default"));
    QCOMPARE(f.browser.currentItem(), static_cast<QTreeWidgetItem*>(f.height));
    QVERIFY(!combo->view()->isVisible());
}

void TestEditing::specialNamesAndNumbers()
{
    Form f;
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    TDropList* editor = f.enter(f.width);
    TComboBox* combo = editor->comboBox();

    // A row holding 2 takes "No Value", whose code is 2, by its exact name.
    QTest::keyClicks(combo, "2");
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(f.width->value().value.toString(), QString("2"));
    QTest::keyClicks(combo, "No Value");
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(f.width->value().kind, int(SK_Special));
    QCOMPARE(f.width->value().value.toUInt(), unsigned(SV_NoValue));
    QCOMPARE(f.width->text(1), QString("No Value"));
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(picks.count(), 2);
    QCOMPARE(pickedRecord(picks, 1).kind, int(SK_Special));

    // Other spelling is a value, which the integer row refuses.
    QTest::keyClicks(combo, "unused");
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(f.width->value().value.toUInt(), unsigned(SV_NoValue));
    QCOMPARE(editor->lineEdit()->text(), QString("No Value"));
    QCOMPARE(combo->count(), 5);

    // A row showing "Default" (code 8) takes a typed 8.
    QTest::keyClick(combo, Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(f.width->value().value.toUInt(), unsigned(SV_Default));
    QTest::keyClicks(combo, "8");
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(f.width->value().kind, int(SK_Value));
    QCOMPARE(f.width->value().value.toString(), QString("8"));
    QCOMPARE(f.width->text(1), QString("8"));
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(picks.count(), 5);
    f.browser.updateLinked();
    QCOMPARE(f.widthVar, 8);
}

void TestEditing::commandAndSeparatorEntries()
{
    RecordingCommand command;
    TValueBrowser browser;
    browser.setSpecialList(&TValueBrowser::s_specialList);
    auto* row = new CommandValue(&browser, "Count", &command);
    row->setValue(4);
    browser.show();
    QSignalSpy picks(&browser, &TValueBrowser::ValuePicked);
    browser.setCurrentItem(row);
    TDropList* editor = row->editor();
    TComboBox* combo = editor->comboBox();

    // The popup fills the editor; its entries are painted through the
    // list pointers they hold, at full width.
    combo->showPopup();
    QTRY_VERIFY_WITH_TIMEOUT(combo->view()->isVisible(), 1000);
    combo->view()->grab();
    combo->hidePopup();
    QCOMPARE(combo->count(), 7);
    const int separator = 5;
    const int commandEntry = 6;
    const quintptr list = quintptr(browser.specialList());
    for (int i = 0; i < separator; ++i) {
        QCOMPARE(combo->itemData(i, EntryListRole).value<qulonglong>(), qulonglong(list));
        QCOMPARE(combo->itemData(i, EntryIndexRole).toInt(), i);
        QCOMPARE(combo->itemData(i, EntryValueRole), browser.specialList()->at(i)->value);
    }
    QVERIFY(!combo->itemData(separator, EntryValueRole).isValid());
    QVERIFY(!combo->itemData(separator, EntryEditorRole).isValid());
    QVERIFY(!combo->itemData(commandEntry, EntryValueRole).isValid());
    QCOMPARE(combo->itemData(commandEntry, EntryEditorRole).value<qulonglong>(),
             qulonglong(quintptr(&command)));
    QCOMPARE(combo->itemText(commandEntry), command.text());
    QCOMPARE(command.host(), editor);

    const auto choose = [combo](int index) {
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
    };

    // A separator only puts the previous text back.
    choose(separator);
    QCOMPARE(editor->lineEdit()->text(), QString("4"));
    QCOMPARE(picks.count(), 0);
    QCOMPARE(row->value().value.toString(), QString("4"));

    // A command entry puts the text back and runs its editor for the row.
    choose(commandEntry);
    QTRY_COMPARE(command.invokedWith.size(), 1);
    QCOMPARE(command.invokedWith.at(0), static_cast<TBaseValue*>(row));
    QCOMPARE(editor->lineEdit()->text(), QString("4"));
    QCOMPARE(picks.count(), 0);

    // What the command picks goes to the row like a typed value.
    command.pickValue = 12;
    choose(commandEntry);
    QTRY_COMPARE(row->value().value.toString(), QString("12"));
    QCOMPARE(editor->lineEdit()->text(), QString("12"));
    QCOMPARE(picks.count(), 1);

    // Stepping never lands on the separator or the command.
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(combo, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(row->value().value.toUInt(), unsigned(SV_BadValue));
    QCOMPARE(combo->currentIndex(), 4);
    QCOMPARE(command.invokedWith.size(), 2);
    QCOMPARE(picks.count(), 6);
}

void TestEditing::leavingByTabOrMouse()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    TValueBrowser browser;
    browser.setSpecialList(&TValueBrowser::s_specialList);
    int var = 7;
    TIntegerValue* row = browser.addInt(0, "Width", QString(), "width", &var, LT_Int);
    browser.updateFromLinked();
    browser.storeSet();
    auto* other = new QLineEdit;
    layout->addWidget(&browser);
    layout->addWidget(other);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    browser.setCurrentItem(row);
    TDropList* editor = row->editor();
    TComboBox* combo = editor->comboBox();
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), static_cast<QWidget*>(combo), 1000);

    QTest::keyClicks(combo, "42");
    QTest::keyClick(combo, Qt::Key_Tab);
    QVERIFY(!combo->hasFocus());
    QCOMPARE(row->value().value.toString(), QString("7"));

    other->setFocus(Qt::MouseFocusReason);
    editor->setFocus(Qt::OtherFocusReason);
    QVERIFY(combo->hasFocus());
    QCOMPARE(editor->lineEdit()->selectedText(), editor->lineEdit()->text());
    other->setFocus(Qt::TabFocusReason);
    QCOMPARE(row->value().value.toString(), QString("7"));

    editor->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(combo, "43");
    other->setFocus(Qt::MouseFocusReason);
    QCOMPARE(row->value().value.toString(), QString("43"));
    QCOMPARE(browser.currentItem(), static_cast<QTreeWidgetItem*>(row));
}

void TestEditing::arrowKeysCommitAndMove()
{
    Form f;
    QPointer<TDropList> editor = f.enter(f.width);
    QTest::keyClicks(editor->comboBox(), "42");
    QTest::keyClick(editor->comboBox(), Qt::Key_Down);

    QCOMPARE(f.width->value().value.toString(), QString("42"));
    QCOMPARE(f.browser.currentItem(), static_cast<QTreeWidgetItem*>(f.height));
    QVERIFY(!f.width->editor());
    QVERIFY(f.height->editor());
    flushDeletes();
    QVERIFY(editor.isNull());

    editor = f.height->editor();
    QTest::keyClicks(editor->comboBox(), "5");
    QTest::keyClick(editor->comboBox(), Qt::Key_Up);
    QCOMPARE(f.height->value().value.toString(), QString("5"));
    QCOMPARE(f.browser.currentItem(), static_cast<QTreeWidgetItem*>(f.width));
    QCOMPARE(f.width->editor()->lineEdit()->text(), QString("42"));
    QVERIFY(isBold(f.width->editor()->lineEdit()));

    // Alt+Down opens the popup and stays on the row.
    TComboBox* combo = f.width->editor()->comboBox();
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY_WITH_TIMEOUT(combo->view()->isVisible(), 1000);
    QCOMPARE(f.browser.currentItem(), static_cast<QTreeWidgetItem*>(f.width));
    combo->hidePopup();

    f.browser.updateLinked();
    QCOMPARE(f.widthVar, 42);
    QCOMPARE(f.heightVar, 5);
}

void TestEditing::checkEditorDuringPick()
{
    WatchingValidator validator;
    Form f;
    validator.browser = &f.browser;
    f.width->setValidator(&validator);
    TDropList* editor = f.enter(f.width);
    QVERIFY(f.browser.checkEditor());

    validator.seen.clear();
    QTest::keyClicks(editor->comboBox(), "21");
    QTest::keyClick(editor->comboBox(), Qt::Key_Return);
    QCOMPARE(f.width->value().value.toString(), QString("21"));
    QVERIFY(!validator.seen.isEmpty());
    QVERIFY(!validator.seen.contains(true));
    QVERIFY(f.browser.checkEditor());

    // Restoring is not a pick.
    validator.seen.clear();
    QTest::keyClick(editor->comboBox(), Qt::Key_Escape, Qt::ShiftModifier);
    QCOMPARE(f.width->value().value.toString(), QString("7"));
    QVERIFY(!validator.seen.isEmpty());
    QVERIFY(!validator.seen.contains(false));
    f.width->setValidator(nullptr);
}

void TestEditing::allowSpecialsRefillsOpenEditor()
{
    Form f;
    TComboBox* combo = f.enter(f.width)->comboBox();
    combo->ensureFilled();
    QCOMPARE(combo->count(), 5);
    f.width->allowSpecials(true);
    QCOMPARE(combo->count(), 5);
    f.width->allowSpecials(false);
    QCOMPARE(combo->count(), 0);
    QCOMPARE(f.width->editor()->lineEdit()->text(), QString("7"));
    QTest::keyClick(combo, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(f.width->value().kind, int(SK_Value));
    f.width->allowSpecials(true);
    QCOMPARE(combo->count(), 5);
}

void TestEditing::restoreButtonIcon()
{
    Form f;
    QVERIFY(f.browser.revertIcon().isNull());
    TDropList* editor = f.enter(f.width);
    QPushButton* button = editor->restoreButton();
    QVERIFY(!button->icon().isNull());
    const QImage expected = editor->style()->standardIcon(QStyle::SP_TitleBarCloseButton).pixmap(16).toImage();
    QCOMPARE(button->icon().pixmap(16).toImage(), expected);
    QCOMPARE(button->minimumWidth(), 20);
    QCOMPARE(button->maximumWidth(), 20);
    QCOMPARE(button->toolTip(), QString("Restore previous value (Shift+Esc)"));

    QPixmap red(16, 16);
    red.fill(Qt::red);
    const QIcon revert(red);
    f.browser.setRevertIcon(revert);
    // The editor already open keeps its icon; the next one uses the new one.
    QCOMPARE(button->icon().pixmap(16).toImage(), expected);
    editor = f.enter(f.height);
    QCOMPARE(editor->restoreButton()->icon().cacheKey(), revert.cacheKey());
}

void TestEditing::disabledRowGetsNoEditor()
{
    Form f;
    f.height->setEnabled(false);

    // The keyboard passes over a disabled row.
    TDropList* editor = f.enter(f.width);
    QTest::keyClick(editor->comboBox(), Qt::Key_Down);
    QCOMPARE(f.browser.currentItem(), static_cast<QTreeWidgetItem*>(f.ratio));
    QVERIFY(!f.height->editor());

    // Made current by the program, it opens no editor.
    const QModelIndex index = f.browser.model()->index(1, 0);
    f.browser.selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    QCOMPARE(f.browser.currentItem(), static_cast<QTreeWidgetItem*>(f.height));
    QVERIFY(!f.height->editor());
    QVERIFY(!f.ratio->editor());
    QVERIFY(!f.browser.isPersistentEditorOpen(f.height, 1));

    f.height->setEnabled(true);
    f.enter(f.ratio);
    QVERIFY(f.enter(f.height));
}

void TestEditing::deletingRowsWithEditorOpen()
{
    Form f;
    QPointer<TDropList> editor = f.enter(f.height);
    QTest::keyClicks(editor->comboBox(), "9");
    delete f.height;
    flushDeletes();
    QVERIFY(editor.isNull());
    QCOMPARE(f.browser.topLevelItemCount(), 2);

    // The browser carries on with the rows that are left.
    editor = f.enter(f.width);
    QTest::keyClicks(editor->comboBox(), "11");
    QTest::keyClick(editor->comboBox(), Qt::Key_Return);
    QCOMPARE(f.width->value().value.toString(), QString("11"));

    // A group takes its current child and the child's editor with it.
    TBaseGroup* group = f.browser.addGroup("Margins");
    QVERIFY(f.browser.setItemLevel(group, 0));
    int left = 1;
    TIntegerValue* child = f.browser.addInt(1, "Left", QString(), "left", &left, LT_Int);
    QCOMPARE(child->parent(), static_cast<QTreeWidgetItem*>(group));
    editor = f.enter(child);
    QVERIFY(editor);
    delete group;
    flushDeletes();
    QVERIFY(editor.isNull());
    editor = f.enter(f.ratio);
    QVERIFY(editor);
}

void TestEditing::clearWithEditorOpen()
{
    Form f;
    QPointer<TDropList> editor = f.enter(f.width);
    QTest::keyClicks(editor->comboBox(), "42");
    f.browser.clear();
    flushDeletes();
    QVERIFY(editor.isNull());
    QCOMPARE(f.browser.topLevelItemCount(), 0);

    int var = 3;
    TIntegerValue* row = f.browser.addInt(0, "Again", QString(), "again", &var, LT_Int);
    f.browser.updateFromLinked();
    editor = f.enter(row);
    QVERIFY(editor);
    QTest::keyClicks(editor->comboBox(), "4");
    QTest::keyClick(editor->comboBox(), Qt::Key_Return);
    f.browser.updateLinked();
    QCOMPARE(var, 4);
}

void TestEditing::slotOnValuePickedClosesEditor_data()
{
    QTest::addColumn<bool>("clearAll");
    QTest::newRow("clear()") << true;
    QTest::newRow("move current row") << false;
}

void TestEditing::slotOnValuePickedClosesEditor()
{
    QFETCH(bool, clearAll);
    Form f;
    int calls = 0;
    connect(&f.browser, &TValueBrowser::ValuePicked, &f.browser, [&](TBaseItem* item, const SValue& value) {
        ++calls;
        QCOMPARE(item, static_cast<TBaseItem*>(f.width));
        QCOMPARE(value.value.toString(), QString("42"));
        if (clearAll)
            f.browser.clear();
        else
            f.browser.setCurrentItem(f.ratio);
    });
    QPointer<TDropList> editor = f.enter(f.width);
    QTest::keyClicks(editor->comboBox(), "42");
    QTest::keyClick(editor->comboBox(), Qt::Key_Return);
    QCOMPARE(calls, 1);
    flushDeletes();
    QVERIFY(editor.isNull());
    if (!clearAll) {
        QCOMPARE(f.width->value().value.toString(), QString("42"));
        QVERIFY(f.ratio->editor());
    }
}

void TestEditing::destroyBrowserWithEditorOpen()
{
    auto browser = std::make_unique<TValueBrowser>();
    browser->setSpecialList(&TValueBrowser::s_specialList);
    int var = 1;
    TIntegerValue* row = browser->addInt(0, "Width", QString(), "width", &var, LT_Int);
    browser->show();
    browser->setCurrentItem(row);
    QPointer<TDropList> editor = row->editor();
    QVERIFY(editor);
    QTest::keyClicks(editor->comboBox(), "42");
    browser.reset();
    flushDeletes();
    QVERIFY(editor.isNull());
    QCOMPARE(var, 1);
}

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
