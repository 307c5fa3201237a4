#include "tsettingscheck_p.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

#include <cctype>

namespace TarvoSettingsCheck {

namespace {

constexpr int MaxDepth = 64;

// The bytes of a blob as QDataStream reads them (big-endian, the stream
// version QSettings uses for "@Variant(...)", which is that of Qt 4.0).
class Reader
{
public:
    explicit Reader(const QByteArray& bytes)
        : m_bytes(bytes)
    {
    }
    int left() const { return m_bytes.size() - m_pos; }
    // Skips n bytes, or to the end when fewer are left.
    void skip(qint64 n)
    {
        m_pos = n > left() ? m_bytes.size() : m_pos + int(n);
    }
    bool number(quint32& value)
    {
        if (left() < 4) {
            m_pos = m_bytes.size();
            return false;
        }
        value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | quint8(m_bytes.at(m_pos++));
        return true;
    }

private:
    const QByteArray& m_bytes;
    int m_pos = 0;
};

// A string or byte array: its length and as many bytes as there are. Both
// are read in bounded steps, so a length beyond the bytes costs nothing.
void skipBlock(Reader& r)
{
    quint32 length = 0;
    if (r.number(length) && length != 0xFFFFFFFFu)
        r.skip(length);
}

// Bytes of the types of fixed size, by their type id (Qt 5 numbering);
// -1 for the other types.
int fixedSize(quint32 type)
{
    switch (type) {
    case 1: case 34: case 37: case 40: // bool, char, uchar, signed char
        return 1;
    case 7: case 33: case 36: // QChar, short, ushort
        return 2;
    case 2: case 3: case 14: case 15: case 38: // int, uint, QDate, QTime, float
        return 4;
    case 4: case 5: case 6: case 21: case 25: case 32: case 35: // 64-bit, double, QSize, QPoint, long
        return 8;
    case 16: // QDateTime: date, time, and the kind of its time zone
        return 9;
    case 19: case 22: case 23: case 26: // QRect, QSizeF, QLine, QPointF
        return 16;
    case 20: case 24: // QRectF, QLineF
        return 32;
    default:
        return -1;
    }
}

bool readVariant(Reader& r, int depth);

// Reads the value of a variant of the given type. Types whose reading
// allocates from a count have their counts checked against the bytes left.
bool readValue(Reader& r, quint32 type, int depth, bool last)
{
    const int size = fixedSize(type);
    if (size >= 0) {
        r.skip(size);
        return true;
    }
    quint32 count = 0;
    switch (type) {
    case 0:  // an invalid variant reads a string
    case 10: // QString
    case 12: // QByteArray
    case 17: // QUrl
    case 18: // QLocale
        skipBlock(r);
        return true;
    case 9:  // QVariantList
    case 11: // QStringList
    case 49: // QByteArrayList
    case 8:  // QVariantMap
    case 28: // QVariantHash
        if (!r.number(count))
            return true;
        // Each element takes four bytes at least (a length or a type).
        if (count > quint32(r.left() / 4))
            return false;
        for (quint32 i = 0; i < count; ++i) {
            if (type == 11 || type == 49) {
                skipBlock(r);
                continue;
            }
            if (type == 8 || type == 28)
                skipBlock(r); // the key
            if (!readVariant(r, depth + 1))
                return false;
        }
        return true;
    case 27:  // QRegExp
    case 30:  // QUuid
    case 64:  // QFont
    case 67:  // QColor
    case 121: // QSizePolicy
        // Nothing read from a count; their length is not followed here, so
        // they are taken only where nothing comes after them.
        return last;
    default:
        return false;
    }
}

bool readVariant(Reader& r, int depth)
{
    if (depth > MaxDepth)
        return false;
    quint32 type = 0;
    if (!r.number(type))
        return true; // nothing to read: an invalid variant
    // Type ids of the Qt 4 stream, as QVariant maps them when loading.
    if (type == 127)
        return false; // a type of the application's, read by code unknown here
    if (type >= 128)
        type -= 97;
    else if (type == 75)
        type = 121;
    else if (type > 75 && type <= 86)
        type -= 1;
    return readValue(r, type, depth, depth == 0);
}

// Qt's reading of the text of an INI value, as far as blobs are concerned:
// its escapes, quotes and comma-separated elements, each as Latin-1 bytes.
QList<QByteArray> unescapedElements(const QByteArray& raw)
{
    QList<QByteArray> elements;
    QString current;
    bool quoted = false;
    auto flush = [&] {
        elements.append(current.trimmed().toLatin1());
        current.clear();
    };
    int i = 0;
    const int n = raw.size();
    while (i < n) {
        const char ch = raw.at(i);
        if (ch == '\\') {
            if (++i >= n)
                break;
            const char e = raw.at(i++);
            static const char codes[] = "a\ab\bf\fn\nr\rt\tv\v\"\"?\?''\\\\";
            bool done = false;
            for (int k = 0; codes[k]; k += 2) {
                if (codes[k] == e) {
                    current += QLatin1Char(codes[k + 1]);
                    done = true;
                    break;
                }
            }
            if (done)
                continue;
            uint value = 0;
            if (e == 'x') {
                while (i < n && isxdigit(uchar(raw.at(i))))
                    value = value * 16 + uint(QString(QLatin1Char(raw.at(i++))).toUInt(nullptr, 16));
                current += QChar(ushort(value));
            } else if (e >= '0' && e <= '7') {
                value = uint(e - '0');
                while (i < n && raw.at(i) >= '0' && raw.at(i) <= '7')
                    value = value * 8 + uint(raw.at(i++) - '0');
                current += QChar(ushort(value));
            }
            continue;
        }
        if (ch == '"') {
            quoted = !quoted;
            ++i;
            continue;
        }
        if (!quoted && ch == ',') {
            flush();
            ++i;
            continue;
        }
        if (!quoted && ch == ';')
            break;
        int j = i + 1;
        while (j < n && raw.at(j) != '\\' && raw.at(j) != '"' && raw.at(j) != ',' && raw.at(j) != ';')
            ++j;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        current += QString::fromUtf8(raw.constData() + i, j - i);
#else
        current += QString::fromLatin1(raw.constData() + i, j - i);
#endif
        i = j;
    }
    flush();
    return elements;
}

// Whether the value part of an INI entry can be read.
bool valueReadable(const QByteArray& raw)
{
    if (!raw.contains("@Variant("))
        return true;
    for (const QByteArray& element : unescapedElements(raw)) {
        if (element.startsWith("@Variant(") && !blobReadable(element.mid(9)))
            return false;
    }
    return true;
}

} // namespace

bool blobReadable(const QByteArray& blob)
{
    Reader r(blob);
    return readVariant(r, 0);
}

bool dropUnreadable(const QByteArray& ini, QByteArray& readable)
{
    bool dropped = false;
    readable.clear();
    const QList<QByteArray> lines = ini.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        // An entry goes on over lines that end in an unescaped backslash.
        QByteArray entry = lines.at(i);
        int last = i;
        auto continued = [](const QByteArray& line) {
            const QByteArray trimmed = line.endsWith('\r') ? line.chopped(1) : line;
            int slashes = 0;
            while (slashes < trimmed.size() && trimmed.at(trimmed.size() - 1 - slashes) == '\\')
                ++slashes;
            return slashes % 2 == 1;
        };
        while (continued(lines.at(last)) && last + 1 < lines.size())
            entry += '\n' + lines.at(++last);
        const int equals = entry.indexOf('=');
        const bool keep = equals < 0 || valueReadable(entry.mid(equals + 1).trimmed());
        if (keep) {
            readable += entry;
            if (last + 1 < lines.size())
                readable += '\n';
        }
        dropped = dropped || !keep;
        i = last;
    }
    return dropped;
}

Substitute::Substitute(QSettings& settings)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const bool ini = settings.format() == QSettings::IniFormat || settings.format() == QSettings::NativeFormat;
#else
    const bool ini = settings.format() == QSettings::IniFormat;
#endif
    if (!ini)
        return;
    QFile file(settings.fileName());
    QByteArray readable;
    if (!file.open(QIODevice::ReadOnly) || !dropUnreadable(file.readAll(), readable))
        return;
    auto copy = std::make_unique<QTemporaryFile>();
    if (!copy->open() || copy->write(readable) != readable.size() || !copy->flush())
        return;
    m_settings = std::make_unique<QSettings>(copy->fileName(), QSettings::IniFormat);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    m_settings->setIniCodec(settings.iniCodec());
#endif
    const QString group = settings.group();
    if (!group.isEmpty())
        m_settings->beginGroup(group);
    m_file = std::move(copy);
}

Substitute::~Substitute() = default;

} // namespace TarvoSettingsCheck
