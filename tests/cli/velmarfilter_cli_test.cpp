// velmarfilter-cli end to end: real photographs in, files checked with ImageMagick and exiftool.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <csignal>

#include "core/queue/queue_file.h"
#include "core/queue/queue_model.h"
#include "core/queue/queue_run_lock.h"
#include "core/queue/shared_queue_file.h"
#include "tests/cli/stopped_process.h"
#include "tests/imaging/mosaic_dng.h"

namespace {

using cli::test::waitUntilStopped;

const QString kPhoto = QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg");

struct CliRun {
    int status = -1;
    QString out, err;
};

CliRun runCli(const QStringList& arguments) {
    QProcess p;
    p.start(QStringLiteral(VF_CLI), arguments);
    CliRun r;
    if (!p.waitForFinished(300000)) return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QString tool(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000)) return QStringLiteral("(did not finish)");
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

// Format, width and height as ImageMagick reads the file.
QString identify(const QString& path) {
    return tool(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%m %w %h"),
                                             path + QStringLiteral("[0]")});
}

// The mean difference between a picture and a blurred copy of it: what noise adds.
double roughness(const QString& path) {
    return tool(
               QStringLiteral("convert"),
               {path + QStringLiteral("[0]"), QStringLiteral("-colorspace"), QStringLiteral("gray"),
                QStringLiteral("("), QStringLiteral("+clone"), QStringLiteral("-blur"),
                QStringLiteral("0x1.5"), QStringLiteral(")"), QStringLiteral("-compose"),
                QStringLiteral("difference"), QStringLiteral("-composite"),
                QStringLiteral("-format"), QStringLiteral("%[fx:mean]"), QStringLiteral("info:")})
        .toDouble();
}

// A run of big.jpg and a second picture that a stop ended during the first: it says so, exits
// with 1 and leaves nothing in the output folder.
void expectStoppedDuringTheFirstPicture(QProcess& p, QByteArray err, const QString& outputFolder) {
    err += p.readAllStandardError();
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << err.constData();
    EXPECT_EQ(p.exitCode(), 1);
    const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << qPrintable(out);
    EXPECT_TRUE(lines[0].startsWith("big.jpg ")) << qPrintable(lines[0]);
    EXPECT_TRUE(lines[0].endsWith("> Aborted")) << qPrintable(lines[0]);
    EXPECT_EQ(lines[1], "Aborted by the user. Finished: 0 of 2 pictures done");
    EXPECT_FALSE(err.contains("[2/2]")) << err.constData();
    EXPECT_TRUE(QDir(outputFolder).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFile::copy(kPhoto, dir.filePath("cups.jpg")));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(CliTest, ARealPhotographWithTheDefaults) {
    const CliRun r = runCli({path("cups.jpg")});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    const QString out = path("filtered/cups_dnr.jpg");
    ASSERT_TRUE(QFile::exists(out)) << qPrintable(r.out);
    EXPECT_EQ(identify(out), "JPEG 320 200");
    // The noise is reduced and the camera's metadata carried over.
    const double before = roughness(path("cups.jpg")), after = roughness(out);
    EXPECT_GT(before, 0.0);
    EXPECT_LT(after, before * 0.8) << before << " -> " << after;
    EXPECT_EQ(tool("exiftool", {"-s3", "-Model", out}), "NEX-3N");
    // The log line, the place of the result and the summary.
    EXPECT_TRUE(r.out.contains(
        QRegularExpression("^cups\\.jpg \\[noise=\\d+(, correction=[-+]\\d+%)?\\] > OK$",
                           QRegularExpression::MultilineOption)))
        << qPrintable(r.out);
    EXPECT_TRUE(r.out.contains("saved as " + out)) << qPrintable(r.out);
    EXPECT_TRUE(r.out.trimmed().endsWith("Finished: 1 of 1 pictures done")) << qPrintable(r.out);
    // The source is untouched and nothing else was left in the folder.
    EXPECT_EQ(QDir(path("filtered")).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(CliTest, FormatsAndNames) {
    const struct {
        QStringList options;
        const char* output;
        const char* identified;
    } cases[] = {
        {{"--format", "png", "--in-place", "--prefix", "p_", "--suffix", ""},
         "p_cups.png",
         "PNG 320 200"},
        {{"--format=tif", "--subfolder", "tiffs"}, "tiffs/cups_dnr.tif", "TIFF 320 200"},
        {{"--format", "bmp", "--output-dir", "OUT"}, "OUT/cups_dnr.bmp", "BMP3 320 200"},
        {{"--format", "psd", "--suffix", "_x"}, "filtered/cups_x.psd", "PSD 320 200"},
        {{"--format", "jpg-progressive", "--jpeg-quality", "7", "--suffix", "_pj"},
         "filtered/cups_pj.jpg",
         "JPEG 320 200"},
        {{"--format", "jp2", "--suffix", "_j2"}, "filtered/cups_j2.jp2", "JP2 320 200"},
    };
    for (const auto& c : cases) {
        QStringList args = c.options;
        for (QString& a : args)
            if (a == "OUT") a = path("out");
        args << path("cups.jpg");
        const QString expected = c.output == QStringLiteral("OUT/cups_dnr.bmp")
                                     ? path("out/cups_dnr.bmp")
                                     : path(c.output);
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, 0) << qPrintable(args.join(' ')) << "\n" << qPrintable(r.err);
        EXPECT_EQ(identify(expected), c.identified) << qPrintable(expected);
        // The photograph's colour profile travels into every format that holds one.
        if (!expected.endsWith(".bmp")) {
            EXPECT_EQ(tool("exiftool", {"-s3", "-ProfileDescription", expected}), "sRGB")
                << qPrintable(expected);
        }
    }
    // Quality step 7 is quality 81: ImageMagick estimates the quality from the tables.
    EXPECT_EQ(tool("identify", {"-format", "%Q", path("filtered/cups_pj.jpg")}), "81");
}

// A camera raw file goes through the decoder program beside the engine library.
TEST_F(CliTest, ACameraRawFile) {
    ASSERT_TRUE(imaging::test::writeMosaicDng(path("mosaic.dng").toStdString()));
    const CliRun r = runCli({"--format", "png", path("mosaic.dng")});
    EXPECT_EQ(r.status, 0) << qPrintable(r.out) << qPrintable(r.err);
    EXPECT_EQ(identify(path("filtered/mosaic_dnr.png")), "PNG 64 48");
}

// JPEG 2000 on a picture without a colour profile or metadata.
TEST_F(CliTest, JpegTwoThousand) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(VF_TEST_DATA "/basn2c08.png"), path("grid.png")));
    const CliRun r = runCli({"--format", "jp2", path("grid.png")});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(identify(path("filtered/grid_dnr.jp2")), "JP2 32 32");
}

