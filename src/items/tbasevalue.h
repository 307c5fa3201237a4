#ifndef TARVO_TBASEVALUE_H
#define TARVO_TBASEVALUE_H

#include "tbaseitem.h"
#include "svalue.h"
#include "tvaluevalidator.h"

#include <QList>
#include <QPointer>
#include <QVector>

class TButtonEditor;
class TDropList;
struct TItem;
class TItemList;

/// A row that shows and edits one value: column 0 the name, column 1 the
/// value's text, icon and tool tip. Every new value passes the row's
/// validator; the row keeps a current and a stored value record, shows
/// changed values in bold and opens its in-place editor while it is current.
///
/// Validators and button editors are not owned: they may be shared by many
/// rows and must outlive them.
class TARVO_EXPORT TBaseValue : public TBaseItem
{
public:
    /// A top-level value row of browser named name, holding the empty text; see
    /// TBaseItem for page and id. The browser owns the row.
    TBaseValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    /// A value row under parent, holding the empty text; the parent owns it.
    TBaseValue(TBaseItem* parent, const QString& name, int id = -1);
    /// Closes the editor; the validator and button editor are not deleted.
    ~TBaseValue() override;

    /// The validator every new value passes, or null (everything accepted).
    TValueValidator* validator() const { return m_validator; }
    /// Sets the validator (not owned; null accepts everything) and checks the
    /// current ordinary value with it: a rejected value becomes "Bad Value"
    /// (SV_BadValue), a corrected one takes the corrected form.
    void setValidator(TValueValidator* validator);
    /// The button editor beside the in-place editor, or null.
    TButtonEditor* buttonEditor() const { return m_buttonEditor; }
    /// Sets the button editor (not owned); an open editor takes it at once.
    void setButtonEditor(TButtonEditor* editor);

    /// Whether the current value differs from the stored one.
    bool valueChanged() const { return m_changed; }

    /// The settings key of the value (the name is spelled so on purpose).
    const QString& properyName() const { return m_propertyName; }
    /// Sets the settings key of the value; empty saves no value.
    void setPropertyName(const QString& name) { m_propertyName = name; }

    /// Binds the value to a caller variable of type code type (see ELinkType). The
    /// variable must have that type and outlive the row; a null variable or a code
    /// outside 0..15 unbinds the row.
    void setLinked(void* variable, int type);
    /// The bound variable, or null.
    void* linked() const { return m_link; }
    /// The type code of the bound variable.
    int linkType() const { return m_linkType; }

    /// Whether the editor offers the browser's special values (default true).
    void allowSpecials(bool allow);
    /// Whether the editor offers the browser's special values.
    bool isSpecialsAllowed() const { return m_specialsAllowed; }

    /// Shows or hides the child rows of a compound value (point, size, ...),
    /// creating them on first need; other values have no child rows to show.
    void showChildren(bool show);
    /// Whether the row is a part (child row) of a compound value.
    bool isChildMode() const { return m_childMode; }
    /// The registered child values in registration order; a child row that
    /// has been deleted leaves an empty (null) place.
    const QList<TBaseValue*>& childValues() const { return m_children; }
    /// The child value registered i-th, or null when there is none (or it was deleted).
    TBaseValue* registeredChild(int i) const { return m_children.value(i); }

    /// The stored record taken by storeSet().
    const SValue& storedValue() const { return m_stored; }
    /// The list or special entry the current value came from, or null.
    TItem* currentEntry() const { return m_currentEntry; }
    /// The open in-place editor, or null.
    TDropList* editor() const;

    /// Passes value through the validator and makes it (or its corrected form) the
    /// current ordinary value. False when the validator rejects it: the row keeps
    /// its value. Raises none of the browser's signals.
    virtual bool setValue(const QVariant& value);
    /// Makes code (an ESpecialValue) the current value, shown with its entry of
    /// the browser's special list.
    virtual void setSpecial(unsigned int code);
    /// The current value record; kind SK_Special means value holds a special code.
    virtual SValue& value();
    /// The text shown in the value column for an ordinary value.
    virtual QString valueText() const;
    /// A copy of the current value.
    virtual QVariant variant() const;
    /// The current value as int (0 when it is not a number).
    virtual int number() const;
    /// The current value as double (0 when it is not a number).
    virtual double numberF() const;
    /// The current value as text.
    virtual QString string() const;
    /// Writes the current value as text into out.
    virtual void writeValue(QString& out);
    /// Writes the current value as double into out.
    virtual void writeValue(double& out);
    /// Writes the current value, rounded up to a whole number, into out.
    virtual void writeValue(int& out);
    /// Writes the current value into out.
    virtual void writeValue(QVariant& out);
    /// Whether a and b are different values of this type (the changed test).
    virtual bool valueChanged(const QVariant& a, const QVariant& b);
    /// The row's list of choices, or null.
    virtual TItemList* list() const;
    /// Brings the open editor in line with the value: bold when changed, the
    /// special entry selected. False without an editor or when no entry is selected.
    virtual bool setCurrentItem();
    /// Fills the open editor with the row's choices (the special values, when allowed).
    virtual void fillEditor();
    /// Whether the type draws an icon for its value (colors).
    virtual bool autoIcon() const;
    /// Whether the value's icon is drawn now: autoIcon(), unless an entry is current.
    virtual bool autoIconActive() const;

    /// The value column's tool tip is its text unless one was set.
    QVariant data(int column, int role) const override;
    /// The value row that `item` is, or null; cheaper than a dynamic_cast.
    static TBaseValue* fromItem(QTreeWidgetItem* item);

