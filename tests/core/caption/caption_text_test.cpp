#include "core/caption/caption_text.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

using core::caption::buildCaption;
using core::caption::CaptionSource;
using core::caption::CaptionSwitches;
using core::caption::PictureDate;

const QString kDefaultTemplate =
    QStringLiteral("[text] [date] [time] [filename] [iso] [aperture] [shutter] [camera]");

PictureDate someDate() {
    return {QStringLiteral("14/07/2019"), QStringLiteral("16:30:05"), {}};
}

CaptionSource camera() {
    CaptionSource s;
    s.file = QStringLiteral("/photos/kite.jpg");
    s.make = QStringLiteral("Velmar");
    s.model = QStringLiteral("V1");
    s.exposure = QStringLiteral("1/250.00 s");
    s.iso = QStringLiteral("200");
    s.aperture = QStringLiteral("5.6");
    return s;
}

CaptionSwitches switches(bool text, bool date, bool time, bool info) {
    return {text, date, time, info};
}

TEST(BuildCaption, TextAndDateTemplateWithOnlyTheDateSwitchGivesTheDateAlone) {
    EXPECT_EQ(buildCaption(camera(), QStringLiteral("[text] [date]"), QStringLiteral("Kite"),
                           switches(false, true, false, false), someDate()),
              QStringLiteral("14/07/2019"));
}

TEST(BuildCaption, ADateFieldInsideTheCaptionTextShowsWithTheDateSwitchOff) {
    EXPECT_EQ(buildCaption(camera(), kDefaultTemplate, QStringLiteral("Kite flying on [date]"),
                           switches(true, false, false, false), someDate()),
              QStringLiteral("Kite flying on 14/07/2019"));
}

TEST(BuildCaption, AClipboardPictureHasAnEmptyFileNameAndTodaysDate) {
    core::ImageInformation none;
    const CaptionSource pasted = core::caption::captionSource(QStringLiteral("clipboard"), none);
    EXPECT_TRUE(pasted.file.isEmpty());
    const QDateTime now(QDate(2026, 12, 10), QTime(9, 0, 0));
    const PictureDate today = core::caption::pictureDate(pasted.file, QString(), now);
    EXPECT_EQ(today.dateTime, now);
    EXPECT_EQ(buildCaption(pasted, QStringLiteral("[filename] [date]"), QString(),
                           switches(false, true, false, true), today),
              core::caption::shortDateText(now.date()));
    // The pseudo-name of a host's picture is no file either.
    EXPECT_TRUE(core::caption::captionSource(QStringLiteral("plugin"), none).file.isEmpty());
}

TEST(BuildCaption, AnExifMonthOfZeroDatesTheCaptionByTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kite.jpg"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.flush();
    const QDateTime fileTime(QDate(2020, 5, 6), QTime(7, 8, 9));
    ASSERT_TRUE(f.setFileTime(fileTime, QFileDevice::FileModificationTime));
    f.close();
    CaptionSource s = camera();
    s.file = path;
    s.exifDate = QStringLiteral("2019:00:14 16:30:05");
    const PictureDate date = core::caption::pictureDate(s.file, s.exifDate);
    EXPECT_EQ(buildCaption(s, QStringLiteral("[date]"), QString(),
                           switches(false, true, false, false), date),
              core::caption::shortDateText(fileTime.date()));
}

TEST(BuildCaption, TheInfoSwitchOffRemovesIsoAndApertureWithTheirSpaces) {
    EXPECT_EQ(buildCaption(camera(), QStringLiteral("Trip [iso] [aperture] end"), QString(),
                           switches(false, false, false, false), someDate()),
              QStringLiteral("Trip end"));
    EXPECT_EQ(buildCaption(camera(), QStringLiteral("[iso] [aperture]"), QString(),
                           switches(false, false, false, false), someDate()),
              QString());
}

TEST(BuildCaption, TheInfoSwitchOnFillsEveryShootingField) {
    EXPECT_EQ(
        buildCaption(camera(), kDefaultTemplate, QStringLiteral("Kite"),
                     switches(true, true, true, true), someDate()),
        QStringLiteral("Kite 14/07/2019 16:30:05 kite.jpg ISO200 5.6 1/250.00 s Velmar (V1)"));
    CaptionSource noModel = camera();
    noModel.model.clear();
    EXPECT_EQ(buildCaption(noModel, QStringLiteral("[CAMERA]"), QString(),
                           switches(false, false, false, true), someDate()),
              QStringLiteral("Velmar"));
}

TEST(BuildCaption, FieldsOfTheCaptionTextAreFilledWhateverTheInfoSwitch) {
    EXPECT_EQ(
        buildCaption(camera(), QStringLiteral("[text]"), QStringLiteral("[filename] at [iso]"),
                     switches(true, false, false, false), someDate()),
        QStringLiteral("kite.jpg at ISO200"));
}

TEST(BuildCaption, TheTextSwitchOffLeavesTheCaptionTextOut) {
    EXPECT_EQ(buildCaption(camera(), kDefaultTemplate, QStringLiteral("Kite"),
                           switches(false, false, true, false), someDate()),
              QStringLiteral("16:30:05"));
}

struct RuleCase {
    CaptionSwitches switches;
    const char* text;
    bool batch;
    bool interactive;
};

class CaptionRules : public ::testing::TestWithParam<RuleCase> {};

// The batch builds none only when all four switches are off, whatever the caption text says.
TEST_P(CaptionRules, DecideWhetherACaptionIsBuilt) {
    const RuleCase& c = GetParam();
    EXPECT_EQ(core::caption::batchBuildsCaption(c.switches), c.batch);
    EXPECT_EQ(core::caption::interactiveBuildsCaption(c.switches, QString::fromUtf8(c.text)),
              c.interactive);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CaptionRules,
    ::testing::Values(RuleCase{switches(false, false, false, false), "Kite", false, false},
                      RuleCase{switches(true, false, false, false), "", true, false},
                      RuleCase{switches(true, false, false, false), "Kite", true, true},
                      RuleCase{switches(false, true, false, false), "", true, true},
                      RuleCase{switches(false, false, false, true), "", true, true}));

TEST(CaptionSwitchesOf, ReadsTheFourInsertFields) {
    core::SettingsBlock b;
    b.InsertText = 1;
    b.InsertTime = 1;
    const CaptionSwitches s = core::caption::switchesOf(b);
    EXPECT_TRUE(s.text);
    EXPECT_FALSE(s.date);
    EXPECT_TRUE(s.time);
    EXPECT_FALSE(s.info);
}

}  // namespace
