// Saving the stored records by mode: 0 the settings block and the program options, 1 the settings
// block only, 2 nothing, 3 the program options and the navigator's recent folders. Each record is
// written whole; a file that cannot be written keeps its old content.
#pragma once

#include <QString>
#include <functional>

#include "core/errors/result.h"
#include "core/paths/program_folders.h"
#include "core/settings/program_options.h"
#include "core/settings/settings_block.h"

namespace core {

enum class SaveMode : int {
    SettingsAndOptions = 0,
    SettingsOnly = 1,
    Nothing = 2,
    OptionsAndRecentFolders = 3,
};

struct SavedRecords {
    const SettingsBlock& settings;
    const ProgramOptions& options;
    // Writes the recent folders (mode 3); may be empty.
    std::function<void()> saveRecentFolders;
};

// The settings block goes to path, or to "vr.dat" when path is empty; the options to "vri.dat".
// The first failure is returned; the other record is written all the same.
Status saveSettings(SaveMode mode, const QString& path, const ProgramFolders& folders,
                    const SavedRecords& records);

}  // namespace core
