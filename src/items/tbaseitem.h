#ifndef TARVO_TBASEITEM_H
#define TARVO_TBASEITEM_H

#include "tarvoglobal.h"

#include <QIcon>
#include <QItemDelegate>
#include <QString>
#include <QTreeWidgetItem>

/// \file tbaseitem.h
/// The base row of a value browser and the type codes of bound variables.

class QSettings;
class TValueBrowser;

/// Type code of a caller variable bound to a row by address.
/// A null address or a code outside 0..15 leaves the row unbound.
enum ELinkType
{
    LT_Int = 0,       ///< int
    LT_UInt = 1,      ///< unsigned int
    LT_Long = 2,      ///< 32-bit signed int
    LT_ULong = 3,     ///< 32-bit unsigned int
    LT_LongLong = 4,  ///< qint64
    LT_ULongLong = 5, ///< quint64
    LT_Float = 6,     ///< float
    LT_Double = 7,    ///< double
    LT_Bool = 8,      ///< bool
    LT_String = 9,    ///< QString
    LT_Color = 10,    ///< QColor
    LT_Font = 11,     ///< QFont
    LT_Size = 12,     ///< QSize
    LT_Point = 13,    ///< QPoint
    LT_Rect = 14,     ///< QRect
    LT_Variant = 15   ///< QVariant
};

/// The base of every row of a TValueBrowser. A row is a tree item and at the
/// same time its own item delegate: the browser hands painting and editing of
/// each cell to the row under it.
///
/// Rows belong to their browser's tree. Deleting a row deletes its child rows
/// and takes it out of the browser.
class TARVO_EXPORT TBaseItem : public QTreeWidgetItem, public QItemDelegate
{
public:
    /// A top-level row of browser named name. A negative page means the page of
    /// the last row given a page explicitly (0 before any); id is the caller's id
    /// for TValueBrowser::getItem(). The browser owns the row.
    TBaseItem(TValueBrowser* browser, const QString& name, int page, int id);
    /// A child row of parent, on the parent's page; the parent owns it.
    TBaseItem(TBaseItem* parent, const QString& name, int id);
    /// Deletes the child rows and takes the row out of its browser.
    ~TBaseItem() override;

    /// Both bases have members of these names; the tree item's are meant.
    using QTreeWidgetItem::parent;
    using QTreeWidgetItem::sizeHint;
    using QItemDelegate::sizeHint;

    /// The browser that holds the row.
    TValueBrowser* browser() const;
    /// The caller's id given at construction (-1 when none was given).
    int id() const { return m_id; }
    /// The help text sent with TValueBrowser::HintChanged when the row becomes current.
    const QString& hint() const { return m_hint; }
    /// The page the row belongs to.
    unsigned int page() const { return m_page; }

    /// Sets the icon shown beside the name in column 0.
    void setItemIcon(const QIcon& icon);
    /// The icon shown beside the name in column 0.
    QIcon itemIcon() const;
    /// Makes this row the parent of factory rows created at level + 1; see
    /// TValueBrowser::setItemLevel(). False when level is negative or the row
    /// has no name.
    bool setItemLevel(int level);

    /// Check box in column 0
    /// Shows (on, unchecked) or hides the check box in column 0; hiding keeps the state.
    void setCheckable(bool on);
    /// Sets the check state, in the box and in the row.
    void setChecked(Qt::CheckState state);
    /// The check state as the row knows it.
    Qt::CheckState checked() const { return m_checkState; }
    /// The check state taken by storeSet().
    Qt::CheckState storedChecked() const { return m_storedCheckState; }
    /// Sets the settings key of the check state; empty saves no check state.
    void setCheckPropertyName(const QString& name);
    /// The settings key of the check state (the name is spelled so on purpose).
    const QString& checkProperyName() const { return m_checkPropertyName; }
    /// Binds the check state to a caller variable of type code type (see ELinkType;
    /// LT_Bool binds a bool). A null variable or a code outside 0..15 unbinds it.
    /// The variable is not owned and must outlive the row.
    void setCheckLinked(void* variable, int type);
    /// Shows an unchecked check box, saved under name and bound to variable of type
    /// code type (as setCheckLinked()).
    void addCheckProperty(const QString& name, void* variable, int type);

