#ifndef TARVO_TFILTEREDIT_H
#define TARVO_TFILTEREDIT_H

#include "tarvoglobal.h"

#include <QLineEdit>
#include <QPointer>

class TValueBrowser;

/// A search field for a TValueBrowser: what the user types becomes the
/// browser's filter at once. It has a clear button and the placeholder
/// "Filter". The browser is not owned.
class TARVO_EXPORT TFilterEdit : public QLineEdit
{
    Q_OBJECT

public:
    /// A field that sets the filter of browser (not owned; null filters
    /// nothing) as the user types. The parent owns the field.
    explicit TFilterEdit(TValueBrowser* browser, QWidget* parent = nullptr);
    ~TFilterEdit() override;

    /// The browser the field filters, or null once that browser is gone.
    TValueBrowser* browser() const { return m_browser; }

private:
    Q_DISABLE_COPY(TFilterEdit)
    QPointer<TValueBrowser> m_browser;
};

#endif // TARVO_TFILTEREDIT_H
