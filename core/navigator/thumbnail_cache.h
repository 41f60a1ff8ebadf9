// The navigator's disk cache of thumbnails. A picture's key is its modification time as the file
// system's packed date; a changed picture gets a new key and so a new cache file, and the cache
// never needs to be told. Reading a cached thumbnail decodes only the small cache file.
#pragma once

#include <QImage>
#include <QString>
#include <atomic>
#include <cstdint>

namespace core {

inline constexpr int kNavigatorThumbnailSide = 250;  // thumbnails fit this square
inline constexpr int kNavigatorThumbnailQuality = 90;
// Files this small are not worth a cache file.
inline constexpr qint64 kSmallestCachedFile = 200;

// The picture's modification time packed as the file system does; 0 (no cache) when the file
// does not exist or its date cannot be packed.
uint32_t thumbnailCacheKey(const QString& picturePath);

// cacheFolder/<key mod 50 + 1>/<name without extension>_<key>.jpg
QString thumbnailCacheFile(const QString& cacheFolder, const QString& picturePath, uint32_t key);

struct NavigatorThumbnail {
    enum class Source { Failed, Cache, Decoded };
    QImage image;  // null when the picture cannot be read: the item is drawn grey
    Source source = Source::Failed;
    bool stored = false;  // a new cache file was written
};

// The thumbnail of a picture, fitting 250 x 250: from the cache when it is on and holds one, else
// made from the picture (the camera's thumbnail or a reduced decode) and, with the cache on and a
// file of 200 bytes or more, stored there as JPEG quality 90; a cache file that cannot be written
// is skipped. Uses imaging sessions of its own, so it may run on any thread; stop, when given,
// makes a long decode give up.
struct ThumbnailSettings {
    QString cacheFolder;
    bool cacheOn = true;
    bool autoRotate = true;  // upright as the EXIF orientation says
};
NavigatorThumbnail loadNavigatorThumbnail(const QString& picturePath,
                                          const ThumbnailSettings& settings,
                                          const std::atomic<bool>* stop = nullptr);

}  // namespace core
