// The per-file settings cache: after every full run the settings are kept under a name made of
// the picture's file date and its name, and offered again when that picture is opened. A picture
// changed since (a new file date) no longer finds them.
#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

#include "core/errors/result.h"
#include "core/i18n/language.h"
#include "core/main/message_box.h"
#include "core/queue/queue_params.h"

namespace core {

// The stored "ReloadLastUsedSettings" values.
inline constexpr int32_t kReloadNever = 0;
inline constexpr int32_t kReloadAlways = 1;
inline constexpr int32_t kReloadAsk = 2;

// The custom buttons of the question.
inline constexpr int kResultAlways = 100;
inline constexpr int kResultNever = 101;

// The file system's packed local date and time: the date (years since 1980 << 9 | month << 5 |
// day) in the high 16 bits, the time (hour << 11 | minute << 5 | seconds / 2) in the low; -1 for a
// date before 1980 or after 2107, which the packing cannot hold.
int32_t packedFileDate(const QDateTime& localTime);

// The folder stored as "FileSettingsCachePath" when it exists, else tempFolder + "/fsets".
QString fileSettingsCacheFolder(const QString& storedFolder, const QString& tempFolder);

// The packed date in decimal, "_", the picture's name with ".vrs" instead of its extension.
QString fileSettingsCacheName(int32_t packedDate, const QString& picturePath);

// The cache file of the picture in the folder; none when the picture is no file or its date
// cannot be packed.
std::optional<QString> fileSettingsCacheFile(const QString& folder, const QString& picturePath);

// Writes the record as the picture's cache file: the folder is made when missing and an older
// file of the name replaced.
Status storeFileSettings(const QString& folder, const QString& picturePath,
                         const QueueParams& record);

struct FileSettingsOffer {
    bool apply = false;
    // The new "ReloadLastUsedSettings" value, when the answer is to be remembered.
    std::optional<int32_t> remember;
};

// Whether the cached settings of a picture are to be applied, by the stored
// "ReloadLastUsedSettings" choice: never, always, or asked (the picture's path and
// "ALS_RESTORE_FILE_SETTINGS_QUEST" under "ALS_OPEN_NEW_IMAGE", with Yes, No, "ALS_ALWAYS" and
// "ALS_NEVER"; the last two are remembered).
FileSettingsOffer offerFileSettings(int32_t reloadChoice, MessageAsker& asker,
                                    const Language& texts, const QString& picturePath);

}  // namespace core
