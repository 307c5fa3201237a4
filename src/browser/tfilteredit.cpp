#include "tfilteredit.h"

#include "tvaluebrowser.h"

TFilterEdit::TFilterEdit(TValueBrowser* browser, QWidget* parent)
    : QLineEdit(parent)
    , m_browser(browser)
{
    setClearButtonEnabled(true);
    setPlaceholderText(TValueBrowser::tr("Filter"));
    if (browser) {
        setText(browser->filter());
        connect(this, &QLineEdit::textChanged, browser, &TValueBrowser::setFilter);
    }
}

TFilterEdit::~TFilterEdit() = default;
