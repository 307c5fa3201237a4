#include <QtTest>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>

#include <functional>
#include <memory>

#include "qeltexteditordialog.h"
#include "tbasevalue.h"
#include "tdroplist_p.h"
#include "titemlist.h"
#include "tpathtexteditors.h"
#include "tpathvalue.h"
#include "ttextvalue.h"
#include "tvaluebrowser.h"

Q_DECLARE_METATYPE(QFileDialog::FileMode)

namespace {

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

// Waits for a visible top-level dialog of type D and hands it to a handler,
// from inside the dialog's own event loop.
template<typename D>
class DialogDriver
{
public:
    explicit DialogDriver(std::function<void(D*)> handler)
        : m_handler(std::move(handler))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    bool handled() const { return m_handled; }

private:
    void poll()
    {
        const QWidgetList widgets = QApplication::topLevelWidgets();
        for (QWidget* w : widgets) {
            auto* dialog = qobject_cast<D*>(w);
            if (!dialog || !dialog->isVisible())
                continue;
            m_timer.stop();
            m_handled = true;
            m_handler(dialog);
            // A handler that left the dialog open (a failed check) must not
            // hang the suite.
            if (dialog->isVisible())
                dialog->reject();
            return;
        }
    }

    std::function<void(D*)> m_handler;
    QTimer m_timer;
    bool m_handled = false;
};

// Enters a file into the dialog's name field, as a user types it, and waits
// until the dialog takes it: its model fills asynchronously, and once the
// field has focus selectFile() no longer changes the typed text.
bool selectLoaded(QFileDialog* dialog, const QString& file)
{
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!name)
        return false;
    return QTest::qWaitFor([&] {
        name->clear();
        name->setText(file);
        const QStringList chosen = dialog->selectedFiles();
        return chosen.size() == 1 && canonical(chosen.first()) == canonical(file);
    });
}

// The "..." button in the open editor of a row.
QToolButton* dotsButton(TBaseValue* row)
{
    TDropList* editor = row->editor();
    if (!editor)
        return nullptr;
    QList<QToolButton*> candidates;
    if (QWidget* w = editor->buttonWidget()) {
        if (auto* b = qobject_cast<QToolButton*>(w))
            candidates << b;
        candidates << w->findChildren<QToolButton*>();
    }
    candidates << editor->findChildren<QToolButton*>();
    for (QToolButton* b : candidates) {
        if (b->text() == QLatin1String("..."))
            return b;
    }
    return nullptr;
}

// Makes the row current and clicks its "..." button while a driver answers
// the dialog; true when the dialog was reached.
template<typename D>
bool clickDots(TBaseValue* row, std::function<void(D*)> handler)
{
    row->browser()->setCurrentItem(row);
    QToolButton* button = dotsButton(row);
    if (!button)
        return false;
    DialogDriver<D> driver(std::move(handler));
    button->click();
    return driver.handled();
}

} // namespace

class TestTextPathValues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void newValuesAreEmpty();
    void stringsStoredAsGiven_data();
    void stringsStoredAsGiven();
    void pathDefaults();
    void sharedButtonEditors();
    void factoryBinds_data();
    void factoryBinds();
    void factoryRefuses();

    void pathDialogStart_data();
    void pathDialogStart();
    void pathDialogModeAndTitle_data();
    void pathDialogModeAndTitle();
    void pathDialogFilter_data();
    void pathDialogFilter();
    void pathDialogAccept();
    void pathDialogCancel_data();
    void pathDialogCancel();
    void pathDialogWithoutFile();
    void pathRowDeletedWhileOpen();
    void pathRowLeftWhileOpen();
    void pathEditorTakenByOtherBrowser();

    void textDialogFromSpecial();
    void textDialogAccept_data();
    void textDialogAccept();
    void textDialogCancel_data();
    void textDialogCancel();
    void textRowDeletedWhileOpen();
    void numericTextReplacesSpecial();
    void specialReplacesNumericText();

