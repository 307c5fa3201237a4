#ifndef TARVO_TLINKING_P_H
#define TARVO_TLINKING_P_H

#include <QVariant>

// Moving values between rows and the caller variables bound to them by
// address and type code (ELinkType). Inactive bindings (null address, code
// outside 0..15) are refused with false.
namespace TarvoLink {

bool isActive(const void* variable, int type);

// Reads the variable into out.
bool read(const void* variable, int type, QVariant& out);
// Writes in into the variable, converted to the variable's type.
bool write(void* variable, int type, const QVariant& in);

// The check state held by a bound variable; false when the type has no
// check state form (colors, fonts, geometry).
bool readCheck(const void* variable, int type, Qt::CheckState& state);
bool writeCheck(void* variable, int type, Qt::CheckState state);

// Whether in can be written into a variable of the given type without
// turning unreadable input into a made-up value (0, black, ...).
bool converts(int type, const QVariant& in);

// A variant as an int, saturated to the int range (reals and real texts
// rounded, NaN and unreadable input 0).
int toIntClamped(const QVariant& v);

// A number taken as a check state: 0 and below unchecked, 1 partially
// checked, anything higher checked.
Qt::CheckState checkStateFromNumber(qint64 n);

} // namespace TarvoLink

#endif // TARVO_TLINKING_P_H
