// The picture dialogs' preview: which files qualify, the memo's lines and where the thumbnail sits.
#include "core/files/picture_preview.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

const QString kPicture = QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg");

TEST(PicturePreviewTest, ThePictureIsCentredFivePixelsIn) {
    EXPECT_EQ(core::thumbnailBox(QSize(200, 150)), QSize(190, 140));
    EXPECT_EQ(core::thumbnailBox(QSize(6, 4)), QSize(0, 0));
    const struct {
        QSize panel, picture;
        QPoint place;
    } cases[] = {
        {{200, 150}, {190, 100}, {5, 25}},
        {{201, 150}, {190, 140}, {5, 5}},  // half a pixel goes down
        {{300, 200}, {100, 50}, {100, 75}},
        {{100, 100}, {120, 90}, {-10, 5}},
        {{100, 100}, {121, 90}, {-11, 5}},  // floored, not truncated
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::thumbnailPlace(c.panel, c.picture), c.place)
            << c.panel.width() << "x" << c.panel.height();
}

TEST(PicturePreviewTest, MemoLinesStartWithASpace) {
    core::ImageInformation info;
    EXPECT_TRUE(core::previewMemoLines(info).isEmpty());
    info.sizeLine = "3000 x 2000";
    info.metadataLine = "ISO=100;\r\nF=2.8;";
    EXPECT_EQ(core::previewMemoLines(info), QStringList({" 3000 x 2000", " ISO=100;\nF=2.8;"}));
    info.sizeLine.clear();
    EXPECT_EQ(core::previewMemoLines(info), QStringList({" ISO=100;\nF=2.8;"}));
}

TEST(PicturePreviewTest, APictureGivesItsInformationAndAThumbnailInTheBox) {
    const core::PicturePreview preview =
        core::loadPicturePreview(kPicture, QSize(120, 90), true, false);
    ASSERT_TRUE(preview.qualifies);
    ASSERT_FALSE(preview.memoLines.isEmpty());
    EXPECT_TRUE(preview.memoLines.first().startsWith(' '));
    ASSERT_FALSE(preview.thumbnail.isNull());
    EXPECT_LE(preview.thumbnail.width(), 120);
    EXPECT_LE(preview.thumbnail.height(), 90);

    const core::PicturePreview withoutPicture =
        core::loadPicturePreview(kPicture, QSize(120, 90), false, false);
    EXPECT_TRUE(withoutPicture.qualifies);
    EXPECT_EQ(withoutPicture.memoLines, preview.memoLines);
    EXPECT_TRUE(withoutPicture.thumbnail.isNull());
}

TEST(PicturePreviewTest, OtherFilesDoNotQualify) {
    QTemporaryDir dir;
    const QString text = dir.filePath("notes.jpg");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture at all");
    file.close();
    for (const QString& path : {text, dir.filePath("missing.jpg"), dir.path(), QString()}) {
        const core::PicturePreview preview =
            core::loadPicturePreview(path, QSize(120, 90), true, false);
        EXPECT_FALSE(preview.qualifies) << qPrintable(path);
        EXPECT_TRUE(preview.memoLines.isEmpty());
        EXPECT_TRUE(preview.thumbnail.isNull());
    }
}

}  // namespace
