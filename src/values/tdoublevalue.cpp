#include "tdoublevalue.h"

#include "tbuttoneditor.h"

TNumButtonEditor* TDoubleValue::s_NumButtonEditor = new TNumButtonEditor;

TDoubleValue::TDoubleValue(TValueBrowser* browser, const QString& name, int page, int id)
    : TBaseValue(browser, name, page, id)
{
    construct();
}

TDoubleValue::TDoubleValue(TBaseItem* parent, const QString& name, int id)
    : TBaseValue(parent, name, id)
{
    construct();
}

TDoubleValue::~TDoubleValue() = default;

void TDoubleValue::construct()
{
    setButtonEditor(s_NumButtonEditor);
    setValidator(TDoubleValidator::s_DoubleValidator);
}
