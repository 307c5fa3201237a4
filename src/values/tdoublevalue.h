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
    TDoubleValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    TDoubleValue(TBaseItem* parent, const QString& name, int id = -1);
    ~TDoubleValue() override;

    double valueDouble() const { return numberF(); }

    /// Shared by every real value that keeps its default button editor.
    static TNumButtonEditor* s_NumButtonEditor;

private:
    void construct();
};

#endif // TARVO_TDOUBLEVALUE_H
