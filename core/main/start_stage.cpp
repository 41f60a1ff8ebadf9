#include "core/main/start_stage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/main/program_registry.h"
#include "core/settings/record_file.h"

namespace core {

Result<KeyOpening> openProgramKey(RegistryKey& key, const QString& programFolder,
                                  const QDate& today) {
    KeyOpening opening;
    if (!key.exists()) {
        const bool created = key.create({
            {dialogFolderValueName(DialogFolder::Save), programFolder},
            {dialogFolderValueName(DialogFolder::Open), programFolder},
            {QString::fromLatin1(kValueInstallDate), today.toString(QStringLiteral("yyyy-MM-dd"))},
        });
        if (!created) return failure("ER_READ_REGISTRY", key.iniFile());
        opening.firstRun = true;
    }
    const QString normalClose = QString::fromLatin1(kValueNormalClose);
    opening.previousCloseNormal = key.readInt(normalClose, 0) == 1;
    // A file that can be read but not written still lets the program run; the next start then
    // only reads the old marker.
    key.writeInt(normalClose, 0);
    return opening;
}

bool markNormalClose(RegistryKey& key) {
    return key.writeInt(QString::fromLatin1(kValueNormalClose), 1);
}

QStringList pluginFolders(const QString& pathesToPlugins) {
    QStringList folders = pathesToPlugins.split(u';');
    folders.removeLast();  // what follows the last ";" (all of it when there is none)
    QStringList result;
    for (const QString& folder : folders)
        if (!folder.trimmed().isEmpty()) result << folder.trimmed();
    return result;
}

QStringList enablePluginEntryFiles(const QStringList& folders) {
    QStringList done;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        const QString waiting = dir.filePath(QStringLiteral("VelmarFilter.000"));
        const QString entry = dir.filePath(QStringLiteral("VelmarFilter.8BF"));
        if (!QFileInfo(waiting).isFile()) continue;
        if (QFileInfo::exists(entry) && !QFile::remove(entry)) continue;
        if (QFile::rename(waiting, entry)) done << folder;
    }
    return done;
}

StartRecords loadStartRecords(const ProgramFolders& folders) {
    StartRecords records;
    if (auto bytes =
            readRecordFile(folders.settingsFile(), SettingsBlock::kSize, SettingsBlock::kVersion)) {
        records.settings = decodeSettingsBlock(bytes->data());
        records.settingsFromFile = true;
    }
    records.settings.Version = SettingsBlock::kVersion;
    if (auto bytes = readRecordFile(folders.optionsFile(), ProgramOptions::kSize,
                                    ProgramOptions::kVersion)) {
        records.options = decodeProgramOptions(bytes->data());
        records.optionsFromFile = true;
    }
    records.options.version = ProgramOptions::kVersion;
    return records;
}

Result<StartState> runStartStage(const ProgramFolders& folders, RegistryKey& programKey,
                                 const RegistryKey& pluginPathKey, const StartInputs& inputs) {
    StartState state;
    state.commandLine = parseCommandLine(inputs.arguments, folders.program());
    if (inputs.createSessions) {
        Status sessions = inputs.createSessions();
        if (!sessions) return sessions.failure();
    }
    auto opening = openProgramKey(programKey, folders.program(), inputs.today);
    if (!opening) return opening.failure();
    state.key = opening.value();
    if (!state.commandLine.pluginMode) {
        enablePluginEntryFiles(pluginFolders(
            pluginPathKey.readString(QString::fromLatin1(kValuePathesToPlugins), {})));
    }
    state.records = loadStartRecords(folders);
    return state;
}

FirstOpen decideFirstOpen(const StartState& state, const QString& lastFile,
                          const QString& sampleImage,
                          const std::function<bool(const QString&)>& isSupportedPicture) {
    const CommandLine& line = state.commandLine;
    if (line.pluginMode) return {OpenAtStart::ExchangeImage, {}, {}};
    if (!line.fileName.isEmpty() && isSupportedPicture && isSupportedPicture(line.fileName))
        return {OpenAtStart::CommandLineFile, line.fileName,
                QFileInfo(line.fileName).absolutePath()};
    if (state.key.firstRun) {
        if (QFileInfo(sampleImage).isFile())
            return {OpenAtStart::SampleImage, sampleImage, QFileInfo(sampleImage).absolutePath()};
        return {};
    }
    // After a crash the program starts empty: the last picture may be what made it fall.
    if (state.key.previousCloseNormal && !lastFile.isEmpty() && QFileInfo(lastFile).isFile())
        return {OpenAtStart::LastFile, lastFile, {}};
    return {};
}

}  // namespace core
