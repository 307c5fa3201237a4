#include "ttextvalue.h"

TTextButtonEditor TTextValue::s_TextButtonEditor;

TTextValue::TTextValue(TValueBrowser* browser, const QString& name, int page, int id)
    : TBaseValue(browser, name, page, id)
{
    setButtonEditor(&s_TextButtonEditor);
}

TTextValue::TTextValue(TBaseItem* parent, const QString& name, int id)
    : TBaseValue(parent, name, id)
{
    setButtonEditor(&s_TextButtonEditor);
}

TTextValue::~TTextValue() = default;
