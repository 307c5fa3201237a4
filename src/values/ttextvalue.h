#ifndef TARVO_TTEXTVALUE_H
#define TARVO_TTEXTVALUE_H

#include "tbasevalue.h"
#include "tpathtexteditors.h"

/// A string of any length, also with line breaks, taken as it is given. Its
/// "..." button opens the rich text editor dialog for longer texts.
class TARVO_EXPORT TTextValue : public TBaseValue
{
public:
    /// A top-level text value of browser named name; see TBaseItem for page
    /// and id. The browser owns the row.
    TTextValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    /// A text value under parent named name; the parent owns the row.
    TTextValue(TBaseItem* parent, const QString& name, int id = -1);
    /// Closes the editor; shared lists, validators and editors are not deleted.
    ~TTextValue() override;

    /// Shared by every text value that keeps its default button editor.
    static TTextButtonEditor s_TextButtonEditor;
};

#endif // TARVO_TTEXTVALUE_H
