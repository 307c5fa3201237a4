#include "tarvotest.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolBar>

#include "qeltexteditordialog.h"

using namespace tt;

namespace {

using Script = std::function<void(qelTextEditorDialog*)>;

QString runGetText(const QString& text, const Script& script)
{
    ModalAnswer<qelTextEditorDialog> driver(script);
    const QString result = qelTextEditorDialog::getText(text);
    return driver.seen() ? result : QStringLiteral("<no dialog>");
}

QTextEdit* editor(QWidget* dialog) { return dialog->findChild<QTextEdit*>(); }

QToolBar* toolBar(QWidget* dialog, const QString& title)
{
    const auto bars = dialog->findChildren<QToolBar*>();
    for (QToolBar* bar : bars) {
        if (bar->windowTitle() == title)
            return bar;
    }
    return nullptr;
}

QAction* action(QWidget* dialog, const QString& text)
{
    const auto actions = dialog->findChildren<QAction*>();
    for (QAction* a : actions) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

// Clicks the tool button of the action with the given text.
void click(QWidget* dialog, const QString& text)
{
    QAction* a = action(dialog, text);
    QVERIFY2(a, qPrintable(text));
    const auto bars = dialog->findChildren<QToolBar*>();
    for (QToolBar* bar : bars) {
        if (QWidget* button = bar->widgetForAction(a)) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable("no tool button for " + text));
}

// Clicks the action that opens a file dialog and answers it with fileName,
// or cancels it when that is empty.
void clickWithFile(QWidget* dialog, const QString& text, const QString& fileName)
{
    ModalAnswer<QFileDialog> driver([&](QFileDialog* files) {
        if (fileName.isEmpty())
            return;
        QVERIFY(selectLoaded(files, fileName));
        static_cast<QDialog*>(files)->accept(); // as the Open or Save button does
    });
    click(dialog, text);
    QVERIFY(driver.seen());
}

// The point size combo: the combo box that is not the font combo.
QComboBox* sizeCombo(QWidget* dialog)
{
    const auto combos = dialog->findChildren<QComboBox*>();
    for (QComboBox* combo : combos) {
        if (!qobject_cast<QFontComboBox*>(combo))
            return combo;
    }
    return nullptr;
}

void press(QWidget* dialog, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

QStringList texts(const QToolBar* bar)
{
    QStringList result;
    const auto actions = bar->actions();
    for (const QAction* a : actions)
        result << (a->isSeparator() ? QStringLiteral("|") : a->text());
    return result;
}

// The checked one of the four alignment actions; empty unless exactly one.
QString checkedAlignment(QWidget* dialog)
{
    QStringList checked;
    for (const char* text : {"&Left", "C&enter", "&Right", "&Justify"}) {
        if (action(dialog, QString::fromLatin1(text))->isChecked())
            checked << QString::fromLatin1(text);
    }
    return checked.size() == 1 ? checked.first() : QString();
}

// The character format of the first fragment that holds text.
QTextCharFormat formatOf(const QTextDocument* document, const QString& text)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat();
        }
    }
    return QTextCharFormat();
}

// The first family of a character format; Qt 6 keeps a list of families.
QString familyOf(const QTextCharFormat& format)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return format.fontFamilies().toStringList().value(0);
#else
    return format.fontFamily();
#endif
}

void writeFile(const QString& fileName, const QByteArray& contents)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(contents), qint64(contents.size()));
}

QByteArray readFile(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestTextEditorDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void images_data();
    void images();
    void construction();
    void plainAndRichText();
    void cancelled_data();
    void cancelled();
    void typingBold();
    void switchToRich_data();
    void switchToRich();
    void switchToPlainDropsFormatting();
    void undoRedoEnabling();
    void alignmentExclusive();
    void fontSize_data();
    void fontSize();
    void colorPicking();
    void fontFamily();
    void saveAndLoadThroughDialogs();
    void saveLoadRoundTrip();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void cleanupTestCase();

private:
    QTemporaryDir m_dir;
};

void TestTextEditorDialog::initTestCase()
{
    // Qt's own file and color dialogs, which the tests can find and answer.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QVERIFY(m_dir.isValid());
}

void TestTextEditorDialog::images_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    for (const char* name : {"filenew.xpm", "fileopen.xpm", "filesave.xpm", "fileprint.xpm",
                             "editundo.xpm", "editredo.xpm", "editcut.xpm", "editcopy.xpm",
                             "editpaste.xpm", "textbold.xpm", "textitalic.xpm", "textunder.xpm",
                             "textleft.xpm", "textcenter.xpm", "textright.xpm", "textjustify.xpm"})
        QTest::newRow(name) << QString::fromLatin1(name) << 22;
    QTest::newRow("type.png") << QStringLiteral("type.png") << 16;
}

