#ifndef TARVO_TBOOLVALUE_H
#define TARVO_TBOOLVALUE_H

#include "tlistvalue.h"
#include "titemlist.h"

/// The two entries of a boolean value: "False" and "True".
class TARVO_EXPORT BoolValueList : public TItemList
{
public:
    BoolValueList();
    ~BoolValueList() override;
};

/// A yes/no value: a list value over "False"/"True" that also shows a check
/// box in the value column and toggles when that column is clicked. A special
/// value shows the box partially checked.
class TARVO_EXPORT TBoolValue : public TBaseListValue
{
public:
    TBoolValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    TBoolValue(TBaseItem* parent, const QString& name, int id = -1);
    ~TBoolValue() override;

    bool setValue(bool b);
    bool setValue(const QVariant& value) override;
    void setSpecial(unsigned int code) override;
    bool boolean() const;
    using TBaseValue::writeValue;
    void writeValue(bool& target);

    const char* ItemID() const override { return "TBoolValue"; }
    void onClickItem(int column) override;
    int iconSpace() const override;
    bool autoIcon() const override { return true; }
    bool autoIconActive() const override { return true; }

    /// Shared by every boolean value.
    static BoolValueList s_BoolList;
};

#endif // TARVO_TBOOLVALUE_H
