#ifndef TARVO_TVALUEITEMDELEGATE_P_H
#define TARVO_TVALUEITEMDELEGATE_P_H

#include <QItemDelegate>

class TValueBrowser;

// The browser's one delegate. Every row is its own delegate; this one finds
// the row under an index and hands painting and editing to it.
class TValueItemDelegate : public QItemDelegate
{
public:
    explicit TValueItemDelegate(TValueBrowser* browser);
    ~TValueItemDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    // The rows' editors talk to their rows directly; nothing is moved
    // between an editor and the model.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    TValueBrowser* browser() const;
};

#endif // TARVO_TVALUEITEMDELEGATE_P_H
