#include "core/presets/file_settings_cache.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/main/scripted_asker.h"
#include "core/presets/settings_file.h"

namespace {

struct DateCase {
    int year, month, day, hour, minute, second;
    int32_t packed;
};

class PackedFileDate : public ::testing::TestWithParam<DateCase> {};

TEST_P(PackedFileDate, IsTheFileSystemsPackedLocalDateAndTime) {
    const DateCase& c = GetParam();
    EXPECT_EQ(core::packedFileDate(
                  QDateTime(QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, c.second))),
              c.packed);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, PackedFileDate,
    ::testing::Values(
        // (25 << 9 | 7 << 5 | 12) << 16 | (14 << 11 | 30 << 5 | 58 / 2)
        DateCase{2005, 7, 12, 14, 30, 58, 854356957},
        DateCase{1980, 1, 1, 0, 0, 0, 2162688},  // 1 << 21 | 1 << 16
        DateCase{1980, 1, 1, 0, 0, 1, 2162688},  // two-second steps
        DateCase{2024, 2, 29, 23, 59, 59, 1482538877},
        // From 2044 the top bit is set: the number is negative, as the system's signed value.
        DateCase{2044, 1, 1, 0, 0, 0, -2145320960},
        DateCase{1979, 12, 31, 23, 59, 59, -1},  // before the packing's first day
        DateCase{2108, 1, 1, 0, 0, 0, -1}));

TEST(FileSettingsCacheName, IsTheDateAnUnderscoreAndTheNameWithTheSettingsExtension) {
    EXPECT_EQ(core::fileSettingsCacheName(854356957, QStringLiteral("/p/IMG_0001.JPG")),
              QStringLiteral("854356957_IMG_0001.vrs"));
    EXPECT_EQ(core::fileSettingsCacheName(-1, QStringLiteral("/p/a.b.tif")),
              QStringLiteral("-1_a.b.vrs"));
}

TEST(CacheFolder, IsTheStoredFolderWhenItExists) {
    QTemporaryDir dir;
    EXPECT_EQ(core::fileSettingsCacheFolder(dir.path(), QStringLiteral("/prog/temp")), dir.path());
}

TEST(CacheFolder, IsTempFsetsWhenTheStoredFolderIsGoneOrNoneIsStored) {
    QTemporaryDir dir;
    EXPECT_EQ(core::fileSettingsCacheFolder(QString(), QStringLiteral("/prog/temp")),
              QStringLiteral("/prog/temp/fsets"));
    EXPECT_EQ(core::fileSettingsCacheFolder(dir.filePath(QStringLiteral("gone")),
                                            QStringLiteral("/prog/temp")),
              QStringLiteral("/prog/temp/fsets"));
    // A file of that name is no folder.
    QFile file(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(core::fileSettingsCacheFolder(file.fileName(), QStringLiteral("/prog/temp")),
              QStringLiteral("/prog/temp/fsets"));
}

class Cache : public ::testing::Test {
  protected:
    void SetUp() override {
        picture = dir.filePath(QStringLiteral("IMG_7.jpg"));
        QFile f(picture);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("picture");
        f.close();
        setDate(QDateTime(QDate(2005, 7, 12), QTime(14, 30, 58)));
        folder = dir.filePath(QStringLiteral("temp/fsets"));
    }
    void setDate(const QDateTime& when) {
        QFile f(picture);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
    }
    core::QueueParams record(int32_t sharpen) const {
        core::SettingsBlock b;
        b.SharpenAmount = sharpen;
        return core::settingsRecord(b, true, picture, {});
    }
    QTemporaryDir dir;
    QString picture;
    QString folder;
};

TEST_F(Cache, StoresUnderThePicturesDateAndNameCreatingTheFolder) {
    ASSERT_TRUE(core::storeFileSettings(folder, picture, record(30)).ok());
    const QString expected = folder + QStringLiteral("/854356957_IMG_7.vrs");
    EXPECT_EQ(core::fileSettingsCacheFile(folder, picture), expected);
    const auto read = core::readSettingsRecord(expected, core::UnreadableFile::Delete);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value().Settings.SharpenAmount, 30);
}

