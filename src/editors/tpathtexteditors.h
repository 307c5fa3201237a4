#ifndef TARVO_TPATHTEXTEDITORS_H
#define TARVO_TPATHTEXTEDITORS_H

#include "tbuttoneditor.h"

/// The "..." button of path values: opens a file dialog in the row's pick
/// mode at the row's current path and takes the first chosen file.
class TARVO_EXPORT TPathButtonEditor : public TPopupButtonEditor
{
public:
    /// A "..." button editor; the library's one is TPathValue::s_PathButtonEditor.
    TPathButtonEditor();
    /// Destroys the editor.
    ~TPathButtonEditor() override;

protected:
    /// Opens the file dialog for the row of the clicked button; Cancel leaves the
    /// row as it was.
    void buttonClicked() override;
};

/// The "..." button of text values: edits the row's text in the rich text
/// editor dialog.
class TARVO_EXPORT TTextButtonEditor : public TPopupButtonEditor
{
public:
    /// A "..." button editor; the library's one is TTextValue::s_TextButtonEditor.
    TTextButtonEditor();
    /// Destroys the editor.
    ~TTextButtonEditor() override;

protected:
    /// Opens the text editor dialog for the row of the clicked button; Cancel
    /// leaves the row as it was.
    void buttonClicked() override;
};

#endif // TARVO_TPATHTEXTEDITORS_H
