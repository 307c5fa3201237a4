#include "tintegervalue.h"

#include "tbuttoneditor.h"

TNumButtonEditor* TIntegerValue::s_NumButtonEditor = new TNumButtonEditor;

TIntegerValue::TIntegerValue(TValueBrowser* browser, const QString& name, int page, int id)
    : TBaseValue(browser, name, page, id)
{
    construct();
}

TIntegerValue::TIntegerValue(TBaseItem* parent, const QString& name, int id)
    : TBaseValue(parent, name, id)
{
    construct();
}

TIntegerValue::~TIntegerValue() = default;

void TIntegerValue::construct()
{
    setButtonEditor(s_NumButtonEditor);
    // The empty text of a new row is not a number: the row starts as
    // "Bad Value" (with a special list) until it gets a value.
    setValidator(TIntValidator::s_IntValidator);
}
