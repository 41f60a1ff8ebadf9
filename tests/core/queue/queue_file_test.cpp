#include "core/queue/queue_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/queue/queue_model.h"
#include "imaging/file_io.h"

namespace {

using core::ColorRangeItem;
using core::QueueParams;

std::vector<uint8_t> fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray all = f.readAll();
    return std::vector<uint8_t>(all.begin(), all.end());
}

void writeBytes(const QString& path, const std::vector<uint8_t>& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

int32_t intAt(const std::vector<uint8_t>& b, size_t offset) {
    return int32_t(uint32_t(b[offset]) | uint32_t(b[offset + 1]) << 8 |
                   uint32_t(b[offset + 2]) << 16 | uint32_t(b[offset + 3]) << 24);
}

ColorRangeItem colourRange(int seed, int areas) {
    ColorRangeItem r;
    for (int i = 0; i < 9; ++i)
        r.Colors[i] = uint16_t(1000 * seed + 7 * i);
    r.Tolerance = 40 + seed;
    for (int a = 0; a < areas; ++a)
        r.Areas.push_back({a % 2, 10 * a + seed, 20 * a, 30 + a, 40 + a});
    r.AreaCount = areas;
    r.AreasInclude = seed % 2;
    return r;
}

// An item with every kind of array filled.
QueueParams fullItem(int seed) {
    QueueParams item;
    item.ExpertMode = uint8_t(seed % 2);
    item.SourcePath =
        "/photos/trip " + std::to_string(seed) + "/IMG_" + std::to_string(seed) + ".JPG";
    item.Settings.SharpenAmount = seed;
    item.Settings.CaptionText = "caption";
    item.Settings.ShadowsNoiseFactor = -1;
    item.NoiseAreas = {{100, 0x8000, 0x7F00, 50}, {65535, 1, 2, -50}};
    item.ColorRanges = {colourRange(seed, 0), colourRange(seed + 1, 3)};
    item.RedEyes = {{1, 2, 3, 4, 5, 6}, {-7, 8, 0, 0, 50, 100}};
    item.Rotation = uint8_t(seed % 4);
    return item;
}

class QueueFileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path(const char* name = "vrq.dat") const { return dir.filePath(name); }
};

TEST_F(QueueFileTest, AnEmptyRecordIs1289Bytes) {
    QueueParams item;
    std::vector<uint8_t> bytes;
    core::encodeQueueRecord(item, bytes);
    EXPECT_EQ(bytes.size(), 1u + 4 + 0 + 1271 + 4 + 4 + 4 + 1);
    EXPECT_EQ(intAt(bytes, 5), 31002);  // the settings start after the empty path
}

TEST_F(QueueFileTest, AColourRangeWithThreeAreasIs90BytesAndStoresTheArrayLength) {
    QueueParams item;
    item.ColorRanges = {colourRange(1, 3)};
    item.ColorRanges[0].AreaCount = 7;  // a stale stored count is not written
    std::vector<uint8_t> bytes;
    core::encodeQueueRecord(item, bytes);
    EXPECT_EQ(bytes.size(), 1289u + 90);
    const size_t range = 1 + 4 + 1271 + 4 + 4;
    EXPECT_EQ(intAt(bytes, range + 22), 3);
    EXPECT_EQ(intAt(bytes, range + 18), item.ColorRanges[0].Tolerance);
    EXPECT_EQ(intAt(bytes, range + 86), item.ColorRanges[0].AreasInclude);
}

TEST_F(QueueFileTest, RecordsRoundTripWithEveryArrayKind) {
    std::vector<QueueParams> items = {fullItem(1), QueueParams{}, fullItem(2)};
    items[1].SourcePath = "plain.jpg";
    ASSERT_TRUE(core::writeRecordFile(items, path()));
    const auto read = core::readQueueFile(path());
    EXPECT_TRUE(read.success);
    EXPECT_TRUE(read.problem.isEmpty());
    ASSERT_EQ(read.items.size(), 3u);
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(read.items[i], items[i]) << i;
}

