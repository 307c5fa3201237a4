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
enum { ToolTipFontRole = Qt::UserRole + 10 /**< the QFont of a cell's tool tip */ };

/// A two-column tree ("Property" / "Value") of named, typed values that the
/// user edits in place. Fill it with addGroup() and the add...() operations,
/// bind the rows to your variables, pull them in with updateFromLinked(),
/// take a baseline with storeSet() and write the edits back with updateLinked().
///
/// The browser owns its rows. It does not own the special value list,
/// validators, lists or button editors handed to it or to its rows.
///
/// The item factory (addGroup(), addInt() and the other add...() operations):
/// each call creates one row owned by the browser, places it by level (0 is
/// top level; level n goes under the row last created or set at level n - 1),
/// sets its hint and settings key (propertyName) and binds it to the caller's
/// variable, which must have the type that the row's type code names (see
/// ELinkType) and outlive the row; a null variable leaves the row unbound. A
/// validator or list handed over is not owned and must outlive the row. Each
/// call returns null, creating nothing, when level is negative or name empty.
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

    /// Creates an empty browser with the columns "Property" and "Value".
    /// itemDefHeight is the height of a row in pixels. The parent owns the browser.
    explicit TValueBrowser(QWidget* parent = nullptr, unsigned int itemDefHeight = 18);
    /// Closes the open editor and deletes every row.
    ~TValueBrowser() override;

    /// The row height given to the constructor, in pixels.
    unsigned int itemDefHeight() const { return m_itemDefHeight; }
    /// The share of the width given to the "Property" column, in percent (default 66).
    unsigned int widthScale() const { return m_widthScale; }
    /// Sets the share of the "Property" column in percent. Values outside 5 to 95
    /// are ignored.
    void setWidthScale(unsigned int scale);
    /// The page shown now; rows of other pages are hidden. Starts at 0.
    int page() const { return m_page; }
    /// False while a picking dialog of a row is open, true otherwise.
    bool checkEditor() const { return !m_picking; }

    /// The special values offered in the editors, or null (none offered).
    SpecialValueList* specialList() const { return m_specialList; }
    /// Sets the special values offered in the editors; null offers none. The list is
    /// not owned and must outlive the browser. With deleteOld the previous list is
    /// deleted, unless it is TValueBrowser::s_specialList or the same list. Rows
    /// holding a special value take its entry from the new list; while the new
    /// list lacks the code, the row keeps its special value without an entry and
    /// finds the entry again when a list with the code comes back. Open editors
    /// are filled anew.
    void setSpecialList(SpecialValueList* list, bool deleteOld = false);

    /// Whether values that differ from the stored set are drawn in bold (default true).
    bool changeInfo() const { return m_changeInfo; }
    /// Turns the bold face of changed values on or off; takes effect at the next repaint.
    void setChangeInfo(bool on) { m_changeInfo = on; }
    /// What writeDataSet() and readDataSet() move (default SP_Current).
    EStoringPolicy storingPolicy() const { return m_storingPolicy; }
    /// Chooses what writeDataSet() and readDataSet() move.
    void setStoringPolicy(EStoringPolicy policy) { m_storingPolicy = policy; }

    /// The icon of the restore button in the editors.
    const QIcon& revertIcon() const { return m_revertIcon; }
    /// Sets the icon of the restore button of editors opened from now on.
    void setRevertIcon(const QIcon& icon) { m_revertIcon = icon; }

    /// The first row, in tree order, with the given id, or null when there is none.
    TBaseItem* getItem(int id);
    /// Makes item the parent of the rows created next at level + 1. False (and
    /// nothing changes) when item is null, level is negative or the row has no name.
    bool setItemLevel(TBaseItem* item, int level);
    /// Starts a new page: rows created from now on belong to it. Returns its number.
    /// The counter is shared by all browsers and set back to 0 by clear().
    int addPage();

    /// Places the open in-place editor over its cell.
    void updateEditorGeometries() override;

    /// Writes every row that has a property name into settings, under the storing
    /// policy, in the sections of their groups: key P with the value (a special
    /// value as its code) and P.Type with its EValueKind; a check box its state
    /// under its check property name. The settings object is left in the last
    /// section. Nothing is written for rows without names; under SP_Stored
    /// nothing for rows that have no stored set yet (before storeSet()).
    void writeDataSet(QSettings& settings);
    /// Reads back what writeDataSet() wrote, under the storing policy. Missing keys
    /// leave the data as it was; values pass the rows' validators, and a rejected
    /// value leaves its row unchanged. Call storeSet() afterwards to make the read
    /// values the new baseline.
    /// In an INI file (or a native one on
    /// Linux) an entry that QSettings could not read without aborting (a
    /// damaged "@Variant(...)" blob) is skipped like a missing key; only
    /// blobs of plain types, and lists, maps and string lists whose counts
    /// fit their bytes, are read. The file on disk is checked: values not
    /// yet synced are not seen. Other formats are read as they are.
    void readDataSet(QSettings& settings);

    /// A group row at top level named name; the rows after it are saved in the
    /// settings section section (none when empty). light draws a paler band. Rows
    /// of level 1 go under it only after setItemLevel(group, 0).
    TBaseGroup* addGroup(const QString& name, const QString& section = QString(), bool light = false);
    /// An integer row bound to variable of type code type (LT_Int, LT_UInt,
    /// LT_LongLong, ...). validator clamps the values; without one the row
    /// accepts the whole int range.
    TIntegerValue* addInt(int level, const QString& name, const QString& hint, const QString& propertyName,
                          void* variable, int type, TIntValidator* validator = nullptr);
    /// A real row bound to variable of type code type (usually LT_Double or
    /// LT_Float). validator clamps the values and sets the decimals; without one
    /// the row accepts every finite real with 5 decimals.
    TDoubleValue* addReal(int level, const QString& name, const QString& hint, const QString& propertyName,
                          void* variable, int type, TDoubleValidator* validator = nullptr);
    /// A plain text row bound to variable of type code type. Any text is accepted
    /// unless validator says otherwise.
    TBaseValue* addValue(int level, const QString& name, const QString& hint, const QString& propertyName,
                         void* variable, int type, TValueValidator* validator = nullptr);
    /// A row whose choices are the entries of list (not owned). Bound to variable
    /// of type code type, it writes the chosen entry's value, not its index.
    /// ownValues lets the user enter values outside the list; listAppending
    /// appends them to the list.
    TListValue* addList(int level, const QString& name, const QString& hint, const QString& propertyName,
                        void* variable, int type, TItemList* list, bool ownValues = false,
                        bool listAppending = false);
    /// A boolean row offering "True" and "False", bound to a bool (LT_Bool).
    TBoolValue* addBool(int level, const QString& name, const QString& hint, const QString& propertyName,
                        void* variable);
    /// A color row bound to a QColor (LT_Color). list gives the colours offered;
    /// null offers the base colour list.
    TColorValue* addColor(int level, const QString& name, const QString& hint, const QString& propertyName,
                          void* variable, TColorList* list = nullptr);
    /// A font row bound to a QFont (LT_Font). list gives the font families
    /// offered; null offers the system's families.
    TFontValue* addFont(int level, const QString& name, const QString& hint, const QString& propertyName,
                        void* variable, TFontList* list = nullptr);
    /// A text row with a button opening the text editor dialog, bound to a
    /// QString (LT_String).
    TTextValue* addText(int level, const QString& name, const QString& hint, const QString& propertyName,
                        void* variable);
    /// A file path row with a button opening a file dialog, bound to a QString
    /// (LT_String).
    TPathValue* addPath(int level, const QString& name, const QString& hint, const QString& propertyName,
                        void* variable);
    /// A point row with the child rows "x" and "y", bound to a QPoint
    /// (LT_Point). validator clamps the coordinates.
    TPointValue* addPoint(int level, const QString& name, const QString& hint, const QString& propertyName,
                          void* variable, TPointValidator* validator = nullptr);
    /// A size row with the child rows "width" and "height", bound to a QSize
    /// (LT_Size). validator clamps the two extents.
    TSizeValue* addSize(int level, const QString& name, const QString& hint, const QString& propertyName,
                        void* variable, TSizeValidator* validator = nullptr);
    /// A rectangle row with the child rows "x", "y", "width" and "height",
    /// bound to a QRect (LT_Rect). validator clamps the four parts.
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
    /// The text set by setFilter(); empty when no filter is set.
    QString filter() const;

    /// Every change the user makes pushes one command on `stack` (not owned;
    /// null turns undo off). Changes made through the operations of this
    /// library push nothing. Ctrl+Z and Ctrl+Shift+Z in the browser undo and
    /// redo.
    void setUndoStack(QUndoStack* stack);
    /// The stack set by setUndoStack(), or null.
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

    /// The icon that new browsers take as revertIcon().
    static QIcon s_defaultRevertIcon;
    /// The library's list of the five special values, for setSpecialList().
    static SpecialValueList s_specialList;

