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
    TIntegerValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    TIntegerValue(TBaseItem* parent, const QString& name, int id = -1);
    ~TIntegerValue() override;

    int valueInt() const { return number(); }

    /// Shared by every integer value that keeps its default button editor.
    static TNumButtonEditor* s_NumButtonEditor;

private:
    void construct();
};

#endif // TARVO_TINTEGERVALUE_H