TEST_F(QueueFileTest, WritingAnEmptyQueueDeletesTheFile) {
    ASSERT_TRUE(core::writeRecordFile({fullItem(1)}, path()));
    ASSERT_TRUE(QFile::exists(path()));
    EXPECT_TRUE(core::writeRecordFile({}, path()));
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(QueueFileTest, AMissingFileIsAnEmptySuccess) {
    const auto read = core::readQueueFile(path("none.dat"));
    EXPECT_TRUE(read.success);
    EXPECT_TRUE(read.items.empty());
}

TEST_F(QueueFileTest, AFileOfFourBytesYieldsNothingAndIsDeleted) {
    writeBytes(path(), {1, 2, 3, 4});
    const auto read = core::readQueueFile(path());
    EXPECT_FALSE(read.success);
    EXPECT_TRUE(read.items.empty());
    EXPECT_FALSE(read.problem.isEmpty());
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(QueueFileTest, TruncationKeepsTheWholeRecordsBeforeIt) {
    const std::vector<QueueParams> items = {fullItem(1), fullItem(2), fullItem(3)};
    const auto whole = core::encodeQueueRecords(items);
    std::vector<uint8_t> one;
    core::encodeQueueRecord(items[0], one);
    const size_t r = one.size();  // the three records have the same length
    ASSERT_EQ(whole.size(), 3 * r);
    const struct {
        size_t cut;
        size_t expected;
    } cases[] = {{5, 0},         {r - 1, 0},        {r + 1, 1},     {r + 3, 1},      {r + 1300, 1},
                 {2 * r + 1, 2}, {2 * r + 1290, 2}, {3 * r - 1, 2}, {3 * r - 30, 2}, {3 * r, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cut);
        writeBytes(path(), std::vector<uint8_t>(whole.begin(), whole.begin() + c.cut));
        const auto read = core::readQueueFile(path());
        ASSERT_EQ(read.items.size(), c.expected);
        for (size_t i = 0; i < c.expected; ++i)
            EXPECT_EQ(read.items[i], items[i]);
        EXPECT_EQ(read.success, c.expected > 0);
        EXPECT_EQ(read.problem.isEmpty(), c.cut == whole.size());
        // A damaged file is left as it is; one that yielded nothing is deleted.
        EXPECT_EQ(QFile::exists(path()), c.expected > 0);
    }
}

TEST_F(QueueFileTest, AHugeCountEndsTheReadingWithoutAllocating) {
    auto bytes = core::encodeQueueRecords({fullItem(1), fullItem(2)});
    std::vector<uint8_t> first;
    core::encodeQueueRecord(fullItem(1), first);
    const size_t count = first.size() + 1 + 4 + fullItem(2).SourcePath.size() + 1271;
    for (int32_t bad : {0x7FFFFFFF, -1, 1000000}) {
        SCOPED_TRACE(bad);
        for (int i = 0; i < 4; ++i)
            bytes[count + i] = uint8_t(uint32_t(bad) >> (8 * i));
        writeBytes(path(), bytes);
        const auto read = core::readQueueFile(path());
        ASSERT_EQ(read.items.size(), 1u);
        EXPECT_EQ(read.items[0], fullItem(1));
        EXPECT_TRUE(read.problem.contains("record 2"));
    }
    // The same for the path length of the first record.
    bytes[1] = bytes[2] = bytes[3] = 0xFF;
    bytes[4] = 0x7F;
    writeBytes(path(), bytes);
    EXPECT_TRUE(core::readQueueFile(path()).items.empty());
}

TEST_F(QueueFileTest, ARecordOfAnotherVersionEndsTheQueue) {
    std::vector<QueueParams> items = {fullItem(1), fullItem(2), fullItem(3)};
    items[1].Settings.Version = 30001;
    ASSERT_TRUE(core::writeRecordFile(items, path()));
    const auto read = core::readQueueFile(path());
    ASSERT_EQ(read.items.size(), 1u);
    EXPECT_TRUE(read.problem.contains("30001"));
    EXPECT_EQ(core::readRecordFile(path(), false).items.size(), 3u);
}

TEST_F(QueueFileTest, ProbingReadsTheFirstRecordsVersion) {
    std::vector<QueueParams> items = {fullItem(1)};
    items[0].Settings.Version = 30001;
    ASSERT_TRUE(core::writeRecordFile(items, path()));
    EXPECT_EQ(core::probeRecordFileVersion(path()), 30001);
    writeBytes(path(), {0, 2, 0, 0, 0, 'a', 'b', 1, 2});
    EXPECT_EQ(core::probeRecordFileVersion(path()), 0);  // short of the version
    writeBytes(path(), {0, 0, 0, 0, 0, 0x1A, 0x79, 0, 0});
    EXPECT_EQ(core::probeRecordFileVersion(path()), 31002);
    EXPECT_EQ(core::probeRecordFileVersion(path("none.dat")), 0);
}

TEST_F(QueueFileTest, ASettingsFileOfThePreviousVersionIsUpgradedInPlace) {
    std::vector<QueueParams> items = {fullItem(1), fullItem(2)};
    for (QueueParams& item : items) {
        item.Settings.Version = 30001;
        item.Settings.AutoContrastDarkest = 12;
        item.Settings.AutoContrastBrightest = 88;
    }
    ASSERT_TRUE(core::writeRecordFile(items, path("old.vrs")));
    const auto read = core::readSettingsFile(path("old.vrs"));
    ASSERT_TRUE(read.success);
    ASSERT_EQ(read.items.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        QueueParams expected = items[i];
        expected.Settings.Version = 31002;
        expected.Settings.AutoContrastDarkest = -1;
        expected.Settings.AutoContrastBrightest = -1;
        EXPECT_EQ(read.items[i], expected);
    }
    EXPECT_EQ(core::probeRecordFileVersion(path("old.vrs")), 31002);
}

TEST_F(QueueFileTest, ASettingsFileOfAnUnknownVersionIsLeftAlone) {
    std::vector<QueueParams> items = {fullItem(1)};
    items[0].Settings.Version = 29000;
    ASSERT_TRUE(core::writeRecordFile(items, path("odd.vrs")));
    const auto before = fileBytes(path("odd.vrs"));
    const auto read = core::readSettingsFile(path("odd.vrs"));
    EXPECT_FALSE(read.success);
    EXPECT_TRUE(read.items.empty());
    EXPECT_EQ(fileBytes(path("odd.vrs")), before);
}

TEST_F(QueueFileTest, ACurrentSettingsFileIsReadAsIs) {
    ASSERT_TRUE(core::writeRecordFile({fullItem(3)}, path("mine.vrs")));
    const auto read = core::readSettingsFile(path("mine.vrs"));
    ASSERT_TRUE(read.success);
    ASSERT_EQ(read.items.size(), 1u);
    EXPECT_EQ(read.items[0], fullItem(3));
}

TEST_F(QueueFileTest, AFailedWriteKeepsThePreviousFile) {
    ASSERT_TRUE(core::writeRecordFile({fullItem(1)}, path()));
    const std::vector<uint8_t> before = fileBytes(path());
    ASSERT_FALSE(before.empty());
    EXPECT_FALSE(core::writeRecordFile({fullItem(2)}, path("missing/folder/vrq.dat")));
    EXPECT_FALSE(QFile::exists(path("missing/folder/vrq.dat")));

    // The disk fills up part-way through the new content: the old queue is still there, byte for
    // byte, the failure says why, and no temporary file is left beside it.
    const std::vector<QueueParams> longer = {fullItem(2), fullItem(3), fullItem(4)};
    for (const std::size_t written : {std::size_t(0), std::size_t(7), before.size()}) {
        SCOPED_TRACE(written);
        core::Status failed;
        {
            imaging::ScopedWriteFailure full(written);
            failed = core::writeRecordFile(longer, path());
        }
        ASSERT_FALSE(failed);
        EXPECT_EQ(failed.failure().key, "ER_CANNOT_SAVE");
        EXPECT_TRUE(failed.failure().detail.contains("No space left on device"))
            << qPrintable(failed.failure().detail);
        EXPECT_EQ(fileBytes(path()), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"vrq.dat"});
        const auto read = core::readQueueFile(path());
        ASSERT_EQ(read.items.size(), 1u);
        EXPECT_EQ(read.items[0].SourcePath, fullItem(1).SourcePath);
    }
}

// Opening fails (a link to a folder stands in the file's place, which the superuser cannot open
// either): the problem gives the system's reason and the queue file is not deleted, whichever
// rule applies to files that were read.
TEST_F(QueueFileTest, AFileThatCannotBeOpenedIsKeptAndTheReasonGiven) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_TRUE(QFile::link(path("folder"), path()));
    for (const auto unreadable : {core::UnreadableFile::Delete, core::UnreadableFile::Keep}) {
        SCOPED_TRACE(int(unreadable));
        for (const auto& read : {core::readQueueFile(path(), unreadable),
                                 core::readSettingsFile(path(), unreadable)}) {
            EXPECT_FALSE(read.success);
            EXPECT_TRUE(read.items.empty());
            EXPECT_FALSE(read.problem.isEmpty());
            EXPECT_TRUE(QFileInfo(path()).isSymLink());
        }
    }
    const auto read = core::readQueueFile(path());
    EXPECT_TRUE(read.problem.startsWith("cannot be opened: ")) << qPrintable(read.problem);
    EXPECT_GT(read.problem.size(), QString("cannot be opened: ").size());
}

}  // namespace