    /// As TBaseItem::setVisible(); the open editor keeps the focus.
    void setVisible(bool visible) override;
    /// "SValue".
    const char* ItemID() const override { return "SValue"; }
    /// True.
    bool editable() const override { return true; }
    /// True.
    bool hasValue() const override { return true; }
    /// Takes the current value and check state as the stored set; clears the
    /// changed mark.
    void storeSet(bool emitChanges) override;
    /// Returns to the stored value and check state, through setValue() or setSpecial().
    void restoreSet() override;
    /// Reads the bound variable through setValue(); a rejected value leaves the row
    /// as it was.
    void updateFromLinked() override;
    /// Writes the current value into the bound variable: a list entry's value, or
    /// the code of a special value.
    void updateLinked() override;
    /// Writes the check key, then the value key and its ".Type" key (see
    /// TValueBrowser::writeDataSet()).
    void writeDataSet(QSettings& settings) override;
    /// Reads the check key, then the value and its kind; a rejected value leaves
    /// the row as it was.
    void readDataSet(QSettings& settings) override;
    /// Opens the in-place editor and gives it the focus (a disabled row only gives
    /// the browser the focus).
    void onEnterItem() override;
    /// Closes and deletes the in-place editor.
    void onLeaveItem() override;
    using TBaseItem::paint;
    /// Paints a cell: changed values in bold (with change info on), child rows in
    /// italics, a grid line below and right.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) override;

    /// Creates the in-place editor (a drop list) for the value column; the row
    /// remembers it until onLeaveItem().
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    /// Places the editor over the value cell, right of the value's icon.
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    /// Brings the row in line with its current record: changed flag, text, icon,
    /// tool tip, editor, child rows and parent compound value.
    virtual void setupValue();
    /// Takes a value picked in the editor: an entry of the special list through
    /// setSpecial(), anything else through setValue().
    virtual void valuePicked(TItemList* list, TItem* item, const QVariant& value);
    /// Checks value with the validator (VR_Valid without one), maybe correcting it.
    virtual TValueValidator::EValidateResult validate(QVariant& value);
    /// Called when child changed its value; rebuilds this compound value.
    virtual void updateFromChild(TBaseValue* child);
    /// Type hook of updateFromChild(); does nothing here.
    virtual void doUpdateFromChild(TBaseValue* child);
    /// Hands the value's parts to the child rows.
    virtual void updateChildren();
    /// Type hook of updateChildren(); does nothing here.
    virtual void doUpdateChildren();
    /// Type hook that creates the child rows; does nothing here.
    virtual void doCreateChildren();
    /// Type hook of showChildren(); does nothing here.
    virtual void doShowChildren(bool show);

    /// Reads the bound variable into out; false when the row is unbound.
    bool doUpdateFromLinked(QVariant& out);
    /// Writes in into the bound variable; false when the row is unbound.
    bool doUpdateLinked(QVariant& in);

    /// Registers child as a part of this compound value.
    void registerChild(TBaseValue* child);
    /// Hands value to child (a part of a compound value) as child->setValue()
    /// does; a child that already holds it the same way, with no editor
    /// open, is left as it is.
    static void setChildValue(TBaseValue* child, const QVariant& value);
    /// Marks the row as a part of a compound value.
    void setChildMode();

    /// Makes the current record an ordinary value or a list/special entry
    /// and brings the row in line with it.
    void setRecord(int kind, const QVariant& value, TItem* entry);
    /// Shows text (also as tool tip) and icon in the value column. Returns
    /// whether the view was told of a change of the cell (and repaints it).
    bool setValueCell(const QString& text, const QIcon& icon);
    /// Writes the value key (as stored) and the kind key of a record.
    void writeRecord(QSettings& settings, const SValue& record, const QVariant& stored);
    /// writeDataSet() for types saved in text form (colors, fonts): the check
    /// key, then the value's QVariant::toString() under every storing policy.
    void writeDataSetAsText(QSettings& settings);

    /// readDataSet() with the value read first passed through adapt, which
    /// may rewrite it; when adapt returns false the value is not taken.
    void readDataSetAs(QSettings& settings, bool (*adapt)(QVariant& value));

    /// Closes the in-place editor if one is open.
    void closeEditor();

    /// The current value record.
    SValue m_current;
    /// The stored value record, taken by storeSet().
    SValue m_stored;
    /// The special or list entry of the current value, or null.
    TItem* m_currentEntry = nullptr;

private:
    friend class TValueBrowser;
    friend class TDropList;

    void init();
    void writeValueKeys(QSettings& settings, bool asText);
    /// Fills an open, filled editor anew.
    void refillEditor();
    /// Brings the value column in line with the current record; returns
    /// whether the view was told of a change of the cell.
    bool showCell();
    /// Shows the cells of the rows the factory has finished.
    static void showBuiltCells();

    /// Rows built by the factory whose cell is shown when it is done.
    static QVector<TBaseValue*> s_built;
    bool m_cellDeferred = false;
    /// Set while storeSet() brings the row up to date: the cell stays.
    bool m_cellKept = false;

    bool m_childMode = false;
    mutable QPointer<TDropList> m_editor;
    TValueValidator* m_validator = nullptr;
    TButtonEditor* m_buttonEditor = nullptr;
    bool m_changed = false;
    bool m_specialsAllowed = true;
    bool m_updatingChildren = false;
    void* m_link = nullptr;
    int m_linkType = -1;
    QString m_propertyName;
    bool m_childrenShown = false;
    bool m_childrenCreated = false;
    QList<TBaseValue*> m_children;
};

#endif // TARVO_TBASEVALUE_H
