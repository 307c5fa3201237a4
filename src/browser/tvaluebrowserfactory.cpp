#include "tvaluebrowser.h"

#include "tbasegroup.h"
#include "tboolvalue.h"
#include "tcolorvalue.h"
#include "tfontvalue.h"
#include "tcompoundvalidators.h"
#include "tdoublevalue.h"
#include "tintegervalue.h"
#include "tlistvalue.h"
#include "tpathvalue.h"
#include "tpointvalue.h"
#include "trangevalue.h"
#include "trectvalue.h"
#include "tsizevalue.h"
#include "ttextvalue.h"
#include "tvaluebrowserext_p.h"

// The item factory of TValueBrowser: one row per call, placed by level.

template<typename T, typename... Args>
T* TValueBrowser::createLeveled(int level, const QString& name, Args&&... args)
{
    if (level < 0 || name.isEmpty())
        return nullptr;
    const int n = m_levels.size();
    const int p = qMin(level - 1, n - 1);
    // Until finishValue() the new row sets itself up without telling the
    // view step by step.
    ++TBaseItem::s_building;
    T* item = p < 0 ? new T(this, name, std::forward<Args>(args)..., -1, -1)
                    : new T(m_levels.at(p), name, std::forward<Args>(args)..., -1);
    if (level < n)
        m_levels[level] = item;
    else
        m_levels.append(item);
    return item;
}

void TValueBrowser::finishValue(TBaseValue* value, const QString& hint, const QString& propertyName,
                                void* variable, int type, TValueValidator* validator)
{
    value->setHint(hint);
    value->setPropertyName(propertyName);
    // Without a validator of the caller's the row keeps its class's own.
    if (validator)
        value->setValidator(validator);
    value->setLinked(variable, type);
    if (--TBaseItem::s_building == 0)
        TBaseValue::showBuiltCells();
    if (m_ext)
        m_ext->rowAdded(value);
}

TBaseGroup* TValueBrowser::addGroup(const QString& name, const QString& section, bool light)
{
    if (name.isEmpty())
        return nullptr;
    m_levels.clear();
    auto* group = new TBaseGroup(this, name, -1, light, -1);
    group->setSectionName(section);
    if (m_ext)
        m_ext->rowAdded(group);
    return group;
}

TIntegerValue* TValueBrowser::addInt(int level, const QString& name, const QString& hint,
                                     const QString& propertyName, void* variable, int type,
                                     TIntValidator* validator)
{
    auto* value = createLeveled<TIntegerValue>(level, name);
    if (value)
        finishValue(value, hint, propertyName, variable, type, validator);
    return value;
}

TDoubleValue* TValueBrowser::addReal(int level, const QString& name, const QString& hint,
                                     const QString& propertyName, void* variable, int type,
                                     TDoubleValidator* validator)
{
    auto* value = createLeveled<TDoubleValue>(level, name);
    if (value)
        finishValue(value, hint, propertyName, variable, type, validator);
    return value;
}

TBaseValue* TValueBrowser::addValue(int level, const QString& name, const QString& hint,
                                    const QString& propertyName, void* variable, int type,
                                    TValueValidator* validator)
{
    auto* value = createLeveled<TBaseValue>(level, name);
    if (value)
        finishValue(value, hint, propertyName, variable, type, validator);
    return value;
}

TListValue* TValueBrowser::addList(int level, const QString& name, const QString& hint,
                                   const QString& propertyName, void* variable, int type, TItemList* list,
                                   bool ownValues, bool listAppending)
{
    if (level < 0 || name.isEmpty())
        return nullptr;
    auto* value = createLeveled<TListValue>(level, name, list);
    value->allowOwnValues(ownValues);
    value->allowListAppending(listAppending);
    finishValue(value, hint, propertyName, variable, type);
    return value;
}

TBoolValue* TValueBrowser::addBool(int level, const QString& name, const QString& hint,
                                   const QString& propertyName, void* variable)
{
    auto* value = createLeveled<TBoolValue>(level, name);
    if (!value)
        return nullptr;
    finishValue(value, hint, propertyName, variable, LT_Bool);
    return value;
}

TTextValue* TValueBrowser::addText(int level, const QString& name, const QString& hint,
                                   const QString& propertyName, void* variable)
{
    auto* value = createLeveled<TTextValue>(level, name);
    if (!value)
        return nullptr;
    finishValue(value, hint, propertyName, variable, LT_String);
    return value;
}

TPathValue* TValueBrowser::addPath(int level, const QString& name, const QString& hint,
                                   const QString& propertyName, void* variable)
{
    auto* value = createLeveled<TPathValue>(level, name);
    if (!value)
        return nullptr;
    finishValue(value, hint, propertyName, variable, LT_String);
    return value;
}

TColorValue* TValueBrowser::addColor(int level, const QString& name, const QString& hint,
                                     const QString& propertyName, void* variable, TColorList* list)
{
    TColorList* colors = list ? list : &TColorList::baseColorList();
    auto* value = createLeveled<TColorValue>(level, name, colors);
    if (!value)
        return nullptr;
    finishValue(value, hint, propertyName, variable, LT_Color);
    value->allowOwnValues(true);
    return value;
}

TPointValue* TValueBrowser::addPoint(int level, const QString& name, const QString& hint,
                                     const QString& propertyName, void* variable, TPointValidator* validator)
{
    auto* value = createLeveled<TPointValue>(level, name);
    if (value)
        finishValue(value, hint, propertyName, variable, LT_Point, validator);
    return value;
}

TSizeValue* TValueBrowser::addSize(int level, const QString& name, const QString& hint,
                                   const QString& propertyName, void* variable, TSizeValidator* validator)
{
    auto* value = createLeveled<TSizeValue>(level, name);
    if (value)
        finishValue(value, hint, propertyName, variable, LT_Size, validator);
    return value;
}

TRectValue* TValueBrowser::addRect(int level, const QString& name, const QString& hint,
                                   const QString& propertyName, void* variable, TRectValidator* validator)
{
    auto* value = createLeveled<TRectValue>(level, name);
    if (value)
        finishValue(value, hint, propertyName, variable, LT_Rect, validator);
    return value;
}

TRangeValue* TValueBrowser::addRange(int level, const QString& name, const QString& hint,
                                     const QString& propertyName, void* variable, TRangeValidator* validator)
{
    auto* value = createLeveled<TRangeValue>(level, name, QStringLiteral("min"), QStringLiteral("max"));
    // The variable is a QPoint: the reals are rounded when written to it.
    if (value)
        finishValue(value, hint, propertyName, variable, LT_Point, validator);
    return value;
}

TFontValue* TValueBrowser::addFont(int level, const QString& name, const QString& hint,
                                   const QString& propertyName, void* variable, TFontList* list)
{
    TFontList* fonts = list ? list : &TFontList::fullFontList();
    auto* value = createLeveled<TFontValue>(level, name, fonts);
    if (!value)
        return nullptr;
    finishValue(value, hint, propertyName, variable, LT_Font);
    return value;
}
