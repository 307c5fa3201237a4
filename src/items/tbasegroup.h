#ifndef TARVO_TBASEGROUP_H
#define TARVO_TBASEGROUP_H

#include "tbaseitem.h"

/// A heading row: a coloured band across the browser with a name and no value.
/// Its section name is the QSettings group in which the rows after it are saved.
class TARVO_EXPORT TBaseGroup : public TBaseItem
{
public:
    /// A top-level group row of browser named name (see TBaseItem for page and
    /// id); light draws a paler band. The browser owns it.
    TBaseGroup(TValueBrowser* browser, const QString& name, int page = -1, bool light = false, int id = -1);
    /// Deletes the rows below the group.
    ~TBaseGroup() override;

    /// The settings section of the rows after the group; empty keeps the previous one.
    const QString& sectionName() const { return m_sectionName; }
    /// Sets the settings section of the rows after the group.
    void setSectionName(const QString& name) { m_sectionName = name; }

    /// "TBaseGroup".
    const char* ItemID() const override { return "TBaseGroup"; }
    /// False.
    bool editable() const override { return false; }
    /// False.
    bool hasValue() const override { return false; }
    /// Ends the open settings group, if any, and begins the section (when set).
    void writeDataSet(QSettings& settings) override;
    /// The same as writeDataSet(): switches the settings section.
    void readDataSet(QSettings& settings) override;
    /// Paints the band across both columns with the group's name.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) override;

private:
    void beginSection(QSettings& settings) const;

    QString m_sectionName;
};

#endif // TARVO_TBASEGROUP_H
