#ifndef TARVO_TLISTVALUE_H
#define TARVO_TLISTVALUE_H

#include "tbasevalue.h"

/// A value whose choices come from a TItemList. A value that matches an
/// entry, by value or by its text, is held as that entry; any other value is
/// an ordinary value if the validator accepts it. The list is not owned and
/// must outlive the row.
class TARVO_EXPORT TBaseListValue : public TBaseValue
{
public:
    TBaseListValue(TValueBrowser* browser, const QString& name, TItemList* list, int page = -1, int id = -1);
    TBaseListValue(TBaseItem* parent, const QString& name, TItemList* list, int id = -1);
    ~TBaseListValue() override;

    void setList(TItemList* list);
    TItemList* list() const override;

    const char* ItemID() const override { return "TBaseList"; }
    bool setValue(const QVariant& value) override;

protected:
    bool setCurrentItem() override;
    void fillEditor() override;

    /// Selects the entry matching value (by value, then by text); false when
    /// there is none.
    bool selectEntry(const QVariant& value);

    TItemList* m_list = nullptr;
};

/// A list value that may also accept values outside its list (own values)
/// and append accepted outside values to the list (list appending).
class TARVO_EXPORT TListValue : public TBaseListValue
{
public:
    TListValue(TValueBrowser* browser, const QString& name, TItemList* list, int page = -1, int id = -1);
    TListValue(TBaseItem* parent, const QString& name, TItemList* list, int id = -1);
    ~TListValue() override;

    bool isOwnValues() const { return m_ownValues; }
    void allowOwnValues(bool allow) { m_ownValues = allow; }
    bool isListAppending() const { return m_listAppending; }
    void allowListAppending(bool allow) { m_listAppending = allow; }

    /// Taken over by the next list value constructed, then reset to false.
    static void setDefaultUseOwnValues(bool on) { s_defaultOwnValues = on; }
    static void setDefaultAllowListAppending(bool on) { s_defaultListAppending = on; }

    const char* ItemID() const override { return "TList"; }
    bool setValue(const QVariant& value) override;

protected:
    TValueValidator::EValidateResult validate(QVariant& value) override;
    bool setCurrentItem() override;
    virtual void appendValue(const QVariant& value);

private:
    void construct();

    bool m_ownValues = false;
    bool m_listAppending = false;
    /// A list made for a value that had none; it belongs to the value.
    TItemList* m_ownList = nullptr;

    static bool s_defaultOwnValues;
    static bool s_defaultListAppending;
};

#endif // TARVO_TLISTVALUE_H
