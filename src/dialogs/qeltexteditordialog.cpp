#include "qeltexteditordialog.h"

#include "tplacedialog_p.h"

#include <QAction>
#include <QActionGroup>
#include <QColor>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QSizePolicy>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextStream>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Files are read and written as UTF-8 whatever the locale.
void setUtf8(QTextStream& stream)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    stream.setEncoding(QStringConverter::Utf8);
#else
    stream.setCodec("UTF-8");
#endif
}

QString fileFilter()
{
    return qelTextEditorDialog::tr("All Files (*);;HTML-Files (*.htm *.html);;Text Files (*.txt)");
}

} // namespace

qelTextEditorDialog::qelTextEditorDialog(QWidget* parent)
    : QDialog(parent)
{
    auto* layout = new QVBoxLayout(this);

    m_mainBar = new QToolBar(tr("Main"), this);
    m_mainBar->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    layout->addWidget(m_mainBar);

    m_toolsBar = new QToolBar(tr("Tools"), this);
    m_toolsBar->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    layout->addWidget(m_toolsBar);

    m_textEdit = new QTextEdit(this);
    layout->addWidget(m_textEdit);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                     Qt::Horizontal, this);
    layout->addWidget(m_buttons);

    resize(QSize(600, 500).expandedTo(minimumSizeHint()));
    setSizeGripEnabled(true);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_textEdit, &QTextEdit::textChanged, this, &qelTextEditorDialog::textChanged);
    connect(m_textEdit, &QTextEdit::currentCharFormatChanged,
            this, &qelTextEditorDialog::currentCharFormatChanged);
    // Paragraphs may differ in alignment alone; follow the cursor between them.
    connect(m_textEdit, &QTextEdit::cursorPositionChanged, this,
            [this]() { alignmentChanged(int(m_textEdit->alignment())); });

    // "Main": file operations, editing and the switch between the modes.
    m_clearAction = m_mainBar->addAction(QIcon(QStringLiteral(":/images/filenew.xpm")),
                                         tr("&Clear"), this, &qelTextEditorDialog::fileNew);
    m_clearAction->setToolTip(QStringLiteral("Clear Text"));
    m_openAction = m_mainBar->addAction(QIcon(QStringLiteral(":/images/fileopen.xpm")),
                                        tr("&Open..."), this, &qelTextEditorDialog::fileOpen);
    m_openAction->setToolTip(QStringLiteral("Open Text from File"));
    m_saveAction = m_mainBar->addAction(QIcon(QStringLiteral(":/images/filesave.xpm")),
                                        tr("&Save..."), this, &qelTextEditorDialog::fileSave);
    m_saveAction->setToolTip(QStringLiteral("Save Text to File"));

    m_mainBar->addSeparator();

    m_undoAction = m_mainBar->addAction(QIcon(QStringLiteral(":/images/editundo.xpm")),
                                        tr("&Undo"), m_textEdit, &QTextEdit::undo);
    m_undoAction->setToolTip(QStringLiteral("Undo Last Action"));
    m_redoAction = m_mainBar->addAction(QIcon(QStringLiteral(":/images/editredo.xpm")),
                                        tr("&Redo"), m_textEdit, &QTextEdit::redo);
    m_redoAction->setToolTip(QStringLiteral("Redo Last Action"));
    m_cutAction = m_mainBar->addAction(QIcon(QStringLiteral(":/images/editcut.xpm")),
                                       tr("Cu&t"), m_textEdit, &QTextEdit::cut);
    m_cutAction->setToolTip(QStringLiteral("Cut to Clipboard"));
    m_copyAction = m_mainBar->addAction(QIcon(QStringLiteral(":/images/editcopy.xpm")),
                                        tr("&Copy"), m_textEdit, &QTextEdit::copy);
    m_copyAction->setToolTip(QStringLiteral("Copy to Clipboard"));
    m_pasteAction = m_mainBar->addAction(QIcon(QStringLiteral(":/images/editpaste.xpm")),
                                         tr("&Paste"), m_textEdit, &QTextEdit::paste);
    m_pasteAction->setToolTip(QStringLiteral("Paste from Clipboard"));

    m_mainBar->addSeparator();

    m_switchAction = m_mainBar->addAction(QIcon(QStringLiteral(":/images/type.png")),
                                          tr("Switch"), this, &qelTextEditorDialog::switchType);
    m_switchAction->setToolTip(QStringLiteral("Switch between Rich and Plain text"));
    m_switchAction->setCheckable(true);

    // "Tools": character and paragraph formatting of rich text.
    m_fontCombo = new QFontComboBox(m_toolsBar);
    m_toolsBar->addWidget(m_fontCombo);
    connect(m_fontCombo, &QFontComboBox::currentFontChanged,
            this, &qelTextEditorDialog::currentFontChanged);

    m_sizeCombo = new QComboBox(m_toolsBar);
    m_toolsBar->addWidget(m_sizeCombo);
    const QList<int> sizes = QFontDatabase::standardSizes();
    for (int size : sizes)
        m_sizeCombo->addItem(QString::number(size));
    connect(m_sizeCombo, &QComboBox::textActivated, this, &qelTextEditorDialog::textSize);
    m_sizeCombo->setEditable(true);
    // A typed size is applied, not added to the list of sizes.
    m_sizeCombo->setInsertPolicy(QComboBox::NoInsert);
    // Return applies a typed size; one that is not in the list is no entry
    // the combo box could activate.
    connect(m_sizeCombo->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { textSize(m_sizeCombo->lineEdit()->text()); });

    m_colorAction = m_toolsBar->addAction(tr("Color"), this, &qelTextEditorDialog::textColor);
    m_colorAction->setToolTip(QStringLiteral("Pick a Color"));

    m_boldAction = m_toolsBar->addAction(QIcon(QStringLiteral(":/images/textbold.xpm")),
                                         tr("&Bold"), this, &qelTextEditorDialog::textBold);
    m_boldAction->setToolTip(QStringLiteral("Switch Bold"));
    m_boldAction->setCheckable(true);
    m_italicAction = m_toolsBar->addAction(QIcon(QStringLiteral(":/images/textitalic.xpm")),
                                           tr("&Italic"), this, &qelTextEditorDialog::textItalic);
    m_italicAction->setToolTip(QStringLiteral("Switch Italic"));
    m_italicAction->setCheckable(true);
    m_underlineAction = m_toolsBar->addAction(QIcon(QStringLiteral(":/images/textunder.xpm")),
                                              tr("&Underline"), this,
                                              &qelTextEditorDialog::textUnderline);
    m_underlineAction->setToolTip(QStringLiteral("Switch Underline"));
    m_underlineAction->setCheckable(true);

    m_toolsBar->addSeparator();

    auto* alignGroup = new QActionGroup(this);
    alignGroup->setExclusive(true);
    connect(alignGroup, &QActionGroup::triggered, this, &qelTextEditorDialog::textAlign);

    const auto addAlignAction = [this, alignGroup](const char* icon, const QString& text,
                                                   const char* toolTip) {
        QAction* action = m_toolsBar->addAction(QIcon(QString::fromLatin1(icon)), text);
        action->setToolTip(QString::fromLatin1(toolTip));
        action->setCheckable(true);
        alignGroup->addAction(action);
        return action;
    };
    m_leftAction = addAlignAction(":/images/textleft.xpm", tr("&Left"), "Align Left");
    m_centerAction = addAlignAction(":/images/textcenter.xpm", tr("C&enter"), "Align Center");
    m_rightAction = addAlignAction(":/images/textright.xpm", tr("&Right"), "Align Right");
    m_justifyAction = addAlignAction(":/images/textjustify.xpm", tr("&Justify"),
                                     "Align Justified");

    // Nothing to undo or redo in an empty document.
    textChanged();
}

