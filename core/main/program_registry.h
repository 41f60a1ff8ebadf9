// The program's own key of stored values and the names of its values.
#pragma once

#include <QString>

#include "core/main/registry_key.h"

namespace core {

inline constexpr const char* kProgramKeyPath = "Software/Velmar/VelmarFilter/3";

inline constexpr const char* kValueLanguage = "Language";  // 255: choose from the system
inline constexpr const char* kValueNormalClose = "NormalClose";
inline constexpr const char* kValueLastFile = "LastFile";
inline constexpr const char* kValueReloadLastUsedSettings = "ReloadLastUsedSettings";
inline constexpr const char* kValueAskShadowMaster = "Ask_shadow_master";
inline constexpr const char* kValueUpdateSearch = "Update_search";
inline constexpr const char* kValueImageCachePath = "ImageCachePath";
inline constexpr const char* kValueFileSettingsCachePath = "FileSettingsCachePath";
// The day the key was created, "yyyy-MM-dd"; the update reminder counts from it.
inline constexpr const char* kValueInstallDate = "InstallDate";

inline constexpr int32_t kLanguageFromSystem = 255;

// The key of host plug-in folders and its value (extra folders, each ending with ";").
inline constexpr const char* kPluginPathKeyPath = "Software/Velmar/GWPluginPath";
inline constexpr const char* kValuePathesToPlugins = "PathesToPlugins";

// The program's key in the given file (the user's file when empty).
RegistryKey programRegistryKey(const QString& iniFile = {});
RegistryKey pluginPathRegistryKey(const QString& iniFile = {});

enum class DialogFolder { Open, Save };

// "openFolder" or "saveFolder".
QString dialogFolderValueName(DialogFolder which);
// The stored folder of the dialog, or the program folder when none is stored.
QString readDialogFolder(const RegistryKey& key, DialogFolder which, const QString& programFolder);
bool writeDialogFolder(RegistryKey& key, DialogFolder which, const QString& folder);

// "LastFolder1" ... "LastFolder7".
QString lastFolderValueName(int number);

}  // namespace core
