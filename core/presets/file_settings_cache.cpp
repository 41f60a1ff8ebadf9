#include "core/presets/file_settings_cache.h"

#include <QDir>
#include <QFileInfo>

#include "core/files/path_bytes.h"
#include "core/presets/settings_file.h"
#include "core/presets/settings_file_names.h"

namespace core {

int32_t packedFileDate(const QDateTime& localTime) {
    const QDate d = localTime.date();
    const QTime t = localTime.time();
    if (!d.isValid() || !t.isValid() || d.year() < 1980 || d.year() > 2107) return -1;
    const uint32_t date =
        uint32_t(d.year() - 1980) << 9 | uint32_t(d.month()) << 5 | uint32_t(d.day());
    const uint32_t time =
        uint32_t(t.hour()) << 11 | uint32_t(t.minute()) << 5 | uint32_t(t.second() / 2);
    return int32_t(date << 16 | time);
}

QString fileSettingsCacheFolder(const QString& storedFolder, const QString& tempFolder) {
    if (!storedFolder.isEmpty() && QFileInfo(storedFolder).isDir()) return storedFolder;
    return tempFolder + QStringLiteral("/fsets");
}

QString fileSettingsCacheName(int32_t packedDate, const QString& picturePath) {
    return QString::number(packedDate) + QLatin1Char('_') + settingsFileNameOf(picturePath);
}

std::optional<QString> fileSettingsCacheFile(const QString& folder, const QString& picturePath) {
    const QFileInfo picture(picturePath);
    if (picturePath.isEmpty() || !picture.isFile()) return std::nullopt;
    // The date is what tells a changed picture from the one the settings were made for; without
    // one every such picture of the name would share the settings.
    const int32_t date = packedFileDate(picture.lastModified().toLocalTime());
    if (date == -1) return std::nullopt;
    return folder + QLatin1Char('/') + fileSettingsCacheName(date, picturePath);
}

Status storeFileSettings(const QString& folder, const QString& picturePath,
                         const QueueParams& record) {
    const std::optional<QString> file = fileSettingsCacheFile(folder, picturePath);
    if (!file) return failure("ER_CANNOT_SAVE", picturePath);
    if (!makeFolders(folder)) return failure("ER_CANNOT_CREATE_FOLDER", folder);
    // The new file replaces the old one in one step.
    return writeSettingsFile(*file, record);
}

FileSettingsOffer offerFileSettings(int32_t reloadChoice, MessageAsker& asker,
                                    const Language& texts, const QString& picturePath) {
    if (reloadChoice == kReloadNever) return {false, std::nullopt};
    if (reloadChoice == kReloadAlways) return {true, std::nullopt};
    MessageBoxRequest request;
    request.text = picturePath + QStringLiteral("\r\n") +
                   texts.message(QStringLiteral("ALS_RESTORE_FILE_SETTINGS_QUEST"));
    request.title = texts.message(QStringLiteral("ALS_OPEN_NEW_IMAGE"));
    request.style = kButtonsYesNo | kIconQuestion;
    request.customButtons = {{QStringLiteral("ALS_ALWAYS"), kResultAlways, 1.4},
                             {QStringLiteral("ALS_NEVER"), kResultNever, 1.4}};
    switch (asker.ask(request)) {
        case kResultYes:
            return {true, std::nullopt};
        case kResultAlways:
            return {true, kReloadAlways};
        case kResultNever:
            return {false, kReloadNever};
        default:
            // No, or a box that could not be shown.
            return {false, std::nullopt};
    }
}

}  // namespace core
