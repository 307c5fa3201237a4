#include "tpathvalue.h"

TPathButtonEditor TPathValue::s_PathButtonEditor;

TPathValue::TPathValue(TValueBrowser* browser, const QString& name, int page, int id)
    : TBaseValue(browser, name, page, id)
{
    init();
}

TPathValue::TPathValue(TBaseItem* parent, const QString& name, int id)
    : TBaseValue(parent, name, id)
{
    init();
}

TPathValue::~TPathValue() = default;

void TPathValue::init()
{
    setButtonEditor(&s_PathButtonEditor);
    m_pickMode = QFileDialog::AnyFile;
    m_filter = QStringLiteral("*.*");
}
