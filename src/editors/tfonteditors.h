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
    /// The entry "Pick font..." (translated).
    TFontComboEditor();
    /// Copies the entry.
    TFontComboEditor(const TFontComboEditor& other) = default;
    /// Copies the entry.
    TFontComboEditor& operator=(const TFontComboEditor& other) = default;
    /// Destroys the entry.
    ~TFontComboEditor() override;

    /// Opens the font dialog at value's font; a confirmed font is picked, Cancel
    /// leaves the row as it was.
    void invoke(TBaseValue* value) override;
};

/// The "..." button beside a font value's editor: the same dialog as the
/// command entry, for the row whose editor holds the button.
class TARVO_EXPORT TFontButtonEditor : public TPopupButtonEditor
{
public:
    /// A "..." button editor; the library's one is TFontValue::s_FontButtonEditor.
    TFontButtonEditor();
    /// Destroys the editor.
    ~TFontButtonEditor() override;

protected:
    /// Opens the font dialog for the row of the clicked button.
    void buttonClicked() override;
};

#endif // TARVO_TFONTEDITORS_H
