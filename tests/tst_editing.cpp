#include "tarvotest.h"

#include <QFrame>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <memory>

#include "tbasegroup.h"
#include "tcomboeditor.h"
#include "tdoublevalue.h"
#include "tintegervalue.h"

using namespace tt;

namespace {

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

// An integer row whose editor ends with a separator and a command entry;
// its validator notes what checkEditor() said during each check.
class CommandValue : public TIntegerValue
{
public:
    CommandValue(TValueBrowser* browser, TComboEditor* command) : TIntegerValue(browser, "Count"), m_command(command) {}
    void fillEditor() override
    {
        TIntegerValue::fillEditor();
        editor()->addSeparator();
        editor()->addComboEditor(m_command);
    }

private:
    TComboEditor* m_command;
};

class WatchingValidator : public TIntValidator
{
public:
    EValidateResult checkValue(QVariant& value) override
    {
        seen << browser->checkEditor();
        return TIntValidator::checkValue(value);
    }
    TValueBrowser* browser = nullptr;
    QList<bool> seen;
};

// The library's special values and three bound rows; the baseline is
// taken from the variables.
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
    int widthVar = 7;
    int heightVar = 3;
    double ratioVar = 1.5;
    TValueBrowser browser;
    TIntegerValue* width = nullptr;
    TIntegerValue* height = nullptr;
    TDoubleValue* ratio = nullptr;
};

TBaseItem* itemArg(const QVariant& v)
{
    return v.userType() == qMetaTypeId<TBaseItem*>() ? *static_cast<TBaseItem* const*>(v.constData()) : nullptr;
}

bool isBold(const TDropList* editor)
{
    return editor->lineEdit()->font().weight() == QFont::Bold;
}

void wheel(QWidget* widget, int delta)
{
    const QPointF pos(widget->rect().center());
    QWheelEvent e(pos, QPointF(widget->mapToGlobal(pos.toPoint())), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &e);
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { flush(); }

    void editorFollowsCurrentRow();
    void lazyFillAndPopup();
    void typedValueIsCommitted_data();
    void typedValueIsCommitted();
    void rejectedEscapedAndPasted();
    void restoreToStoredValue_data();
    void restoreToStoredValue();
    void steppingThroughSpecials();
    void specialNamesAndNumbers();
    void commandAndSeparatorEntries();
    void leavingByTabOrMouse();
    void arrowKeysAndDisabledRows();
    void allowSpecialsAndRestoreIcon();
    void rowsGoneWithEditorOpen_data();
    void rowsGoneWithEditorOpen();
};

void TestEditing::editorFollowsCurrentRow()
{
    Form f;
    QSignalSpy hints(&f.browser, QOverload<const QString&, TBaseItem*, const QString&>::of(
                                     &TValueBrowser::HintChanged));
    QSignalSpy itemHints(&f.browser, &TValueBrowser::ItemHint);
    QVERIFY(!f.width->editor());
    QPointer<TDropList> first = open(f.width);
    QVERIFY(first && f.browser.isPersistentEditorOpen(f.width, 1));
    QVERIFY(first->valueItem() == f.width);
    QCOMPARE(first->lineEdit()->text(), QString("7"));
    QVERIFY(!f.height->editor() && !f.ratio->editor());

    QPointer<TDropList> second = open(f.height);
    QVERIFY(second && second != first && !f.width->editor());
    QCOMPARE(second->lineEdit()->text(), QString("3"));
    QCOMPARE(hints.count(), 2);
    QCOMPARE(hints.at(1).at(0).toString(), QString("Height of the frame"));
    QVERIFY(itemArg(hints.at(1).at(1)) == f.height);
    QCOMPARE(hints.at(1).at(2).toString(), QString("Height"));
    QCOMPARE(itemHints.at(1).at(0).toString(), QString("Height of the frame"));
    flush();
    QVERIFY(first.isNull());

    // A plain tree item gets no editor; no current row, no hint.
    f.browser.setCurrentItem(new QTreeWidgetItem(&f.browser, QStringList("Plain")));
    flush();
    QVERIFY(second.isNull());
    f.browser.setCurrentItem(nullptr);
    QCOMPARE(hints.last().at(0).toString(), QString());
    QCOMPARE(itemArg(hints.last().at(1)), static_cast<TBaseItem*>(nullptr));
    QCOMPARE(itemHints.count(), 4);
}

