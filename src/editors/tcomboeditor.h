#ifndef TARVO_TCOMBOEDITOR_H
#define TARVO_TCOMBOEDITOR_H

#include "tarvoglobal.h"

#include <QPointer>
#include <QString>
#include <QVariant>

class TBaseValue;
class TDropList;

/// A command entry at the end of a value's drop list ("Pick..."), which
/// opens a picking dialog when the user chooses it. One object may serve
/// many editors; it works for the drop list in which its entry was chosen,
/// once that drop list is done with the choice.
class TARVO_EXPORT TComboEditor
{
public:
    TComboEditor();
    TComboEditor(const TComboEditor& other) = default;
    TComboEditor& operator=(const TComboEditor& other) = default;
    virtual ~TComboEditor();

    /// Called by the drop list after the user chose the entry, with host()
    /// set to that drop list. A dialog's result should go to the host only
    /// while it still serves the current row.
    virtual void invoke(TBaseValue* value) = 0;

    const QString& text() const { return m_text; }
    TDropList* host() const;
    void setHost(TDropList* host);

protected:
    /// Hands a picked value to the drop list, which reports it to its row.
    void doPick(QVariant value);
    void setText(const QString& text) { m_text = text; }

private:
    QPointer<TDropList> m_host;
    QString m_text;
};

#endif // TARVO_TCOMBOEDITOR_H
