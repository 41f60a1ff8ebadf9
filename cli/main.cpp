// velmarfilter-cli: the program's batch run without a window, on pictures named on the command
// line or on a queue file.
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>

#include "cli/cli_options.h"
#include "cli/settings_overrides.h"
#include "cli/terminal_reporter.h"
#include "core/batch/batch_run.h"
#include "core/batch/imaging_pictures.h"
#include "core/batch/memory_budget.h"
#include "core/crop/crop_and_resize.h"
#include "core/files/path_bytes.h"
#include "core/i18n/language.h"
#include "core/paths/program_folders.h"
#include "core/queue/queue_file.h"
#include "core/queue/queue_model.h"
#include "core/queue/queue_run_lock.h"
#include "core/queue/shared_queue_file.h"

namespace {

constexpr int kAllDone = 0;
constexpr int kSomethingFailed = 1;
constexpr int kBadUsage = 2;

core::BatchRun* gRun = nullptr;

// Ctrl-C stops the run after the engine's current row; the picture in work is not saved, no
// further one starts, and the summary and exit status say that the run was stopped. A further
// Ctrl-C asks the same again: ending the program at once could leave a half-written temporary
// file beside a target, and the run already stops at the next row.
extern "C" void stopRun(int) {
    if (gRun) gRun->abort();
}

// SIGINT, SIGTERM (a shutdown, kill) and SIGHUP (the terminal closed) all stop the run the same
// way while it lasts; the defaults return afterwards.
class StopSignals {
  public:
    StopSignals() {
        for (const int s : kSignals)
            std::signal(s, stopRun);
    }
    ~StopSignals() {
        for (const int s : kSignals)
            std::signal(s, SIG_DFL);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

  private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
};

// The offscreen platform looks up the per-user runtime folder, and Qt warns on standard error
// when the session names none (a service, a container); the command line never uses that folder.
QtMessageHandler gQtMessages = nullptr;
void withoutRuntimeFolderWarning(QtMsgType type, const QMessageLogContext& context,
                                 const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    if (gQtMessages)
        gQtMessages(type, context, message);
    else
        std::fprintf(stderr, "%s\n",
                     qFormatLogMessage(type, context, message).toLocal8Bit().constData());
}

void printError(const QString& text) {
    std::fprintf(stderr, "velmarfilter-cli: %s\n",
                 cli::escapeControls(text, cli::KeepLineBreaks::Yes).toLocal8Bit().constData());
}

// The settings for the pictures of the command line: the default block or the first record of a
// settings file (whole in record, so that saving it again loses nothing). False (with a message)
// when the file cannot be used.
bool pictureSettings(const QString& path, core::SettingsBlock& settings, bool& expert,
                     core::QueueParams& record) {
    settings = core::defaultSettingsBlock();
    expert = core::defaultProgramOptions().expertMode != 0;
    record = core::makeQueueItem(QString(), expert, settings, nullptr);
    if (path.isEmpty()) return true;
    if (!QFileInfo(path).isFile()) {
        printError(QStringLiteral("%1: no such settings file").arg(path));
        return false;
    }
    const core::RecordFileContent content =
        core::readSettingsFile(path, core::UnreadableFile::Keep);
    if (!content.success) {
        printError(QStringLiteral("%1: cannot load the settings: the file %2")
                       .arg(path, content.problem.isEmpty() ? QStringLiteral("holds no settings")
                                                            : content.problem));
        return false;
    }
    record = content.items.front();
    settings = record.Settings;
    expert = record.ExpertMode != 0;
    return true;
}

// The items of a queue file; a damaged file is kept as FILE.damaged before the run rewrites it.
bool queueItems(const QString& path, std::vector<core::QueueParams>& items, bool& damaged) {
    if (!QFileInfo(path).isFile()) {
        printError(QStringLiteral("%1: no such queue file").arg(path));
        return false;
    }
    if (QFile file(path); !file.open(QIODevice::ReadOnly)) {
        printError(
            QStringLiteral("%1: cannot open the queue file: %2").arg(path, file.errorString()));
        return false;
    }
    const int32_t version = core::probeRecordFileVersion(path);
    if (version != core::SettingsBlock::kVersion) {
        printError(version == 0 ? QStringLiteral("%1: not a queue file").arg(path)
                                : QStringLiteral("%1: a queue file of settings version %2, not %3")
                                      .arg(path)
                                      .arg(version)
                                      .arg(core::SettingsBlock::kVersion));
        return false;
    }
    core::RecordFileContent content = core::readQueueFile(path, core::UnreadableFile::Keep);
    damaged = !content.problem.isEmpty();
    if (damaged) {
        const QString copy = path + QStringLiteral(".damaged");
        QFile::remove(copy);
        const bool kept = QFile::copy(path, copy);
        printError(QStringLiteral("%1: %2; %3 whole items before it are processed%4")
                       .arg(path, content.problem)
                       .arg(content.items.size())
                       .arg(kept ? QStringLiteral(", the file as it was is kept as %1").arg(copy)
                                 : QString()));
    }
    if (content.items.empty()) return false;
    items = std::move(content.items);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Captions are drawn with Qt's font engine, which needs a graphical application; the
    // offscreen platform needs no display and sizes fonts at 96 pixels per inch, so a caption
    // comes out the same on every machine unless the user chooses another platform.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    gQtMessages = qInstallMessageHandler(withoutRuntimeFolderWarning);
    QGuiApplication app(argc, argv);
    // The arguments as bytes: a file name that is not UTF-8 must reach the file unchanged.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << core::decodePath(QByteArray(argv[i]));
    const cli::ParsedCommandLine parsed = cli::parseCommandLine(arguments);
    if (!parsed.options) {
        printError(parsed.error);
        std::fprintf(stderr, "Try 'velmarfilter-cli --help' for more information.\n");
        return kBadUsage;
    }
    const cli::CliOptions& options = *parsed.options;
    if (options.help) {
        std::fputs(cli::usageText().toLocal8Bit().constData(), stdout);
        return kAllDone;
    }
    if (options.version) {
        std::printf("velmarfilter-cli %s\n", VF_VERSION);
        return kAllDone;
    }

    const auto folders = core::ProgramFolders::forProgramFolder(app.applicationDirPath());
    core::Language texts;
    if (!texts.load(folders.languageFile(QStringLiteral("english")))) {
        printError(QStringLiteral("Language library not found! Please reinstall application."));
        return kSomethingFailed;
    }

    std::vector<core::QueueParams> queue;
    core::BatchSetup setup;
    setup.options = options.output;
    setup.defaultUserFolder = folders.defaultOutputFolder();
    setup.defaults = core::defaultSettingsBlock();
    bool damagedQueue = false;
    std::unique_ptr<core::QueueRunLock> queueLock;
    std::shared_ptr<core::RunQueueWriter> queueWriter;
    if (!options.queueFile.isEmpty()) {
        // Held until the run ends: a second run of the same queue would do every item again.
        auto locked = core::QueueRunLock::acquire(options.queueFile,
                                                  std::chrono::seconds(options.queueWaitSeconds));
        if (!locked) {
            printError(locked.failure().detail);
            return kSomethingFailed;
        }
        queueLock = std::move(locked.value());
        if (!queueItems(options.queueFile, queue, damagedQueue)) return kSomethingFailed;
        // Items another writer adds during the run are kept when the file is written back.
        queueWriter = std::make_shared<core::RunQueueWriter>(options.queueFile, queue);
        setup.storeQueue = [queueWriter](const std::vector<core::QueueParams>& items) {
            return queueWriter->store(items);
        };
    } else {
        core::SettingsBlock settings;
        bool expert = true;
        core::QueueParams record;
        if (!pictureSettings(options.settingsFile, settings, expert, record))
            return kSomethingFailed;
        for (const QString& assignment : options.settingAssignments)
            if (const core::Status set = cli::applySetting(settings, assignment); !set) {
                printError(set.failure().detail);
                return kBadUsage;
            }
        if (options.showSettings)
            for (const QString& line :
                 cli::settingsDifferences(settings, core::defaultSettingsBlock()))
                std::printf("%s\n", line.toLocal8Bit().constData());
        if (!options.saveSettingsFile.isEmpty()) {
            record.Settings = settings;
            // Settings made in simple mode derive the shadow and highlight levels from the
            // mid-tone level, as the window writes them.
            if (!expert) {
                record.Settings.ShadowsNoiseFactor = -1;
                record.Settings.HighlightsNoiseFactor = -1;
            }
            if (const core::Status saved =
                    core::writeRecordFile({record}, options.saveSettingsFile);
                !saved) {
                printError(QStringLiteral("%1: cannot save the settings: %2")
                               .arg(options.saveSettingsFile, saved.failure().detail));
                return kSomethingFailed;
            }
        }
        if (options.pictures.isEmpty()) return kAllDone;
        // Settings chosen for pictures in general fit the crop frame to each picture, as adding
        // many pictures to the queue does.
        if ((!options.settingsFile.isEmpty() || !options.settingAssignments.isEmpty()) &&
            settings.CropOn != 0)
            core::prepareForEachPicture(settings);
        // Like adding many pictures at once: each picture derives its shadow and highlight noise
        // from its own detected levels.
        settings.ShadowsNoiseFactor = -1;
        settings.HighlightsNoiseFactor = -1;
        settings.AutoContrastDarkest = -1;
        settings.AutoContrastBrightest = -1;
        for (const QString& picture : options.pictures)
            queue.push_back(core::makeQueueItem(QFileInfo(picture).absoluteFilePath(), expert,
                                                settings, nullptr));
    }

    cli::TerminalReporter reporter(isatty(STDERR_FILENO) != 0);
    core::ImagingPictureSource pictures;
    const core::Result<int64_t> budget = core::memoryBudget(options.memoryBudget);
    if (!budget) {
        printError(budget.failure().detail);
        return kBadUsage;
    }
    pictures.setMemoryBudget(budget.value());
    core::BatchRun run(texts, pictures, reporter);
    gRun = &run;
    // A closed standard output (| head -1) must not end the run: writes there then fail with
    // EPIPE and the reporter stops writing to it.
    std::signal(SIGPIPE, SIG_IGN);
    const StopSignals stopSignals;
    const core::BatchSummary summary = run.run(queue, setup);
    gRun = nullptr;

    const bool allDone = summary.done == summary.total && !summary.aborted && !damagedQueue;
    return allDone ? kAllDone : kSomethingFailed;
}
