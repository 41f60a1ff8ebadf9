// velmarfilter-cli's settings options: --set, --show-settings, --save-settings, and the crop they
// switch on, run as a user would.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "core/crop/crop_controls.h"
#include "core/queue/queue_file.h"
#include "core/queue/queue_model.h"

namespace {

const QString kPhoto = QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg");  // 320 x 200

struct CliResult {
    int status = -1;
    QString out, err;
};

CliResult cli(const QStringList& arguments) {
    QProcess p;
    p.start(QStringLiteral(VF_CLI), arguments);
    CliResult r;
    if (!p.waitForFinished(300000)) return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString identify(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("identify"),
            {QStringLiteral("-format"), QStringLiteral("%m %w %h"), path + QStringLiteral("[0]")});
    if (!p.waitForFinished(60000)) return QStringLiteral("(did not finish)");
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class CliSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFile::copy(kPhoto, path("cups.jpg")));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(CliSettingsTest, BadSettingsAreRefusedWithStatusTwo) {
    struct Case {
        QStringList arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"--set", "NoSuchField=1"}, "no setting named \"NoSuchField\""},
        {{"--set", "CropUserWidth=100000"}, "CropUserWidth takes 0 to 99999"},
        {{"--set", "CropOn=2"}, "CropOn takes 0 to 1"},
        {{"--set", "CropOn=yes"}, "CropOn takes a whole number"},
        {{"--set", "CropOn"}, "--set takes NAME=VALUE"},
        {{"--set", "CaptionText=" + QString(256, u'x')}, "CaptionText holds at most 255 bytes"},
        {{"--set", "FrameColor=red"}, "FrameColor takes a colour"},
        {{"--set", "Version=1"}, "cannot be set"},
        {{"--set", "CropOn=1", "--queue", "q.dat"}, "queue items carry their own settings"},
    };
    for (const Case& c : cases) {
        const CliResult r = cli(QStringList(c.arguments) << path("cups.jpg"));
        EXPECT_EQ(r.status, 2) << qPrintable(c.arguments.join(' '));
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << qPrintable(r.err);
    }
    EXPECT_FALSE(QFile::exists(path("filtered")));
}

TEST_F(CliSettingsTest, ShowSettingsListsWhatDiffersFromTheDefaults) {
    CliResult r = cli({"--show-settings"});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, "");
    r = cli({"--set", "cropon=1", "--set", "CaptionText=Kite [date] \u00e9t\u00e9", "--set",
             "NoiseEqualizer=3", "--show-settings"});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    const QString threes = QStringLiteral("3,").repeated(39) + QStringLiteral("3");
    EXPECT_EQ(r.out,
              "CropOn=1\nCaptionText=Kite [date] \u00e9t\u00e9\nNoiseEqualizer=" + threes + "\n");
}

TEST_F(CliSettingsTest, SavedSettingsOpenAsASettingsFile) {
    const QString file = path("kite.vrs");
    CliResult r = cli({"--set", "CropOn=1", "--set", "CropPaperIndex=2", "--set",
                       "CaptionText=Kite [date]", "--save-settings", file});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    const core::RecordFileContent content =
        core::readSettingsFile(file, core::UnreadableFile::Keep);
    ASSERT_TRUE(content.success) << qPrintable(content.problem);
    ASSERT_EQ(content.items.size(), 1u);
    const core::SettingsBlock& s = content.items[0].Settings;
    EXPECT_EQ(s.CropOn, 1);
    EXPECT_EQ(s.CropPaperIndex, 2);
    EXPECT_EQ(s.CaptionText, "Kite [date]");
    EXPECT_EQ(s.CropFitEachImage, 0);  // the file holds the settings, not a queue item's choice
    r = cli({"--settings", file, "--set", "CropWebIndex=3", "--show-settings"});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, "CropOn=1\nCropPaperIndex=2\nCropWebIndex=3\nCaptionText=Kite [date]\n");
}

// Paper row 2 is the 4x6" print, 1800 x 1200 pixels: every picture gets its own 3:2 frame.
TEST_F(CliSettingsTest, CropOnFitsAFrameToEachPictureAndResizesIt) {
    QProcess turn;
    turn.start(QStringLiteral("convert"), {path("cups.jpg"), QStringLiteral("-rotate"),
                                           QStringLiteral("90"), path("tall.jpg")});
    ASSERT_TRUE(turn.waitForFinished(60000));
    ASSERT_EQ(identify(path("tall.jpg")), "JPEG 200 320");
    CliResult r = cli({"--set", "CropOn=1", "--set", "CropPaperIndex=2", "--save-settings",
                       path("print.vrs"), path("cups.jpg"), path("tall.jpg")});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(identify(path("filtered/cups_dnr.jpg")), "JPEG 1800 1200");
    EXPECT_EQ(identify(path("filtered/tall_dnr.jpg")), "JPEG 1200 1800");

    // The same settings from the file give the same bytes.
    const QByteArray first = contents(path("filtered/cups_dnr.jpg"));
    ASSERT_FALSE(first.isEmpty());
    r = cli({"--settings", path("print.vrs"), "--overwrite", path("cups.jpg")});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(contents(path("filtered/cups_dnr.jpg")), first);
}

// Queue items as the window stores them: one straightened and cropped to its own frame, one
// fitting a frame to the picture, one whose frame was made for another picture size.
TEST_F(CliSettingsTest, AQueueWithCropAndStraighteningRunsToTheEnd) {
    core::CropControls c;
    c.cropOn = true;
    c.size.sizeKind = core::kCropUser;
    c.size.userResizeOn = true;
    c.size.userWidth = 150;
    c.size.userHeight = 100;
    c.frame = {240, 160, 40, 20};
    c.angle = 2.5f;
    core::SettingsBlock straightened;
    core::storeCropControls(c, 320, 200, true, straightened);
    core::SettingsBlock fitted;
    fitted.CropOn = 1;
    fitted.CropSizeKind = core::kCropWeb;
    fitted.CropWebIndex = 1;  // 640 x 480
    fitted.CropFitEachImage = 1;
    core::SettingsBlock elsewhere = straightened;
    elsewhere.CropImageWidth = 640;
    ASSERT_TRUE(QFile::copy(kPhoto, path("b.jpg")));
    ASSERT_TRUE(QFile::copy(kPhoto, path("c.jpg")));
    const QString queue = path("vrq.dat");
    ASSERT_TRUE(
        core::writeRecordFile({core::makeQueueItem(path("cups.jpg"), true, straightened, nullptr),
                               core::makeQueueItem(path("b.jpg"), true, fitted, nullptr),
                               core::makeQueueItem(path("c.jpg"), true, elsewhere, nullptr)},
                              queue));
    const CliResult r = cli({"--queue", queue});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err) << qPrintable(r.out);
    EXPECT_EQ(identify(path("filtered/cups_dnr.jpg")), "JPEG 150 100");
    EXPECT_EQ(identify(path("filtered/b_dnr.jpg")), "JPEG 640 480");
    EXPECT_EQ(identify(path("filtered/c_dnr.jpg")), "JPEG 320 200");
    EXPECT_FALSE(QFile::exists(queue));  // every item done
}

TEST_F(CliSettingsTest, AnOutputThatWouldReplaceThePictureIsRefused) {
    const QByteArray before = contents(path("cups.jpg"));
    const CliResult r = cli({"--in-place", "--suffix", "", "--overwrite", path("cups.jpg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("the output file would be the picture itself")) << qPrintable(r.err);
    EXPECT_EQ(contents(path("cups.jpg")), before);
}

}  // namespace
