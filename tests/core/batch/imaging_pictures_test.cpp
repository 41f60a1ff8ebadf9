// The batch's pictures over the imaging layer: a run's stop reaches the picture reader.
#include "core/batch/imaging_pictures.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <atomic>

namespace {

TEST(ImagingPictureSource, ALoadGivesUpOnceTheRunIsStopped) {
    QTemporaryDir dir;
    const QString path = dir.filePath("grey.png");
    QImage grey(300, 200, QImage::Format_RGB888);
    grey.fill(Qt::gray);
    ASSERT_TRUE(grey.save(path));

    core::ImagingPictureSource pictures;
    const std::atomic<bool> stopped{true};
    const auto refused = pictures.load(path, stopped);
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.failure().detail.contains("stopped"))
        << qPrintable(refused.failure().detail);

    const std::atomic<bool> running{false};
    const auto loaded = pictures.load(path, running);
    ASSERT_TRUE(loaded.ok()) << qPrintable(loaded.failure().detail);
    EXPECT_EQ(loaded.value()->width(), 300);
}

}  // namespace
