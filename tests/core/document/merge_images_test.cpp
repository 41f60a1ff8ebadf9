#include "core/document/merge_images.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "core/document/image_document.h"
#include "core/document/undo_copy.h"
#include "core/i18n/language.h"
#include "document_fixtures.h"
#include "imaging/imaging.h"

namespace core {
namespace {

using test::dataFile;

class MergeImagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        temp = dir.filePath(QStringLiteral("temp"));
        undo.setTempFolder(temp);
    }
    void openPicture(const QString& path) {
        const Status opened = document.open(path);
        ASSERT_TRUE(opened) << opened.failure().key.toStdString();
        before = document.displayImage(ImageSlot::Source);
        ASSERT_FALSE(before.isNull());
    }
    Status merge(const QString& second, ImageSlot first = ImageSlot::Source) {
        return mergeImages(document, undo, {first, second, temp});
    }
    QString pattern(const char* name, int width, int height, bool sixteen = false) {
        const QString path = dir.filePath(QLatin1String(name));
        EXPECT_TRUE(test::writePatternFile(path, width, height, sixteen));
        return path;
    }

    QTemporaryDir dir;
    QString temp;
    ImageDocument document;
    UndoCopy undo;
    QImage before;
};

TEST_F(MergeImagesTest, SecondPictureOfAnotherSizeIsRefusedAndThePictureStays) {
    openPicture(dataFile("cups-noisy-crop.jpg"));  // 320 x 200
    for (const QString& second : {pattern("wide.png", 321, 200), pattern("high.png", 320, 201),
                                  pattern("turned.png", 200, 320)}) {
        const Status merged = merge(second);
        ASSERT_FALSE(merged);
        EXPECT_EQ(merged.failure().key, QStringLiteral("ALS_MERGE_IMAGE_ERROR"));
        EXPECT_TRUE(document.isOpen());
        EXPECT_EQ(document.displayImage(ImageSlot::Source), before);
        EXPECT_FALSE(document.modifiedByPlugin());
        EXPECT_FALSE(undo.available());
        EXPECT_TRUE(document.pictureSlots().isEmpty(ImageSlot::PreviewResult));
        EXPECT_TRUE(document.pictureSlots().isEmpty(ImageSlot::DialogPreview));
    }
    EXPECT_FALSE(QFile::exists(undo.undoPath()));
}

TEST_F(MergeImagesTest, SecondPictureThatDoesNotLoadIsReported) {
    openPicture(dataFile("cups-noisy-crop.jpg"));
    struct Case {
        QString path;
        const char* key;
    };
    const QString text = dir.filePath(QStringLiteral("notes.jpg"));
    ASSERT_TRUE(test::writeAll(text, QByteArrayLiteral("no picture here")));
    for (const Case& c :
         {Case{dir.filePath(QStringLiteral("missing.jpg")), "ER_SRC_LOADING_NOTFOUND"},
          Case{text, "ER_SRC_LOADING_NOTSUPPORTED"}}) {
        const Status merged = merge(c.path);
        ASSERT_FALSE(merged);
        EXPECT_EQ(merged.failure().key, QLatin1String(c.key));
        EXPECT_EQ(document.displayImage(ImageSlot::Source), before);
    }
}

TEST_F(MergeImagesTest, IdenticalShotsGiveTheSamePictureAndUndoBringsBackTheEarlierOne) {
    const QString path = dataFile("cups-noisy-crop.jpg");
    openPicture(path);
    ASSERT_FALSE(document.information().make.isEmpty());
    imaging::cPutImageComment(document.handle(ImageSlot::Source), "kept comment");
    const Status merged = merge(path);
    ASSERT_TRUE(merged) << merged.failure().key.toStdString() << " "
                        << merged.failure().detail.toStdString();
    // Each channel is the weighted mean of two equal values.
    EXPECT_EQ(document.displayImage(ImageSlot::Source), before);
    EXPECT_TRUE(document.is16Bit());
    EXPECT_TRUE(document.modifiedByPlugin());
    EXPECT_EQ(document.fileName(), path);
    EXPECT_FALSE(document.information().make.isEmpty());
    EXPECT_EQ(imaging::cGetImageComment(document.handle(ImageSlot::Source)), "kept comment");
    EXPECT_TRUE(undo.available());
    EXPECT_EQ(undo.slot(), ImageSlot::Source);
    EXPECT_TRUE(QFile::exists(undo.undoPath()));
    EXPECT_TRUE(document.pictureSlots().isEmpty(ImageSlot::PreviewResult));
    EXPECT_TRUE(document.pictureSlots().isEmpty(ImageSlot::DialogPreview));

    const Status restored = undo.restore(document);
    ASSERT_TRUE(restored) << restored.failure().key.toStdString();
    EXPECT_EQ(document.displayImage(ImageSlot::Source), before);
    EXPECT_FALSE(document.is16Bit());
    EXPECT_FALSE(document.modifiedByPlugin());
    EXPECT_EQ(document.fileName(), path);
    EXPECT_FALSE(document.information().make.isEmpty());
    EXPECT_FALSE(undo.available());
    EXPECT_FALSE(QFile::exists(undo.undoPath()));
    EXPECT_FALSE(QFile::exists(undo.exchangePath()));
}

