#include "tarvotest.h"

#include <QWidgetAction>

#include <QColorDialog>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolBar>

#include "qeltexteditordialog.h"
#include "tpathvalue.h"
#include "ttextvalue.h"

// The text editor dialog, and the text and path rows whose "..." buttons open it or a file dialog.
using namespace tt;
using Script = std::function<void(QWidget*)>;
using Test = std::function<bool(const QTextCharFormat&)>;
Q_DECLARE_METATYPE(Script)
Q_DECLARE_METATYPE(QFileDialog::FileMode)

namespace {

QTextEdit* editor(QWidget* dialog) { return dialog->findChild<QTextEdit*>(); }
template<typename T = QAction>
T* named(QWidget* dialog, const QString& text, const char* property = "text")
{
    for (T* child : dialog->findChildren<T*>()) {
        if (child->property(property).toString().remove('&') == QString(text).remove('&'))
            return child;
    }
    return nullptr;
}
QAction* action(QWidget* dialog, const QString& text) { return named(dialog, text); }
QToolBar* bar(QWidget* dialog, const char* title) { return named<QToolBar>(dialog, title, "windowTitle"); }
QComboBox* sizeCombo(QWidget* dialog) { return bar(dialog, "Tools")->findChildren<QComboBox*>().last(); }
bool rich(QWidget* dialog) { return bar(dialog, "Tools")->isVisible() && action(dialog, "Switch")->isChecked(); }

// Clicks the tool button of the action with the given text, or else the push button.
void click(QWidget* dialog, const QString& text)
{
    QAction* a = action(dialog, text);
    for (const char* title : {"Main", "Tools"}) {
        if (QWidget* button = a ? bar(dialog, title)->widgetForAction(a) : nullptr)
            return QTest::mouseClick(button, Qt::LeftButton);
    }
    QTest::mouseClick(named<QAbstractButton>(dialog, text), Qt::LeftButton);
}

// Types text as keys; a line break is Return.
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        c == '\n' ? QTest::keyClick(widget, Qt::Key_Return) : QTest::keyClick(widget, c.toLatin1());
}

QString runGetText(const QString& text, const Script& script)
{
    ModalAnswer<qelTextEditorDialog> driver(script);
    const QString result = qelTextEditorDialog::getText(text);
    return driver.seen() ? result : QStringLiteral("<no dialog>");
}

// The text of the fragments whose format passes test, in order.
QString styled(const QTextDocument* document, const Test& test)
{
    QString result;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            result += test(it.fragment().charFormat()) ? it.fragment().text() : QString();
    }
    return result;
}

// Clicks the action that opens a file dialog and answers it with the file name.
void clickWithFile(QWidget* dialog, const QString& text, const QString& name)
{
    ModalAnswer<QFileDialog> driver([&](QFileDialog* files) {
        if (selectLoaded(files, name))
            static_cast<QDialog*>(files)->accept(); // as the Open or Save button does
    });
    click(dialog, text);
    QVERIFY(driver.seen());
}

