// Where settings files live and what they are called: the preset folders (one per tuning tab, and
// "common" for the general settings), the name proposed beside a picture, the ".vrs" extension and
// the file dialogs' filter.
#pragma once

#include <QString>

namespace core {

inline constexpr const char* kSettingsExtension = ".vrs";
// The group of the general settings inside the presets folder.
inline constexpr const char* kCommonPresetGroup = "common";
// The dialogs' filter, as pairs of "description|pattern".
inline constexpr const char* kSettingsFileFilter = "Velmar Filter settings (*.vrs)|*.vrs";

// presetsFolder + "/" + group.
QString presetGroupFolder(const QString& presetsFolder, const QString& group);

// The path with its extension replaced by ".vrs" (added when it has none). Only the file name's
// last dot counts, never one in a folder name.
QString withSettingsExtension(const QString& path);

// The picture's file name (no folder) with ".vrs" instead of its extension.
QString settingsFileNameOf(const QString& picturePath);

// "description|pattern|description|pattern" as Qt's dialogs take it: "description (pattern)"
// joined by ";;"; a description that already names its pattern is kept as it is.
QString dialogFilter(const QString& pairs);

}  // namespace core
