#ifndef TARVO_TFONTEDITORS_H
#define TARVO_TFONTEDITORS_H

#include "tbuttoneditor.h"
#include "tcomboeditor.h"

class QFont;

/// The command entry "Pick font..." of a font value's drop list: opens the
/// font dialog at the row's font and picks the confirmed font.
class TARVO_EXPORT TFontComboEditor : public TComboEditor
{
public:
    TFontComboEditor();
    TFontComboEditor(const TFontComboEditor& other) = default;
    TFontComboEditor& operator=(const TFontComboEditor& other) = default;
    ~TFontComboEditor() override;

    void invoke(TBaseValue* value) override;
};

/// The "..." button beside a font value's editor: the same dialog as the
/// command entry, for the row whose editor holds the button.
class TARVO_EXPORT TFontButtonEditor : public TPopupButtonEditor
{
public:
    TFontButtonEditor();
    ~TFontButtonEditor() override;

protected:
    void buttonClicked() override;
};

#endif // TARVO_TFONTEDITORS_H
