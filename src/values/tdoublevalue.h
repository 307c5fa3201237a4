#ifndef TARVO_TDOUBLEVALUE_H
#define TARVO_TDOUBLEVALUE_H

#include "tbasevalue.h"

class TNumButtonEditor;

/// A real number, held as fixed-point text with its validator's decimals
/// (TDoubleValidator::s_DoubleValidator, 5 decimals, unless another is set),
/// with spin buttons that step it.
class TARVO_EXPORT TDoubleValue : public TBaseValue
{
public:
    /// A top-level real value of browser named name; see TBaseItem for page
    /// and id. The browser owns the row.
    TDoubleValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    /// A real value under parent named name; the parent owns the row.
    TDoubleValue(TBaseItem* parent, const QString& name, int id = -1);
    /// Closes the editor; shared lists, validators and editors are not deleted.
    ~TDoubleValue() override;

    /// The current value as double; 0 for a special value.
    double valueDouble() const { return numberF(); }

    /// Shared by every real value that keeps its default button editor.
    static TNumButtonEditor* s_NumButtonEditor;

private:
    void construct();
};

#endif // TARVO_TDOUBLEVALUE_H