private:
    TPathValue* addPathRow(const QString& name = QStringLiteral("Folder"));
    TTextValue* addTextRow(const QString& name = QStringLiteral("Note"));

    std::unique_ptr<TValueBrowser> m_browser;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
    QString m_other;
    QString m_savedCurrent;
};

void TestTextPathValues::initTestCase()
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    m_savedCurrent = QDir::currentPath();
}

void TestTextPathValues::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_file = m_dir->filePath(QStringLiteral("first.txt"));
    m_other = m_dir->filePath(QStringLiteral("second.txt"));
    for (const QString& name : {m_file, m_other}) {
        QFile f(name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    m_browser.reset(new TValueBrowser);
    m_browser->setSpecialList(&TValueBrowser::s_specialList);
    m_browser->resize(400, 300);
    m_browser->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_browser.get()));
}

void TestTextPathValues::cleanup()
{
    m_browser.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDir::setCurrent(m_savedCurrent);
    m_dir.reset();
}

TPathValue* TestTextPathValues::addPathRow(const QString& name)
{
    return new TPathValue(m_browser.get(), name);
}

TTextValue* TestTextPathValues::addTextRow(const QString& name)
{
    return new TTextValue(m_browser.get(), name);
}

void TestTextPathValues::newValuesAreEmpty()
{
    TTextValue* text = addTextRow();
    TPathValue* path = addPathRow();
    for (TBaseValue* row : {static_cast<TBaseValue*>(text), static_cast<TBaseValue*>(path)}) {
        QCOMPARE(row->value().kind, int(SK_Value));
        QCOMPARE(row->value().value.userType(), int(QMetaType::QString));
        QCOMPARE(row->value().value.toString(), QString());
        QVERIFY(row->text(1).isEmpty());
        QVERIFY(!row->validator());
        QCOMPARE(row->ItemID(), "SValue");
    }
}

void TestTextPathValues::stringsStoredAsGiven_data()
{
    QTest::addColumn<QString>("input");
    QTest::newRow("empty") << QString("");
    QTest::newRow("word") << QString("hello");
    QTest::newRow("lines") << QString("first line\nsecond line\r\nthird");
    QTest::newRow("spaces") << QString("  padded  ");
    QTest::newRow("missing path") << QString("/no/such/dir/file.bin");
    QTest::newRow("markup") << QString("a<b & <i>c</i>");
    QTest::newRow("number") << QString("8");
}

void TestTextPathValues::stringsStoredAsGiven()
{
    QFETCH(QString, input);
    TTextValue* text = addTextRow();
    TPathValue* path = addPathRow();
    text->setValue(QStringLiteral("before"));
    path->setValue(QStringLiteral("before"));
    for (TBaseValue* row : {static_cast<TBaseValue*>(text), static_cast<TBaseValue*>(path)}) {
        QVERIFY(row->setValue(input));
        QCOMPARE(row->value().kind, int(SK_Value));
        QCOMPARE(row->value().value.toString(), input);
        QCOMPARE(row->string(), input);
        QCOMPARE(row->valueText(), input);
    }
}

void TestTextPathValues::pathDefaults()
{
    TPathValue* path = addPathRow();
    QCOMPARE(path->pickMode(), QFileDialog::AnyFile);
    QCOMPARE(path->filter(), QString("*.*"));
    path->setPickMode(QFileDialog::ExistingFiles);
    path->setFilter(QStringLiteral("*.png"));
    QCOMPARE(path->pickMode(), QFileDialog::ExistingFiles);
    QCOMPARE(path->filter(), QString("*.png"));
}

void TestTextPathValues::sharedButtonEditors()
{
    TTextValue* text = addTextRow();
    TPathValue* path = addPathRow();
    auto* child = new TPathValue(text, QStringLiteral("Child"));
    QCOMPARE(text->buttonEditor(), static_cast<TButtonEditor*>(&TTextValue::s_TextButtonEditor));
    QCOMPARE(path->buttonEditor(), static_cast<TButtonEditor*>(&TPathValue::s_PathButtonEditor));
    QCOMPARE(child->buttonEditor(), static_cast<TButtonEditor*>(&TPathValue::s_PathButtonEditor));
    path->setButtonEditor(nullptr);
    m_browser->setCurrentItem(path);
    QVERIFY(path->editor());
    QVERIFY(!dotsButton(path));
}

