#ifndef TARVO_SVALUE_H
#define TARVO_SVALUE_H

#include "tarvoglobal.h"

#include <QMetaType>
#include <QVariant>

/// \file svalue.h
/// The value record of value rows.

/// What the value of a value record holds.
enum EValueKind
{
    SK_ListItem = 0, ///< the value of an entry of the row's own list
    SK_Special = 1,  ///< a special value code (ESpecialValue)
    SK_Value = 2     ///< an ordinary value accepted by the row's validator
};

/// The value record of a value row: a kind and the value itself.
struct SValue
{
    int kind = SK_Value; ///< an EValueKind
    QVariant value;      ///< the value, or the special code for SK_Special
};

Q_DECLARE_METATYPE(SValue)

#endif // TARVO_SVALUE_H
