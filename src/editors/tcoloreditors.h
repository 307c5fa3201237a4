#ifndef TARVO_TCOLOREDITORS_H
#define TARVO_TCOLOREDITORS_H

#include "tbuttoneditor.h"
#include "tcomboeditor.h"

/// The command entry "Pick color..." of a color value's drop list: opens the
/// color dialog at the row's color and picks the confirmed color.
class TARVO_EXPORT TColorComboEditor : public TComboEditor
{
public:
    /// The entry "Pick color..." (translated).
    TColorComboEditor();
    /// Copies the entry.
    TColorComboEditor(const TColorComboEditor& other) = default;
    /// Copies the entry.
    TColorComboEditor& operator=(const TColorComboEditor& other) = default;
    /// Destroys the entry.
    ~TColorComboEditor() override;

    /// Opens the color dialog at value's color; a confirmed color is picked,
    /// Cancel leaves the row as it was.
    void invoke(TBaseValue* value) override;
};

/// The "..." button beside a color value's editor: the same dialog as the
/// command entry, for the row whose editor holds the button.
class TARVO_EXPORT TColorButtonEditor : public TPopupButtonEditor
{
public:
    /// A "..." button editor; the library's one is TColorValue::s_ColorButtonEditor.
    TColorButtonEditor();
    /// Destroys the editor.
    ~TColorButtonEditor() override;

protected:
    /// Opens the color dialog for the row of the clicked button.
    void buttonClicked() override;
};

#endif // TARVO_TCOLOREDITORS_H
