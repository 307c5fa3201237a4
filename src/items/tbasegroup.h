#ifndef TARVO_TBASEGROUP_H
#define TARVO_TBASEGROUP_H

#include "tbaseitem.h"

/// A heading row: a coloured band across the browser with a name and no value.
/// Its section name is the QSettings group in which the rows after it are saved.
class TARVO_EXPORT TBaseGroup : public TBaseItem
{
public:
    TBaseGroup(TValueBrowser* browser, const QString& name, int page = -1, bool light = false, int id = -1);
    ~TBaseGroup() override;

    const QString& sectionName() const { return m_sectionName; }
    void setSectionName(const QString& name) { m_sectionName = name; }

    const char* ItemID() const override { return "TBaseGroup"; }
    bool editable() const override { return false; }
    bool hasValue() const override { return false; }
    void writeDataSet(QSettings& settings) override;
    void readDataSet(QSettings& settings) override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) override;

private:
    void beginSection(QSettings& settings) const;

    QString m_sectionName;
};

#endif // TARVO_TBASEGROUP_H
