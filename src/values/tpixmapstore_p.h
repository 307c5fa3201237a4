#ifndef TARVO_TPIXMAPSTORE_P_H
#define TARVO_TPIXMAPSTORE_P_H

#include <QHash>
#include <QPixmap>
#include <QPixmapCache>

// Pixmaps drawn once per key (a color, a font) and kept in QPixmapCache,
// which frees them when it runs full and with the application: rows of one
// color or face share the pixels, and a value seen before draws nothing.
// GUI thread only, as pixmaps are.
template <typename Key>
class TPixmapStore
{
public:
    TPixmapStore() = default;
    Q_DISABLE_COPY(TPixmapStore)

    // The pixmap kept for key; draw() makes it when there is none.
    template <typename Draw>
    QPixmap pixmap(const Key& key, Draw draw)
    {
        QPixmap pixmap;
        const auto found = m_keys.constFind(key);
        if (found != m_keys.cend() && QPixmapCache::find(found.value(), &pixmap))
            return pixmap;
        pixmap = draw();
        if (m_keys.size() >= MaxKeys) {
            for (const QPixmapCache::Key& cached : qAsConst(m_keys))
                QPixmapCache::remove(cached);
            m_keys.clear();
        }
        m_keys.insert(key, QPixmapCache::insert(pixmap));
        return pixmap;
    }

private:
    static constexpr int MaxKeys = 1024;
    QHash<Key, QPixmapCache::Key> m_keys;
};

#endif // TARVO_TPIXMAPSTORE_P_H
