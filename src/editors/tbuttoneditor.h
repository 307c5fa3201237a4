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
    explicit TButtonEditor(QObject* parent = nullptr);
    ~TButtonEditor() override;

    /// Builds the button widget for a host editor; the host owns it.
    virtual QWidget* createButton(TDropList* host) = 0;

    /// The editor and row of the most recent createButton() or click.
    TDropList* host() const;
    TBaseValue* item() const;

protected:
    /// Hands a value to the host editor, which reports it to its row at once:
    /// when this returns, the row holds the accepted value or kept its own.
    void doPick(QVariant value);
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
    explicit TPopupButtonEditor(QObject* parent = nullptr);
    ~TPopupButtonEditor() override;

    QWidget* createButton(TDropList* host) override;

protected Q_SLOTS:
    /// Opens the dialog for item() and hands its result to doPick().
    virtual void buttonClicked() = 0;

protected:
    QPointer<QToolButton> m_button;
};

/// An up and a down arrow button.
class TARVO_EXPORT TSpinButtonEditor : public TButtonEditor
{
    Q_OBJECT

public:
    explicit TSpinButtonEditor(QObject* parent = nullptr);
    ~TSpinButtonEditor() override;

    QWidget* createButton(TDropList* host) override;

protected Q_SLOTS:
    virtual void buttonClickedUp();
    virtual void buttonClickedDown();

protected:
    QPointer<QToolButton> m_upButton;
    QPointer<QToolButton> m_downButton;
};

/// Steps integer and real values, linearly or in a logarithmic 1-2-...-9-10-
/// 20-... sequence, optionally wrapping around at the validator's bounds.
class TARVO_EXPORT TNumButtonEditor : public TSpinButtonEditor
{
public:
    TNumButtonEditor();
    ~TNumButtonEditor() override;

    double step() const { return m_step; }
    void setStep(double step) { m_step = step; }
    bool overSpin() const { return m_overSpin; }
    void enableOverSpin(bool on) { m_overSpin = on; }
    bool logCount() const { return m_logCount; }
    void enableLogCount(bool on) { m_logCount = on; }

    /// The value one logarithmic step up or down from a value's text.
    static double logStep(const QString& text, double step, bool up);

protected:
    void buttonClickedUp() override;
    void buttonClickedDown() override;
    void doProcess(bool up);

private:
    double m_step = 1.0;
    bool m_overSpin = false;
    bool m_logCount = false;
};

#endif // TARVO_TBUTTONEDITOR_H