void TestTextEditorDialog::images()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    const QImage image(QStringLiteral(":/images/") + name);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(size, size));
}

void TestTextEditorDialog::construction()
{
    qelTextEditorDialog dialog;
    QVERIFY(dialog.width() >= 600 && dialog.height() >= 500);
    QVERIFY(dialog.isSizeGripEnabled());

    QToolBar* mainBar = toolBar(&dialog, QStringLiteral("Main"));
    QToolBar* toolsBar = toolBar(&dialog, QStringLiteral("Tools"));
    QVERIFY(mainBar && toolsBar);
    QCOMPARE(texts(mainBar), QString("&Clear,&Open...,&Save...,|,&Undo,&Redo,Cu&t,&Copy,&Paste,"
                                     "|,Switch").split(','));
    // The font and size combos come first as widget actions without text.
    QCOMPARE(texts(toolsBar), QString(",,Color,&Bold,&Italic,&Underline,|,"
                                      "&Left,C&enter,&Right,&Justify").split(','));

    const QStringList checkable = QString("Switch,&Bold,&Italic,&Underline,"
                                          "&Left,C&enter,&Right,&Justify").split(',');
    const QList<QPair<QString, QString>> tips = {
        {"&Clear", "Clear Text"}, {"&Open...", "Open Text from File"},
        {"&Save...", "Save Text to File"}, {"&Undo", "Undo Last Action"},
        {"&Redo", "Redo Last Action"}, {"Cu&t", "Cut to Clipboard"},
        {"&Copy", "Copy to Clipboard"}, {"&Paste", "Paste from Clipboard"},
        {"Switch", "Switch between Rich and Plain text"}, {"Color", "Pick a Color"},
        {"&Bold", "Switch Bold"}, {"&Italic", "Switch Italic"},
        {"&Underline", "Switch Underline"}, {"&Left", "Align Left"},
        {"C&enter", "Align Center"}, {"&Right", "Align Right"},
        {"&Justify", "Align Justified"}};
    for (const auto& tip : tips) {
        QAction* a = action(&dialog, tip.first);
        QVERIFY2(a, qPrintable(tip.first));
        QCOMPARE(a->toolTip(), tip.second);
        QCOMPARE(a->isCheckable(), checkable.contains(tip.first));
        QVERIFY(a->shortcut().isEmpty());
        QCOMPARE(a->icon().isNull(), tip.first == "Color");
    }

    QComboBox* sizes = sizeCombo(&dialog);
    QVERIFY(sizes && sizes->isEditable());
    QCOMPARE(sizes->parent(), toolsBar);
    QCOMPARE(dialog.findChild<QFontComboBox*>()->parent(), toolsBar);
    QStringList expected;
    const auto standard = QFontDatabase::standardSizes();
    for (int size : standard)
        expected << QString::number(size);
    QStringList items;
    for (int i = 0; i < sizes->count(); ++i)
        items << sizes->itemText(i);
    QCOMPARE(items, expected);
}

void TestTextEditorDialog::plainAndRichText()
{
    const QString plain = runGetText("Hello", [](qelTextEditorDialog* dialog) {
        QVERIFY(!action(dialog, "Switch")->isChecked());
        QVERIFY(!toolBar(dialog, "Tools")->isVisible());
        QVERIFY(toolBar(dialog, "Main")->isVisible());
        QTest::keyClick(editor(dialog), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(editor(dialog), " world");
        press(dialog, QDialogButtonBox::Ok);
    });
    QCOMPARE(plain, QStringLiteral("Hello world"));

    const QString rich = runGetText("<b>Hello</b>", [](qelTextEditorDialog* dialog) {
        QVERIFY(action(dialog, "Switch")->isChecked());
        QVERIFY(toolBar(dialog, "Tools")->isVisible());
        press(dialog, QDialogButtonBox::Ok);
    });
    QVERIFY2(rich.startsWith("<!DOCTYPE HTML"), qPrintable(rich));
    QTextDocument document;
    document.setHtml(rich);
    QCOMPARE(document.toPlainText(), QStringLiteral("Hello"));
    QCOMPARE(formatOf(&document, "Hello").fontWeight(), int(QFont::Bold));
}

void TestTextEditorDialog::cancelled_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("Cancel button") << 0;
    QTest::newRow("Escape key") << 1;
    QTest::newRow("window closed") << 2;
}