TEST_F(Cache, AnotherRunReplacesTheOlderFile) {
    ASSERT_TRUE(core::storeFileSettings(folder, picture, record(30)).ok());
    ASSERT_TRUE(core::storeFileSettings(folder, picture, record(-20)).ok());
    const auto read = core::readSettingsRecord(*core::fileSettingsCacheFile(folder, picture),
                                               core::UnreadableFile::Delete);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value().Settings.SharpenAmount, -20);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1);
}

TEST_F(Cache, ATouchedPictureNoLongerFindsItsSettings) {
    ASSERT_TRUE(core::storeFileSettings(folder, picture, record(30)).ok());
    const QString before = *core::fileSettingsCacheFile(folder, picture);
    setDate(QDateTime(QDate(2006, 1, 2), QTime(8, 0, 0)));
    const QString after = *core::fileSettingsCacheFile(folder, picture);
    EXPECT_NE(after, before);
    EXPECT_FALSE(QFile::exists(after));
}

TEST_F(Cache, APictureThatIsNoFileHasNoCacheFile) {
    EXPECT_EQ(core::fileSettingsCacheFile(folder, dir.filePath(QStringLiteral("none.jpg"))),
              std::nullopt);
    EXPECT_EQ(core::fileSettingsCacheFile(folder, QString()), std::nullopt);
    EXPECT_FALSE(
        core::storeFileSettings(folder, dir.filePath(QStringLiteral("none.jpg")), record(1)).ok());
    EXPECT_FALSE(QDir(folder).exists());
}

TEST_F(Cache, APictureWhoseDateCannotBePackedHasNoCacheFile) {
    setDate(QDateTime(QDate(1975, 6, 1), QTime(12, 0, 0)));
    EXPECT_EQ(core::fileSettingsCacheFile(folder, picture), std::nullopt);
    EXPECT_FALSE(core::storeFileSettings(folder, picture, record(1)).ok());
}

struct OfferCase {
    int32_t stored;
    bool asked;
    int answer;  // the button pressed when asked
    bool applies;
    std::optional<int32_t> remembered;
};

class OfferFileSettings : public ::testing::TestWithParam<OfferCase> {};

TEST_P(OfferFileSettings, FollowsTheStoredChoiceOrTheAnswer) {
    const OfferCase& c = GetParam();
    core::Language english;
    english.setText(
        QStringLiteral("ALS_RESTORE_FILE_SETTINGS_QUEST=Use them again?\r\n"
                       "ALS_OPEN_NEW_IMAGE=Opening a picture"));
    core::ScriptedAsker asker;
    if (c.asked) asker.answer(c.answer);
    const core::FileSettingsOffer offer =
        core::offerFileSettings(c.stored, asker, english, QStringLiteral("/p/IMG_7.jpg"));
    EXPECT_EQ(offer.apply, c.applies);
    EXPECT_EQ(offer.remember, c.remembered);
    ASSERT_EQ(asker.requests().size(), c.asked ? 1u : 0u);
    if (c.asked) {
        const core::MessageBoxRequest& r = asker.requests()[0];
        EXPECT_EQ(r.text, QStringLiteral("/p/IMG_7.jpg\r\nUse them again?"));
        EXPECT_EQ(r.title, QStringLiteral("Opening a picture"));
        EXPECT_EQ(r.style & 7u, uint32_t(core::kButtonsYesNo));
        ASSERT_EQ(r.customButtons.size(), 2u);
        EXPECT_EQ(r.customButtons[0].captionKey, QStringLiteral("ALS_ALWAYS"));
        EXPECT_EQ(r.customButtons[0].result, core::kResultAlways);
        EXPECT_EQ(r.customButtons[1].captionKey, QStringLiteral("ALS_NEVER"));
        EXPECT_EQ(r.customButtons[1].result, core::kResultNever);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, OfferFileSettings,
    ::testing::Values(OfferCase{0, false, 0, false, std::nullopt},
                      OfferCase{1, false, 0, true, std::nullopt},
                      OfferCase{2, true, core::kResultYes, true, std::nullopt},
                      OfferCase{2, true, core::kResultNo, false, std::nullopt},
                      OfferCase{2, true, core::kResultAlways, true, 1},
                      OfferCase{2, true, core::kResultNever, false, 0},
                      // A box that could not be shown applies nothing and remembers nothing.
                      OfferCase{2, true, core::kResultNone, false, std::nullopt},
                      // Any other stored value asks, as the default does.
                      OfferCase{7, true, core::kResultYes, true, std::nullopt}));

}  // namespace
