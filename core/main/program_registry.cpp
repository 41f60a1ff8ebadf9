#include "core/main/program_registry.h"

namespace core {

namespace {

RegistryKey keyIn(const QString& iniFile, const char* path) {
    return RegistryKey(iniFile.isEmpty() ? RegistryKey::defaultIniFile() : iniFile,
                       QString::fromLatin1(path));
}

}  // namespace

RegistryKey programRegistryKey(const QString& iniFile) {
    return keyIn(iniFile, kProgramKeyPath);
}

RegistryKey pluginPathRegistryKey(const QString& iniFile) {
    return keyIn(iniFile, kPluginPathKeyPath);
}

QString dialogFolderValueName(DialogFolder which) {
    return which == DialogFolder::Open ? QStringLiteral("openFolder")
                                       : QStringLiteral("saveFolder");
}

QString readDialogFolder(const RegistryKey& key, DialogFolder which, const QString& programFolder) {
    return key.readString(dialogFolderValueName(which), programFolder);
}

bool writeDialogFolder(RegistryKey& key, DialogFolder which, const QString& folder) {
    return key.writeString(dialogFolderValueName(which), folder);
}

QString lastFolderValueName(int number) {
    return QStringLiteral("LastFolder") + QString::number(number);
}

}  // namespace core