void TestTextEditorDialog::cancelled()
{
    QFETCH(int, how);
    const QString result = runGetText("Hello", [how](qelTextEditorDialog* dialog) {
        QTest::keyClicks(editor(dialog), "typed ");
        QVERIFY(editor(dialog)->toPlainText().contains("typed"));
        if (how == 0)
            press(dialog, QDialogButtonBox::Cancel);
        else if (how == 1)
            QTest::keyClick(editor(dialog), Qt::Key_Escape);
        else
            dialog->close();
        QVERIFY(!dialog->isVisible());
    });
    QVERIFY(result.isNull());
}

void TestTextEditorDialog::typingBold()
{
    const QString result = runGetText(QString(), [](qelTextEditorDialog* dialog) {
        click(dialog, "Switch");
        QVERIFY(toolBar(dialog, "Tools")->isVisible());
        QTest::keyClicks(editor(dialog), "plain ");
        click(dialog, "&Bold");
        QVERIFY(action(dialog, "&Bold")->isChecked());
        QTest::keyClicks(editor(dialog), "bold");
        press(dialog, QDialogButtonBox::Ok);
    });
    QTextDocument document;
    document.setHtml(result);
    QCOMPARE(document.toPlainText(), QStringLiteral("plain bold"));
    QCOMPARE(formatOf(&document, "bold").fontWeight(), int(QFont::Bold));
    QCOMPARE(formatOf(&document, "plain").fontWeight(), int(QFont::Normal));
}

void TestTextEditorDialog::switchToRich_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("italic");
    QTest::newRow("markup") << QStringList{"a <i>b</i>"} << "a b" << "b";
    QTest::newRow("lone less-than") << QStringList{"a<b"} << "a<b" << "";
    QTest::newRow("comparison") << QStringList{"x < y > z"} << "x < y > z" << "";
    QTest::newRow("entity") << QStringList{"&amp;"} << "&amp;" << "";
    QTest::newRow("line breaks") << QStringList{"one", "two", "", "four"}
                                 << "one\ntwo\n\nfour" << "";
}

void TestTextEditorDialog::switchToRich()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, shown);
    QFETCH(QString, italic);
    const QString result = runGetText(QString(), [&](qelTextEditorDialog* dialog) {
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(editor(dialog), Qt::Key_Return);
            QTest::keyClicks(editor(dialog), lines.at(i));
        }
        click(dialog, "Switch");
        QVERIFY(action(dialog, "Switch")->isChecked());
        QVERIFY(toolBar(dialog, "Tools")->isVisible());
        QCOMPARE(editor(dialog)->toPlainText(), shown);
        press(dialog, QDialogButtonBox::Ok);
    });
    QTextDocument document;
    document.setHtml(result);
    QCOMPARE(document.toPlainText(), shown);
    if (!italic.isEmpty()) {
        QVERIFY(formatOf(&document, italic).fontItalic());
        QVERIFY(!formatOf(&document, "a").fontItalic());
    }
}

void TestTextEditorDialog::switchToPlainDropsFormatting()
{
    const QString result = runGetText("<b>Hello</b> <i>world</i>", [](qelTextEditorDialog* dialog) {
        click(dialog, "Switch");
        QVERIFY(!toolBar(dialog, "Tools")->isVisible());
        QCOMPARE(editor(dialog)->toPlainText(), QStringLiteral("Hello world"));
        click(dialog, "Switch");
        QVERIFY(toolBar(dialog, "Tools")->isVisible());
        QVERIFY(!action(dialog, "&Bold")->isChecked());
        press(dialog, QDialogButtonBox::Ok);
    });
    QVERIFY(result.startsWith("<!DOCTYPE HTML"));
    QTextDocument document;
    document.setHtml(result);
    QCOMPARE(document.toPlainText(), QStringLiteral("Hello world"));
    QCOMPARE(formatOf(&document, "Hello").fontWeight(), int(QFont::Normal));
    QVERIFY(!formatOf(&document, "world").fontItalic());
}