void TestEditing::lazyFillAndPopup()
{
    Form f;
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    TComboBox* combo = open(f.width)->comboBox();
    QVERIFY(!combo->isFilled());
    QCOMPARE(combo->count(), 1);
    QVERIFY(!combo->itemData(0, EntryValueRole).isValid());
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(combo, &out);
    QTest::keyClick(combo, Qt::Key_Escape);
    QVERIFY(!combo->isFilled());
    QCOMPARE(picks.count(), 0);

    QTest::keyClick(combo, Qt::Key_End);
    QVERIFY(combo->isFilled());
    const QStringList names{"Default", "No Value", "Unused", "Empty", "Bad Value"};
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(combo->itemText(i), names.at(i));
    QCOMPARE(combo->count(), 5);
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->lineEdit()->text(), QString("7"));

    // The popup starts at the value column.
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    auto* container = combo->findChild<QFrame*>(QString(), Qt::FindDirectChildrenOnly);
    QTRY_VERIFY(container && container->isVisible());
    QCOMPARE(container->geometry().left(), f.browser.mapToGlobal(f.browser.viewport()->pos()).x()
                                               + f.browser.header()->sectionViewportPosition(1) - 1);
    QVERIFY(f.browser.currentItem() == f.width);
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
    TDropList* editor = open(f.width);
    QVERIFY(!isBold(editor));
    type(f.width, "42", Qt::Key(key));
    QCOMPARE(f.width->value().kind, int(SK_Value));
    QCOMPARE(shown(f.width), QString("42"));
    QCOMPARE(f.widthVar, 7);
    f.browser.updateLinked();
    QCOMPARE(f.widthVar, 42);
    QCOMPARE(picks.count(), 1);
    QVERIFY(itemArg(picks.at(0).at(0)) == f.width);
    QCOMPARE(picks.at(0).at(1).value<SValue>().value.toString(), QString("42"));

    // The value it has is no pick; a changed value is bold; typed text is
    // never an entry of its own.
    type(f.width, "42", Qt::Key(key));
    QCOMPARE(picks.count(), 1);
    QVERIFY(f.width->valueChanged() && isBold(editor));
    QCOMPARE(editor->comboBox()->findText("42"), -1);
    QCOMPARE(editor->comboBox()->count(), 5);

    type(f.width, "7", Qt::Key(key));
    QVERIFY(!f.width->valueChanged() && !isBold(editor));
    QCOMPARE(picks.count(), 2);
}

