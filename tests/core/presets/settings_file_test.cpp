#include "core/presets/settings_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "changed_block.h"

namespace {

using core::QueueParams;

core::ImageMarks someMarks() {
    core::ImageMarks m;
    m.noiseAreas.push_back(NoiseAreaEntry{30000, 33000, 31000, 20});
    core::ColorRangeItem range;
    range.Colors = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    range.Tolerance = 44;
    m.colorRanges.push_back(range);
    m.redEyes.push_back(RedEyeEntry{100, 200, 30, 20, 50, 90});
    m.rotation = 3;
    return m;
}

void writeBytes(const QString& path, const std::vector<uint8_t>& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

TEST(SettingsRecord, SimpleModeStoresShadowAndHighlightFactorsAsFollowingTheMidtones) {
    const core::SettingsBlock block = presettest::changedBlock();
    const QueueParams r = core::settingsRecord(block, false, QStringLiteral("/p/a.jpg"), {});
    EXPECT_EQ(r.ExpertMode, 0);
    EXPECT_EQ(r.Settings.NoiseLevelFactor, 1500);
    EXPECT_EQ(r.Settings.ShadowsNoiseFactor, -1);
    EXPECT_EQ(r.Settings.HighlightsNoiseFactor, -1);
    // Nothing else of the block changes.
    core::SettingsBlock rest = r.Settings;
    rest.ShadowsNoiseFactor = block.ShadowsNoiseFactor;
    rest.HighlightsNoiseFactor = block.HighlightsNoiseFactor;
    EXPECT_EQ(rest, block);
}

TEST(SettingsRecord, ExpertModeStoresTheBlockAsItIsWithPictureAndMarks) {
    const core::SettingsBlock block = presettest::changedBlock();
    const core::ImageMarks marks = someMarks();
    const QueueParams r = core::settingsRecord(block, true, QStringLiteral(" /p/a.jpg "), marks);
    EXPECT_EQ(r.ExpertMode, 1);
    EXPECT_EQ(r.SourcePath, "/p/a.jpg");
    EXPECT_EQ(r.Settings, block);
    EXPECT_EQ(r.NoiseAreas.size(), 1u);
    EXPECT_EQ(r.ColorRanges, marks.colorRanges);
    EXPECT_EQ(r.RedEyes.size(), 1u);
    EXPECT_EQ(r.Rotation, 3);
}

TEST(SettingsFile, WrittenThenReadGivesTheSameRecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mine.vrs"));
    const QueueParams written = core::settingsRecord(presettest::changedBlock(), true,
                                                     QStringLiteral("/p/a.jpg"), someMarks());
    ASSERT_TRUE(core::writeSettingsFile(path, written).ok());
    const core::Result<QueueParams> read =
        core::readSettingsRecord(path, core::UnreadableFile::Keep);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value(), written);
}

TEST(SettingsFile, AMissingFileFailsWithItsPath) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("none.vrs"));
    const core::Result<QueueParams> read =
        core::readSettingsRecord(path, core::UnreadableFile::Delete);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.failure(), core::failure("ER_CANNOT_LOAD_SETTINGS", path));
}

// A file of a newer (unknown) version is somebody's settings, not damage: it fails and stays,
// even where damaged files are removed.
TEST(SettingsFile, AFileOfAnUnknownVersionFailsAndIsKept) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("newer.vrs"));
    QueueParams r = core::settingsRecord(core::SettingsBlock{}, true, QStringLiteral("ab"), {});
    std::vector<uint8_t> bytes = core::encodeQueueRecords({r});
    const size_t versionAt = 1 + 4 + 2;
    bytes[versionAt] = 0x40;  // 31002 becomes another number
    bytes[versionAt + 1] = 0x9C;
    writeBytes(path, bytes);
    for (core::UnreadableFile rule : {core::UnreadableFile::Delete, core::UnreadableFile::Keep}) {
        EXPECT_FALSE(core::readSettingsRecord(path, rule).ok());
        EXPECT_TRUE(QFile::exists(path));
    }
}

TEST(SettingsFile, ADamagedFileIsKeptWhenTheUserNamedIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cut.vrs"));
    std::vector<uint8_t> bytes = core::encodeQueueRecords(
        {core::settingsRecord(core::SettingsBlock{}, true, QStringLiteral("ab"), {})});
    bytes.resize(bytes.size() / 2);
    writeBytes(path, bytes);
    EXPECT_FALSE(core::readSettingsRecord(path, core::UnreadableFile::Keep).ok());
    EXPECT_TRUE(QFile::exists(path));
}

TEST(SettingsFile, AFailedWriteLeavesNoFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing-folder/x.vrs"));
    const core::Status written = core::writeSettingsFile(
        path, core::settingsRecord(core::SettingsBlock{}, true, QString(), {}));
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure().key, QStringLiteral("ER_CANNOT_SAVE"));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(SettingsFile, AFailedWriteKeepsThePreviousFile) {
    QTemporaryDir dir;
    // A folder where the file should be: nothing can replace it.
    const QString path = dir.filePath(QStringLiteral("taken.vrs"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.vrs")));
    EXPECT_FALSE(core::writeSettingsFile(
                     path, core::settingsRecord(core::SettingsBlock{}, true, QString(), {}))
                     .ok());
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(PathMessage, IsTheTextASpaceALineBreakAndThePathInQuotes) {
    EXPECT_EQ(core::pathMessage(QStringLiteral("Cannot load the settings file"),
                                QStringLiteral("/p/x.vrs")),
              QStringLiteral("Cannot load the settings file \r\n\"/p/x.vrs\""));
}

}  // namespace