void TestTextPathValues::factoryBinds_data()
{
    QTest::addColumn<bool>("path");
    QTest::newRow("text") << false;
    QTest::newRow("path") << true;
}

void TestTextPathValues::factoryBinds()
{
    QFETCH(bool, path);
    QString variable = QStringLiteral("from caller\nline two");
    TBaseValue* row = path
        ? static_cast<TBaseValue*>(m_browser->addPath(0, "Row", "the hint", "key", &variable))
        : static_cast<TBaseValue*>(m_browser->addText(0, "Row", "the hint", "key", &variable));
    QVERIFY(row);
    QCOMPARE(row->linkType(), int(LT_String));
    QCOMPARE(row->linked(), static_cast<void*>(&variable));
    QCOMPARE(row->hint(), QString("the hint"));
    QCOMPARE(row->properyName(), QString("key"));
    QCOMPARE(row->text(0), QString("Row"));
    if (path)
        QVERIFY(dynamic_cast<TPathValue*>(row));
    else
        QVERIFY(dynamic_cast<TTextValue*>(row));

    m_browser->updateFromLinked();
    QCOMPARE(row->value().value.toString(), QString("from caller\nline two"));
    QVERIFY(row->setValue(QStringLiteral("")));
    m_browser->updateLinked();
    QCOMPARE(variable, QString(""));
    QVERIFY(row->setValue(QStringLiteral("written back")));
    m_browser->updateLinked();
    QCOMPARE(variable, QString("written back"));

    // The next level nests under the row just made.
    QString second;
    TBaseValue* nested = path ? static_cast<TBaseValue*>(m_browser->addPath(1, "Inner", "", "", &second))
                              : static_cast<TBaseValue*>(m_browser->addText(1, "Inner", "", "", &second));
    QVERIFY(nested);
    QCOMPARE(nested->parent(), static_cast<QTreeWidgetItem*>(row));
}

void TestTextPathValues::factoryRefuses()
{
    QString variable;
    QVERIFY(!m_browser->addText(-1, "Row", "", "", &variable));
    QVERIFY(!m_browser->addText(0, "", "", "", &variable));
    QVERIFY(!m_browser->addPath(-1, "Row", "", "", &variable));
    QVERIFY(!m_browser->addPath(0, "", "", "", &variable));
    QCOMPARE(m_browser->topLevelItemCount(), 0);
}

void TestTextPathValues::pathDialogStart_data()
{
    QTest::addColumn<int>("start"); // 0 directory, 1 file, 2 special, 3 empty
    QTest::newRow("directory") << 0;
    QTest::newRow("file") << 1;
    QTest::newRow("special") << 2;
    QTest::newRow("empty") << 3;
}

void TestTextPathValues::pathDialogStart()
{
    QFETCH(int, start);
    // The current directory is where special and empty paths start.
    QDir::setCurrent(m_dir->path());
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());

    TPathValue* path = addPathRow();
    switch (start) {
    case 0:
        path->setValue(elsewhere.path());
        break;
    case 1:
        path->setValue(m_other);
        break;
    case 2:
        path->setValue(m_file);
        path->setSpecial(SV_Default);
        QCOMPARE(path->value().kind, int(SK_Special));
        break;
    default:
        path->setValue(QString());
        break;
    }

    QString directory;
    QStringList selected;
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        directory = dialog->directory().absolutePath();
        selected = dialog->selectedFiles();
        dialog->reject();
    }));

    switch (start) {
    case 0:
        QCOMPARE(canonical(directory), canonical(elsewhere.path()));
        break;
    case 1:
        QCOMPARE(canonical(directory), canonical(m_dir->path()));
        QCOMPARE(selected.size(), 1);
        QCOMPARE(canonical(selected.first()), canonical(m_other));
        break;
    default:
        QCOMPARE(canonical(directory), canonical(m_dir->path()));
        // Nothing is preselected: what the dialog offers is its directory.
        for (const QString& s : qAsConst(selected))
            QVERIFY2(!QFileInfo(s).isFile(), qPrintable(s));
        break;
    }
}

