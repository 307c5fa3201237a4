#ifndef TARVO_TVALUEBROWSER_H
#define TARVO_TVALUEBROWSER_H

#include "tarvoglobal.h"
#include "svalue.h"
#include "titemlist.h"

#include <QIcon>
#include <QList>
#include <QTreeWidget>

/// \file tvaluebrowser.h
/// The value browser widget.

class QSettings;
class QUndoStack;
class TBaseGroup;
class TBaseItem;
class TBaseValue;
class TBoolValue;
class TColorList;
class TColorValue;
class TFontList;
class TFontValue;
class TListValue;
class TPointValidator;
class TPointValue;
class TRangeValidator;
class TRangeValue;
class TRectValidator;
class TRectValue;
class TSizeValidator;
class TSizeValue;
class TPathValue;
class TTextValue;
class TDoubleValidator;
class TDoubleValue;
class TIntegerValue;
class TIntValidator;
class TValueValidator;
class TValueBrowserExt;

/// Item data role of a cell holding the QFont in which its tool tip is shown.
enum { ToolTipFontRole = Qt::UserRole + 10 };

/// A two-column tree ("Property" / "Value") of named, typed values that the
/// user edits in place. Fill it with addGroup() and the add...() operations,
/// bind the rows to your variables, pull them in with updateFromLinked(),
/// take a baseline with storeSet() and write the edits back with updateLinked().
///
/// The browser owns its rows. It does not own the special value list,
/// validators, lists or button editors handed to it or to its rows.
class TARVO_EXPORT TValueBrowser : public QTreeWidget
{
    Q_OBJECT

public:
    /// What writeDataSet() and readDataSet() move.
    enum EStoringPolicy
    {
        SP_Current = 0, ///< the current values and check states
        SP_Stored = 1,  ///< the stored set
        SP_Linked = 2   ///< the bound caller variables
    };
    Q_ENUM(EStoringPolicy)

    explicit TValueBrowser(QWidget* parent = nullptr, unsigned int itemDefHeight = 18);
    ~TValueBrowser() override;

    unsigned int itemDefHeight() const { return m_itemDefHeight; }
    unsigned int widthScale() const { return m_widthScale; }
    void setWidthScale(unsigned int scale);
    int page() const { return m_page; }
    bool checkEditor() const { return !m_picking; }

    SpecialValueList* specialList() const { return m_specialList; }
    void setSpecialList(SpecialValueList* list, bool deleteOld = false);

    bool changeInfo() const { return m_changeInfo; }
    void setChangeInfo(bool on) { m_changeInfo = on; }
    EStoringPolicy storingPolicy() const { return m_storingPolicy; }
    void setStoringPolicy(EStoringPolicy policy) { m_storingPolicy = policy; }

    const QIcon& revertIcon() const { return m_revertIcon; }
    void setRevertIcon(const QIcon& icon) { m_revertIcon = icon; }

    TBaseItem* getItem(int id);
    bool setItemLevel(TBaseItem* item, int level);
    int addPage();

    void updateEditorGeometries() override;

    void writeDataSet(QSettings& settings);
    void readDataSet(QSettings& settings);

    /// Item factory: each call creates one row, places it by level, sets its
    /// hint and settings key, binds it and sets its validator. Null when the
    /// level is negative or the name empty.
    TBaseGroup* addGroup(const QString& name, const QString& section = QString(), bool light = false);
    TIntegerValue* addInt(int level, const QString& name, const QString& hint, const QString& propertyName,
                          void* variable, int type, TIntValidator* validator = nullptr);
    TDoubleValue* addReal(int level, const QString& name, const QString& hint, const QString& propertyName,
                          void* variable, int type, TDoubleValidator* validator = nullptr);
    TBaseValue* addValue(int level, const QString& name, const QString& hint, const QString& propertyName,
                         void* variable, int type, TValueValidator* validator = nullptr);
    TListValue* addList(int level, const QString& name, const QString& hint, const QString& propertyName,
                        void* variable, int type, TItemList* list, bool ownValues = false,
                        bool listAppending = false);
    TBoolValue* addBool(int level, const QString& name, const QString& hint, const QString& propertyName,
                        void* variable);
    TColorValue* addColor(int level, const QString& name, const QString& hint, const QString& propertyName,
                          void* variable, TColorList* list = nullptr);
    TFontValue* addFont(int level, const QString& name, const QString& hint, const QString& propertyName,
                        void* variable, TFontList* list = nullptr);
    TTextValue* addText(int level, const QString& name, const QString& hint, const QString& propertyName,
                        void* variable);
    TPathValue* addPath(int level, const QString& name, const QString& hint, const QString& propertyName,
                        void* variable);
    TPointValue* addPoint(int level, const QString& name, const QString& hint, const QString& propertyName,
                          void* variable, TPointValidator* validator = nullptr);
    TSizeValue* addSize(int level, const QString& name, const QString& hint, const QString& propertyName,
                        void* variable, TSizeValidator* validator = nullptr);
    TRectValue* addRect(int level, const QString& name, const QString& hint, const QString& propertyName,
                        void* variable, TRectValidator* validator = nullptr);
    /// A range row with the child rows "min" and "max". Its variable is a
    /// QPoint (bound with LT_Point): the two reals are rounded to whole
    /// numbers when they are written to it.
    TRangeValue* addRange(int level, const QString& name, const QString& hint, const QString& propertyName,
                          void* variable, TRangeValidator* validator = nullptr);