namespace {

TEST(QueueFileKeep, AFileTheUserNamedIsKeptEvenWhenNothingCanBeRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath("mine.dat");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a queue at all");
    f.close();
    const auto read = core::readQueueFile(path, core::UnreadableFile::Keep);
    EXPECT_FALSE(read.success);
    EXPECT_FALSE(read.problem.isEmpty());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(core::readSettingsFile(path, core::UnreadableFile::Keep).success);
    EXPECT_TRUE(QFile::exists(path));
}

}  // namespace

namespace {

class SettingsFileByUserTest : public ::testing::Test {
  protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

// A settings file of the previous version that the user named is used as upgraded, and never
// rewritten: a read-only one serves as well as a writable one.
TEST_F(SettingsFileByUserTest, APreviousVersionFileIsUpgradedInMemoryOnly) {
    for (const bool readOnly : {false, true}) {
        QueueParams old =
            core::makeQueueItem("/p/a.jpg", true, core::defaultSettingsBlock(), nullptr);
        old.Settings.Version = 30001;
        old.Settings.AutoContrastDarkest = 12;
        const QString file = path(readOnly ? "ro.vrs" : "rw.vrs");
        ASSERT_TRUE(core::writeRecordFile({old}, file).ok());
        if (readOnly) {
            ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner));
        }
        const auto before = fileBytes(file);
        const auto read = core::readSettingsFile(file, core::UnreadableFile::Keep);
        ASSERT_TRUE(read.success) << readOnly << qPrintable(read.problem);
        ASSERT_EQ(read.items.size(), 1u);
        EXPECT_EQ(read.items[0].Settings.Version, 31002);
        EXPECT_EQ(read.items[0].Settings.AutoContrastDarkest, -1);
        EXPECT_TRUE(read.problem.isEmpty());
        EXPECT_EQ(fileBytes(file), before);
    }
}

// An unreadable file is reported with the system's reason, not as "not a settings file".
TEST_F(SettingsFileByUserTest, AnUnreadableFileGivesTheSystemsReason) {
    const QString file = path("locked.vrs");
    ASSERT_TRUE(
        core::writeRecordFile(
            {core::makeQueueItem("/p/a.jpg", true, core::defaultSettingsBlock(), nullptr)}, file)
            .ok());
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::WriteOwner));
    if (QFile(file).open(QIODevice::ReadOnly)) GTEST_SKIP() << "running with privileges";
    for (const auto unreadable : {core::UnreadableFile::Keep, core::UnreadableFile::Delete}) {
        const auto read = core::readSettingsFile(file, unreadable);
        EXPECT_FALSE(read.success);
        EXPECT_TRUE(read.problem.contains("Permission denied")) << qPrintable(read.problem);
        EXPECT_TRUE(QFile::exists(file));
    }
}

}  // namespace