// Writes contents into the file when given; returns what the file holds.
QByteArray file(const QString& name, const QByteArray& contents = {})
{
    QFile f(name);
    if (!contents.isNull() && (!f.open(QIODevice::WriteOnly) || f.write(contents) != contents.size()))
        return "<unwritable>";
    f.close();
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestTextPathValues : public QObject
{
    Q_OBJECT

    std::unique_ptr<TValueBrowser> m_browser;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file, m_other, m_savedCurrent = QDir::currentPath();

private slots:
    void init()
    {
        // Qt's own file and color dialogs, which the tests can find and answer.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        m_dir.reset(new QTemporaryDir);
        m_file = m_dir->filePath(QStringLiteral("first.txt")), m_other = m_dir->filePath(QStringLiteral("second.txt"));
        QVERIFY(file(m_file, "").isEmpty() && file(m_other, "").isEmpty());
        m_browser.reset(new TValueBrowser);
        m_browser->setSpecialList(&TValueBrowser::s_specialList);
        m_browser->show();
    }
    void cleanup()
    {
        m_browser.reset();
        flush();
        QDir::setCurrent(m_savedCurrent);
        m_dir.reset();
    }

    void dialogEdits_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<Script>("script");
        QTest::addColumn<QString>("result"); // null: cancelled
        QTest::addColumn<bool>("isRich");
        QTest::addColumn<QString>("styles"); // the bold text, "/", the italic text
        const auto type = [](const QString& text, bool toRich = true) {
            return Script([=](QWidget* d) { typeText(editor(d), text), toRich ? click(d, "Switch") : void(); });
        };
        const Script bold = [](QWidget* d) {
            click(d, "Switch"), typeText(editor(d), "plain "), click(d, "&Bold"), typeText(editor(d), "bold");
        };
        const Script twice = [](QWidget* d) { click(d, "Switch"), click(d, "Switch"); }; // to plain text and back
        QTest::newRow("plain") << "Hello" << type("new\nline", false) << "new\nlineHello" << false << "/";
        QTest::newRow("rich kept") << "<b>Hello</b>" << Script() << "Hello" << true << "Hello/";
        QTest::newRow("Cancel") << "Hello" << Script([](QWidget* d) { click(d, "Cancel"); }) << QString() << false << "/";
        const Script escape = [](QWidget* d) { QTest::keyClick(editor(d), Qt::Key_Escape); };
        QTest::newRow("Escape") << "Hello" << escape << QString() << false << "/";
        QTest::newRow("typing bold") << "" << bold << "plain bold" << true << "bold/";
        QTest::newRow("markup") << "" << type("a <i>b</i>") << "a b" << true << "/b";
        // Switching to rich text keeps what is not markup as typed.
        for (const char* text : {"a<b", "x < y > z", "&amp;", "one\ntwo\n\nfour"})
            QTest::addRow("%s", qPrintable(QString(text).replace('\n', '|'))) << "" << type(text) << text << true << "/";
        const Script clear = [](QWidget* d) {
            click(d, "&Clear");
            typeText(editor(d), "x");
        };
        QTest::newRow("Clear") << "Hello" << clear << "x" << false << "/";
        QTest::newRow("to plain and back") << "<b>Hello</b> <i>world</i>" << twice << "Hello world" << true << "/";
    }
    void dialogEdits()
    {
        QFETCH(QString, start);
        QFETCH(Script, script);
        QFETCH(QString, result);
        QFETCH(bool, isRich);
        QFETCH(QString, styles);
        const QString text = runGetText(start, [&](QWidget* dialog) {
            if (script)
                script(dialog);
            if (dialog->isVisible()) {
                QVERIFY(rich(dialog) == isRich && bar(dialog, "Main")->isVisible());
                QCOMPARE(action(dialog, "&Bold")->isChecked(), styles == "bold/");
                click(dialog, "OK");
            }
        });
        QVERIFY2(text.isNull() == result.isNull() && text.startsWith("<!DOCTYPE HTML") == isRich, qPrintable(text));
        QTextDocument document;
        isRich ? document.setHtml(text) : document.setPlainText(text);
        QCOMPARE(document.toPlainText(), result);
        QCOMPARE(styled(&document, [](const QTextCharFormat& f) { return f.fontWeight() == QFont::Bold; }) + '/'
                     + styled(&document, [](const QTextCharFormat& f) { return f.fontItalic(); }), styles);
    }

    // Undo and redo, alignment, size, color and family, on one document.
    void dialogFormatting()
    {
        const QString html = "<p><span style=\"font-family:'DejaVu Serif'; font-size:20pt\">ab</span><span style=\"font-"
                             "family:'DejaVu Sans Mono'; font-size:20pt\">cd</span></p><p align=\"right\">two</p>";
        const Test pt20 = [](const QTextCharFormat& f) { return f.fontPointSize() == 20; };
        const Test red = [](const QTextCharFormat& f) { return f.foreground().color() == Qt::red; };
        const QString result = runGetText(html, [&](QWidget* dialog) {
            QTextEdit* edit = editor(dialog);
            QVERIFY(dialog->width() >= 600 && dialog->height() >= 500 && QDir(":/images").entryList({"*.xpm"}).size() == 16);
            QVERIFY(sizeCombo(dialog)->isEditable() && sizeCombo(dialog)->count() == QFontDatabase::standardSizes().size());
            QStringList tips;
            for (QAction* a : bar(dialog, "Main")->actions() + bar(dialog, "Tools")->actions())
                tips << (a->isSeparator() || qobject_cast<QWidgetAction*>(a) ? QString() : a->toolTip());
            QCOMPARE(tips.join('|'), QStringLiteral("Clear Text|Open Text from File|Save Text to File||Undo Last Action|"
                "Redo Last Action|Cut to Clipboard|Copy to Clipboard|Paste from Clipboard||Switch between Rich and Plain "
                "text|||Pick a Color|Switch Bold|Switch Italic|Switch Underline||"
                "Align Left|Align Center|Align Right|Align Justified"));
            // The text, then what undo and redo can do, after each step.
            QString steps;
            for (const char* step : {"", "Delete", "&Undo", "&Redo", "&Undo"}) {
                *step == 'D' ? QTest::keyClick(edit, Qt::Key_Delete) : *step ? click(dialog, step) : void();
                steps += QString("%1%2%3 ").arg(edit->toPlainText().left(2)).arg(action(dialog, "&Undo")->isEnabled())
                             .arg(action(dialog, "&Redo")->isEnabled());
            }
            QCOMPARE(steps, QStringLiteral("ab00 bc10 ab01 bc10 ab01 "));
            // The alignment actions are exclusive and follow the cursor.
            const auto aligned = [dialog] { // left, center, right, justify
                return QString("%1%2%3%4").arg(action(dialog, "&Left")->isChecked()).arg(action(dialog, "C&enter")->isChecked())
                    .arg(action(dialog, "&Right")->isChecked()).arg(action(dialog, "&Justify")->isChecked());
            };
            click(dialog, "C&enter");
            QVERIFY(aligned() == "0100" && edit->alignment() == Qt::AlignHCenter);
            QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
            QCOMPARE(aligned(), QStringLiteral("0010"));
            click(dialog, "&Justify");
            QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
            QCOMPARE(aligned(), QStringLiteral("0100"));
            // The font tools follow the cursor: after "abc" it stands in the second face.
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(edit, Qt::Key_Right);
            QCOMPARE(dialog->findChild<QFontComboBox*>()->currentText(), QStringLiteral("DejaVu Sans Mono"));
            QCOMPARE(sizeCombo(dialog)->currentText(), QStringLiteral("20"));

            // Selecting shows the font at the cursor; it must not apply it.
            const auto in = [edit](const QString& family) {
                return styled(edit->document(), [&](const QTextCharFormat& f) { return f.font().family() == family; });
            };
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QVERIFY(in("DejaVu Serif") == "ab" && in("DejaVu Sans Mono") == "cd");
            // Only a positive whole number is a size.
            for (const char* size : {"abc", "0", "-5", "14"}) {
                QCOMPARE(styled(edit->document(), pt20), QStringLiteral("abcd"));
                sizeCombo(dialog)->lineEdit()->clear();
                typeText(sizeCombo(dialog)->lineEdit(), QString(size) + '\n');
            }
            // A picked color applies; a cancelled color dialog changes nothing.
            for (const bool accept : {true, false}) {
                ModalAnswer<QColorDialog> driver([accept](QColorDialog* picker) {
                    picker->setCurrentColor(accept ? Qt::red : Qt::blue);
                    accept ? picker->accept() : picker->reject();
                });
                click(dialog, "Color");
                QVERIFY(driver.seen() && styled(edit->document(), red) == "abcdtwo");
                QCOMPARE(action(dialog, "Color")->icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
            }
            auto* fonts = dialog->findChild<QFontComboBox*>();
            fonts->setCurrentIndex(fonts->findText("DejaVu Serif"));
            QCOMPARE(in("DejaVu Serif"), QStringLiteral("abcdtwo"));
            click(dialog, "OK");
        });
        QTextDocument document;
        document.setHtml(result);
        QVERIFY(document.toPlainText() == "abcd\ntwo" && styled(&document, red) == "abcdtwo");
        QCOMPARE(document.firstBlock().blockFormat().alignment(), Qt::Alignment(Qt::AlignHCenter));
        QCOMPARE(document.lastBlock().blockFormat().alignment(), Qt::Alignment(Qt::AlignJustify));
        QCOMPARE(styled(&document, [](const QTextCharFormat& f) { return f.fontPointSize() == 14; }), QStringLiteral("abcdtwo"));
    }

    void dialogFiles()
    {
        const QString saved = m_dir->filePath("saved.html"), html = m_dir->filePath("page.html");
        file(html, "<html><body><p>Loaded <i>html</i></p></body></html>");
        file(m_file, "1 < 2\r\nsecond line\n");
        const QString result = runGetText("<b>Bold</b> text", [&](QWidget* dialog) {
            // Saving rich text writes the plain text.
            clickWithFile(dialog, "&Save...", saved);
            QCOMPARE(file(saved), QByteArray("Bold text"));
            clickWithFile(dialog, "&Open...", html);
            QVERIFY(rich(dialog) && editor(dialog)->toPlainText() == "Loaded html");
            clickWithFile(dialog, "&Open...", m_file);
            QVERIFY(!bar(dialog, "Tools")->isVisible() && !action(dialog, "Switch")->isChecked());
            click(dialog, "OK");
        });
        QCOMPARE(result, QStringLiteral("1 < 2\nsecond line\n"));

        const QString text = QString::fromUtf8("Grüße €\nzweite <Zeile>");
        qelTextEditorDialog dialog;
        editor(&dialog)->setPlainText(text);
        QVERIFY(dialog.saveToFile(m_other) && file(m_other) == text.toUtf8());
        editor(&dialog)->clear();
        dialog.findChild<QFontComboBox*>()->setFocus(); // loading gives the text the focus back
        QVERIFY(dialog.loadFromFile(m_other) && editor(&dialog)->toPlainText() == text && !rich(&dialog));
        QCOMPARE(dialog.focusWidget(), editor(&dialog));
        // What cannot be read changes nothing. A failed save says so and keeps the old file: one with
        // no room for a temporary file beside it is not truncated in place.
        const QString longName = m_dir->filePath(QString(250, 'n'));
        file(longName, "old");
        for (const QString& bad : {m_dir->filePath("missing/out.txt"), m_dir->path(), QString(), longName})
            QVERIFY(!dialog.saveToFile(bad) && (bad == longName || !dialog.loadFromFile(bad)));
        QVERIFY(editor(&dialog)->toPlainText() == text && file(longName) == "old");
        QVERIFY(!QFileInfo::exists(m_dir->filePath("missing/out.txt")));
    }

    void pathDialog_data()
    {
        QTest::addColumn<int>("start"); // 0 a directory, 1 a file, 2 a special value, 3 empty
        QTest::addColumn<QFileDialog::FileMode>("mode");
        QTest::addColumn<QString>("filter"); // null: the row's own
        QTest::addColumn<int>("answer"); // 0 cancel, 1 accept the other file, 2 accept nothing, 3 a folder
        QTest::addColumn<int>("elsewhere"); // meanwhile the editor serves 1 another row, 2 another browser
        QTest::newRow("directory, cancelled") << 0 << QFileDialog::AnyFile << QString() << 0 << 0;
        QTest::newRow("file, accepted") << 1 << QFileDialog::ExistingFile << "" << 1 << 0;
        QTest::newRow("special, cancelled") << 2 << QFileDialog::AnyFile << "Text (*.txt)" << 0 << 0;
        QTest::newRow("special, accepted") << 2 << QFileDialog::AnyFile << "*.*" << 1 << 0;
        QTest::newRow("empty, accepted") << 3 << QFileDialog::ExistingFiles << "*.txt" << 1 << 0;
        QTest::newRow("no file") << 0 << QFileDialog::ExistingFile << "*.png" << 2 << 0;
        QTest::newRow("folder") << 0 << QFileDialog::Directory << "Text (*.txt)" << 3 << 0;
        QTest::newRow("row left while open") << 1 << QFileDialog::AnyFile << QString() << 1 << 1;
        QTest::newRow("editor taken by another browser") << 1 << QFileDialog::AnyFile << QString() << 1 << 2;
    }
    void pathDialog()
    {
        QFETCH(int, start);
        QFETCH(QFileDialog::FileMode, mode);
        QFETCH(QString, filter);
        QFETCH(int, answer);
        QFETCH(int, elsewhere);
        QDir::setCurrent(m_dir->path()); // where special and empty paths start
        QTemporaryDir folder;
        const QString sub = folder.filePath(QStringLiteral("sub"));
        QVERIFY(QDir().mkdir(sub));
        TValueBrowser second;
        second.show();
        auto* other = new TPathValue(elsewhere == 2 ? &second : m_browser.get(), "Other");
        other->setValue(QStringLiteral("other"));
        auto* path = new TPathValue(m_browser.get(), "Output folder");
        QVERIFY(path->buttonEditor() == &TPathValue::s_PathButtonEditor && path->filter() == "*.*");
        path->setValue(start == 0 ? folder.path() : start == 3 ? QString() : m_file);
        if (start == 2)
            path->setSpecial(SV_NoValue);
        if (mode != QFileDialog::AnyFile || !filter.isNull())
            path->setPickMode(mode), path->setFilter(filter);
        const SValue before = path->value();
        QSignalSpy picked(m_browser.get(), &TValueBrowser::ValuePicked);
        QVERIFY(clickDots<QFileDialog>(path, [&](QFileDialog* dialog) {
            QCOMPARE(canonical(dialog->directory().absolutePath()), canonical(start ? m_dir->path() : folder.path()));
            const QStringList selected = dialog->selectedFiles(); // the file only when it is the start
            QVERIFY2(start == 1 ? selected.size() == 1 && canonical(selected.first()) == canonical(m_file)
                                : std::none_of(selected.begin(), selected.end(), [](const QString& s) { return QFileInfo(s).isFile(); }),
                     qPrintable(selected.join(',')));
            QVERIFY(dialog->fileMode() == mode && dialog->windowTitle() == "Output folder");
            QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog) && !dialog->parentWidget());
            QCOMPARE(dialog->nameFilters().contains(filter), !filter.isEmpty() && filter != "*.*");
            QVERIFY(!elsewhere || open(other));
            if (answer == 3)
                dialog->setDirectory(sub);
            QVERIFY(answer != 1 || selectLoaded(dialog, m_other));
            QVERIFY(answer != 2 || dialog->selectedFiles().isEmpty());
            answer ? static_cast<QDialog*>(dialog)->done(QDialog::Accepted) : dialog->reject();
        }));
        const QString taken = elsewhere == 1 ? QString() : answer == 1 ? m_other : answer == 3 ? sub : QString();
        QVERIFY(val(other) == "other" && picked.count() == int(!taken.isEmpty()));
        QVERIFY(taken.isEmpty() ? path->value().kind == before.kind && path->value().value == before.value
                                : canonical(val(path)) == canonical(taken) && path->value().kind == SK_Value);
        path->setButtonEditor(nullptr);
        QVERIFY(open(path) && !open(path)->buttonWidget());
    }

    void textRowDialog_data()
    {
        QTest::addColumn<int>("special");
        QTest::addColumn<QString>("typed"); // null: cancelled
        QTest::newRow("value to text") << 0 << "new\ntext";
        QTest::newRow("special to empty") << int(SV_Unused) << "";
        QTest::newRow("special to its code") << int(SV_Default) << "8"; // a value of a text row, not "Default"
        QTest::newRow("value cancelled") << 0 << QString();
        QTest::newRow("special cancelled") << int(SV_Empty) << QString();
    }
    void textRowDialog()
    {
        QFETCH(int, special);
        QFETCH(QString, typed);
        auto* text = new TTextValue(m_browser.get(), "Note");
        QVERIFY(text->buttonEditor() == &TTextValue::s_TextButtonEditor && text->setValue(QStringLiteral("old")));
        if (special)
            text->setSpecial(special);
        const SValue before = text->value();
        QSignalSpy picked(m_browser.get(), &TValueBrowser::ValuePicked);
        QVERIFY(clickDots<qelTextEditorDialog>(text, [&](qelTextEditorDialog* dialog) {
            QCOMPARE(editor(dialog)->toPlainText(), special ? QString() : QString("old"));
            editor(dialog)->setPlainText("thrown away");
            QTest::keyClick(editor(dialog), Qt::Key_A, Qt::ControlModifier);
            if (typed.isNull())
                return QTest::keyClick(editor(dialog), Qt::Key_Escape);
            typeText(editor(dialog), typed + ' '); // the space, then Backspace: an empty text is typed too
            QTest::keyClick(editor(dialog), Qt::Key_Backspace);
            click(dialog, "OK");
        }));
        QCOMPARE(picked.count(), int(!typed.isNull()));
        QVERIFY(typed.isNull() ? text->value().kind == before.kind && text->value().value == before.value
                               : text->value().kind == SK_Value && text->value().value == QVariant(typed));
        // A special value picked from the popup replaces a numeric text; the same special again is no pick.
        QVERIFY(pick(text, "Default") && text->value().kind == SK_Special && text->value().value.toUInt() == SV_Default);
        QVERIFY(pick(text, "Default"));
        QCOMPARE(picked.count(), int(!typed.isNull()) + 1);
    }
};

QTEST_MAIN(TestTextPathValues)
#include "tst_textpathvalues.moc"