    /// Shows only the rows whose name or value text contains every word of
    /// `text` (ignoring case), with the rows above them; rows under a matching
    /// row stay too. An empty text shows again what was shown before. The
    /// filter hides rows without changing their own visibility flag.
    void setFilter(const QString& text);
    QString filter() const;

    /// Every change the user makes pushes one command on `stack` (not owned;
    /// null turns undo off). Changes made through the operations of this
    /// library push nothing. Ctrl+Z and Ctrl+Shift+Z in the browser undo and
    /// redo.
    void setUndoStack(QUndoStack* stack);
    QUndoStack* undoStack() const;

    /// Shows the properties of `object` live: a group named after it, a
    /// sub-group per class that declares properties and one row per readable,
    /// designable property. int, uint, double, float, bool, QString, QColor,
    /// QFont, QPoint, QPointF (as a range), QSize, QRect and enums (a list of
    /// their keys) are editable; flags are a text of their keys with a check
    /// row per single-bit key. Other types convertible to text are shown
    /// read-only as text, the rest is skipped. Edits write the property at
    /// once, and properties with a NOTIFY signal follow the object. When the
    /// object is destroyed its rows are disabled. The object is not owned.
    TBaseGroup* addObject(QObject* object, const QString& section = QString(), bool light = false);

    static QIcon s_defaultRevertIcon;
    static SpecialValueList s_specialList;

public Q_SLOTS:
    void clear();
    void switchPage(int page);
    void switchPage(const QModelIndex& index);
    void storeSet(bool emitChanges = false);
    void restoreSet();
    void updateFromLinked();
    void updateLinked();

Q_SIGNALS:
    void ItemChanged(TBaseItem* item);
    void HintChanged(const QString& hint, TBaseItem* item = nullptr, const QString& itemName = QString());
    void ItemHint(const QString& hint);
    void ValuePicked(TBaseItem* item, const SValue& value);

protected Q_SLOTS:
    virtual void selectionChanged(QTreeWidgetItem* item, QTreeWidgetItem* prevItem);
    virtual void onItemChanged(QTreeWidgetItem* item, int column);
    void valuePicked(TItemList* list, TItem* item, const QVariant& value);
    void restoreSetCurrent();
    virtual void onItemClicked(QTreeWidgetItem* item, int column);

protected:
    using QTreeWidget::selectionChanged;
    virtual void onItemChanged(TBaseItem* item);
    void doHintChange(TBaseItem* item);

    void resizeEvent(QResizeEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    Q_DISABLE_COPY(TValueBrowser)
    friend class TBaseItem;
    friend class TBaseValue;
    friend class TValueItemDelegate;
    friend class TValueBrowserExt;
    friend class TObjectBinder;

    /// Places a new value row by level: the parent is entry level-1 of the
    /// level list (or none), and the row becomes entry level.
    template<typename T, typename... Args>
    T* createLeveled(int level, const QString& name, Args&&... args);
    void finishValue(TBaseValue* value, const QString& hint, const QString& propertyName,
                     void* variable, int type, TValueValidator* validator = nullptr);
    /// Forgets a row that is going away.
    void forgetItem(TBaseItem* item);
    /// Every row, in pre-order.
    QList<TBaseItem*> allItems() const;
    /// The state of the filter, undo stack and inspected objects, made on
    /// first use.
    TValueBrowserExt* ext();

    unsigned int m_itemDefHeight;
    unsigned int m_widthScale = 66;
    int m_page = 0;
    SpecialValueList* m_specialList = nullptr;
    bool m_picking = false;
    bool m_changeInfo = true;
    QList<TBaseItem*> m_levels;
    EStoringPolicy m_storingPolicy = SP_Current;
    QIcon m_revertIcon;
    TValueBrowserExt* m_ext = nullptr;
};

#endif // TARVO_TVALUEBROWSER_H