    /// Enables or disables the row for the user; deselects it.
    virtual void setEnabled(bool enabled);
    /// Sets whether the row is wanted visible; it shows only on the current page.
    /// Deselects the row.
    virtual void setVisible(bool visible);
    /// Sets the help text.
    virtual void setHint(const QString& hint);
    /// The type tag of the row's class ("TBaseGroup", "SValue", "TList", ...).
    virtual const char* ItemID() const = 0;
    /// Whether the row has an editable value (groups: false).
    virtual bool editable() const = 0;
    /// Whether the row is wanted visible, whatever the page.
    virtual bool visible() const;
    /// Whether the row holds a value (groups: false).
    virtual bool hasValue() const = 0;
    /// Takes the check state (and, for values, the value) as the stored set.
    virtual void storeSet(bool emitChanges);
    /// Returns to the stored check state (and, for values, the stored value).
    virtual void restoreSet();
    /// Reads the bound check variable (and, for values, the bound variable).
    virtual void updateFromLinked();
    /// Writes the check state (and, for values, the value) into the bound variables.
    virtual void updateLinked();
    /// Writes the row's keys into settings (see TValueBrowser::writeDataSet()).
    virtual void writeDataSet(QSettings& settings) = 0;
    /// Reads the row's keys from settings (see TValueBrowser::readDataSet()).
    virtual void readDataSet(QSettings& settings) = 0;
    /// Called by the browser when the row becomes current; gives the browser focus.
    virtual void onEnterItem();
    /// Called by the browser when the row stops being current.
    virtual void onLeaveItem();
    /// Called by the browser when the user clicks column of the row.
    virtual void onClickItem(int column);
    /// Called by the browser when column of the row changed; column 0 takes the
    /// box's check state.
    virtual void onChangeItem(int column);
    /// Sets column 0's size hint to the browser's row height; a hook for subclasses.
    virtual void setup();
    using QItemDelegate::paint;
    /// Paints a cell of the row; the browser's delegate calls it for every cell.
    virtual void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index);
    /// The width in pixels kept for the value's icon: the small icon size plus 6.
    virtual int iconSpace() const;

    /// The cell's data as QTreeWidgetItem keeps it; the library also answers a
    /// private role of its own with which it recognises its rows.
    QVariant data(int column, int role) const override;
    /// The row that `item` is, or null when it is not one of the library's
    /// rows; cheaper than a dynamic_cast.
    static TBaseItem* fromItem(QTreeWidgetItem* item);

protected:
    /// A row that joins the tree (under `parent`, or at the top of
    /// `browser`) already set up, with an empty value cell when `valueCell`.
    TBaseItem(TValueBrowser* browser, TBaseItem* parent, const QString& name, int page, int id, bool valueCell);

    /// The icon shown left of the value; value types override it.
    virtual const QIcon itemIcon();

    /// Shared part of the constructors: id, page, hidden check box, visibility.
    void init(const QString& name, int page, int id);
    /// Takes the check state from the box.
    void updateCheckState();
    /// Whether the check box is shown.
    bool isCheckable() const;

    /// Draws a cell's text; of a text of several lines only the first, followed by " <...>".
    void drawDisplay(QPainter* painter, const QStyleOptionViewItem& option,
                     const QRect& rect, const QString& text) const override;

    /// Deletes the child rows and takes this row out of its browser while the
    /// row is still whole. Safe to call more than once.
    void detachFromBrowser();

    /// The page that rows created with a negative page get.
    static int s_defaultPage;
    /// Above 0 while the browser's factory builds rows: they are announced
    /// to the view once, when the factory is done with them.
    static int s_building;

private:
    Q_DISABLE_COPY(TBaseItem)
    friend class TValueBrowser;
    friend class TValueBrowserExt;

    int m_id = -1;
    unsigned int m_page = 0;
    QString m_hint;
    Qt::CheckState m_checkState = Qt::Unchecked;
    Qt::CheckState m_storedCheckState = Qt::Unchecked;
    bool m_visible = true;
    QString m_checkPropertyName;
    void* m_checkLink = nullptr;
    int m_checkLinkType = LT_Bool;
    /// Whether the stored check state has been taken (storeSet) or read.
    bool m_checkStored = false;
    /// Hidden by the browser's filter; the visibility flag is left alone.
    bool m_filteredOut = false;
    /// A new row is expanded when it gets its first child row.
    bool m_expandOnChild = false;
    /// Set while the row is a TBaseValue (see TBaseValue::fromItem()).
    bool m_isValue = false;
    friend class TBaseValue;
};

Q_DECLARE_METATYPE(TBaseItem*)

#endif // TARVO_TBASEITEM_H