void TestTextPathValues::pathDialogModeAndTitle_data()
{
    QTest::addColumn<QFileDialog::FileMode>("mode");
    QTest::newRow("any file") << QFileDialog::AnyFile;
    QTest::newRow("existing file") << QFileDialog::ExistingFile;
    QTest::newRow("directory") << QFileDialog::Directory;
    QTest::newRow("existing files") << QFileDialog::ExistingFiles;
}

void TestTextPathValues::pathDialogModeAndTitle()
{
    QFETCH(QFileDialog::FileMode, mode);
    TPathValue* path = addPathRow(QStringLiteral("Output folder"));
    path->setValue(m_dir->path());
    path->setPickMode(mode);

    QFileDialog::FileMode seen = QFileDialog::FileMode(-1);
    QString title;
    bool native = true;
    bool parented = true;
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        seen = dialog->fileMode();
        title = dialog->windowTitle();
        native = !dialog->testOption(QFileDialog::DontUseNativeDialog);
        parented = dialog->parentWidget() != nullptr;
        dialog->reject();
    }));
    QCOMPARE(seen, mode);
    QCOMPARE(title, QString("Output folder"));
    QVERIFY(!native);
    QVERIFY(!parented);
}

void TestTextPathValues::pathDialogFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("passed");
    QTest::newRow("default") << QString("*.*") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("pattern") << QString("Text (*.txt)") << true;
}

void TestTextPathValues::pathDialogFilter()
{
    QFETCH(QString, filter);
    QFETCH(bool, passed);
    TPathValue* path = addPathRow();
    path->setValue(m_dir->path());
    path->setFilter(filter);
    QStringList filters;
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        dialog->reject();
    }));
    QCOMPARE(filters.contains(filter), passed);
    QVERIFY(!filters.contains(QStringLiteral("*.*")));
}

void TestTextPathValues::pathDialogAccept()
{
    TPathValue* path = addPathRow();
    path->setValue(m_file);
    QSignalSpy picked(m_browser.get(), &TValueBrowser::ValuePicked);
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        QVERIFY(selectLoaded(dialog, m_other));
        static_cast<QDialog*>(dialog)->accept();
    }));
    QCOMPARE(path->value().kind, int(SK_Value));
    QCOMPARE(canonical(path->value().value.toString()), canonical(m_other));
    QCOMPARE(picked.count(), 1);

    // A directory chooser hands back the directory.
    path->setPickMode(QFileDialog::Directory);
    QTemporaryDir chosen;
    QVERIFY(chosen.isValid());
    path->setValue(chosen.path());
    const QString sub = chosen.filePath(QStringLiteral("sub"));
    QVERIFY(QDir().mkdir(sub));
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        dialog->setDirectory(sub);
        static_cast<QDialog*>(dialog)->accept();
    }));
    QCOMPARE(canonical(path->value().value.toString()), canonical(sub));
}

void TestTextPathValues::pathDialogCancel_data()
{
    QTest::addColumn<bool>("special");
    QTest::newRow("value") << false;
    QTest::newRow("special") << true;
}

void TestTextPathValues::pathDialogCancel()
{
    QFETCH(bool, special);
    TPathValue* path = addPathRow();
    path->setValue(m_file);
    if (special)
        path->setSpecial(SV_NoValue);
    const SValue before = path->value();
    QSignalSpy picked(m_browser.get(), &TValueBrowser::ValuePicked);
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        QVERIFY(selectLoaded(dialog, m_other));
        dialog->reject();
    }));
    QCOMPARE(path->value().kind, before.kind);
    QCOMPARE(path->value().value, before.value);
    QCOMPARE(picked.count(), 0);
}

