#include "tcoloreditors.h"

#include "svalue.h"
#include "tbasevalue.h"
#include "tdroplist_p.h"
#include "tplacedialog_p.h"
#include "tvaluebrowser.h"

#include <QColor>
#include <QColorDialog>
#include <QCoreApplication>
#include <QPointer>

namespace {

// The color a dialog for the row starts at: white for a special value,
// otherwise the color named by the text form of the row's value (a value
// that names no color gives an invalid start).
QColor initialColor(TBaseValue* value)
{
    const SValue& record = value->value();
    if (record.kind == SK_Special)
        return QColor(Qt::white);
    const QString name = record.value.toString();
    QColor color;
    if (QColor::isValidColor(name))
        color.setNamedColor(name);
    return color;
}

// Runs the color dialog, modal and without parent, over the row's browser.
// Qt's own dialog is used rather than the platform's, so it behaves the same
// everywhere.
bool runColorDialog(const QColor& initial, QColor& result, const TBaseValue* row)
{
    QColorDialog dialog(initial);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    tarvoPlaceDialogOver(&dialog, row->browser());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    result = dialog.selectedColor();
    return result.isValid();
}

} // namespace

// TColorComboEditor

TColorComboEditor::TColorComboEditor()
{
    setText(QCoreApplication::translate("QObject", "Pick color..."));
}

TColorComboEditor::~TColorComboEditor() = default;

void TColorComboEditor::invoke(TBaseValue* value)
{
    if (!value)
        return;
    // The dialog runs an event loop of its own; the pick goes to the editor
    // that asked for it, and nowhere if that editor has closed meanwhile.
    const QPointer<TDropList> asking = host();
    QColor color;
    if (!runColorDialog(initialColor(value), color, value) || !asking || !asking->servesCurrentRow())
        return;
    setHost(asking);
    doPick(QVariant(color));
}

// TColorButtonEditor

TColorButtonEditor::TColorButtonEditor()
    : TPopupButtonEditor(nullptr)
{
}

TColorButtonEditor::~TColorButtonEditor() = default;

void TColorButtonEditor::buttonClicked()
{
    TBaseValue* value = item();
    if (!value)
        return;
    const QPointer<TDropList> asking = host();
    QColor color;
    if (!runColorDialog(initialColor(value), color, value) || !asking || !asking->servesCurrentRow())
        return;
    setHost(asking);
    doPick(QVariant(color));
}
