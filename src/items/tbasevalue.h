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
    TBaseValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    TBaseValue(TBaseItem* parent, const QString& name, int id = -1);
    ~TBaseValue() override;

    TValueValidator* validator() const { return m_validator; }
    void setValidator(TValueValidator* validator);
    TButtonEditor* buttonEditor() const { return m_buttonEditor; }
    void setButtonEditor(TButtonEditor* editor) { m_buttonEditor = editor; }

    /// Whether the current value differs from the stored one.
    bool valueChanged() const { return m_changed; }

    const QString& properyName() const { return m_propertyName; }
    void setPropertyName(const QString& name) { m_propertyName = name; }

    void setLinked(void* variable, int type);
    void* linked() const { return m_link; }
    int linkType() const { return m_linkType; }

    void allowSpecials(bool allow);
    bool isSpecialsAllowed() const { return m_specialsAllowed; }

    void showChildren(bool show);
    bool isChildMode() const { return m_childMode; }
    /// The registered child values in registration order; a child row that
    /// has been deleted leaves an empty (null) place.
    const QList<TBaseValue*>& childValues() const { return m_children; }
    TBaseValue* registeredChild(int i) const { return m_children.value(i); }

    /// The stored record taken by storeSet().
    const SValue& storedValue() const { return m_stored; }
    /// The list or special entry the current value came from, or null.
    TItem* currentEntry() const { return m_currentEntry; }
    /// The open in-place editor, or null.
    TDropList* editor() const;

    virtual bool setValue(const QVariant& value);
    virtual void setSpecial(unsigned int code);
    virtual SValue& value();
    virtual QString valueText() const;
    virtual QVariant variant() const;
    virtual int number() const;
    virtual double numberF() const;
    virtual QString string() const;
    virtual void writeValue(QString& out);
    virtual void writeValue(double& out);
    virtual void writeValue(int& out);
    virtual void writeValue(QVariant& out);
    virtual bool valueChanged(const QVariant& a, const QVariant& b);
    virtual TItemList* list() const;
    virtual bool setCurrentItem();
    virtual void fillEditor();
    virtual bool autoIcon() const;
    virtual bool autoIconActive() const;

    /// The value column's tool tip is its text unless one was set.
    QVariant data(int column, int role) const override;
    /// The value row that `item` is, or null; cheaper than a dynamic_cast.
    static TBaseValue* fromItem(QTreeWidgetItem* item);

    void setVisible(bool visible) override;
    const char* ItemID() const override { return "SValue"; }
    bool editable() const override { return true; }
    bool hasValue() const override { return true; }
    void storeSet(bool emitChanges) override;
    void restoreSet() override;
    void updateFromLinked() override;
    void updateLinked() override;
    void writeDataSet(QSettings& settings) override;
    void readDataSet(QSettings& settings) override;
    void onEnterItem() override;
    void onLeaveItem() override;
    using TBaseItem::paint;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    virtual void setupValue();
    virtual void valuePicked(TItemList* list, TItem* item, const QVariant& value);
    virtual TValueValidator::EValidateResult validate(QVariant& value);
    virtual void updateFromChild(TBaseValue* child);
    virtual void doUpdateFromChild(TBaseValue* child);
    virtual void updateChildren();
    virtual void doUpdateChildren();
    virtual void doCreateChildren();
    virtual void doShowChildren(bool show);

    bool doUpdateFromLinked(QVariant& out);
    bool doUpdateLinked(QVariant& in);

    void registerChild(TBaseValue* child);
    void setChildMode();

    /// Makes the current record an ordinary value or a list/special entry
    /// and brings the row in line with it.
    void setRecord(int kind, const QVariant& value, TItem* entry);
    /// Shows text (also as tool tip) and icon in the value column.
    void setValueCell(const QString& text, const QIcon& icon);
    /// Writes the value key (as stored) and the kind key of a record.
    void writeRecord(QSettings& settings, const SValue& record, const QVariant& stored);
    /// writeDataSet() for types saved in text form (colors, fonts): the check
    /// key, then the value's QVariant::toString() under every storing policy.
    void writeDataSetAsText(QSettings& settings);

    /// Closes the in-place editor if one is open.
    void closeEditor();

    SValue m_current;
    SValue m_stored;
    TItem* m_currentEntry = nullptr;

private:
    friend class TValueBrowser;
    friend class TDropList;

    void init();
    void writeValueKeys(QSettings& settings, bool asText);
    /// Brings the value column in line with the current record.
    void showCell();
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
