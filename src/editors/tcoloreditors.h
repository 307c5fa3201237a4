#ifndef TARVO_TCOLOREDITORS_H
#define TARVO_TCOLOREDITORS_H

#include "tbuttoneditor.h"
#include "tcomboeditor.h"

/// The command entry "Pick color..." of a color value's drop list: opens the
/// color dialog at the row's color and picks the confirmed color.
class TARVO_EXPORT TColorComboEditor : public TComboEditor
{
public:
    TColorComboEditor();
    TColorComboEditor(const TColorComboEditor& other) = default;
    TColorComboEditor& operator=(const TColorComboEditor& other) = default;
    ~TColorComboEditor() override;

    void invoke(TBaseValue* value) override;
};

/// The "..." button beside a color value's editor: the same dialog as the
/// command entry, for the row whose editor holds the button.
class TARVO_EXPORT TColorButtonEditor : public TPopupButtonEditor
{
public:
    TColorButtonEditor();
    ~TColorButtonEditor() override;

protected:
    void buttonClicked() override;
};

#endif // TARVO_TCOLOREDITORS_H
