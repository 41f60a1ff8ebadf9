#include "core/queue/queue_rows.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/document/image_information.h"
#include "core/i18n/language.h"
#include "core/queue/queue_model.h"

namespace {

using core::ProgramOptions;

class QueueRowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(texts.load(QStringLiteral(VF_LANGUAGE_FOLDER "/english.lng")));
    }
    core::Language texts;
};

ProgramOptions options(uint8_t kind, const char* prefix, const char* suffix, uint8_t format = 1) {
    ProgramOptions o = core::defaultProgramOptions();
    o.outputFolderKind = kind;
    o.outputPrefix = prefix;
    o.outputSuffix = suffix;
    o.outputSubfolder = "filtered";
    o.outputFolder = "/out";
    o.outputFormat = format;
    return o;
}

TEST_F(QueueRowsTest, EachRowNamesItsSourceAndOutput) {
    struct Case {
        ProgramOptions options;
        QString output;
        bool outputIsSource;
    };
    const Case cases[] = {
        {options(0, "", "_dnr"), "/photos/filtered/IMG_1_dnr.jpg", false},
        {options(2, "", "_dnr"), "/out/IMG_1_dnr.jpg", false},
        {options(1, "", ""), "/photos/IMG_1.jpg", true},  // differs in the extension's case only
        {options(1, " x", "y "), "/photos/xIMG_1y.jpg", false},
        {options(1, "", "", 5), "/photos/IMG_1.tif", false},
    };
    core::ImageMarks marks;
    marks.rotation = 3;
    const std::vector<core::QueueParams> items = {core::makeQueueItem(
        QStringLiteral("/photos/IMG_1.JPG"), true, core::defaultSettingsBlock(), &marks)};
    for (const Case& c : cases) {
        const std::vector<core::QueueRow> rows = core::queueRows(items, c.options, "/default");
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].name, "IMG_1.JPG");
        EXPECT_EQ(rows[0].source, "/photos/IMG_1.JPG");
        EXPECT_EQ(rows[0].rotation, 3);
        EXPECT_EQ(rows[0].output, c.output);
        EXPECT_EQ(rows[0].outputIsSource, c.outputIsSource) << qPrintable(c.output);
        EXPECT_EQ(core::anyOutputIsSource(rows), c.outputIsSource);
    }
}

TEST_F(QueueRowsTest, ButtonsFollowTheRowsTheSelectionAndTheRun) {
    struct Case {
        int rows;
        bool selected, running;
        core::QueueButtons expected;
    };
    const Case cases[] = {
        {0, false, false, {false, false, false, false, true, false}},
        {3, false, false, {false, false, true, true, true, false}},
        {3, true, false, {true, true, true, true, true, false}},
        {3, true, true, {false, false, false, false, false, true}},
    };
    for (const Case& c : cases) {
        const core::QueueButtons b = core::queueButtons(c.rows, c.selected, c.running);
        EXPECT_EQ(b.remove, c.expected.remove);
        EXPECT_EQ(b.edit, c.expected.edit);
        EXPECT_EQ(b.start, c.expected.start);
        EXPECT_EQ(b.removeAll, c.expected.removeAll);
        EXPECT_EQ(b.close, c.expected.close);
        EXPECT_EQ(b.stop, c.expected.stop);
    }
}

TEST_F(QueueRowsTest, TheQualityBoxShowsForTheJpegFormatsOnly) {
    const bool shown[] = {false, true, true, true, false, false};
    for (int format = 0; format < 6; ++format)
        EXPECT_EQ(core::jpegQualityShown(format), shown[format]) << format;
}

TEST_F(QueueRowsTest, StoredOptionsOutsideTheirListsAreBroughtIn) {
    ProgramOptions o = core::defaultProgramOptions();
    o.outputFormat = 9;
    o.outputFolderKind = 7;
    o.jpegQualityIndex = 12;
    o.outputPrefix = "abcdefgh";
    o.outputSubfolder = std::string(70, 'f');
    const ProgramOptions shown = core::shownOutputOptions(o);
    EXPECT_EQ(shown.outputFormat, 1);
    EXPECT_EQ(shown.outputFolderKind, 2);
    EXPECT_EQ(shown.jpegQualityIndex, 5);
    EXPECT_EQ(shown.outputPrefix, "abcde");
    EXPECT_EQ(shown.outputSubfolder.size(), 60u);
    o.jpegQualityIndex = -3;
    o.outputFormat = 4;
    EXPECT_EQ(core::shownOutputOptions(o).jpegQualityIndex, 0);
    EXPECT_EQ(core::shownOutputOptions(o).outputFormat, 4);
}

TEST_F(QueueRowsTest, TheMemoTexts) {
    EXPECT_EQ(core::queueSelectItemText(texts), "< Select a picture of the queue >");
    EXPECT_EQ(core::queueReadingText(texts), "< Reading the picture... please wait >");
    core::QueueRow row;
    row.source = "/p/a.jpg";
    row.output = "/p/filtered/a_dnr.jpg";
    EXPECT_EQ(core::queueItemText(row, nullptr, texts),
              "Source file: /p/a.jpg\n\nOutput file: /p/filtered/a_dnr.jpg");
    core::ImageInformation info;
    info.sizeLine = "4000x3000";
    info.metadataLine = "Camera=X;\r\nISO=200;";
    EXPECT_EQ(core::queueItemText(row, &info, texts),
              "Source file: /p/a.jpg\n\nOutput file: /p/filtered/a_dnr.jpg\n\nInformation: "
              "4000x3000\n\nEXIF:\nCamera=X;\nISO=200;");
    EXPECT_EQ(core::queueItemFailedText("/p/a.jpg", texts), "Cannot load the picture\n/p/a.jpg");
    EXPECT_EQ(core::queueThumbnailHint(299, "/p/a.jpg", texts), "In the queue #300 - /p/a.jpg");
}

TEST_F(QueueRowsTest, TheThumbnailIsCentredInItsPanel) {
    EXPECT_EQ(core::queueThumbnailBox({300, 200}), QSize(290, 190));
    EXPECT_EQ(core::queueThumbnailPlace({300, 200}, {290, 100}), QPoint(5, 50));
    EXPECT_EQ(core::queueThumbnailPlace({300, 200}, {101, 51}), QPoint(99, 74));
    EXPECT_EQ(core::queueThumbnailPlace({300, 200}, {303, 200}), QPoint(-2, 0));
}

}  // namespace
