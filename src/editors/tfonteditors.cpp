#include "tfonteditors.h"

#include "tbasevalue.h"
#include "tdroplist_p.h"
#include "tfontvalue.h"
#include "tplacedialog_p.h"
#include "tvaluebrowser.h"

#include <QCoreApplication>
#include <QFontDialog>
#include <QPointer>
#include <QFontInfo>

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

// Whether the dialog gave back the font it started with: what it lets the
// user choose is the same.
bool sameChoice(const QFont& a, const QFont& b)
{
    return a.family() == b.family() && a.pointSizeF() == b.pointSizeF() && a.weight() == b.weight()
        && a.italic() == b.italic() && a.underline() == b.underline() && a.strikeOut() == b.strikeOut();
}

// Runs the font dialog modally, without a parent, over the row's browser;
// true with the chosen font when the user confirmed it. The dialog is always
// Qt's own, so that it behaves the same on every platform.
bool pickFont(const QFont& initial, QFont& chosen, const TBaseValue* row)
{
    QFontDialog dialog;
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    // Without a style name the dialog guesses one, and may guess an italic
    // or condensed face: it is told the style the font really has.
    QFont start(initial);
    if (start.styleName().isEmpty())
        start.setStyleName(QFontInfo(start).styleName());
    dialog.setCurrentFont(start);
    tarvoPlaceDialogOver(&dialog, row ? row->browser() : nullptr);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    chosen = dialog.selectedFont();
    // Confirmed unchanged, the value stays as it was.
    if (sameChoice(chosen, initial))
        chosen = initial;
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
    if (!pickFont(initialFont(value), font, value) || !asking || !asking->servesCurrentRow())
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
    if (!pickFont(initialFont(item()), font, item()) || !asking || !asking->servesCurrentRow())
        return;
    setHost(asking);
    doPick(QVariant(font));
}