void TestTextPathValues::pathDialogWithoutFile()
{
    // Accepted with no file at all: nothing is taken.
    TPathValue* path = addPathRow();
    path->setValue(m_dir->path());
    path->setPickMode(QFileDialog::ExistingFile);
    bool empty = false;
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        empty = dialog->selectedFiles().isEmpty();
        static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
    }));
    QVERIFY(empty);
    QCOMPARE(path->value().kind, int(SK_Value));
    QCOMPARE(path->value().value.toString(), m_dir->path());
}

void TestTextPathValues::pathRowDeletedWhileOpen()
{
    TPathValue* keep = addPathRow(QStringLiteral("Keep"));
    keep->setValue(QStringLiteral("kept"));
    TPathValue* path = addPathRow();
    path->setValue(m_file);
    QSignalSpy picked(m_browser.get(), &TValueBrowser::ValuePicked);
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        delete path;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(selectLoaded(dialog, m_other));
        static_cast<QDialog*>(dialog)->accept();
    }));
    QCOMPARE(m_browser->topLevelItemCount(), 1);
    QCOMPARE(keep->value().value.toString(), QString("kept"));
    QCOMPARE(picked.count(), 0);
}

void TestTextPathValues::pathRowLeftWhileOpen()
{
    // The editor closes under the dialog; its choice reaches no other row.
    TPathValue* other = addPathRow(QStringLiteral("Other"));
    other->setValue(QStringLiteral("other"));
    TPathValue* path = addPathRow();
    path->setValue(m_file);
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        m_browser->setCurrentItem(other);
        QVERIFY(selectLoaded(dialog, m_other));
        static_cast<QDialog*>(dialog)->accept();
    }));
    QCOMPARE(other->value().value.toString(), QString("other"));
    QCOMPARE(path->value().value.toString(), m_file);
}

void TestTextPathValues::pathEditorTakenByOtherBrowser()
{
    // Another browser opens an editor with the shared button editor while
    // the dialog runs; the choice still goes to the row that was clicked.
    TValueBrowser second;
    second.resize(300, 200);
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    auto* foreign = new TPathValue(&second, QStringLiteral("Foreign"));
    foreign->setValue(QStringLiteral("foreign"));

    TPathValue* path = addPathRow();
    path->setValue(m_file);
    bool opened = false;
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        second.setCurrentItem(foreign);
        opened = foreign->editor() != nullptr;
        QVERIFY(selectLoaded(dialog, m_other));
        static_cast<QDialog*>(dialog)->accept();
    }));
    QVERIFY(opened);
    QCOMPARE(canonical(path->value().value.toString()), canonical(m_other));
    QCOMPARE(foreign->value().value.toString(), QString("foreign"));
}

void TestTextPathValues::textDialogFromSpecial()
{
    TTextValue* text = addTextRow();
    text->setValue(QStringLiteral("hidden"));
    text->setSpecial(SV_Default);
    QCOMPARE(text->value().kind, int(SK_Special));
    QString shown = QStringLiteral("unset");
    QVERIFY(clickDots<qelTextEditorDialog>(text, [&](qelTextEditorDialog* dialog) {
        auto* edit = dialog->findChild<QTextEdit*>();
        QVERIFY(edit);
        shown = edit->toPlainText();
        edit->setPlainText(QStringLiteral("typed text"));
        static_cast<QDialog*>(dialog)->accept();
    }));
    QCOMPARE(shown, QString());
    QCOMPARE(text->value().kind, int(SK_Value));
    QCOMPARE(text->value().value.toString(), QString("typed text"));
}

void TestTextPathValues::textDialogAccept_data()
{
    QTest::addColumn<bool>("special");
    QTest::addColumn<QString>("typed");
    QTest::newRow("value to text") << false << QString("new\ntext");
    QTest::newRow("value to empty") << false << QString("");
    QTest::newRow("special to empty") << true << QString("");
    QTest::newRow("special to text") << true << QString("words");
}

