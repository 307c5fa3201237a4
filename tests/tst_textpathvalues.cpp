#include "tarvotest.h"

#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTextEdit>

#include <memory>

#include "qeltexteditordialog.h"
#include "tpathtexteditors.h"
#include "tpathvalue.h"
#include "ttextvalue.h"

using namespace tt;

Q_DECLARE_METATYPE(QFileDialog::FileMode)

class TestTextPathValues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        m_savedCurrent = QDir::currentPath();
    }
    void init();
    void cleanup();

    void valuesAndFactory();
    void pathDialogStart_data();
    void pathDialogStart();
    void pathDialogModeAndFilter_data();
    void pathDialogModeAndFilter();
    void pathDialogAnswers();
    void pathDialogOutlivesEditor_data();
    void pathDialogOutlivesEditor();
    void textDialog_data();
    void textDialog();

private:
    std::unique_ptr<TValueBrowser> m_browser;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
    QString m_other;
    QString m_savedCurrent;
};

void TestTextPathValues::init()
{
    m_dir.reset(new QTemporaryDir);
    m_file = m_dir->filePath(QStringLiteral("first.txt"));
    m_other = m_dir->filePath(QStringLiteral("second.txt"));
    for (const QString& name : {m_file, m_other}) {
        QFile f(name);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    m_browser.reset(new TValueBrowser);
    m_browser->setSpecialList(&TValueBrowser::s_specialList);
    m_browser->resize(400, 300);
    m_browser->show();
}

void TestTextPathValues::cleanup()
{
    m_browser.reset();
    flush();
    QDir::setCurrent(m_savedCurrent);
    m_dir.reset();
}

void TestTextPathValues::valuesAndFactory()
{
    auto* text = new TTextValue(m_browser.get(), "Note");
    auto* path = new TPathValue(m_browser.get(), "Folder");
    QCOMPARE(path->pickMode(), QFileDialog::AnyFile);
    QCOMPARE(path->filter(), QString("*.*"));
    QVERIFY(text->buttonEditor() == &TTextValue::s_TextButtonEditor);
    QVERIFY((new TPathValue(text, "Child"))->buttonEditor() == &TPathValue::s_PathButtonEditor);
    for (TBaseValue* row : {static_cast<TBaseValue*>(text), static_cast<TBaseValue*>(path)}) {
        QVERIFY(row->value().kind == SK_Value && row->value().value.userType() == QMetaType::QString);
        QVERIFY(shown(row).isEmpty() && !row->validator());
        // Strings are stored as given, special codes included.
        for (const QString& input : {QString("a\nb\r\nc"), QString("  padded "), QString("a<b & <i>c</i>"),
                                     QString("8"), QString("")}) {
            QVERIFY(row->setValue(input));
            QVERIFY(row->value().kind == SK_Value && row->string() == input && row->valueText() == input);
        }
    }
    path->setButtonEditor(nullptr);
    QVERIFY(open(path) && !open(path)->buttonWidget());

    QString vars[] = {QStringLiteral("from caller\nline two"), QStringLiteral("path")};
    QVERIFY(!m_browser->addText(-1, "Row", "", "", vars) && !m_browser->addText(0, "", "", "", vars));
    QVERIFY(!m_browser->addPath(-1, "Row", "", "", vars) && !m_browser->addPath(0, "", "", "", vars));
    TBaseValue* bound[] = {m_browser->addText(0, "Text", "the hint", "key", &vars[0]),
                           m_browser->addPath(1, "Path", "", "", &vars[1])};
    QVERIFY(bound[1]->parent() == bound[0] && dynamic_cast<TPathValue*>(bound[1]));
    QVERIFY(bound[0]->linkType() == LT_String && bound[1]->linked() == &vars[1]);
    QCOMPARE(bound[0]->hint(), QString("the hint"));
    QCOMPARE(bound[0]->properyName(), QString("key"));
    m_browser->updateFromLinked();
    QCOMPARE(val(bound[0]), QString("from caller\nline two"));
    QCOMPARE(val(bound[1]), QString("path"));
    QVERIFY(bound[0]->setValue(QString("")) && bound[1]->setValue(QString("written back")));
    m_browser->updateLinked();
    QVERIFY(vars[0].isEmpty() && vars[1] == "written back");
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
    // Special and empty paths start in the current directory.
    QDir::setCurrent(m_dir->path());
    QTemporaryDir elsewhere;
    auto* path = new TPathValue(m_browser.get(), "Folder");
    path->setValue(start == 0 ? elsewhere.path() : start == 1 ? m_other : start == 2 ? m_file : QString());
    if (start == 2)
        path->setSpecial(SV_Default);
    QString directory;
    QStringList selected;
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        directory = dialog->directory().absolutePath();
        selected = dialog->selectedFiles();
    }));
    QCOMPARE(canonical(directory), canonical(start ? m_dir->path() : elsewhere.path()));
    if (start == 1)
        QCOMPARE(selected.size() == 1 ? canonical(selected.first()) : QString(), canonical(m_other));
    for (const QString& s : qAsConst(selected))
        QVERIFY2(start == 1 || !QFileInfo(s).isFile(), qPrintable(s));
}

void TestTextPathValues::pathDialogModeAndFilter_data()
{
    QTest::addColumn<QFileDialog::FileMode>("mode");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("passed");
    QTest::newRow("any file") << QFileDialog::AnyFile << QString("*.*") << false;
    QTest::newRow("existing file") << QFileDialog::ExistingFile << QString() << false;
    QTest::newRow("directory") << QFileDialog::Directory << QString("Text (*.txt)") << true;
    QTest::newRow("existing files") << QFileDialog::ExistingFiles << QString("*.png") << true;
}

