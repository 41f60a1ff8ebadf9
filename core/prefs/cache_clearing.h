// Emptying the two disk caches. A cache folder may be one the user chose and share other files,
// so only the files the cache itself wrote go, recognised by their names, and a folder is removed
// only when nothing else is left in it.
#pragma once

#include <QString>
#include <cstdint>

namespace core {

class RegistryKey;

// Thumbnails live in the sub-folders 1 ... 50 of the cache folder; a file stamped N (the file's
// 32-bit packed date and time) is kept in sub-folder N mod 50 + 1.
inline constexpr int kThumbnailSubfolders = 50;

// "IMG_1.JPG" stamped N is cached as "IMG_1_" N ".jpg" in sub-folder N mod 50 + 1.
QString thumbnailCacheName(const QString& fileName, uint32_t stamp);
int thumbnailCacheSubfolder(uint32_t stamp);
// True for a name the thumbnail cache writes into that sub-folder.
bool isThumbnailCacheName(const QString& name, int subfolder);
// True for a name the settings cache writes: the decimal stamp, "_", the picture's name with
// ".vrs" for its extension.
bool isFileSettingsCacheName(const QString& name);

struct CacheClearing {
    int removedFiles = 0;
    int keptFiles = 0;       // files and folders that are not the cache's, left where they were
    int failedFiles = 0;     // cache files that could not be deleted
    int removedFolders = 0;  // emptied folders removed
    bool operator==(const CacheClearing&) const = default;
};

// Deletes the cached thumbnails under the folder and removes the sub-folders left empty; the
// folder itself stays.
CacheClearing clearThumbnailCache(const QString& folder);
// Deletes the cached settings files of the folder and removes it when left empty. A forgotten
// cache must not leave an "always" or "never" answer behind, so "ReloadLastUsedSettings" goes
// back to 2 (ask) in the key, when there is one.
CacheClearing clearFileSettingsCache(const QString& folder, RegistryKey* key);

}  // namespace core
