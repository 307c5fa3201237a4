#ifndef TARVO_TINTEGERVALUE_H
#define TARVO_TINTEGERVALUE_H

#include "tbasevalue.h"

class TNumButtonEditor;

/// A whole number, held as its decimal text and clamped into its validator's
/// range (TIntValidator::s_IntValidator unless another is set), with spin
/// buttons that step it.
class TARVO_EXPORT TIntegerValue : public TBaseValue
{
public:
    /// A top-level integer value of browser named name; see TBaseItem for page
    /// and id. The browser owns the row.
    TIntegerValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    /// A integer value under parent named name; the parent owns the row.
    TIntegerValue(TBaseItem* parent, const QString& name, int id = -1);
    /// Closes the editor; shared lists, validators and editors are not deleted.
    ~TIntegerValue() override;

    /// The current value as int; 0 for a special value.
    int valueInt() const { return number(); }

    /// Shared by every integer value that keeps its default button editor.
    static TNumButtonEditor* s_NumButtonEditor;

private:
    void construct();
};

#endif // TARVO_TINTEGERVALUE_H
