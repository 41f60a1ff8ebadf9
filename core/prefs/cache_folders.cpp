#include "core/prefs/cache_folders.h"

#include <QDir>
#include <QFileInfo>

#include "core/main/program_registry.h"
#include "core/paths/program_folders.h"

namespace core {

namespace {

QString storedOrDefault(const RegistryKey* key, const char* valueName, const QString& fallback) {
    if (!key) return fallback;
    const QString stored = key->readString(QString::fromLatin1(valueName), QString());
    if (!stored.isEmpty() && QFileInfo(stored).isDir()) return plainFolder(stored);
    return fallback;
}

}  // namespace

QString defaultThumbnailCacheFolder(const ProgramFolders& folders) {
    return plainFolder(folders.tempFolder() + QStringLiteral("/cache"));
}

QString defaultFileSettingsCacheFolder(const ProgramFolders& folders) {
    return plainFolder(folders.tempFolder() + QStringLiteral("/fsets"));
}

QString thumbnailCacheFolder(const RegistryKey* key, const ProgramFolders& folders) {
    return storedOrDefault(key, kValueImageCachePath, defaultThumbnailCacheFolder(folders));
}

QString fileSettingsCacheFolder(const RegistryKey* key, const ProgramFolders& folders) {
    return storedOrDefault(key, kValueFileSettingsCachePath,
                           defaultFileSettingsCacheFolder(folders));
}

QString plainFolder(const QString& folder) {
    if (folder.isEmpty()) return {};
    return QDir::cleanPath(folder);
}

QString shownFolder(const QString& folder) {
    const QString plain = plainFolder(folder);
    if (plain.isEmpty() || plain.endsWith(QLatin1Char('/'))) return plain;
    return plain + QLatin1Char('/');
}

}  // namespace core
