#ifndef TARVO_TVALUEBROWSEREXT_P_H
#define TARVO_TVALUEBROWSEREXT_P_H

// Internal: the state of a browser's optional extensions (filter, undo stack,
// inspected objects). A browser that uses none of them never creates it.

#include "svalue.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QStringList>
#include <QUndoStack>

#include <vector>
#include <memory>

class TBaseItem;
class TBaseValue;
struct TItem;
class TObjectBinder;
class TValueBrowser;

/// A weak reference to a row: the browser clears it when the row goes away,
/// so undo commands and object bindings never reach a deleted row.
struct TRowRef
{
    TBaseValue* row = nullptr;
};
using TRowRefPtr = QSharedPointer<TRowRef>;

/// What an undo step puts back: the row's record and its check state.
struct TRowState
{
    int kind = SK_Value;
    QVariant value;
    TItem* entry = nullptr;
    Qt::CheckState check = Qt::Unchecked;
};

class TValueBrowserExt : public QObject
{
    Q_OBJECT

public:
    explicit TValueBrowserExt(TValueBrowser* browser);
    ~TValueBrowserExt() override;

    /// A user edit of one row: taken before the edit, pushed by finish().
    class Edit
    {
    public:
        Edit(TValueBrowserExt* ext, TBaseItem* item);
        void finish();

    private:
        Q_DISABLE_COPY(Edit)
        TValueBrowserExt* m_ext;
        TBaseValue* m_row = nullptr;
        TRowState m_before;
    };

    // Filter
    void setFilter(const QString& text);
    void rowAdded(TBaseItem* item);

    // Rows going away
    void forgetRow(TBaseItem* item);
    void forgetAll();
    TRowRefPtr refOf(TBaseValue* row);

    // Undo
    static TRowState stateOf(TBaseValue* row);
    static bool sameState(const TRowState& a, const TRowState& b);
    void applyState(TBaseValue* row, const TRowState& state);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void watchKeys();

    // Inspected objects
    void addBinder(TObjectBinder* binder);
    /// Writes the rows of inspected objects that differ from their property.
    void syncObjects(TBaseValue* only = nullptr);

    TValueBrowser* const m_browser;
    QString m_filterText;
    QStringList m_words;
    QPointer<QUndoStack> m_undoStack;
    QHash<const TBaseItem*, TRowRefPtr> m_refs;
    std::vector<std::unique_ptr<TObjectBinder>> m_binders;
    bool m_applying = false;

private:
    bool matches(const TBaseItem* item) const;
    bool filterTree(TBaseItem* item, bool shown);
    void showRow(TBaseItem* item, bool filteredOut);
};

#endif // TARVO_TVALUEBROWSEREXT_P_H