TEST_F(MergeImagesTest, MergedPictureDiffersAndUndoRestoresItExactly) {
    const QString first = pattern("first.png", 40, 30, true);
    openPicture(first);
    const QImage firstPixels = document.displayImage(ImageSlot::Source);
    // A second exposure: the pattern, four times brighter where it can be.
    test::Session brighter;
    ASSERT_TRUE(test::makePattern(brighter, 40, 30, true));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            uint16_t r, g, b;
            test::patternColour(x, y, r, g, b);
            const auto up = [](uint16_t v) { return uint16_t(std::min(65535, v * 4)); };
            ASSERT_TRUE(imaging::cOpSetPixelColor(brighter, x, y, up(r), up(g), up(b)));
        }
    const QString second = dir.filePath(QStringLiteral("second.png"));
    ASSERT_TRUE(
        imaging::cSave(brighter, QFile::encodeName(second).toStdString(), imaging::kCodePng));
    ASSERT_TRUE(merge(second));
    EXPECT_NE(document.displayImage(ImageSlot::Source), firstPixels);
    EXPECT_EQ(document.width(), 40);
    EXPECT_EQ(document.height(), 30);
    ASSERT_TRUE(undo.restore(document));
    EXPECT_EQ(document.displayImage(ImageSlot::Source), firstPixels);
    EXPECT_TRUE(document.is16Bit());
}

TEST_F(MergeImagesTest, UndoWithoutACopyOrWhenTheCopyIsGoneLeavesThePicture) {
    openPicture(dataFile("cups-noisy-crop.jpg"));
    Status restored = undo.restore(document);
    ASSERT_FALSE(restored);
    EXPECT_EQ(restored.failure().key, QStringLiteral("ER_Q_CANNOT_LOAD"));
    EXPECT_EQ(document.displayImage(ImageSlot::Source), before);

    ASSERT_TRUE(merge(dataFile("cups-noisy-crop.jpg")));
    ASSERT_TRUE(QFile::remove(undo.undoPath()));
    const QImage merged = document.displayImage(ImageSlot::Source);
    restored = undo.restore(document);
    ASSERT_FALSE(restored);
    EXPECT_EQ(restored.failure().key, QStringLiteral("ER_Q_CANNOT_LOAD"));
    EXPECT_TRUE(document.isOpen());
    EXPECT_EQ(document.displayImage(ImageSlot::Source), merged);
    EXPECT_FALSE(undo.available());
}

TEST_F(MergeImagesTest, OutputIsMergedIntoItselfAndCountsAsNotSaved) {
    openPicture(dataFile("cups-noisy-crop.jpg"));
    ASSERT_TRUE(document.pictureSlots().duplicate(ImageSlot::Source, ImageSlot::Output));
    const QImage output = document.displayImage(ImageSlot::Output);
    ASSERT_TRUE(merge(dataFile("cups-noisy-crop.jpg"), ImageSlot::Output));
    EXPECT_TRUE(document.hasOutput());
    EXPECT_TRUE(document.hasUnsavedResult());
    EXPECT_EQ(document.displayImage(ImageSlot::Output), output);
    EXPECT_EQ(document.displayImage(ImageSlot::Source), before);
    EXPECT_FALSE(document.modifiedByPlugin());
    EXPECT_EQ(undo.slot(), ImageSlot::Output);
    ASSERT_TRUE(undo.restore(document));
    EXPECT_EQ(document.displayImage(ImageSlot::Output), output);
}

TEST(MergeStart, OutputOnlyInTheViewingModeAtTheSourceSize) {
    struct Case {
        bool viewing, hasOutput, unsaved;
        int ow, oh;
        ImageSlot first;
        bool ask;
    };
    const Case cases[] = {
        {true, true, true, 100, 80, ImageSlot::Output, false},
        {true, true, false, 100, 80, ImageSlot::Output, false},
        {true, true, false, 90, 80, ImageSlot::Source, true},  // cropped result
        {false, true, false, 90, 80, ImageSlot::Source, true},
        {false, true, true, 100, 80, ImageSlot::Source, true},  // replaced source clears it
        {false, true, false, 100, 80, ImageSlot::Source, false},
        {true, false, false, 0, 0, ImageSlot::Source, false},
        {false, false, false, 0, 0, ImageSlot::Source, false},
    };
    for (const Case& c : cases) {
        const MergeStart start = mergeStart(c.viewing, c.hasOutput, c.unsaved, 100, 80, c.ow, c.oh);
        EXPECT_EQ(start.first, c.first) << c.viewing << c.hasOutput << c.unsaved << c.ow;
        EXPECT_EQ(start.askToSaveOutput, c.ask) << c.viewing << c.hasOutput << c.unsaved << c.ow;
    }
}

TEST(MergeNotice, ThreeTextsWithBlankLinesAndTwoCustomButtons) {
    const Language keysOnly;
    const MessageBoxRequest request = mergeNoticeRequest(keysOnly);
    EXPECT_EQ(request.text, QStringLiteral("ALS_SHADWMASTER_1\r\n \r\nALS_SHADWMASTER_2\r\n \r\n"
                                           "ALS_SHADWMASTER_3"));
    EXPECT_EQ(request.title, QStringLiteral("ALS_MERGE_IMAGE"));
    EXPECT_EQ(request.style, uint32_t(kButtonsOk));
    ASSERT_EQ(request.customButtons.size(), 2u);
    EXPECT_EQ(request.customButtons[0].captionKey, QStringLiteral("ALS_MESSAGE_BUTTON_CANCEL"));
    EXPECT_EQ(request.customButtons[0].result, 2);
    EXPECT_EQ(request.customButtons[1].captionKey, QStringLiteral("ALS_MESSAGE_BUTTON_DONTSHOW"));
    EXPECT_EQ(request.customButtons[1].result, 7);
}

}  // namespace
}  // namespace core