void TestEditing::rejectedEscapedAndPasted()
{
    Form f;
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    TDropList* editor = open(f.width);
    QSignalSpy restores(editor, &TDropList::restoreValueInvoked);
    type(f.width, "abc");
    QCOMPARE(val(f.width), QString("7"));
    QCOMPARE(editor->lineEdit()->text(), QString("7"));
    QVERIFY(!f.width->valueChanged());
    QCOMPARE(picks.count(), 1);
    QCOMPARE(picks.at(0).at(1).value<SValue>().value.toString(), QString("7"));

    // Escape puts the last accepted text back, selected.
    QTest::keyClicks(editor->comboBox(), "99");
    QTest::keyClick(editor->comboBox(), Qt::Key_Escape);
    QCOMPARE(editor->lineEdit()->selectedText(), QString("7"));
    type(f.width, "12");
    QTest::keyClicks(editor->comboBox(), "345");
    QTest::keyClick(editor->comboBox(), Qt::Key_Escape);
    QCOMPARE(editor->lineEdit()->text(), QString("12"));
    QCOMPARE(restores.count(), 0);

    // Text that arrives without a key press survives the first fill.
    QPointer<TDropList> next = open(f.height);
    next->lineEdit()->setText("55");
    QTest::keyClick(next->comboBox(), Qt::Key_Return);
    QCOMPARE(val(f.height), QString("55"));
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
    WatchingValidator validator;
    validator.browser = &f.browser;
    f.width->setValidator(&validator);
    TDropList* editor = open(f.width);
    QSignalSpy restores(editor, &TDropList::restoreValueInvoked);
    const auto restore = [&] {
        validator.seen.clear();
        byButton ? editor->restoreButton()->click() : key(f.width, Qt::Key_Escape, Qt::ShiftModifier);
        // Restoring is no pick: the editor may be checked meanwhile.
        QVERIFY(!validator.seen.contains(false));
    };
    validator.seen.clear();
    type(f.width, "42");
    QVERIFY(!validator.seen.isEmpty() && !validator.seen.contains(true));
    QVERIFY(f.browser.checkEditor());
    restore();
    QCOMPARE(restores.count(), 1);
    QCOMPARE(shown(f.width), QString("7"));
    QCOMPARE(editor->lineEdit()->text(), QString("7"));
    QVERIFY(!f.width->valueChanged() && !isBold(editor));
    QCOMPARE(f.width->editor(), editor);

    // A special baseline comes back as that special.
    f.width->setSpecial(SV_Default);
    f.browser.storeSet();
    type(f.width, "13");
    restore();
    QCOMPARE(f.width->value().kind, int(SK_Special));
    QCOMPARE(editor->lineEdit()->text(), QString("Default"));
    QCOMPARE(editor->comboBox()->currentIndex(), 0);
    f.width->setValidator(nullptr);
}

