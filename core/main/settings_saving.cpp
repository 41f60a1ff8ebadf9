#include "core/main/settings_saving.h"

#include "core/settings/record_file.h"

namespace core {

Status saveSettings(SaveMode mode, const QString& path, const ProgramFolders& folders,
                    const SavedRecords& records) {
    Status result;
    const auto keepFirst = [&result](Status s) {
        if (result && !s) result = s;
    };
    const bool block = mode == SaveMode::SettingsAndOptions || mode == SaveMode::SettingsOnly;
    const bool options =
        mode == SaveMode::SettingsAndOptions || mode == SaveMode::OptionsAndRecentFolders;
    if (block)
        keepFirst(
            saveSettingsBlock(path.isEmpty() ? folders.settingsFile() : path, records.settings));
    if (options) keepFirst(saveProgramOptions(folders.optionsFile(), records.options));
    if (mode == SaveMode::OptionsAndRecentFolders && records.saveRecentFolders)
        records.saveRecentFolders();
    return result;
}

}  // namespace core
