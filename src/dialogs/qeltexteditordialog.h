#ifndef TARVO_QELTEXTEDITORDIALOG_H
#define TARVO_QELTEXTEDITORDIALOG_H

#include <QDialog>
#include <QString>

#include "tarvoglobal.h"

class QAction;
class QColor;
class QComboBox;
class QDialogButtonBox;
class QFont;
class QFontComboBox;
class QTextCharFormat;
class QTextEdit;
class QToolBar;

/// A modal editor for one text, either rich text (HTML) or plain text.
/// The check state of the "Switch" action is the mode: checked is rich text,
/// with the "Tools" bar shown; unchecked is plain text, with it hidden.
class TARVO_EXPORT qelTextEditorDialog : public QDialog
{
    Q_OBJECT

public:
    /// An empty editor in rich-text mode, owned by parent (may be null).
    explicit qelTextEditorDialog(QWidget* parent = nullptr);
    /// Destroys the dialog and its widgets.
    ~qelTextEditorDialog() override;

    /// Opens the dialog modally with text and returns the edited text: HTML
    /// in rich-text mode, plain text otherwise. Returns a null QString when
    /// the user cancels.
    /// placeOver: the dialog, which has no parent, opens centred over that
    /// widget's window (over the screen's centre when null).
    static QString getText(const QString& text, const QWidget* placeOver = nullptr);

    /// Reads a file (UTF-8) into the editor and switches the mode to what the
    /// contents look like. Returns false, leaving the editor as it was, when
    /// the file does not exist or cannot be read.
    bool loadFromFile(const QString& fileName);

    /// Writes the plain text of the editor (UTF-8) to a file. The file is
    /// replaced only when the whole text has been written; on failure the old
    /// file is left as it was and false is returned. A writable file in a
    /// directory the user cannot write to is written in place, without that
    /// safeguard.
    bool saveToFile(const QString& fileName) const;

private slots:
    void fileNew();
    void fileOpen();
    void fileSave();
    void filePrint();
    void textBold();
    void textUnderline();
    void textItalic();
    void currentFontChanged(const QFont& f);
    void textSize(const QString& p);
    void textStyle(int s);
    void textColor();
    void setTextColor(const QColor& c);
    void textAlign(QAction* a);
    void fontChanged(const QFont& f);
    void colorChanged(const QColor& c);
    void alignmentChanged(int a);
    void currentCharFormatChanged(const QTextCharFormat& f);
    void textChanged();
    void switchType();

private:
    void load(const QString& fileName);
    void setContents(const QString& text);
    void focusText();

    QTextEdit* m_textEdit = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QAction* m_boldAction = nullptr;
    QAction* m_underlineAction = nullptr;
    QAction* m_italicAction = nullptr;
    QAction* m_colorAction = nullptr;
    QAction* m_clearAction = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QAction* m_copyAction = nullptr;
    QAction* m_pasteAction = nullptr;
    QAction* m_cutAction = nullptr;
    QAction* m_leftAction = nullptr;
    QAction* m_centerAction = nullptr;
    QAction* m_rightAction = nullptr;
    QAction* m_justifyAction = nullptr;
    QAction* m_switchAction = nullptr;
    QFontComboBox* m_fontCombo = nullptr;
    QComboBox* m_sizeCombo = nullptr;
    QToolBar* m_mainBar = nullptr;
    QToolBar* m_toolsBar = nullptr;
};

#endif // TARVO_QELTEXTEDITORDIALOG_H
