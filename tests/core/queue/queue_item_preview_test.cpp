#include "core/queue/queue_item_preview.h"

#include <gtest/gtest.h>

namespace {

const QString kPicture = QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg");

TEST(QueueItemPreviewTest, TheThumbnailFitsTheBoxTurnedAsTheItemWillBe) {
    const QSize box(120, 90);
    const core::QueueItemPreview plain = core::loadQueueItemPreview(kPicture, 0, box, false);
    ASSERT_FALSE(plain.thumbnail.isNull());
    ASSERT_TRUE(plain.information.has_value());
    EXPECT_FALSE(plain.information->sizeLine.isEmpty());
    EXPECT_LE(plain.thumbnail.width(), box.width());
    EXPECT_LE(plain.thumbnail.height(), box.height());

    const core::QueueItemPreview turned = core::loadQueueItemPreview(kPicture, 1, box, false);
    ASSERT_FALSE(turned.thumbnail.isNull());
    EXPECT_LE(turned.thumbnail.width(), box.width());
    EXPECT_LE(turned.thumbnail.height(), box.height());
    // A quarter turn clockwise: the plain thumbnail's top left corner becomes the top right one.
    const QImage read = core::loadQueueItemPreview(kPicture, 0, box.transposed(), false).thumbnail;
    ASSERT_EQ(turned.thumbnail.size(), read.size().transposed());
    EXPECT_EQ(turned.thumbnail.pixel(turned.thumbnail.width() - 1, 0), read.pixel(0, 0));
}

TEST(QueueItemPreviewTest, AFileThatCannotBeReadGivesNoThumbnail) {
    const core::QueueItemPreview missing =
        core::loadQueueItemPreview(QStringLiteral("/nonexistent/a.jpg"), 0, {100, 100}, false);
    EXPECT_TRUE(missing.thumbnail.isNull());
    EXPECT_FALSE(missing.information.has_value());
}

}  // namespace
