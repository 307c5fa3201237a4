#ifndef TARVO_TSIZEVALUE_H
#define TARVO_TSIZEVALUE_H

#include "tbasevalue.h"

#include <QSize>

/// A QSize, shown as "width,height" and typed over in any form that holds two
/// whole numbers (TSizeValidator::s_SizeValidator unless another is set). The
/// width and height are also shown as two integer child rows.
class TARVO_EXPORT TSizeValue : public TBaseValue
{
public:
    TSizeValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    TSizeValue(TBaseItem* parent, const QString& name, int id = -1);
    ~TSizeValue() override;

    /// Whether size values constructed afterwards show their child rows.
    static void setDefaultExpandableItems(bool show);

    QSize size() const;
    using TBaseValue::writeValue;
    void writeValue(QSize& out);

    const char* ItemID() const override { return "TSizeValue"; }
    QString valueText() const override;

    static bool s_showExpandables;

protected:
    void construct();

    void doUpdateFromChild(TBaseValue* child) override;
    void doUpdateChildren() override;
    void doCreateChildren() override;
};

#endif // TARVO_TSIZEVALUE_H
