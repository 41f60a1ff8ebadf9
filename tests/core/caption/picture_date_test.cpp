#include "core/caption/picture_date.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

using core::caption::exifDateTime;
using core::caption::pictureDate;

const QDateTime kNow(QDate(2026, 12, 10), QTime(14, 5, 6));
const QDateTime kFileTime(QDate(2021, 3, 4), QTime(5, 6, 7));

class PictureDateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        file = dir.filePath(QStringLiteral("photo.jpg"));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.flush();
        ASSERT_TRUE(f.setFileTime(kFileTime, QFileDevice::FileModificationTime));
    }
    QTemporaryDir dir;
    QString file;
};

struct ExifCase {
    const char* text;
    bool valid;
};

class ExifDateTest : public ::testing::TestWithParam<ExifCase> {};

TEST_P(ExifDateTest, ReadsOnlyARealMoment) {
    EXPECT_EQ(exifDateTime(QString::fromLatin1(GetParam().text)).isValid(), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExifDateTest,
                         ::testing::Values(ExifCase{"2019:07:14 16:30:05", true},
                                           ExifCase{"2019:00:14 16:30:05", false},
                                           ExifCase{"0000:07:14 16:30:05", false},
                                           ExifCase{"2019:07:00 16:30:05", false},
                                           ExifCase{"2019:0x:14 16:30:05", false},
                                           ExifCase{"2019:07:14 1a:30:05", false},
                                           ExifCase{"2019:13:14 16:30:05", false},
                                           ExifCase{"2019:07:14", false}, ExifCase{"", false}));

TEST_F(PictureDateTest, TheExifDateIsTheMomentOfAFile) {
    const auto d = pictureDate(file, QStringLiteral("2019:07:14 16:30:05"), kNow);
    EXPECT_EQ(d.dateTime, QDateTime(QDate(2019, 7, 14), QTime(16, 30, 5)));
    EXPECT_EQ(d.dateText, core::caption::shortDateText(QDate(2019, 7, 14)));
    EXPECT_EQ(d.timeText, core::caption::longTimeText(QTime(16, 30, 5)));
}

TEST_F(PictureDateTest, MonthZeroFallsBackToTheFilesModificationDate) {
    const auto d = pictureDate(file, QStringLiteral("2019:00:14 16:30:05"), kNow);
    EXPECT_EQ(d.dateTime.toSecsSinceEpoch(), kFileTime.toSecsSinceEpoch());
    EXPECT_EQ(d.dateText, core::caption::shortDateText(kFileTime.date()));
}

TEST_F(PictureDateTest, NoExifDateGivesTheFileDate) {
    EXPECT_EQ(pictureDate(file, QString(), kNow).dateTime.toSecsSinceEpoch(),
              kFileTime.toSecsSinceEpoch());
}

TEST_F(PictureDateTest, NoFileOrAMissingFileGivesNow) {
    // A pasted picture has no file: even an EXIF date does not count.
    EXPECT_EQ(pictureDate(QString(), QStringLiteral("2019:07:14 16:30:05"), kNow).dateTime, kNow);
    EXPECT_EQ(pictureDate(dir.filePath(QStringLiteral("gone.jpg")), QString(), kNow).dateTime,
              kNow);
}

TEST(PictureDateTexts, TheTimeTextNamesNoTimeZone) {
    const QString t = core::caption::longTimeText(QTime(16, 30, 5));
    EXPECT_TRUE(t.contains(QLatin1String("30"))) << qPrintable(t);
    EXPECT_TRUE(t.contains(QLatin1String("05"))) << qPrintable(t);
    EXPECT_FALSE(t.contains(QLatin1String("UTC"))) << qPrintable(t);
    EXPECT_EQ(t, t.trimmed());
}

}  // namespace