void TestEditing::steppingThroughSpecials()
{
    Form f;
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    TComboBox* combo = open(f.width)->comboBox();
    const auto code = [&] { return f.width->value().value.toUInt(); };
    key(f.width, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(f.width->value().kind, int(SK_Special));
    QCOMPARE(code(), unsigned(SV_Default));
    QCOMPARE(combo->lineEdit()->text(), QString("Default"));
    key(f.width, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(shown(f.width), QString("No Value"));
    key(f.width, Qt::Key_Up, Qt::ShiftModifier);
    key(f.width, Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(code(), unsigned(SV_Default));
    QCOMPARE(picks.count(), 3);
    for (int i = 0; i < 5; ++i)
        key(f.width, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(code(), unsigned(SV_BadValue));
    QCOMPARE(picks.count(), 7);
    QVERIFY(f.browser.currentItem() == f.width);
    f.browser.updateLinked();
    QCOMPARE(f.widthVar, int(SV_BadValue));

    // The wheel steps like Shift+arrows and opens no popup.
    TComboBox* other = open(f.height)->comboBox();
    wheel(other, -120);
    wheel(other, -120);
    QCOMPARE(f.height->value().value.toUInt(), unsigned(SV_NoValue));
    wheel(other, 120);
    QCOMPARE(f.height->value().value.toUInt(), unsigned(SV_Default));
    QVERIFY(!other->view()->isVisible());
}

void TestEditing::specialNamesAndNumbers()
{
    Form f;
    type(f.width, "2");
    type(f.width, "No Value");
    QCOMPARE(f.width->value().kind, int(SK_Special));
    QCOMPARE(f.width->value().value.toUInt(), unsigned(SV_NoValue));
    QCOMPARE(f.width->editor()->comboBox()->currentIndex(), 1);
    type(f.width, "unused");
    QCOMPARE(shown(f.width), QString("No Value"));

    // "Default" is code 8; a typed 8 is the number. The current entry
    // picked again is no pick.
    QSignalSpy picks(&f.browser, &TValueBrowser::ValuePicked);
    QVERIFY(pick(f.width, "Default") && pick(f.width, "Default"));
    QCOMPARE(f.width->value().value.toUInt(), unsigned(SV_Default));
    QCOMPARE(picks.count(), 1);
    type(f.width, "8");
    QCOMPARE(f.width->value().kind, int(SK_Value));
    QCOMPARE(shown(f.width), QString("8"));
    QCOMPARE(f.width->editor()->comboBox()->currentIndex(), -1);
}

void TestEditing::commandAndSeparatorEntries()
{
    RecordingCommand command;
    TValueBrowser browser;
    browser.setSpecialList(&TValueBrowser::s_specialList);
    auto* row = new CommandValue(&browser, &command);
    row->setValue(4);
    browser.show();
    QSignalSpy picks(&browser, &TValueBrowser::ValuePicked);
    TComboBox* combo = open(row)->comboBox();
    combo->showPopup();
    QTRY_VERIFY(combo->view()->isVisible());
    combo->view()->grab();
    combo->hidePopup();
    QCOMPARE(combo->count(), 7);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(combo->itemData(i, EntryListRole).toULongLong(), qulonglong(quintptr(browser.specialList())));
        QCOMPARE(combo->itemData(i, EntryIndexRole).toInt(), i);
    }
    QVERIFY(!combo->itemData(5, EntryValueRole).isValid() && !combo->itemData(5, EntryEditorRole).isValid());
    QCOMPARE(combo->itemData(6, EntryEditorRole).toULongLong(), qulonglong(quintptr(&command)));
    QVERIFY(command.host() == row->editor());

    // A separator puts the text back; a command runs for the row, and what
    // it picks goes to the row.
    QVERIFY(pick(row, QString()));
    QVERIFY(runCommand(row, &command));
    QTRY_COMPARE(command.invokedWith, QList<TBaseValue*>{row});
    QCOMPARE(combo->lineEdit()->text(), QString("4"));
    QCOMPARE(picks.count(), 0);
    command.pickValue = 12;
    QVERIFY(runCommand(row, &command));
    QTRY_COMPARE(val(row), QString("12"));
    QCOMPARE(picks.count(), 1);

    // Stepping never lands on the separator or the command.
    for (int i = 0; i < 6; ++i)
        key(row, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(combo->currentIndex(), 4);
    QCOMPARE(command.invokedWith.size(), 2);
}

void TestEditing::leavingByTabOrMouse()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* browser = new TValueBrowser;
    int var = 7;
    TIntegerValue* row = browser->addInt(0, "Width", QString(), "width", &var, LT_Int);
    browser->updateFromLinked();
    auto* other = new QLineEdit;
    layout->addWidget(browser);
    layout->addWidget(other);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    TDropList* editor = open(row);
    QTRY_VERIFY(QApplication::focusWidget() == editor->comboBox());

    // Tab leaves without committing; a mouse click elsewhere commits.
    QTest::keyClicks(editor->comboBox(), "42");
    QTest::keyClick(editor->comboBox(), Qt::Key_Tab);
    QCOMPARE(val(row), QString("7"));
    editor->setFocus(Qt::OtherFocusReason);
    QCOMPARE(editor->lineEdit()->selectedText(), editor->lineEdit()->text());
    QTest::keyClicks(editor->comboBox(), "43");
    other->setFocus(Qt::MouseFocusReason);
    QCOMPARE(val(row), QString("43"));
    QVERIFY(browser->currentItem() == row);
}

void TestEditing::arrowKeysAndDisabledRows()
{
    Form f;
    QPointer<TDropList> editor = open(f.width);
    QTest::keyClicks(editor->comboBox(), "42");
    QTest::keyClick(editor->comboBox(), Qt::Key_Down);
    QCOMPARE(val(f.width), QString("42"));
    QVERIFY(f.browser.currentItem() == f.height);
    QVERIFY(!f.width->editor() && f.height->editor());
    QTest::keyClicks(f.height->editor()->comboBox(), "5");
    QTest::keyClick(f.height->editor()->comboBox(), Qt::Key_Up);
    QCOMPARE(val(f.height), QString("5"));
    QVERIFY(f.browser.currentItem() == f.width);
    QVERIFY(isBold(f.width->editor()));

    // The keyboard passes over a disabled row, which never gets an editor.
    f.height->setEnabled(false);
    key(f.width, Qt::Key_Down);
    QVERIFY(f.browser.currentItem() == f.ratio);
    f.browser.selectionModel()->setCurrentIndex(f.browser.model()->index(1, 0), QItemSelectionModel::NoUpdate);
    QVERIFY(f.browser.currentItem() == f.height);
    QVERIFY(!f.height->editor() && !f.ratio->editor());
    f.height->setEnabled(true);
    open(f.ratio);
    QVERIFY(open(f.height));
}

void TestEditing::allowSpecialsAndRestoreIcon()
{
    Form f;
    TDropList* editor = open(f.width);
    TComboBox* combo = editor->comboBox();
    combo->ensureFilled();
    f.width->allowSpecials(true);
    QCOMPARE(combo->count(), 5);
    f.width->allowSpecials(false);
    QCOMPARE(combo->count(), 0);
    key(f.width, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(f.width->value().kind, int(SK_Value));
    f.width->allowSpecials(true);
    QCOMPARE(combo->count(), 5);

    QPushButton* button = editor->restoreButton();
    const QImage close = editor->style()->standardIcon(QStyle::SP_TitleBarCloseButton).pixmap(16).toImage();
    QCOMPARE(button->icon().pixmap(16).toImage(), close);
    QCOMPARE(button->toolTip(), QString("Restore previous value (Shift+Esc)"));
    QPixmap red(16, 16);
    red.fill(Qt::red);
    f.browser.setRevertIcon(QIcon(red));
    QCOMPARE(button->icon().pixmap(16).toImage(), close);
    QCOMPARE(open(f.height)->restoreButton()->icon().cacheKey(), f.browser.revertIcon().cacheKey());
}

void TestEditing::rowsGoneWithEditorOpen_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("delete row") << 0;
    QTest::newRow("delete group") << 1;
    QTest::newRow("clear") << 2;
    QTest::newRow("clear from ValuePicked") << 3;
    QTest::newRow("move from ValuePicked") << 4;
    QTest::newRow("destroy browser") << 5;
}

void TestEditing::rowsGoneWithEditorOpen()
{
    QFETCH(int, how);
    auto f = std::make_unique<Form>();
    TBaseGroup* group = f->browser.addGroup("Margins");
    QVERIFY(f->browser.setItemLevel(group, 0));
    TIntegerValue* child = f->browser.addInt(1, "Left", QString(), "left", nullptr, LT_Int);
    QVERIFY(child->parent() == group);
    int picks = 0;
    connect(&f->browser, &TValueBrowser::ValuePicked, [&] {
        if (picks++)
            return;
        if (how == 3)
            f->browser.clear();
        else if (how == 4)
            f->browser.setCurrentItem(f->ratio);
    });
    TIntegerValue* row = how == 1 ? child : f->height;
    QPointer<TDropList> editor = open(row);
    QTest::keyClicks(editor->comboBox(), "9");
    if (how == 0)
        delete row;
    else if (how == 1)
        delete group;
    else if (how == 2)
        f->browser.clear();
    else if (how == 5)
        f.reset();
    else
        QTest::keyClick(editor->comboBox(), Qt::Key_Return);
    flush();
    QVERIFY(editor.isNull());
    if (!f)
        return;
    QCOMPARE(f->heightVar, 3);
    // The browser carries on.
    TIntegerValue* again = f->browser.addInt(0, "Again", QString(), "again", &f->widthVar, LT_Int);
    type(again, "11");
    f->browser.updateLinked();
    QCOMPARE(f->widthVar, 11);
}

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
