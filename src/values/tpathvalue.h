#ifndef TARVO_TPATHVALUE_H
#define TARVO_TPATHVALUE_H

#include "tbasevalue.h"
#include "tpathtexteditors.h"

#include <QFileDialog>

/// A file or directory path, stored as typed (it need not exist). Its "..."
/// button opens a file dialog in the value's pick mode, starting at the
/// current path, with the filter as the dialog's name filter unless it is
/// empty or "*.*".
class TARVO_EXPORT TPathValue : public TBaseValue
{
public:
    /// A top-level path value of browser named name; see TBaseItem for page
    /// and id. The browser owns the row.
    TPathValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    /// A path value under parent named name; the parent owns the row.
    TPathValue(TBaseItem* parent, const QString& name, int id = -1);
    /// Closes the editor; shared lists, validators and editors are not deleted.
    ~TPathValue() override;

    /// The mode in which the file dialog opens; read at every click.
    QFileDialog::FileMode pickMode() const { return m_pickMode; }
    /// Sets the mode in which the file dialog opens.
    void setPickMode(QFileDialog::FileMode mode) { m_pickMode = mode; }

    /// The name filter of the file dialog ("*.*" by default: no filter).
    const QString& filter() const { return m_filter; }
    /// Sets the name filter of the file dialog, such as "Images (*.png *.jpg)".
    void setFilter(const QString& filter) { m_filter = filter; }

    /// Shared by every path value that keeps its default button editor.
    static TPathButtonEditor s_PathButtonEditor;

protected:
    /// Default button editor, any-file mode, filter "*.*".
    void init();

private:
    QFileDialog::FileMode m_pickMode = QFileDialog::AnyFile;
    QString m_filter;
};

#endif // TARVO_TPATHVALUE_H
