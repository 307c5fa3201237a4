#include "tboolvalue.h"

#include "tvaluebrowser.h"

#include <QApplication>
#include <QStyle>

BoolValueList TBoolValue::s_BoolList;

BoolValueList::BoolValueList()
    : TItemList(false)
{
    addTranslatedItem(false, QT_TRANSLATE_NOOP("QObject", "False"));
    addTranslatedItem(true, QT_TRANSLATE_NOOP("QObject", "True"));
}

BoolValueList::~BoolValueList() = default;

TBoolValue::TBoolValue(TValueBrowser* browser, const QString& name, int page, int id)
    : TBaseListValue(browser, name, &s_BoolList, page, id)
{
    setValue(false);
}

TBoolValue::TBoolValue(TBaseItem* parent, const QString& name, int id)
    : TBaseListValue(parent, name, &s_BoolList, id)
{
    setValue(false);
}

TBoolValue::~TBoolValue() = default;

bool TBoolValue::setValue(bool b)
{
    setCheckState(1, b ? Qt::Checked : Qt::Unchecked);
    return TBaseListValue::setValue(QVariant(b));
}

bool TBoolValue::setValue(const QVariant& value)
{
    return setValue(value.toBool());
}

void TBoolValue::setSpecial(unsigned int code)
{
    TBaseValue::setSpecial(code);
    // Partially checked only when the value really became special (there may
    // be no special list, or no such code in it); otherwise the row goes back
    // to its "False"/"True" entry and the box follows the boolean.
    if (m_current.kind == SK_Special)
        setCheckState(1, Qt::PartiallyChecked);
    else
        setValue(boolean());
}

bool TBoolValue::boolean() const
{
    return m_current.value.toBool();
}

void TBoolValue::writeValue(bool& target)
{
    target = boolean();
}

void TBoolValue::onClickItem(int column)
{
    if (column == 0)
        return;
    if (m_current.kind == SK_Special)
        setValue(true);
    else
        setValue(!boolean());
}

int TBoolValue::iconSpace() const
{
    const TValueBrowser* b = browser();
    QStyle* style = b ? b->style() : QApplication::style();
    return style->pixelMetric(QStyle::PM_IndicatorWidth) + 6;
}
