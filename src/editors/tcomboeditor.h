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
    /// A command entry without text; subclasses set it.
    TComboEditor();
    /// Copies the text (and the host).
    TComboEditor(const TComboEditor& other) = default;
    /// Copies the text (and the host).
    TComboEditor& operator=(const TComboEditor& other) = default;
    /// Destroys the entry.
    virtual ~TComboEditor();

    /// Called by the drop list after the user chose the entry, with host()
    /// set to that drop list. A dialog's result should go to the host only
    /// while it still serves the current row.
    virtual void invoke(TBaseValue* value) = 0;

    /// The text of the command entry in the drop list.
    const QString& text() const { return m_text; }
    /// The drop list that added the entry last, or null once it is gone.
    TDropList* host() const;
    /// Makes host the drop list that doPick() goes to; the drop list calls it.
    void setHost(TDropList* host);

protected:
    /// Hands a picked value to the drop list, which reports it to its row.
    void doPick(QVariant value);
    /// Sets the text of the command entry.
    void setText(const QString& text) { m_text = text; }

private:
    QPointer<TDropList> m_host;
    QString m_text;
};

#endif // TARVO_TCOMBOEDITOR_H