TEST_F(CliTest, AnExistingOutputIsKeptWithoutOverwrite) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("filtered"));
    QFile mine(path("filtered/cups_dnr.jpg"));
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("my own file");
    mine.close();
    CliRun r = runCli({path("cups.jpg")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("> the output file already exists and overwriting is switched off"))
        << qPrintable(r.out);
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), "my own file");
    mine.close();
    r = runCli({"--overwrite", path("cups.jpg")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(identify(path("filtered/cups_dnr.jpg")), "JPEG 320 200");
}

TEST_F(CliTest, MissingAndUnreadablePicturesFailAndTheOthersAreDone) {
    QFile text(path("notes.jpg"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("this is not a picture");
    text.close();
    const CliRun r = runCli({path("missing.jpg"), path("notes.jpg"), path("cups.jpg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(path("missing.jpg"))) << qPrintable(r.err);
    EXPECT_TRUE(r.err.contains(path("notes.jpg"))) << qPrintable(r.err);
    EXPECT_TRUE(r.out.contains("missing.jpg > Error: cannot load the picture"))
        << qPrintable(r.out);
    EXPECT_TRUE(r.out.contains("Finished: 1 of 3 pictures done")) << qPrintable(r.out);
    EXPECT_EQ(identify(path("filtered/cups_dnr.jpg")), "JPEG 320 200");
    EXPECT_EQ(QDir(path("filtered")).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(CliTest, AnOutputFolderThatCannotBeMadeIsNamed) {
    QFile blocker(path("filtered"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const CliRun r = runCli({path("cups.jpg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(path("filtered"))) << qPrintable(r.err);
    EXPECT_TRUE(r.out.contains("> Error: cannot save the file \"" + path("filtered/cups_dnr.jpg")))
        << qPrintable(r.out);
}

TEST_F(CliTest, AQueueOfSeveralWithItsOwnSettings) {
    ASSERT_TRUE(QFile::copy(kPhoto, path("second.jpg")));
    core::SettingsBlock strong;
    strong.NoiseLevelFactor = 600;
    strong.SharpenAmount = 30;
    std::vector<core::QueueParams> queue = {
        core::makeQueueItem(path("cups.jpg"), true, strong, nullptr),
        core::makeQueueItem(path("gone.jpg"), true, strong, nullptr),
        core::makeQueueItem(path("second.jpg"), false, core::SettingsBlock{}, nullptr)};
    queue[2].Rotation = 1;
    ASSERT_TRUE(core::writeRecordFile(queue, path("vrq.dat")));
    const CliRun r = runCli({"--queue", path("vrq.dat")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        r.out.contains(QRegularExpression("cups\\.jpg \\[noise=\\d+, correction=-40%\\] > OK")))
        << qPrintable(r.out);
    EXPECT_TRUE(r.out.contains("Finished: 2 of 3 pictures done")) << qPrintable(r.out);
    EXPECT_EQ(identify(path("filtered/cups_dnr.jpg")), "JPEG 320 200");
    EXPECT_EQ(identify(path("filtered/second_dnr.jpg")), "JPEG 200 320");  // a quarter turn
    // Only the failed item is left in the queue file.
    const auto left = core::readQueueFile(path("vrq.dat"));
    ASSERT_EQ(left.items.size(), 1u);
    EXPECT_EQ(core::itemSourcePath(left.items[0]), path("gone.jpg"));
    EXPECT_EQ(left.items[0].Settings, strong);
}

TEST_F(CliTest, ASettingsFile) {
    core::SettingsBlock settings;
    settings.NoiseLevelFactor = 800;
    ASSERT_TRUE(core::writeRecordFile(
        {core::makeQueueItem("/elsewhere/x.jpg", true, settings, nullptr)}, path("mine.vrs")));
    const CliRun r = runCli({"--settings", path("mine.vrs"), path("cups.jpg")});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.out.contains("correction=-20%] > OK")) << qPrintable(r.out);
    EXPECT_TRUE(QFile::exists(path("filtered/cups_dnr.jpg")));
}

TEST_F(CliTest, CorruptSettingsAndQueueFilesAreNamedAndKept) {
    QFile bad(path("bad.vrs"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(3000, 'z'));
    bad.close();
    CliRun r = runCli({"--settings", path("bad.vrs"), path("cups.jpg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(path("bad.vrs"))) << qPrintable(r.err);
    EXPECT_TRUE(QFile::exists(path("bad.vrs")));
    EXPECT_FALSE(QFile::exists(path("filtered")));

    r = runCli({"--queue", path("bad.vrs")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("not a queue file")) << qPrintable(r.err);
    EXPECT_EQ(QFile(path("bad.vrs")).size(), 3000);

    // A queue cut short in its second record: the first is processed, the damaged file kept.
    ASSERT_TRUE(QFile::copy(kPhoto, path("second.jpg")));
    auto bytes =
        core::encodeQueueRecords({core::makeQueueItem(path("cups.jpg"), true, {}, nullptr),
                                  core::makeQueueItem(path("second.jpg"), true, {}, nullptr)});
    bytes.resize(bytes.size() - 10);
    QFile cut(path("cut.dat"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    cut.close();
    r = runCli({"--queue", path("cut.dat")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(path("cut.dat"))) << qPrintable(r.err);
    EXPECT_TRUE(r.err.contains("record 2")) << qPrintable(r.err);
    EXPECT_TRUE(QFile::exists(path("filtered/cups_dnr.jpg")));
    EXPECT_FALSE(QFile::exists(path("filtered/second_dnr.jpg")));
    EXPECT_EQ(QFile(path("cut.dat.damaged")).size(), qint64(bytes.size()));
}

TEST(CliUsage, BadCommandLinesHelpAndVersion) {
    const struct {
        QStringList arguments;
        int status;
        const char* expected;
    } cases[] = {
        {{}, 2, "no picture"},
        {{"--frobnicate", "x.jpg"}, 2, "unknown option --frobnicate"},
        {{"--jpeg-quality", "13", "x.jpg"}, 2, "--jpeg-quality must be 7 to 12"},
        {{"--format", "gif", "x.jpg"}, 2, "unknown format"},
        {{"--suffix", "_toolong", "x.jpg"}, 2, "at most 5 characters"},
        {{"--queue", "q.dat", "x.jpg"}, 2, "not both"},
        // Queue items carry their own settings: a settings file beside a queue is refused
        // rather than silently ignored or applied to some items.
        {{"--settings", "s.vrs", "--queue", "q.dat"}, 2, "--settings applies to pictures"},
        {{"--queue", "q.dat", "--settings", "s.vrs"}, 2, "--settings applies to pictures"},
        {{"--output-dir"}, 2, "--output-dir needs a value"},
        {{"--help"}, 0, "Usage: velmarfilter-cli"},
        {{"--version"}, 0, "velmarfilter-cli "},
    };
    for (const auto& c : cases) {
        const CliRun r = runCli(c.arguments);
        EXPECT_EQ(r.status, c.status) << qPrintable(c.arguments.join(' '));
        EXPECT_TRUE((r.out + r.err).contains(c.expected))
            << qPrintable(c.arguments.join(' ')) << ": " << qPrintable(r.out + r.err);
    }
}

// Name pieces that would lead out of the output folder are refused; limits count characters.
TEST(CliUsage, NamePiecesStayInTheOutputFolder) {
    const struct {
        QStringList arguments;
        const char* expected;
    } cases[] = {
        {{"--suffix", "/../x", "x.jpg"}, "--suffix may not hold a \"/\""},
        {{"--prefix", "../", "x.jpg"}, "--prefix may not hold a \"/\""},
        {{"--subfolder", "../../c4up", "x.jpg"}, "--subfolder is one folder name"},
        {{"--subfolder", "..", "x.jpg"}, "--subfolder must name a folder"},
        {{"--subfolder", ".", "x.jpg"}, "--subfolder must name a folder"},
        {{"--prefix", "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9", "x.jpg"}, "at most 5 characters"},
    };
    for (const auto& c : cases) {
        const CliRun r = runCli(c.arguments);
        EXPECT_EQ(r.status, 2) << qPrintable(c.arguments.join(' '));
        EXPECT_TRUE(r.err.contains(c.expected))
            << qPrintable(c.arguments.join(' ')) << ": " << qPrintable(r.err);
    }
}

TEST_F(CliTest, AFiveCharacterPrefixOfWideCharactersIsAccepted) {
    const QString prefix = QString::fromUtf8("\xC3\xA9\xC3\xA9\xC3\xA9");  // ééé
    const CliRun r = runCli({"--prefix", prefix, path("cups.jpg")});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(identify(path("filtered/") + prefix + "cups_dnr.jpg"), "JPEG 320 200");
}

// Without its language file the program says so and processes nothing. The program is copied
// into a folder of its own, where no language folder exists.
TEST_F(CliTest, AMissingLanguageFileIsReported) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("program"));
    const QString program = path("program/velmarfilter-cli");
    ASSERT_TRUE(QFile::copy(QStringLiteral(VF_CLI), program));
    QProcess p;
    p.start(program, {path("cups.jpg")});
    ASSERT_TRUE(p.waitForFinished(300000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(QString::fromLocal8Bit(p.readAllStandardError()),
              "velmarfilter-cli: Language library not found! Please reinstall application.\n");
    EXPECT_FALSE(QFile::exists(path("filtered")));
}

// Ctrl-C while the first of two pictures is in work, pressed once and twice in a row: the run
// stops, the picture in work is not saved and the second never starts, the summary and exit
// status say so, and no temporary file is left in the output folder. (Two signals sent back to
// back may reach the program as one; the next test delivers a second press on its own.)
TEST_F(CliTest, CtrlCStopsTheRunAndSaysSo) {
    // Large enough that the engine is still at work when the signal arrives.
    ASSERT_EQ(tool(QStringLiteral("convert"),
                   {"-size", "4000x3000", "xc:gray50", "-seed", "3", "-attenuate", "0.3", "+noise",
                    "Gaussian", path("big.jpg")}),
              "");
    ASSERT_TRUE(QFile::exists(path("big.jpg")));
    for (const int presses : {1, 2}) {
        SCOPED_TRACE(presses);
        QProcess p;
        p.setReadChannel(QProcess::StandardError);  // what waitForReadyRead waits for
        p.start(QStringLiteral(VF_CLI), {path("big.jpg"), path("cups.jpg")});
        // The first item's line comes once the run (and its Ctrl-C handling) has begun.
        QByteArray err;
        while (!err.contains("[1/2]") && p.waitForReadyRead(300000))
            err += p.readAllStandardError();
        ASSERT_TRUE(err.contains("[1/2]")) << err.constData();
        for (int i = 0; i < presses; ++i)
            ASSERT_EQ(::kill(pid_t(p.processId()), SIGINT), 0);
        ASSERT_TRUE(p.waitForFinished(300000));
        expectStoppedDuringTheFirstPicture(p, err, path("filtered"));
    }
}

// Signal bit of SIGINT in the masks of /proc/PID/status.
constexpr unsigned long long kSigIntBit = 1ull << (SIGINT - 1);

// The hexadecimal mask on the line of /proc/PID[/task/TID]/status that starts with name.
unsigned long long statusMask(const QString& statusFile, const char* name) {
    QFile f(statusFile);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(name))
            return line.mid(int(qstrlen(name))).trimmed().toULongLong(nullptr, 16);
    return 0;
}

// Whether a SIGINT waits anywhere in the process: for the whole process or for one thread.
bool sigIntPending(pid_t pid) {
    const QString base = QStringLiteral("/proc/%1").arg(pid);
    if (statusMask(base + QStringLiteral("/status"), "ShdPnd:") & kSigIntBit) return true;
    for (const QString& task :
         QDir(base + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (statusMask(base + QStringLiteral("/task/") + task + QStringLiteral("/status"),
                       "SigPnd:") &
            kSigIntBit)
            return true;
    return false;
}

// Lets a stopped process take the signals waiting for it and stops it again: a stop signal is
// taken after the lower-numbered SIGINT, so the process is frozen once its handler has run.
bool deliverAndFreeze(pid_t pid) {
    while (sigIntPending(pid)) {
        if (::kill(pid, SIGCONT) != 0 || ::kill(pid, SIGSTOP) != 0) return false;
        if (!waitUntilStopped(pid)) return false;
    }
    return true;
}

// Two presses of Ctrl-C as two deliveries, not one: two signals sent back to back merge into one
// while the first is still waiting. The program is frozen around each press, so each SIGINT is
// taken by the program's handler while the run is still at work, and the second finds the handler
// still in place: the program neither dies of it nor reports the stop twice.
TEST_F(CliTest, ASecondCtrlCDuringTheStopIsTakenAndChangesNothing) {
    ASSERT_EQ(tool(QStringLiteral("convert"),
                   {"-size", "4000x3000", "xc:gray50", "-seed", "3", "-attenuate", "0.3", "+noise",
                    "Gaussian", path("big.jpg")}),
              "");
    QProcess p;
    p.setReadChannel(QProcess::StandardError);
    p.start(QStringLiteral(VF_CLI), {path("big.jpg"), path("cups.jpg")});
    QByteArray err;
    while (!err.contains("[1/2]") && p.waitForReadyRead(300000))
        err += p.readAllStandardError();
    ASSERT_TRUE(err.contains("[1/2]")) << err.constData();
    const auto pid = pid_t(p.processId());

    ASSERT_EQ(::kill(pid, SIGSTOP), 0);
    ASSERT_TRUE(waitUntilStopped(pid));
    for (int press = 1; press <= 2; ++press) {
        SCOPED_TRACE(press);
        // The handler is in place (the run is frozen inside its stop-signal scope).
        ASSERT_TRUE(statusMask(QStringLiteral("/proc/%1/status").arg(pid), "SigCgt:") & kSigIntBit);
        ASSERT_EQ(::kill(pid, SIGINT), 0);
        ASSERT_TRUE(sigIntPending(pid));
        ASSERT_TRUE(deliverAndFreeze(pid));
        ASSERT_FALSE(sigIntPending(pid));
    }
    ASSERT_EQ(::kill(pid, SIGCONT), 0);
    ASSERT_TRUE(p.waitForFinished(300000));
    expectStoppedDuringTheFirstPicture(p, err, path("filtered"));
}

// SIGTERM (a shutdown) and SIGHUP (the terminal closed) stop the run as Ctrl-C does: the
// summary says so and no temporary file is left behind.
TEST_F(CliTest, TerminationAndHangUpStopTheRunLikeCtrlC) {
    ASSERT_EQ(tool(QStringLiteral("convert"),
                   {"-size", "4000x3000", "xc:gray50", "-seed", "3", "-attenuate", "0.3", "+noise",
                    "Gaussian", path("big.jpg")}),
              "");
    for (const int signal : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        QProcess p;
        p.setReadChannel(QProcess::StandardError);
        p.start(QStringLiteral(VF_CLI), {path("big.jpg"), path("cups.jpg")});
        QByteArray err;
        while (!err.contains("[1/2]") && p.waitForReadyRead(300000))
            err += p.readAllStandardError();
        ASSERT_TRUE(err.contains("[1/2]")) << err.constData();
        ASSERT_EQ(::kill(pid_t(p.processId()), signal), 0);
        ASSERT_TRUE(p.waitForFinished(300000));
        const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 1);
        EXPECT_TRUE(out.trimmed().endsWith("Aborted by the user. Finished: 0 of 2 pictures done"))
            << qPrintable(out);
        EXPECT_TRUE(QDir(path("filtered")).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
}

// A second run of a queue that a run is working on refuses and changes nothing.
TEST_F(CliTest, AQueueInUseByAnotherRunIsRefused) {
    const QString queue = path("vrq.dat");
    ASSERT_TRUE(
        core::writeRecordFile({core::makeQueueItem(path("cups.jpg"), true, {}, nullptr)}, queue)
            .ok());
    const QByteArray before = [&] {
        QFile f(queue);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    {
        auto held = core::QueueRunLock::acquire(queue);
        ASSERT_TRUE(held.ok()) << qPrintable(held.failure().detail);
        const CliRun r = runCli({"--queue", queue});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.contains("is being run by another process")) << qPrintable(r.err);
        EXPECT_FALSE(QFile::exists(path("filtered")));
        QFile f(queue);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before);
    }
    // Once the other run has ended, the queue runs, and its lock goes with it.
    const CliRun r = runCli({"--queue", queue});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_FALSE(QFile::exists(queue));
    EXPECT_FALSE(QFile::exists(queue + ".lock"));
    EXPECT_FALSE(QFile::exists(queue + ".writing"));
}

// A FIFO named like a picture would block the run in open() for ever; it is refused at once.
TEST_F(CliTest, AFifoIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.jpg")).constData(), 0600), 0);
    const CliRun r = runCli({path("pipe.jpg"), path("cups.jpg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(path("pipe.jpg") + "\" is not a file")) << qPrintable(r.err);
    EXPECT_TRUE(r.out.contains("Finished: 1 of 2 pictures done")) << qPrintable(r.out);
    EXPECT_EQ(identify(path("filtered/cups_dnr.jpg")), "JPEG 320 200");
    for (const char* option : {"--queue", "--settings"}) {
        QStringList args = {option, path("pipe.jpg")};
        if (option == QStringLiteral("--settings")) args << path("cups.jpg");
        const CliRun other = runCli(args);
        EXPECT_EQ(other.status, 1) << option;
        EXPECT_TRUE(other.err.contains(path("pipe.jpg"))) << qPrintable(other.err);
    }
}

// The memory budget refuses a picture before it is decoded, from the option or the environment.
TEST_F(CliTest, APictureOverTheMemoryBudgetIsRefused) {
    // 320 x 200 pixels need a few megabytes: more than 1 MB, far less than 64 MB.
    CliRun r = runCli({"--memory-budget", "1", path("cups.jpg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("320 x 200 pixels")) << qPrintable(r.err);
    EXPECT_TRUE(r.err.contains("memory budget of 1 MB")) << qPrintable(r.err);
    EXPECT_FALSE(QFile::exists(path("filtered/cups_dnr.jpg")));

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VF_MEMORY_BUDGET_MB", "1");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VF_CLI), {path("cups.jpg")});
    ASSERT_TRUE(p.waitForFinished(300000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(p.readAllStandardError()).contains("memory budget of 1 MB"));
    // The option wins over the environment.
    p.setArguments({"--memory-budget", "64", path("cups.jpg")});
    p.start();
    ASSERT_TRUE(p.waitForFinished(300000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    EXPECT_TRUE(QFile::exists(path("filtered/cups_dnr.jpg")));

    r = runCli({"--memory-budget", "lots", path("cups.jpg")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("--memory-budget")) << qPrintable(r.err);
}

// photo.jpg and photo.png give one output name: the second fails and the run says so.
TEST_F(CliTest, TwoPicturesWithOneOutputNameTheSecondFails) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(VF_TEST_DATA "/basn2c08.png"), path("cups.png")));
    for (const bool overwrite : {false, true}) {
        QDir(path("filtered")).removeRecursively();
        QStringList args = {path("cups.jpg"), path("cups.png")};
        if (overwrite) args.prepend("--overwrite");
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, 1) << overwrite;
        EXPECT_TRUE(r.out.contains("Finished: 1 of 2 pictures done")) << qPrintable(r.out);
        EXPECT_TRUE(r.err.contains(path("cups.jpg"))) << qPrintable(r.err);
        // The first picture's result is the one kept.
        EXPECT_EQ(identify(path("filtered/cups_dnr.jpg")), "JPEG 320 200");
    }
}

// Long but legal names: a 244-byte source name gives a 248-byte output name.
TEST_F(CliTest, ALongButLegalNameIsSaved) {
    const QString name = QString(240, u'n');
    ASSERT_TRUE(QFile::copy(kPhoto, path(qPrintable(name + ".jpg"))));
    const CliRun r = runCli({path(qPrintable(name + ".jpg"))});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(identify(path(qPrintable("filtered/" + name + "_dnr.jpg"))), "JPEG 320 200");
}

// A queue or settings file that cannot be read is reported with the system's reason.
TEST_F(CliTest, AnUnreadableQueueOrSettingsFileGivesTheReason) {
    for (const char* option : {"--queue", "--settings"}) {
        const QString file = path("locked.dat");
        ASSERT_TRUE(
            core::writeRecordFile({core::makeQueueItem(path("cups.jpg"), true, {}, nullptr)}, file)
                .ok());
        ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::WriteOwner));
        if (QFile(file).open(QIODevice::ReadOnly)) GTEST_SKIP() << "running with privileges";
        QStringList args = {option, file};
        if (option == QStringLiteral("--settings")) args << path("cups.jpg");
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, 1) << option;
        EXPECT_TRUE(r.err.contains("Permission denied")) << option << qPrintable(r.err);
        EXPECT_TRUE(QFile::exists(file));
        ASSERT_TRUE(QFile::remove(file));
    }
}

// A reader that closes the output early (| head -1) does not stop the run: every picture is done.
TEST_F(CliTest, AClosedStandardOutputDoesNotStopTheRun) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        ASSERT_TRUE(QFile::copy(kPhoto, path(name)));
    QProcess shell;
    shell.start("bash", {"-c", QStringLiteral("'%1' '%2' '%3' '%4' | true; echo ${PIPESTATUS[0]}")
                                   .arg(VF_CLI, path("a.jpg"), path("b.jpg"), path("c.jpg"))});
    ASSERT_TRUE(shell.waitForFinished(300000));
    EXPECT_EQ(QString::fromLocal8Bit(shell.readAllStandardOutput()).trimmed(), "0")
        << shell.readAllStandardError().constData();
    for (const char* name : {"a", "b", "c"})
        EXPECT_EQ(identify(path("filtered/") + name + "_dnr.jpg"), "JPEG 320 200") << name;
}

// Control characters in a file name are printed escaped, never sent raw to the terminal.
TEST_F(CliTest, ControlCharactersInNamesArePrintedEscaped) {
    const QString name = QStringLiteral("evil\x1b[31mred.jpg");
    ASSERT_TRUE(QFile::copy(kPhoto, path(qPrintable(name))));
    const CliRun r = runCli({path(qPrintable(name)), path("missing\x07.jpg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.out.contains(QChar(0x1b))) << qPrintable(r.out);
    EXPECT_FALSE(r.err.contains(QChar(0x1b)));
    EXPECT_FALSE(r.err.contains(QChar(0x07)));
    EXPECT_TRUE(r.out.contains("saved as " + path("filtered/evil\\x1b[31mred_dnr.jpg")))
        << qPrintable(r.out);
    EXPECT_TRUE(r.err.contains("missing\\x07.jpg")) << qPrintable(r.err);
    // The file itself has its real name.
    EXPECT_EQ(identify(path(qPrintable("filtered/evil\x1b[31mred_dnr.jpg"))), "JPEG 320 200");
}

// An existing output is found before the picture is loaded: the same result, no time spent.
TEST_F(CliTest, AnExistingOutputIsFoundBeforeProcessing) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("filtered"));
    QFile mine(path("filtered/cups_dnr.jpg"));
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("my own file");
    mine.close();
    const CliRun r = runCli({path("cups.jpg")});
    EXPECT_EQ(r.status, 0);
    // No noise was measured: the picture was never loaded.
    EXPECT_TRUE(r.out.startsWith(
        "cups.jpg > the output file already exists and overwriting is switched off"))
        << qPrintable(r.out);
}

// An item another writer adds to the queue file while a run works on it is still there after the
// run; the run removes only what it finished.
TEST_F(CliTest, AnItemAddedToTheQueueDuringARunIsKept) {
    ASSERT_EQ(tool(QStringLiteral("convert"),
                   {"-size", "3000x2000", "xc:gray50", "-seed", "3", "-attenuate", "0.3", "+noise",
                    "Gaussian", path("big.jpg")}),
              "");
    const QString queue = path("vrq.dat");
    ASSERT_TRUE(
        core::writeRecordFile({core::makeQueueItem(path("big.jpg"), true, {}, nullptr)}, queue)
            .ok());
    QProcess p;
    p.setReadChannel(QProcess::StandardError);
    p.start(QStringLiteral(VF_CLI), {"--queue", queue});
    QByteArray err;
    while (!err.contains("[1/1]") && p.waitForReadyRead(300000))
        err += p.readAllStandardError();
    ASSERT_TRUE(err.contains("[1/1]")) << err.constData();
    const core::QueueParams added = core::makeQueueItem(path("cups.jpg"), true, {}, nullptr);
    ASSERT_TRUE(core::updateQueueFile(queue, [&](std::vector<core::QueueParams>& items) {
                    items.push_back(added);
                }).ok());
    ASSERT_TRUE(p.waitForFinished(300000));
    EXPECT_EQ(p.exitCode(), 0) << (err + p.readAllStandardError()).constData();
    EXPECT_TRUE(QFile::exists(path("filtered/big_dnr.jpg")));
    const auto left = core::readQueueFile(queue);
    ASSERT_EQ(left.items.size(), 1u);
    EXPECT_EQ(left.items[0], added);
}

// A file name written in Latin-1 (not UTF-8) is found, processed and saved under its own bytes,
// named on the command line or in a queue file.
TEST_F(CliTest, ANameThatIsNotUtf8RoundTrips) {
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray source = folder + "/caf\xE9.jpg";
    ASSERT_EQ(::link(QFile::encodeName(path("cups.jpg")).constData(), source.constData()), 0);
    // The shell makes the byte from $'\xe9': the argument reaches the program as it is.
    QProcess shell;
    shell.start("bash",
                {"-c", QStringLiteral("'%1' \"$0\"/$'caf\\xe9.jpg'").arg(VF_CLI), dir.path()});
    ASSERT_TRUE(shell.waitForFinished(300000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().constData();
    const QByteArray out = shell.readAllStandardOutput();
    EXPECT_TRUE(out.contains("caf\\xe9.jpg [noise=")) << out.constData();
    struct stat st {};
    EXPECT_EQ(::stat((folder + "/filtered/caf\xE9_dnr.jpg").constData(), &st), 0)
        << out.constData();

    // The same name in a queue file.
    core::QueueParams item = core::makeQueueItem(path("x.jpg"), true, {}, nullptr);
    item.SourcePath = source.toStdString();
    ASSERT_TRUE(core::writeRecordFile({item}, path("vrq.dat")).ok());
    const CliRun r = runCli({"--overwrite", "--suffix", "_q", "--queue", path("vrq.dat")});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(::stat((folder + "/filtered/caf\xE9_q.jpg").constData(), &st), 0)
        << qPrintable(r.out);
    EXPECT_FALSE(QFile::exists(path("vrq.dat")));
}

}  // namespace
