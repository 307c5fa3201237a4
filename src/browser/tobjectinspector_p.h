#ifndef TARVO_TOBJECTINSPECTOR_P_H
#define TARVO_TOBJECTINSPECTOR_P_H

// Internal: binds the rows made by TValueBrowser::addObject() to the
// properties of one QObject.

#include "tvaluebrowserext_p.h"

#include <QMetaProperty>
#include <QMultiHash>
#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class TBaseGroup;
class TItemList;

class TObjectBinder : public QObject
{
    Q_OBJECT

public:
    TObjectBinder(TValueBrowserExt* ext, QObject* object, TBaseGroup* group);
    ~TObjectBinder() override;

    struct Binding
    {
        TRowRefPtr row;
        QMetaProperty property;
        bool asText; ///< shown read-only as text
        int bit;     ///< the flag of a check row of a flags property, or 0
    };

    /// Makes one row per supported property under the object's group.
    void build();
    bool hasGroup(const TBaseItem* item) const;
    Binding* bindingOf(const TBaseValue* row);
    /// Writes a row's value to its property when the two differ.
    void write(Binding& binding);
    /// Shows a property's value in its row.
    void read(Binding& binding);
    void writeAll();
    void forgetGroup() { m_group = nullptr; }

private Q_SLOTS:
    void onNotify();
    void onDestroyed();

private:
    TBaseValue* makeRow(TBaseItem* parent, const QMetaProperty& property, bool& asText);
    void bind(TBaseValue* row, const QMetaProperty& property, const QString& hint, bool asText, int bit);

    TValueBrowserExt* m_ext;
    QPointer<QObject> m_object;
    TBaseGroup* m_group;
    std::vector<Binding> m_bindings;
    QMultiHash<int, int> m_bySignal; // notify signal index -> binding index
    std::vector<std::unique_ptr<TItemList>> m_enumLists;
};

#endif // TARVO_TOBJECTINSPECTOR_P_H