public Q_SLOTS:
    /// Closes the open editor, deletes every row, shows page 0 and sets the page
    /// counter of addPage() back to 0.
    void clear();
    /// Shows the rows of page page and hides the others; emits HintChanged for the
    /// current row (or an empty hint when it is hidden).
    void switchPage(int page);
    /// Shows the page numbered by index's row, for connecting a page list view.
    void switchPage(const QModelIndex& index);
    /// Takes the current values and check states of every row as the stored set,
    /// the baseline against which changes are shown. emitChanges is passed on to
    /// the rows, which do not act on it.
    void storeSet(bool emitChanges = false);
    /// Returns every row to its stored value and check state.
    void restoreSet();
    /// Reads every bound variable into its row. A value the row's validator
    /// rejects leaves the row as it was.
    void updateFromLinked();
    /// Writes every row's current value into its bound variable: a list entry
    /// writes its value, a special value its code (see ESpecialValue).
    void updateLinked();

Q_SIGNALS:
    /// Emitted by onItemChanged(TBaseItem*), the hook through which a subclass
    /// reports a changed row; the library's own rows do not emit it.
    void ItemChanged(TBaseItem* item);
    /// The current row changed (or the page): its hint, the row and its name.
    /// An empty hint and null item when no row is current.
    void HintChanged(const QString& hint, TBaseItem* item = nullptr, const QString& itemName = QString());
    /// Emitted with HintChanged, carrying only the hint.
    void ItemHint(const QString& hint);
    /// The user picked or entered a value on item; value is the row's record
    /// afterwards (its old one when the row rejected the value).
    void ValuePicked(TBaseItem* item, const SValue& value);

