#ifndef TARVO_TSETTINGSCHECK_P_H
#define TARVO_TSETTINGSCHECK_P_H

//
// Internal to the library: keeps QSettings from reading entries of a
// settings file that would abort the application.
//

#include <QByteArray>

#include <memory>

class QSettings;
class QTemporaryFile;

namespace TarvoSettingsCheck {

// Whether a "@Variant(...)" blob, as QSettings would hand it to QDataStream,
// can be read without allocating more than its bytes can fill: its type is
// one whose reading allocates nothing from a count, or a list, map or string
// list whose counts its bytes can hold.
bool blobReadable(const QByteArray& blob);

// The entries of an INI file whose values hold no unreadable blob; lines of
// entries that do are left out. Returns false when every entry is readable.
bool dropUnreadable(const QByteArray& ini, QByteArray& readable);

// A stand-in for settings while reading a value set: when settings is an INI
// file holding unreadable entries, a copy of it without them, in a temporary
// file, at the same group. Null when settings can be read as it is.
class Substitute
{
public:
    explicit Substitute(QSettings& settings);
    ~Substitute();
    QSettings* settings() const { return m_settings.get(); }

private:
    std::unique_ptr<QTemporaryFile> m_file;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace TarvoSettingsCheck

#endif // TARVO_TSETTINGSCHECK_P_H
