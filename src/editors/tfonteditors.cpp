#include "tfonteditors.h"

#include "tbasevalue.h"
#include "tdroplist_p.h"
#include "tfontvalue.h"

#include <QCoreApplication>
#include <QFontDialog>
#include <QPointer>

namespace {

// The font the dialog starts with: the application's default font for a
// special value, the row's font otherwise. Any row may carry these
// editors; one that is not a font value is read from its variant.
QFont initialFont(TBaseValue* value)
{
    if (!value || value->value().kind == SK_Special)
        return QFont();
    if (auto* fontValue = dynamic_cast<TFontValue*>(value))
        return fontValue->font();
    return TFontValue::fontFromVariant(value->variant());
}

// Runs the font dialog modally, without a parent; true with the chosen font
// when the user confirmed it. The dialog is always Qt's own, so that it
// behaves the same on every platform.
bool pickFont(const QFont& initial, QFont& chosen)
{
    QFontDialog dialog;
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setCurrentFont(initial);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    chosen = dialog.selectedFont();
    return true;
}

} // namespace

// TFontComboEditor

TFontComboEditor::TFontComboEditor()
{
    setText(QCoreApplication::translate("QObject", "Pick font..."));
}

TFontComboEditor::~TFontComboEditor() = default;

void TFontComboEditor::invoke(TBaseValue* value)
{
    // The dialog runs an event loop of its own; the pick goes to the editor
    // that asked for it while its row is still the current one, and nowhere
    // otherwise.
    const QPointer<TDropList> asking = host();
    QFont font;
    if (!pickFont(initialFont(value), font) || !asking || !asking->servesCurrentRow())
        return;
    setHost(asking);
    doPick(QVariant(font));
}

// TFontButtonEditor

TFontButtonEditor::TFontButtonEditor()
    : TPopupButtonEditor(nullptr)
{
}

TFontButtonEditor::~TFontButtonEditor() = default;

void TFontButtonEditor::buttonClicked()
{
    const QPointer<TDropList> asking = host();
    QFont font;
    if (!pickFont(initialFont(item()), font) || !asking || !asking->servesCurrentRow())
        return;
    setHost(asking);
    doPick(QVariant(font));
}
