#ifndef TARVO_TBOOLVALUE_H
#define TARVO_TBOOLVALUE_H

#include "tlistvalue.h"
#include "titemlist.h"

/// The two entries of a boolean value: "False" and "True".
class TARVO_EXPORT BoolValueList : public TItemList
{
public:
    /// The entries false ("False") and true ("True"), translated when shown.
    BoolValueList();
    /// Deletes the entries.
    ~BoolValueList() override;
};

/// A yes/no value: a list value over "False"/"True" that also shows a check
/// box in the value column and toggles when that column is clicked. A special
/// value shows the box partially checked.
class TARVO_EXPORT TBoolValue : public TBaseListValue
{
public:
    /// A top-level boolean value of browser named name, over TBoolValue::s_BoolList; see TBaseItem for page
    /// and id. The browser owns the row.
    TBoolValue(TValueBrowser* browser, const QString& name, int page = -1, int id = -1);
    /// A boolean value under parent named name, over TBoolValue::s_BoolList; the parent owns the row.
    TBoolValue(TBaseItem* parent, const QString& name, int id = -1);
    /// Closes the editor; shared lists, validators and editors are not deleted.
    ~TBoolValue() override;

    /// Sets the value to b and the box to match; true when the row took it.
    bool setValue(bool b);
    /// Takes value.toBool(): 0, the empty text, "0" and "false" (in any case)
    /// are false, other numbers and texts true. Returns true when the row took it.
    bool setValue(const QVariant& value) override;
    /// Shows the special value code, with the box partially checked.
    void setSpecial(unsigned int code) override;
    /// The current value; false for a special value.
    bool boolean() const;
    using TBaseValue::writeValue;
    /// Writes the current value into target.
    void writeValue(bool& target);

    /// "TBoolValue".
    const char* ItemID() const override { return "TBoolValue"; }
    /// A click on the value column toggles the value.
    void onClickItem(int column) override;
    /// The width of the check box drawn in the value column.
    int iconSpace() const override;
    /// True: the check box is the value's icon.
    bool autoIcon() const override { return true; }
    /// True: the check box is drawn also for special values.
    bool autoIconActive() const override { return true; }

    /// Shared by every boolean value.
    static BoolValueList s_BoolList;
};

#endif // TARVO_TBOOLVALUE_H
