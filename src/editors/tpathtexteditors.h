#ifndef TARVO_TPATHTEXTEDITORS_H
#define TARVO_TPATHTEXTEDITORS_H

#include "tbuttoneditor.h"

/// The "..." button of path values: opens a file dialog in the row's pick
/// mode at the row's current path and takes the first chosen file.
class TARVO_EXPORT TPathButtonEditor : public TPopupButtonEditor
{
public:
    TPathButtonEditor();
    ~TPathButtonEditor() override;

protected:
    void buttonClicked() override;
};

/// The "..." button of text values: edits the row's text in the rich text
/// editor dialog.
class TARVO_EXPORT TTextButtonEditor : public TPopupButtonEditor
{
public:
    TTextButtonEditor();
    ~TTextButtonEditor() override;

protected:
    void buttonClicked() override;
};

#endif // TARVO_TPATHTEXTEDITORS_H
