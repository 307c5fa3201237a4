#ifndef TARVO_TBUTTONEDITOR_H
#define TARVO_TBUTTONEDITOR_H

#include "tarvoglobal.h"

#include <QObject>
#include <QPointer>
#include <QVariant>

class QToolButton;
class TBaseValue;
class TDropList;

/// Supplies the button widget beside a value's in-place editor and turns a
/// click on it into a new value for that row. One object is normally shared
/// by every row of a value class; a click always acts on the row whose
/// editor holds the clicked button.
class TARVO_EXPORT TButtonEditor : public QObject
{
public:
    /// A button editor owned by parent (may be null: the caller owns it). Rows
    /// using it do not own it; it must outlive them.
    explicit TButtonEditor(QObject* parent = nullptr);
    /// Rows still using the editor must be gone or given another one first.
    ~TButtonEditor() override;

    /// Builds the button widget for a host editor; the host owns it.
    virtual QWidget* createButton(TDropList* host) = 0;

    /// The editor and row of the most recent createButton() or click.
    TDropList* host() const;
    /// The row of host(), or null.
    TBaseValue* item() const;

protected:
    /// Hands a value to the host editor, which reports it to its row at once:
    /// when this returns, the row holds the accepted value or kept its own.
    void doPick(QVariant value);
    /// Makes host the editor that the next doPick() goes to.
    void setHost(TDropList* host);
    /// Takes host and row from the widget chain of a clicked button; false
    /// when the button no longer belongs to a live editor of a row.
    bool adoptHostOf(QObject* button);

private:
    Q_DISABLE_COPY(TButtonEditor)

    QPointer<TDropList> m_host;
};

/// A "..." button that opens a dialog.
class TARVO_EXPORT TPopupButtonEditor : public TButtonEditor
{
    Q_OBJECT

public:
    /// A popup button editor owned by parent (may be null).
    explicit TPopupButtonEditor(QObject* parent = nullptr);
    /// Destroys the editor; buttons it made belong to their hosts.
    ~TPopupButtonEditor() override;

    /// A "..." tool button that calls buttonClicked(); the host owns it.
    QWidget* createButton(TDropList* host) override;

protected Q_SLOTS:
    /// Opens the dialog for item() and hands its result to doPick().
    virtual void buttonClicked() = 0;

protected:
    /// The button made last, or null once its host is gone.
    QPointer<QToolButton> m_button;
};

/// An up and a down arrow button.
class TARVO_EXPORT TSpinButtonEditor : public TButtonEditor
{
    Q_OBJECT

public:
    /// A spin button editor owned by parent (may be null).
    explicit TSpinButtonEditor(QObject* parent = nullptr);
    /// Destroys the editor; buttons it made belong to their hosts.
    ~TSpinButtonEditor() override;

    /// A widget with an up and a down arrow button; the host owns it.
    QWidget* createButton(TDropList* host) override;

protected Q_SLOTS:
    /// Called when the up button is clicked; does nothing here.
    virtual void buttonClickedUp();
    /// Called when the down button is clicked; does nothing here.
    virtual void buttonClickedDown();

protected:
    /// The up button made last, or null once its host is gone.
    QPointer<QToolButton> m_upButton;
    /// The down button made last, or null once its host is gone.
    QPointer<QToolButton> m_downButton;
};

/// Steps integer and real values, linearly or in a logarithmic 1-2-...-9-10-
/// 20-... sequence, optionally wrapping around at the validator's bounds.
class TARVO_EXPORT TNumButtonEditor : public TSpinButtonEditor
{
public:
    /// A numeric spin editor with step 1, no wrapping and linear steps; the
    /// caller owns it.
    TNumButtonEditor();
    /// Destroys the editor.
    ~TNumButtonEditor() override;

    /// The amount one click adds or takes away (linear steps).
    double step() const { return m_step; }
    /// Sets the amount one click adds or takes away.
    void setStep(double step) { m_step = step; }
    /// Whether stepping past a bound of the row's validator wraps to the other bound.
    bool overSpin() const { return m_overSpin; }
    /// Turns wrapping at the validator's bounds on or off.
    void enableOverSpin(bool on) { m_overSpin = on; }
    /// Whether the steps follow the 1-2-...-9-10-20-... sequence.
    bool logCount() const { return m_logCount; }
    /// Turns logarithmic steps on or off.
    void enableLogCount(bool on) { m_logCount = on; }

    /// The value one logarithmic step up or down from a value's text.
    static double logStep(const QString& text, double step, bool up);

protected:
    /// Steps the row's value up.
    void buttonClickedUp() override;
    /// Steps the row's value down.
    void buttonClickedDown() override;
    /// Steps the row's value up or down and hands it to doPick(); a row holding a
    /// special value or a text that is no number is given 0.
    void doProcess(bool up);

private:
    double m_step = 1.0;
    bool m_overSpin = false;
    bool m_logCount = false;
};

#endif // TARVO_TBUTTONEDITOR_H
