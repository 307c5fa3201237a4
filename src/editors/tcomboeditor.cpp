#include "tcomboeditor.h"

#include "tdroplist_p.h"

#include <QCoreApplication>

TComboEditor::TComboEditor()
    : m_text(QCoreApplication::translate("QObject", "Pick..."))
{
}

TComboEditor::~TComboEditor() = default;

void TComboEditor::doPick(QVariant value)
{
    if (m_host)
        m_host->doPicked(value);
}

TDropList* TComboEditor::host() const
{
    return m_host;
}

void TComboEditor::setHost(TDropList* host)
{
    m_host = host;
}