void TestTextEditorDialog::undoRedoEnabling()
{
    const QString result = runGetText("start", [](qelTextEditorDialog* dialog) {
        QAction* undo = action(dialog, "&Undo");
        QAction* redo = action(dialog, "&Redo");
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        QTest::keyClick(editor(dialog), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(editor(dialog), " more");
        QVERIFY(undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        for (int i = 0; i < 20 && undo->isEnabled(); ++i)
            click(dialog, "&Undo");
        QVERIFY(!undo->isEnabled());
        QVERIFY(redo->isEnabled());
        QCOMPARE(editor(dialog)->toPlainText(), QStringLiteral("start"));
        click(dialog, "&Redo");
        QVERIFY(undo->isEnabled());
        press(dialog, QDialogButtonBox::Ok);
    });
    QVERIFY(result.startsWith("start "));
}

void TestTextEditorDialog::alignmentExclusive()
{
    const QString html = "<p>one</p><p align=\"right\">two</p>";
    const QString result = runGetText(html, [](qelTextEditorDialog* dialog) {
        click(dialog, "C&enter");
        QCOMPARE(checkedAlignment(dialog), QStringLiteral("C&enter"));
        QCOMPARE(editor(dialog)->alignment(), Qt::Alignment(Qt::AlignHCenter));
        // Into the right-aligned paragraph, then back: the actions follow.
        QTest::keyClick(editor(dialog), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(checkedAlignment(dialog), QStringLiteral("&Right"));
        QTest::keyClick(editor(dialog), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(checkedAlignment(dialog), QStringLiteral("C&enter"));
        QTest::keyClick(editor(dialog), Qt::Key_End, Qt::ControlModifier);
        click(dialog, "&Justify");
        QCOMPARE(checkedAlignment(dialog), QStringLiteral("&Justify"));
        press(dialog, QDialogButtonBox::Ok);
    });
    QTextDocument document;
    document.setHtml(result);
    QCOMPARE(document.blockCount(), 2);
    QCOMPARE(document.firstBlock().blockFormat().alignment(), Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(document.lastBlock().blockFormat().alignment(), Qt::Alignment(Qt::AlignJustify));
}

void TestTextEditorDialog::fontSize_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("expected");
    QTest::newRow("number") << "14" << 14.0;
    QTest::newRow("not a number") << "abc" << 20.0;
    QTest::newRow("zero") << "0" << 20.0;
    QTest::newRow("negative") << "-5" << 20.0;
}

void TestTextEditorDialog::fontSize()
{
    QFETCH(QString, typed);
    QFETCH(double, expected);
    const QString html = "<p><span style=\"font-size:20pt\">sized</span></p>";
    const QString result = runGetText(html, [&](qelTextEditorDialog* dialog) {
        QTest::keyClick(editor(dialog), Qt::Key_A, Qt::ControlModifier);
        QComboBox* sizes = sizeCombo(dialog);
        sizes->lineEdit()->clear();
        QTest::keyClicks(sizes->lineEdit(), typed);
        QTest::keyClick(sizes->lineEdit(), Qt::Key_Return);
        press(dialog, QDialogButtonBox::Ok);
    });
    QTextDocument document;
    document.setHtml(result);
    QCOMPARE(formatOf(&document, "sized").fontPointSize(), expected);
}

void TestTextEditorDialog::colorPicking()
{
    runGetText("<p>colored</p>", [](qelTextEditorDialog* dialog) {
        QTest::keyClick(editor(dialog), Qt::Key_A, Qt::ControlModifier);
        {
            ModalAnswer<QColorDialog> driver([](QColorDialog* picker) {
                picker->setCurrentColor(Qt::red);
                picker->accept();
            });
            click(dialog, "Color");
        }
        QCOMPARE(formatOf(editor(dialog)->document(), "colored").foreground().color(),
                 QColor(Qt::red));
        QCOMPARE(action(dialog, "Color")->icon().pixmap(16, 16).toImage().pixelColor(8, 8),
                 QColor(Qt::red));

        // Cancelling the color dialog leaves the color alone.
        ModalAnswer<QColorDialog> driver([](QColorDialog* picker) {
            picker->setCurrentColor(Qt::blue);
            picker->reject();
        });
        click(dialog, "Color");
        QVERIFY(driver.seen());
        QCOMPARE(formatOf(editor(dialog)->document(), "colored").foreground().color(),
                 QColor(Qt::red));
    });
}

void TestTextEditorDialog::fontFamily()
{
    const QString html = "<p><span style=\"font-family:'DejaVu Serif'\">ab</span>"
                         "<span style=\"font-family:'DejaVu Sans Mono'\">cd</span></p>";
    runGetText(html, [](qelTextEditorDialog* dialog) {
        // Selecting shows the font at the cursor; it must not apply it.
        QTest::keyClick(editor(dialog), Qt::Key_A, Qt::ControlModifier);
        const QTextDocument* document = editor(dialog)->document();
        QCOMPARE(familyOf(formatOf(document, "ab")), QStringLiteral("DejaVu Serif"));
        QCOMPARE(familyOf(formatOf(document, "cd")), QStringLiteral("DejaVu Sans Mono"));

        // Picking a family applies it to the selection.
        auto* fonts = dialog->findChild<QFontComboBox*>();
        const int index = fonts->findText("DejaVu Serif");
        QVERIFY(index >= 0);
        fonts->setCurrentIndex(index);
        QCOMPARE(familyOf(formatOf(document, "cd")), QStringLiteral("DejaVu Serif"));
    });
}

void TestTextEditorDialog::saveAndLoadThroughDialogs()
{
    const QString saved = m_dir.filePath("saved.html");
    const QString html = m_dir.filePath("page.html");
    const QString text = m_dir.filePath("notes.txt");
    writeFile(html, "<html><body><p>Loaded <i>html</i></p></body></html>");
    writeFile(text, "1 < 2\r\nsecond line\n");

    const QString result = runGetText("<b>Bold</b> text", [&](qelTextEditorDialog* dialog) {
        // Saving in rich-text mode writes the plain text; a cancelled dialog
        // writes nothing.
        clickWithFile(dialog, "&Save...", QString());
        QVERIFY(QDir(m_dir.path()).entryList({"saved*"}).isEmpty());
        clickWithFile(dialog, "&Save...", saved);
        QCOMPARE(readFile(saved), QByteArray("Bold text"));

        clickWithFile(dialog, "&Open...", html);
        QVERIFY(action(dialog, "Switch")->isChecked());
        QVERIFY(toolBar(dialog, "Tools")->isVisible());
        QCOMPARE(editor(dialog)->toPlainText(), QStringLiteral("Loaded html"));

        clickWithFile(dialog, "&Open...", text);
        QVERIFY(!action(dialog, "Switch")->isChecked());
        QVERIFY(!toolBar(dialog, "Tools")->isVisible());

        clickWithFile(dialog, "&Open...", QString());
        press(dialog, QDialogButtonBox::Ok);
    });
    QCOMPARE(result, QStringLiteral("1 < 2\nsecond line\n"));
}

void TestTextEditorDialog::saveLoadRoundTrip()
{
    const QString text = QString::fromUtf8("Grüße €\nzweite <Zeile>");
    const QString fileName = m_dir.filePath("roundtrip.txt");
    {
        qelTextEditorDialog dialog;
        editor(&dialog)->setPlainText(text);
        QVERIFY(dialog.saveToFile(fileName));
    }
    QCOMPARE(readFile(fileName), text.toUtf8());

    qelTextEditorDialog dialog;
    QVERIFY(dialog.loadFromFile(fileName));
    QCOMPARE(editor(&dialog)->toPlainText(), text);
    QVERIFY(!action(&dialog, "Switch")->isChecked());
    // What cannot be read changes nothing.
    for (const QString& bad : {m_dir.filePath("does-not-exist.txt"), m_dir.path(), QString()})
        QVERIFY(!dialog.loadFromFile(bad));
    QCOMPARE(editor(&dialog)->toPlainText(), text);
}

void TestTextEditorDialog::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("kept");

    const QString missing = m_dir.filePath("missing/dir/out.txt");
    QTest::newRow("missing directory") << missing << QString();

    const QString folder = m_dir.filePath("folder");
    QDir().mkpath(folder);
    writeFile(folder + "/inside.txt", "old");
    QTest::newRow("target is a directory") << folder << folder + "/inside.txt";

    // A name so long that no temporary file fits beside it: the old file
    // could only be truncated in place, which a safe save never does.
    const QString longName = m_dir.filePath(QString(250, QLatin1Char('n')));
    writeFile(longName, "old");
    QTest::newRow("no room for a temporary file") << longName << longName;

    const QString locked = m_dir.filePath("locked");
    QDir().mkpath(locked);
    writeFile(locked + "/old.txt", "old");
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QTest::newRow("read-only directory") << locked + "/old.txt" << locked + "/old.txt";
}

void TestTextEditorDialog::failedSaveKeepsOldFile()
{
    QFETCH(QString, target);
    QFETCH(QString, kept);
    if (QTest::currentDataTag() == QLatin1String("read-only directory")
        && QFileInfo(QFileInfo(target).path()).isWritable())
        QSKIP("directory permissions do not bind this user");

    qelTextEditorDialog dialog;
    editor(&dialog)->setPlainText("new text");
    QVERIFY(!dialog.saveToFile(target));
    if (kept.isEmpty())
        QVERIFY(!QFileInfo::exists(target));
    else
        QCOMPARE(readFile(kept), QByteArray("old"));
}

void TestTextEditorDialog::cleanupTestCase()
{
    // Let the temporary directory remove what the read-only case locked.
    QFile::setPermissions(m_dir.filePath("locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QTEST_MAIN(TestTextEditorDialog)
#include "tst_texteditordialog.moc"
