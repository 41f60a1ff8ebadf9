#include "core/settings/record_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

void writeBytes(const QString& path, const std::vector<uint8_t>& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

class RecordFileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(name); }
};

TEST_F(RecordFileTest, AStoredBlockIsReadBack) {
    core::SettingsBlock b;
    b.SharpenAmount = 37;
    b.CaptionText = "holiday";
    ASSERT_TRUE(core::saveSettingsBlock(path("vr.dat"), b));
    EXPECT_EQ(QFile(path("vr.dat")).size(), 1271);
    EXPECT_EQ(core::loadSettingsBlock(path("vr.dat")), b);
    EXPECT_TRUE(QFile::exists(path("vr.dat")));
}

TEST_F(RecordFileTest, BadFilesAreReplacedByTheDefaultsAndDeleted) {
    core::SettingsBlock changed;
    changed.SharpenAmount = 37;
    auto shortFile = core::encodeSettingsBlock(changed);
    shortFile.resize(1270);
    changed.Version = 30001;
    const auto oldVersion = core::encodeSettingsBlock(changed);
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {{"1270 bytes", shortFile}, {"version 30001", oldVersion}, {"empty", {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(path("vr.dat"), c.bytes);
        EXPECT_EQ(core::loadSettingsBlock(path("vr.dat")), core::defaultSettingsBlock());
        EXPECT_FALSE(QFile::exists(path("vr.dat")));
    }
}

// A record file that cannot be opened says nothing about its content: the defaults are used for
// this run and the file stays for the user to mend. Here a link to a folder stands in its place
// (opening it fails even for the superuser); removing the link would be the deletion.
TEST_F(RecordFileTest, AFileThatCannotBeOpenedGivesTheDefaultsAndIsKept) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    for (const char* name : {"vr.dat", "vri.dat"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(QFile::link(path("folder"), path(name)));
    }
    EXPECT_EQ(core::loadSettingsBlock(path("vr.dat")), core::defaultSettingsBlock());
    EXPECT_EQ(core::loadProgramOptions(path("vri.dat")), core::defaultProgramOptions());
    for (const char* name : {"vr.dat", "vri.dat"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(QFileInfo(path(name)).isSymLink());
    }
}

TEST_F(RecordFileTest, AMissingFileGivesTheDefaults) {
    EXPECT_EQ(core::loadSettingsBlock(path("none.dat")), core::defaultSettingsBlock());
    EXPECT_EQ(core::loadProgramOptions(path("none.dat")), core::defaultProgramOptions());
}

TEST_F(RecordFileTest, ProgramOptionsOfAnotherVersionAreReplaced) {
    core::ProgramOptions o;
    o.jpegQualityIndex = 2;
    ASSERT_TRUE(core::saveProgramOptions(path("vri.dat"), o));
    EXPECT_EQ(core::loadProgramOptions(path("vri.dat")), o);
    o.version = 31006;
    writeBytes(path("vri.dat"), core::encodeProgramOptions(o));
    EXPECT_EQ(core::loadProgramOptions(path("vri.dat")), core::defaultProgramOptions());
    EXPECT_FALSE(QFile::exists(path("vri.dat")));
}

TEST_F(RecordFileTest, WritingIntoAMissingFolderFailsAndLeavesNothing) {
    EXPECT_FALSE(core::saveSettingsBlock(path("no/such/vr.dat"), core::SettingsBlock{}));
    EXPECT_FALSE(QFile::exists(path("no/such/vr.dat")));
}

}  // namespace
