#include "tlistvalue.h"

#include "tcombobox_p.h"
#include "tdroplist_p.h"
#include "titemlist.h"
#include "tvaluebrowser.h"

// TBaseListValue

TBaseListValue::TBaseListValue(TValueBrowser* browser, const QString& name, TItemList* list, int page, int id)
    : TBaseValue(browser, name, page, id)
{
    setList(list);
}

TBaseListValue::TBaseListValue(TBaseItem* parent, const QString& name, TItemList* list, int id)
    : TBaseValue(parent, name, id)
{
    setList(list);
}

TBaseListValue::~TBaseListValue() = default;

void TBaseListValue::setList(TItemList* list)
{
    m_list = list;
    // The first entry is the initial value; an empty list leaves an invalid
    // ordinary value.
    if (list && !list->isEmpty())
        setValue(list->first()->value);
    else
        setValue(QVariant());
}

TItemList* TBaseListValue::list() const
{
    return m_list;
}

bool TBaseListValue::selectEntry(const QVariant& value)
{
    if (!m_list)
        return false;
    TItem* entry = m_list->findItem(value);
    if (!entry)
        entry = m_list->findItemByText(value.toString());
    if (!entry)
        return false;
    setRecord(SK_ListItem, entry->value, entry);
    return true;
}

bool TBaseListValue::setValue(const QVariant& value)
{
    if (selectEntry(value))
        return true;
    return TBaseValue::setValue(value);
}

bool TBaseListValue::setCurrentItem()
{
    TDropList* dropList = editor();
    if (!dropList)
        return false;
    const TValueBrowser* b = browser();
    dropList->markChanged(valueChanged() && b && b->changeInfo());
    if (m_current.kind == SK_ListItem)
        return dropList->setCurrent(m_list);
    return TBaseValue::setCurrentItem();
}

void TBaseListValue::fillEditor()
{
    TDropList* dropList = editor();
    if (!dropList)
        return;
    TBaseValue::fillEditor();
    if (m_list) {
        if (dropList->comboBox()->count() > 0)
            dropList->addSeparator();
        dropList->addList(m_list);
    }
}

// TListValue

bool TListValue::s_defaultOwnValues = false;
bool TListValue::s_defaultListAppending = false;

TListValue::TListValue(TValueBrowser* browser, const QString& name, TItemList* list, int page, int id)
    : TBaseListValue(browser, name, list, page, id)
{
    construct();
}

TListValue::TListValue(TBaseItem* parent, const QString& name, TItemList* list, int id)
    : TBaseListValue(parent, name, list, id)
{
    construct();
}

TListValue::~TListValue()
{
    // The editor must be done with the list before it goes.
    closeEditor();
    delete m_ownList;
}

void TListValue::construct()
{
    m_ownValues = s_defaultOwnValues;
    m_listAppending = s_defaultListAppending;
    s_defaultOwnValues = false;
    s_defaultListAppending = false;
    if (!m_list)
        m_ownValues = true;
}

bool TListValue::setValue(const QVariant& value)
{
    const bool accepted = TBaseListValue::setValue(value);
    // Only an accepted outside value is appended; a rejected one adds nothing.
    if (accepted && m_list && m_listAppending && m_current.kind == SK_Value) {
        appendValue(m_current.value);
        return true;
    }
    return accepted;
}

TValueValidator::EValidateResult TListValue::validate(QVariant& value)
{
    if (!m_ownValues)
        return TValueValidator::VR_Invalid;
    return TBaseListValue::validate(value);
}

bool TListValue::setCurrentItem()
{
    TDropList* dropList = editor();
    if (!dropList)
        return false;
    dropList->setShowValueText(m_ownValues);
    return TBaseListValue::setCurrentItem();
}

void TListValue::appendValue(const QVariant& value)
{
    if (!m_list) {
        m_ownList = new TItemList(false);
        m_list = m_ownList;
    }
    TItem* entry = m_list->setItem(value, value.toString(), nullptr);
    if (!entry)
        return;
    if (TDropList* dropList = editor()) {
        if (dropList->comboBox()->isFilled()) {
            dropList->comboBox()->clear();
            fillEditor();
        }
    }
    setRecord(SK_ListItem, value, entry);
    setCurrentItem();
}
