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
    /// A top-level list value of browser with the choices of list (not owned,
    /// may be null).
    TBaseListValue(TValueBrowser* browser, const QString& name, TItemList* list, int page = -1, int id = -1);
    /// A list value under parent with the choices of list (not owned, may be null).
    TBaseListValue(TBaseItem* parent, const QString& name, TItemList* list, int id = -1);
    /// The list is not deleted.
    ~TBaseListValue() override;

    /// Replaces the list of choices (not owned); the value looks for its entry again.
    void setList(TItemList* list);
    /// The list of choices, or null.
    TItemList* list() const override;

    /// "TBaseList".
    const char* ItemID() const override { return "TBaseList"; }
    /// Takes the entry whose value (or text) equals value; any other value is
    /// passed to TBaseValue::setValue(). False, keeping the row as it was, when
    /// the value is rejected.
    bool setValue(const QVariant& value) override;

protected:
    /// Selects the current entry (or special value) in the open editor.
    bool setCurrentItem() override;
    /// Fills the editor with the special values (when allowed) and the list.
    void fillEditor() override;

    /// Selects the entry matching value (by value, then by text); false when
    /// there is none.
    bool selectEntry(const QVariant& value);

    /// The list of choices; not owned.
    TItemList* m_list = nullptr;
};

/// A list value that may also accept values outside its list (own values)
/// and append accepted outside values to the list (list appending).
class TARVO_EXPORT TListValue : public TBaseListValue
{
public:
    /// A top-level list value of browser with the choices of list (not owned;
    /// with a null list the value accepts own values).
    TListValue(TValueBrowser* browser, const QString& name, TItemList* list, int page = -1, int id = -1);
    /// A list value under parent with the choices of list (not owned; with a
    /// null list the value accepts own values).
    TListValue(TBaseItem* parent, const QString& name, TItemList* list, int id = -1);
    /// Closes the editor; deletes only a list the value made for itself.
    ~TListValue() override;

    /// Whether values outside the list are accepted (own values).
    bool isOwnValues() const { return m_ownValues; }
    /// Accepts (or not) values outside the list, if the validator accepts them.
    void allowOwnValues(bool allow) { m_ownValues = allow; }
    /// Whether accepted outside values are appended to the list.
    bool isListAppending() const { return m_listAppending; }
    /// Appends (or not) accepted outside values to the list.
    void allowListAppending(bool allow) { m_listAppending = allow; }

    /// Taken over by the next list value constructed, then reset to false.
    static void setDefaultUseOwnValues(bool on) { s_defaultOwnValues = on; }
    /// Taken over by the next list value constructed, then reset to false.
    static void setDefaultAllowListAppending(bool on) { s_defaultListAppending = on; }

    /// "TList".
    const char* ItemID() const override { return "TList"; }
    /// Takes the matching entry, or with own values allowed any value the
    /// validator accepts (appended to the list with list appending). False,
    /// keeping the row as it was, for any other value.
    bool setValue(const QVariant& value) override;

protected:
    /// The validator's answer for a value outside the list.
    TValueValidator::EValidateResult validate(QVariant& value) override;
    /// Selects the current entry in the editor, or shows an own value's text.
    bool setCurrentItem() override;
    /// Appends value to the list as a new entry (list appending); a value
    /// without a list first makes one of its own.
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
