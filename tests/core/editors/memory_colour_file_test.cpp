#include "core/editors/memory_colour_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "imaging/file_io.h"

namespace {

using core::MemoryColor;

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(MemoryColorRecord, LaysOutTheNameAndTheThreeChannels) {
    const MemoryColor sky{"Sky", 0x1234, 0xABCD, 0xFFFF};
    const std::vector<uint8_t> bytes = core::encodeMemoryColor(sky);
    ASSERT_EQ(bytes.size(), 57u);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[1], 'S');
    EXPECT_EQ(bytes[3], 'y');
    for (size_t i = 4; i < 51; ++i)
        EXPECT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(bytes[51], 0x34);
    EXPECT_EQ(bytes[52], 0x12);
    EXPECT_EQ(bytes[53], 0xCD);
    EXPECT_EQ(bytes[54], 0xAB);
    EXPECT_EQ(bytes[55], 0xFF);
    EXPECT_EQ(bytes[56], 0xFF);
    EXPECT_EQ(core::decodeMemoryColor(bytes.data()), sky);
}

TEST(MemoryColorRecord, ANameLengthBeyondFiftyIsDamage) {
    std::vector<uint8_t> bytes = core::encodeMemoryColor({"Grass", 1, 2, 3});
    bytes[0] = 50;
    EXPECT_TRUE(core::decodeMemoryColor(bytes.data()).has_value());
    bytes[0] = 51;
    EXPECT_FALSE(core::decodeMemoryColor(bytes.data()).has_value());
}

class MemoryColorsFileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("mc.dat")); }
    const core::TMemoryColorsArray three{
        {"Sky", 20000, 30000, 60000}, {"Skin", 60000, 45000, 38000}, {"Grass", 9000, 40000, 7000}};
};

TEST_F(MemoryColorsFileTest, TheListIsWrittenWholeAndReadBackInOrder) {
    ASSERT_TRUE(core::saveMemoryColors(path(), three));
    EXPECT_EQ(QFileInfo(path()).size(), 3 * 57);
    const core::MemoryColorsRead read = core::loadMemoryColors(path());
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.colors, three);
}

TEST_F(MemoryColorsFileTest, AMissingFileIsAnEmptyList) {
    const core::MemoryColorsRead read = core::loadMemoryColors(path());
    EXPECT_TRUE(read.ok);
    EXPECT_TRUE(read.colors.empty());
}

TEST_F(MemoryColorsFileTest, AnEmptyListDeletesTheFile) {
    ASSERT_TRUE(core::saveMemoryColors(path(), three));
    ASSERT_TRUE(core::saveMemoryColors(path(), {}));
    EXPECT_FALSE(QFile::exists(path()));
}

// Short and damaged files give the whole records before the fault.
TEST_F(MemoryColorsFileTest, ShortOrDamagedFilesGiveTheRecordsBeforeTheFault) {
    ASSERT_TRUE(core::saveMemoryColors(path(), three));
    const QByteArray whole = fileBytes(path());
    struct Case {
        const char* what;
        QByteArray bytes;
        size_t records;
    };
    QByteArray damagedSecond = whole;
    damagedSecond[57] = char(200);
    const Case cases[] = {
        {"trailing bytes", whole + QByteArray(56, 'x'), 3},
        {"cut inside the third", whole.left(2 * 57 + 10), 2},
        {"one byte short of one", whole.left(56), 0},
        {"second name length damaged", damagedSecond, 1},
        {"empty", QByteArray(), 0},
    };
    for (const Case& c : cases) {
        writeBytes(path(), c.bytes);
        const core::MemoryColorsRead read = core::loadMemoryColors(path());
        EXPECT_TRUE(read.ok) << c.what;
        ASSERT_EQ(read.colors.size(), c.records) << c.what;
        for (size_t i = 0; i < c.records; ++i)
            EXPECT_EQ(read.colors[i], three[i]) << c.what;
    }
}

// A disk that fills up during the write leaves the previous file whole and says so.
TEST_F(MemoryColorsFileTest, AFullDiskKeepsThePreviousFile) {
    ASSERT_TRUE(core::saveMemoryColors(path(), three));
    const QByteArray before = fileBytes(path());
    core::TMemoryColorsArray four = three;
    four.push_back({"Sand", 50000, 45000, 30000});
    for (size_t allowed : {size_t(0), size_t(57), size_t(4 * 57 - 1)}) {
        SCOPED_TRACE(allowed);
        imaging::ScopedWriteFailure full(allowed);
        const core::Status s = core::saveMemoryColors(path(), four);
        ASSERT_FALSE(s.ok());
        EXPECT_EQ(s.failure().key, QStringLiteral("ER_CANNOT_SAVE"));
    }
    EXPECT_EQ(fileBytes(path()), before);
    const core::Status missing =
        core::saveMemoryColors(dir.filePath(QStringLiteral("gone/mc.dat")), three);
    EXPECT_FALSE(missing.ok());
}

TEST_F(MemoryColorsFileTest, AFailingReadIsReported) {
    ASSERT_TRUE(core::saveMemoryColors(path(), three));
    imaging::ScopedReadFailure failing(60);
    const core::MemoryColorsRead read = core::loadMemoryColors(path());
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.colors.empty());
}

TEST_F(MemoryColorsFileTest, ANameLongerThanTheRecordIsCutAtACharacter) {
    // 26 two-byte letters: 52 bytes, cut to 25 letters (50 bytes), never half a letter.
    const QString longName = QString(26, QChar(0x0416));
    core::TMemoryColorsArray one{{longName.toStdString(), 1, 2, 3}};
    ASSERT_TRUE(core::saveMemoryColors(path(), one));
    const core::MemoryColorsRead read = core::loadMemoryColors(path());
    ASSERT_EQ(read.colors.size(), 1u);
    EXPECT_EQ(QString::fromStdString(read.colors[0].ColorName), QString(25, QChar(0x0416)));
}

}  // namespace
