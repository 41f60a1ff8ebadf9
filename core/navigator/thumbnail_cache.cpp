#include "core/navigator/thumbnail_cache.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/document/picture_image.h"
#include "core/prefs/cache_clearing.h"
#include "core/presets/file_settings_cache.h"
#include "imaging/imaging.h"
#include "imaging/scoped_session.h"

namespace core {

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

uint32_t thumbnailCacheKey(const QString& picturePath) {
    const QFileInfo info(picturePath);
    if (picturePath.isEmpty() || !info.isFile()) return 0;
    const int32_t packed = packedFileDate(info.lastModified().toLocalTime());
    return packed == -1 ? 0 : uint32_t(packed);
}

QString thumbnailCacheFile(const QString& cacheFolder, const QString& picturePath, uint32_t key) {
    return cacheFolder + QLatin1Char('/') + QString::number(thumbnailCacheSubfolder(key)) +
           QLatin1Char('/') + thumbnailCacheName(QFileInfo(picturePath).fileName(), key);
}

NavigatorThumbnail loadNavigatorThumbnail(const QString& picturePath,
                                          const ThumbnailSettings& settings,
                                          const std::atomic<bool>* stop) {
    NavigatorThumbnail result;
    imaging::ScopedSession session;
    if (!session.get()) return result;
    const uint32_t key = settings.cacheOn ? thumbnailCacheKey(picturePath) : 0;
    const QString cacheFile =
        key != 0 ? thumbnailCacheFile(settings.cacheFolder, picturePath, key) : QString();
    if (!cacheFile.isEmpty() && QFileInfo(cacheFile).isFile() &&
        imaging::cLoadImage(session.get(), localPath(cacheFile))) {
        result.image = displayImage(session.get());
        if (!result.image.isNull()) {
            result.source = NavigatorThumbnail::Source::Cache;
            return result;
        }
    }
    imaging::cSetStopFlag(session.get(), stop);
    imaging::cSetAutoRotate(session.get(), settings.autoRotate);
    if (!imaging::cLoadThumbnailEx(session.get(), localPath(picturePath), kNavigatorThumbnailSide,
                                   kNavigatorThumbnailSide))
        return result;
    result.image = displayImage(session.get());
    if (result.image.isNull()) return result;
    result.source = NavigatorThumbnail::Source::Decoded;
    if (cacheFile.isEmpty() || QFileInfo(picturePath).size() < kSmallestCachedFile) return result;
    // The cache holds pixels only; the picture's metadata stays with the picture.
    imaging::cDestroyEXIF(session.get());
    imaging::cDestroyIPTC(session.get());
    imaging::cDestroyComment(session.get());
    imaging::cSaveICCProfileEnabled(session.get(), false);
    imaging::cSetJPEGParams(session.get(), kNavigatorThumbnailQuality, 1.0, false, 0);
    if (!QDir().mkpath(QFileInfo(cacheFile).absolutePath())) return result;
    // Written under a temporary name and renamed, so that a reader on another thread never sees
    // half a file.
    const QString partial = cacheFile + QStringLiteral(".part");
    if (imaging::cSave(session.get(), localPath(partial), imaging::kCodeJpeg)) {
        QFile::remove(cacheFile);
        result.stored = QFile::rename(partial, cacheFile);
    }
    if (!result.stored) QFile::remove(partial);
    return result;
}

}  // namespace core