protected Q_SLOTS:
    /// Moves the editor from prevItem to item and emits the hint signals.
    virtual void selectionChanged(QTreeWidgetItem* item, QTreeWidgetItem* prevItem);
    /// Hands a change of column of item (a check box click) to the row.
    virtual void onItemChanged(QTreeWidgetItem* item, int column);
    /// Hands a value picked in the editor to the current row; a value equal to the
    /// row's current one is skipped.
    void valuePicked(TItemList* list, TItem* item, const QVariant& value);
    /// Returns the current row to its stored value; nothing without a current row.
    void restoreSetCurrent();
    /// Passes a click on column of item to the row.
    virtual void onItemClicked(QTreeWidgetItem* item, int column);

protected:
    using QTreeWidget::selectionChanged;
    /// Emits ItemChanged for item; for subclasses, the library does not call it.
    virtual void onItemChanged(TBaseItem* item);
    /// Emits HintChanged and ItemHint for item (null: an empty hint).
    void doHintChange(TBaseItem* item);

    /// Gives the \"Property\" column widthScale() percent of the width.
    void resizeEvent(QResizeEvent* e) override;
    /// Does nothing: the open editor stays with its row while the browser is hidden.
    void hideEvent(QHideEvent* e) override;
    /// Shows a cell's tool tip in the font its ToolTipFontRole holds.
    bool viewportEvent(QEvent* e) override;
    /// Spares the view its search for a changed cell of a child row under a
    /// collapsed value; other cells are updated as QTreeView does.
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QVector<int>& roles = QVector<int>()) override;

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
    /// Closes the open editor and deletes every row.
    void removeRows();
    /// The state of the filter, undo stack and inspected objects, made on
    /// first use.
    TValueBrowserExt* ext();

    /// The row whose cell a change of value shows while the row is off
    /// screen (under a collapsed value), for dataChanged(); set by the row
    /// around its dataChanged signal, which is cheaper than asking the view.
    static const QTreeWidgetItem* s_cellOffScreen;

    unsigned int m_itemDefHeight;
    unsigned int m_widthScale = 66;
    // The browser width the column was last sized for; -1 asks for sizing.
    int m_scaledWidth = -1;
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
