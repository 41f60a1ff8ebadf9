// Where the two disk caches live: the thumbnails of the navigator and the settings remembered
// for every picture. The user may choose either folder; a chosen folder that no longer exists
// gives way to the default under the program's "temp" folder.
#pragma once

#include <QString>

namespace core {

class ProgramFolders;
class RegistryKey;

QString defaultThumbnailCacheFolder(const ProgramFolders& folders);     // "temp/cache"
QString defaultFileSettingsCacheFolder(const ProgramFolders& folders);  // "temp/fsets"

// The stored folder ("ImageCachePath", "FileSettingsCachePath") when it exists, else the
// default. A null key reads as one without values.
QString thumbnailCacheFolder(const RegistryKey* key, const ProgramFolders& folders);
QString fileSettingsCacheFolder(const RegistryKey* key, const ProgramFolders& folders);

// The same folder however it was written: cleaned, without a trailing "/".
QString plainFolder(const QString& folder);
// The folder as the preferences window shows it: with a trailing "/".
QString shownFolder(const QString& folder);

}  // namespace core
