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
    TBaseItem(TValueBrowser* browser, const QString& name, int page, int id);
    TBaseItem(TBaseItem* parent, const QString& name, int id);
    ~TBaseItem() override;

    /// Both bases have members of these names; the tree item's are meant.
    using QTreeWidgetItem::parent;
    using QTreeWidgetItem::sizeHint;
    using QItemDelegate::sizeHint;

    TValueBrowser* browser() const;
    int id() const { return m_id; }
    const QString& hint() const { return m_hint; }
    unsigned int page() const { return m_page; }

    void setItemIcon(const QIcon& icon);
    QIcon itemIcon() const;
    bool setItemLevel(int level);

    /// Check box in column 0
    void setCheckable(bool on);
    void setChecked(Qt::CheckState state);
    Qt::CheckState checked() const { return m_checkState; }
    Qt::CheckState storedChecked() const { return m_storedCheckState; }
    void setCheckPropertyName(const QString& name);
    const QString& checkProperyName() const { return m_checkPropertyName; }
    void setCheckLinked(void* variable, int type);
    void addCheckProperty(const QString& name, void* variable, int type);

    virtual void setEnabled(bool enabled);
    virtual void setVisible(bool visible);
    virtual void setHint(const QString& hint);
    virtual const char* ItemID() const = 0;
    virtual bool editable() const = 0;
    virtual bool visible() const;
    virtual bool hasValue() const = 0;
    virtual void storeSet(bool emitChanges);
    virtual void restoreSet();
    virtual void updateFromLinked();
    virtual void updateLinked();
    virtual void writeDataSet(QSettings& settings) = 0;
    virtual void readDataSet(QSettings& settings) = 0;
    virtual void onEnterItem();
    virtual void onLeaveItem();
    virtual void onClickItem(int column);
    virtual void onChangeItem(int column);
    virtual void setup();
    using QItemDelegate::paint;
    virtual void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index);
    virtual int iconSpace() const;

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

    void init(const QString& name, int page, int id);
    void updateCheckState();
    bool isCheckable() const;

    void drawDisplay(QPainter* painter, const QStyleOptionViewItem& option,
                     const QRect& rect, const QString& text) const override;

    /// Deletes the child rows and takes this row out of its browser while the
    /// row is still whole. Safe to call more than once.
    void detachFromBrowser();

    static int s_defaultPage;
    /// Above 0 while the browser's factory builds rows: they are announced
    /// to the view once, when the factory is done with them.
    static int s_building;

private:
    Q_DISABLE_COPY(TBaseItem)
    friend class TValueBrowser;

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
    /// A new row is expanded when it gets its first child row.
    bool m_expandOnChild = false;
    /// Set while the row is a TBaseValue (see TBaseValue::fromItem()).
    bool m_isValue = false;
    friend class TBaseValue;
};

Q_DECLARE_METATYPE(TBaseItem*)

#endif // TARVO_TBASEITEM_H
