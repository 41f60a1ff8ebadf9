// The start-up stage after the language and the single-instance check: the command line, the
// imaging sessions (by the caller), the program's key of stored values, the plug-in entry files
// of the host programs, and the two stored records. Then what the first activation opens.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

#include "core/errors/result.h"
#include "core/main/command_line.h"
#include "core/main/registry_key.h"
#include "core/paths/program_folders.h"
#include "core/settings/program_options.h"
#include "core/settings/settings_block.h"

namespace core {

struct KeyOpening {
    bool firstRun = false;             // the key was created in this start
    bool previousCloseNormal = false;  // "NormalClose" was 1
};

// Opens the program's key, creating it with the two dialog folders (the program folder) and the
// installation date when it is missing; reads "NormalClose" and writes 0 at once, so that a crash
// leaves 0 behind. Fails with "ER_READ_REGISTRY" when the key can neither be read nor created.
Result<KeyOpening> openProgramKey(RegistryKey& key, const QString& programFolder,
                                  const QDate& today);

// The last step of a complete close.
bool markNormalClose(RegistryKey& key);

// The folders of a "PathesToPlugins" value: each ends with ";", text after the last ";" is not a
// folder; empty entries are skipped.
QStringList pluginFolders(const QString& pathesToPlugins);

// In each folder, "VelmarFilter.000" becomes "VelmarFilter.8BF", replacing an older one; a folder
// where the old file cannot be removed keeps both as they are. Returns the folders done.
QStringList enablePluginEntryFiles(const QStringList& folders);

struct StartRecords {
    SettingsBlock settings;  // from "vr.dat", or the defaults
    bool settingsFromFile = false;
    ProgramOptions options;  // from "vri.dat", or the defaults
    bool optionsFromFile = false;
};

// "vr.dat" and "vri.dat" read whole at their versions; a file that is short or of another
// version is replaced by the defaults and deleted.
StartRecords loadStartRecords(const ProgramFolders& folders);

struct StartState {
    CommandLine commandLine;
    KeyOpening key;
    StartRecords records;
};

struct StartInputs {
    QStringList arguments;  // without the executable
    QDate today;
    // Creates the imaging sessions 1 to 12 between the command line and the key; its failure
    // ("ER_CREATE_GRAPH_SESSION") ends the start.
    std::function<Status()> createSessions;
};

// The whole stage in its order. pluginPathKey holds "PathesToPlugins".
Result<StartState> runStartStage(const ProgramFolders& folders, RegistryKey& programKey,
                                 const RegistryKey& pluginPathKey, const StartInputs& inputs);

enum class OpenAtStart {
    Nothing,
    ExchangeImage,    // plug-in mode: the image of "imgBuf.dat"
    CommandLineFile,  // the named picture, with the navigator at its folder
    LastFile,         // "LastFile" of a session that ended normally
    SampleImage,      // first run: "images/sample.jpg", with the navigator at its folder
};

struct FirstOpen {
    OpenAtStart what = OpenAtStart::Nothing;
    QString path;
    QString navigatorFolder;  // empty: leave the navigator where it is
};

// What the first activation opens. A picture named on the command line is opened on the first
// run too, ahead of the sample.
FirstOpen decideFirstOpen(const StartState& state, const QString& lastFile,
                          const QString& sampleImage,
                          const std::function<bool(const QString&)>& isSupportedPicture);

}  // namespace core