qelTextEditorDialog::~qelTextEditorDialog() = default;

QString qelTextEditorDialog::getText(const QString& text, const QWidget* placeOver)
{
    qelTextEditorDialog dialog;
    dialog.setContents(text);
    tarvoPlaceDialogOver(&dialog, placeOver);

    if (dialog.exec() != QDialog::Accepted)
        return QString();

    return dialog.m_switchAction->isChecked() ? dialog.m_textEdit->toHtml()
                                               : dialog.m_textEdit->toPlainText();
}

bool qelTextEditorDialog::loadFromFile(const QString& fileName)
{
    if (!QFile::exists(fileName))
        return false;

    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;

    QTextStream in(&file);
    setUtf8(in);
    const QString contents = in.readAll();
    if (in.status() != QTextStream::Ok || file.error() != QFileDevice::NoError)
        return false;

    setContents(contents);
    focusText();
    return true;
}

bool qelTextEditorDialog::saveToFile(const QString& fileName) const
{
    // QSaveFile writes into a temporary file beside the target and puts it in
    // place only on commit, so a failed write never touches the old file.
    // Where no file can be made beside it (a writable file in a directory
    // the user cannot write to) it writes the file itself, as a plain save
    // would.
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;

    QTextStream out(&file);
    setUtf8(out);
    out << m_textEdit->toPlainText();
    out.flush();
    if (out.status() != QTextStream::Ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void qelTextEditorDialog::fileNew()
{
    m_textEdit->clear();
    focusText();
}

void qelTextEditorDialog::fileOpen()
{
    const QString fileName = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                          fileFilter());
    if (!fileName.isEmpty())
        load(fileName);
}

void qelTextEditorDialog::fileSave()
{
    const QString fileName = QFileDialog::getSaveFileName(this, QString(), QString(),
                                                          fileFilter());
    if (!fileName.isEmpty())
        saveToFile(fileName);
}

void qelTextEditorDialog::filePrint()
{
}

void qelTextEditorDialog::textBold()
{
    m_textEdit->setFontWeight(m_boldAction->isChecked() ? QFont::Bold : QFont::Normal);
}

void qelTextEditorDialog::textUnderline()
{
    m_textEdit->setFontUnderline(m_underlineAction->isChecked());
}

void qelTextEditorDialog::textItalic()
{
    m_textEdit->setFontItalic(m_italicAction->isChecked());
}

void qelTextEditorDialog::currentFontChanged(const QFont& f)
{
    m_textEdit->setFontFamily(f.family());
    focusText();
}

void qelTextEditorDialog::textSize(const QString& p)
{
    // Only a positive whole number is a size; anything else leaves the text
    // as it is rather than shrinking it to nothing.
    bool ok = false;
    const int size = p.trimmed().toInt(&ok);
    if (ok && size > 0)
        m_textEdit->setFontPointSize(size);
    focusText();
}

void qelTextEditorDialog::textStyle(int s)
{
    Q_UNUSED(s)
}

void qelTextEditorDialog::textColor()
{
    const QColor color = QColorDialog::getColor(m_textEdit->textColor(), nullptr);
    if (color.isValid())
        setTextColor(color);
}

void qelTextEditorDialog::setTextColor(const QColor& c)
{
    m_textEdit->setTextColor(c);
    colorChanged(c);
}

void qelTextEditorDialog::textAlign(QAction* a)
{
    if (a == m_leftAction)
        m_textEdit->setAlignment(Qt::AlignLeft);
    else if (a == m_centerAction)
        m_textEdit->setAlignment(Qt::AlignHCenter);
    else if (a == m_rightAction)
        m_textEdit->setAlignment(Qt::AlignRight);
    else if (a == m_justifyAction)
        m_textEdit->setAlignment(Qt::AlignJustify);
}

void qelTextEditorDialog::fontChanged(const QFont& f)
{
    {
        // Showing the font must not apply it: the combo's change signal would
        // otherwise set this one family on the whole selection.
        const QSignalBlocker blocker(m_fontCombo);
        m_fontCombo->setCurrentFont(f);
    }
    m_sizeCombo->setEditText(QString::number(f.pointSize()));
    m_boldAction->setChecked(f.weight() > QFont::Normal);
    m_italicAction->setChecked(f.style() != QFont::StyleNormal);
    m_underlineAction->setChecked(f.underline());
}

void qelTextEditorDialog::colorChanged(const QColor& c)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(c);
    m_colorAction->setIcon(QIcon(pixmap));
}