void TestTextPathValues::pathDialogModeAndFilter()
{
    QFETCH(QFileDialog::FileMode, mode);
    QFETCH(QString, filter);
    QFETCH(bool, passed);
    auto* path = new TPathValue(m_browser.get(), "Output folder");
    path->setValue(m_dir->path());
    path->setPickMode(mode);
    path->setFilter(filter);
    QCOMPARE(path->filter(), filter);
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        QCOMPARE(dialog->fileMode(), mode);
        QCOMPARE(dialog->windowTitle(), QString("Output folder"));
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog) && !dialog->parentWidget());
        QCOMPARE(dialog->nameFilters().contains(filter), passed);
        QVERIFY(!dialog->nameFilters().contains(QStringLiteral("*.*")));
    }));
}

void TestTextPathValues::pathDialogAnswers()
{
    auto* path = new TPathValue(m_browser.get(), "Folder");
    path->setValue(m_file);
    QSignalSpy picked(m_browser.get(), &TValueBrowser::ValuePicked);
    // Cancelled, from a value or a special: nothing changes.
    for (const bool special : {false, true}) {
        if (special)
            path->setSpecial(SV_NoValue);
        const SValue before = path->value();
        QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
            QVERIFY(selectLoaded(dialog, m_other));
            dialog->reject();
        }));
        QVERIFY(path->value().kind == before.kind && path->value().value == before.value);
    }
    QCOMPARE(picked.count(), 0);
    path->setValue(m_file);
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        QVERIFY(selectLoaded(dialog, m_other));
        static_cast<QDialog*>(dialog)->accept();
    }));
    QCOMPARE(canonical(val(path)), canonical(m_other));
    QCOMPARE(picked.count(), 1);

    // Accepted with no file at all: nothing is taken.
    path->setValue(m_dir->path());
    path->setPickMode(QFileDialog::ExistingFile);
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        QVERIFY(dialog->selectedFiles().isEmpty());
        static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
    }));
    QCOMPARE(val(path), m_dir->path());

    // A directory chooser hands back the directory.
    path->setPickMode(QFileDialog::Directory);
    const QString sub = m_dir->filePath(QStringLiteral("sub"));
    QVERIFY(QDir().mkdir(sub));
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        dialog->setDirectory(sub);
        static_cast<QDialog*>(dialog)->accept();
    }));
    QCOMPARE(canonical(val(path)), canonical(sub));
}

void TestTextPathValues::pathDialogOutlivesEditor_data()
{
    QTest::addColumn<bool>("otherBrowser");
    QTest::newRow("row left while open") << false;
    QTest::newRow("editor taken by another browser") << true;
}

void TestTextPathValues::pathDialogOutlivesEditor()
{
    QFETCH(bool, otherBrowser);
    // The editor closes under the dialog, or the shared button editor
    // serves another browser meanwhile: the choice goes to the row clicked
    // while it is still its editor's, and to no other row.
    TValueBrowser second;
    second.show();
    auto* other = new TPathValue(otherBrowser ? &second : m_browser.get(), "Other");
    other->setValue(QStringLiteral("other"));
    auto* path = new TPathValue(m_browser.get(), "Folder");
    path->setValue(m_file);
    QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
        QVERIFY(open(other));
        QVERIFY(selectLoaded(dialog, m_other));
        static_cast<QDialog*>(dialog)->accept();
    }));
    QCOMPARE(val(other), QString("other"));
    QCOMPARE(canonical(val(path)), canonical(otherBrowser ? m_other : m_file));
}

void TestTextPathValues::textDialog_data()
{
    QTest::addColumn<int>("special");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::newRow("value to text") << 0 << QString("new\ntext") << true;
    QTest::newRow("value to empty") << 0 << QString("") << true;
    QTest::newRow("special to empty") << int(SV_Unused) << QString("") << true;
    // "8" is the code of "Default" but a different value of a text row.
    QTest::newRow("special to its code") << int(SV_Default) << QString("8") << true;
    QTest::newRow("value cancelled") << 0 << QString("thrown away") << false;
    QTest::newRow("special cancelled") << int(SV_Empty) << QString("thrown away") << false;
}

void TestTextPathValues::textDialog()
{
    QFETCH(int, special);
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    auto* text = new TTextValue(m_browser.get(), "Note");
    text->setValue(QStringLiteral("old"));
    if (special)
        text->setSpecial(special);
    const SValue before = text->value();
    QSignalSpy picked(m_browser.get(), &TValueBrowser::ValuePicked);
    QVERIFY(clickDots<qelTextEditorDialog>(text, [&](qelTextEditorDialog* dialog) {
        auto* edit = dialog->findChild<QTextEdit*>();
        QCOMPARE(edit->toPlainText(), special ? QString() : QString("old"));
        edit->setPlainText(typed);
        accept ? dialog->accept() : dialog->reject();
    }));
    QCOMPARE(picked.count(), int(accept));
    QCOMPARE(text->value().kind, accept ? int(SK_Value) : before.kind);
    QCOMPARE(text->value().value, accept ? QVariant(typed) : before.value);

    // A special value picked from the popup replaces a numeric text; the
    // same special again is no pick.
    QVERIFY(pick(text, "Default"));
    QVERIFY(text->value().kind == SK_Special && text->value().value.toUInt() == SV_Default);
    QVERIFY(pick(text, "Default"));
    QCOMPARE(picked.count(), int(accept) + 1);
}

QTEST_MAIN(TestTextPathValues)
#include "tst_textpathvalues.moc"
