#include "tpathtexteditors.h"

#include "qeltexteditordialog.h"
#include "tbasevalue.h"
#include "tdroplist_p.h"
#include "tpathvalue.h"
#include "tplacedialog_p.h"
#include "tvaluebrowser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

namespace {

// The text a dialog starts with: nothing for a special value.
QString startText(TBaseValue* row)
{
    const SValue& record = row->value();
    return record.kind == SK_Special ? QString() : record.value.toString();
}

} // namespace

TPathButtonEditor::TPathButtonEditor() = default;

TPathButtonEditor::~TPathButtonEditor() = default;

void TPathButtonEditor::buttonClicked()
{
    // The dialog runs an event loop of its own: the row, its editor or both
    // may be gone when it returns, and another editor may have taken this
    // shared button editor meanwhile.
    const QPointer<TDropList> host = this->host();
    TBaseValue* row = item();
    if (!host || !row)
        return;

    const auto* path = dynamic_cast<TPathValue*>(row);
    const QString start = startText(row);

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(path ? path->pickMode() : QFileDialog::AnyFile);
    dialog.setWindowTitle(row->text(0));
    const QString filter = path ? path->filter() : QString();
    if (!filter.isEmpty() && filter != QLatin1String("*.*"))
        dialog.setNameFilter(filter);

    const QFileInfo info(start);
    if (!start.isEmpty() && info.isDir()) {
        dialog.setDirectory(start);
    } else {
        // An empty path opens the current directory with nothing selected.
        dialog.setDirectory(info.dir());
        if (!info.fileName().isEmpty())
            dialog.selectFile(info.fileName());
    }

    tarvoPlaceDialogOver(&dialog, row->browser());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return;
    if (!host || host->valueItem() != row)
        return;
    setHost(host);
    doPick(QVariant(files.first()));
}

TTextButtonEditor::TTextButtonEditor() = default;

TTextButtonEditor::~TTextButtonEditor() = default;

void TTextButtonEditor::buttonClicked()
{
    const QPointer<TDropList> host = this->host();
    TBaseValue* row = item();
    if (!host || !row)
        return;

    const QString text = qelTextEditorDialog::getText(startText(row), row->browser());
    // A null text is a cancelled dialog; an empty one is taken.
    if (text.isNull())
        return;
    if (!host || host->valueItem() != row)
        return;
    setHost(host);
    doPick(QVariant(text));
}