void qelTextEditorDialog::alignmentChanged(int a)
{
    if (a & Qt::AlignLeft)
        m_leftAction->setChecked(true);
    else if (a & Qt::AlignHCenter)
        m_centerAction->setChecked(true);
    else if (a & Qt::AlignRight)
        m_rightAction->setChecked(true);
    else if (a & Qt::AlignJustify)
        m_justifyAction->setChecked(true);
}

void qelTextEditorDialog::currentCharFormatChanged(const QTextCharFormat& f)
{
    fontChanged(f.font());
    colorChanged(f.foreground().color());
    alignmentChanged(int(m_textEdit->alignment()));
}

void qelTextEditorDialog::textChanged()
{
    const QTextDocument* document = m_textEdit->document();
    m_undoAction->setEnabled(document->isUndoAvailable());
    m_redoAction->setEnabled(document->isRedoAvailable());
}

void qelTextEditorDialog::switchType()
{
    const QString text = m_textEdit->toPlainText();
    if (!m_switchAction->isChecked()) {
        m_textEdit->setPlainText(text);
        m_toolsBar->setVisible(false);
        return;
    }

    // Markup typed as plain text becomes formatting; text that is not markup
    // (a lone "<", an entity, line breaks) is kept exactly as typed.
    if (Qt::mightBeRichText(text))
        m_textEdit->setHtml(text);
    else
        m_textEdit->setPlainText(text);
    m_toolsBar->setVisible(true);
    currentCharFormatChanged(m_textEdit->currentCharFormat());
}

void qelTextEditorDialog::load(const QString& fileName)
{
    loadFromFile(fileName);
}

void qelTextEditorDialog::setContents(const QString& text)
{
    const bool rich = Qt::mightBeRichText(text);
    if (rich)
        m_textEdit->setHtml(text);
    else
        m_textEdit->setPlainText(text);
    m_switchAction->setChecked(rich);
    m_toolsBar->setVisible(rich);
}

void qelTextEditorDialog::focusText()
{
    m_textEdit->viewport()->setFocus(Qt::OtherFocusReason);
}