void TestTextPathValues::textDialogAccept()
{
    QFETCH(bool, special);
    QFETCH(QString, typed);
    TTextValue* text = addTextRow();
    text->setValue(QStringLiteral("old"));
    if (special)
        text->setSpecial(SV_Unused);
    QString shown;
    QVERIFY(clickDots<qelTextEditorDialog>(text, [&](qelTextEditorDialog* dialog) {
        auto* edit = dialog->findChild<QTextEdit*>();
        QVERIFY(edit);
        shown = edit->toPlainText();
        edit->setPlainText(typed);
        static_cast<QDialog*>(dialog)->accept();
    }));
    QCOMPARE(shown, special ? QString() : QString("old"));
    QCOMPARE(text->value().kind, int(SK_Value));
    QCOMPARE(text->value().value.toString(), typed);
    QVERIFY(!text->value().value.toString().isNull());
}

void TestTextPathValues::textDialogCancel_data()
{
    QTest::addColumn<bool>("special");
    QTest::newRow("value") << false;
    QTest::newRow("special") << true;
}

void TestTextPathValues::textDialogCancel()
{
    QFETCH(bool, special);
    TTextValue* text = addTextRow();
    text->setValue(QStringLiteral("kept"));
    if (special)
        text->setSpecial(SV_Empty);
    const SValue before = text->value();
    QSignalSpy picked(m_browser.get(), &TValueBrowser::ValuePicked);
    QVERIFY(clickDots<qelTextEditorDialog>(text, [&](qelTextEditorDialog* dialog) {
        if (auto* edit = dialog->findChild<QTextEdit*>())
            edit->setPlainText(QStringLiteral("thrown away"));
        dialog->reject();
    }));
    QCOMPARE(text->value().kind, before.kind);
    QCOMPARE(text->value().value, before.value);
    QCOMPARE(picked.count(), 0);
}

void TestTextPathValues::textRowDeletedWhileOpen()
{
    TTextValue* text = addTextRow();
    QSignalSpy picked(m_browser.get(), &TValueBrowser::ValuePicked);
    QVERIFY(clickDots<qelTextEditorDialog>(text, [&](qelTextEditorDialog* dialog) {
        delete text;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (auto* edit = dialog->findChild<QTextEdit*>())
            edit->setPlainText(QStringLiteral("late"));
        static_cast<QDialog*>(dialog)->accept();
    }));
    QCOMPARE(m_browser->topLevelItemCount(), 0);
    QCOMPARE(picked.count(), 0);
}

void TestTextPathValues::numericTextReplacesSpecial()
{
    // "8" is the code of "Default" but a different value of a text row.
    TTextValue* text = addTextRow();
    text->setSpecial(SV_Default);
    QVERIFY(clickDots<qelTextEditorDialog>(text, [&](qelTextEditorDialog* dialog) {
        auto* edit = dialog->findChild<QTextEdit*>();
        QVERIFY(edit);
        edit->setPlainText(QString::number(int(SV_Default)));
        static_cast<QDialog*>(dialog)->accept();
    }));
    QCOMPARE(text->value().kind, int(SK_Value));
    QCOMPARE(text->value().value.toString(), QString("8"));
}

void TestTextPathValues::specialReplacesNumericText()
{
    TTextValue* text = addTextRow();
    text->setValue(QStringLiteral("8"));
    m_browser->setCurrentItem(text);
    TDropList* editor = text->editor();
    QVERIFY(editor);
    SpecialValueList* specials = m_browser->specialList();
    TItem* entry = specials->findItem(QVariant(int(SV_Default)));
    QVERIFY(entry);
    emit editor->picked(specials, entry, entry->value);
    QCOMPARE(text->value().kind, int(SK_Special));
    QCOMPARE(text->value().value.toUInt(), uint(SV_Default));

    // Picking the same special value again changes nothing.
    QSignalSpy picked(m_browser.get(), &TValueBrowser::ValuePicked);
    emit editor->picked(specials, entry, entry->value);
    QCOMPARE(picked.count(), 0);
}

QTEST_MAIN(TestTextPathValues)

#include "tst_textpathvalues.moc"
