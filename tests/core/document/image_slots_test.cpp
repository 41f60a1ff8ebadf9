// The slot table: sessions made with the program's options, duplicates, and profile transfers.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/document/image_slots.h"
#include "document_fixtures.h"

namespace core {
namespace {

TEST(ImageSlots, DuplicateReplacesTheTargetWithACopy) {
    ImageSlots pictures;
    ASSERT_TRUE(test::makePattern(pictures.handle(ImageSlot::Source), 21, 11, true));
    EXPECT_FALSE(pictures.isEmpty(ImageSlot::Source));
    EXPECT_TRUE(pictures.isEmpty(ImageSlot::DisplaySource));
    ASSERT_TRUE(pictures.duplicate(ImageSlot::Source, ImageSlot::DisplaySource));
    EXPECT_EQ(pictures.width(ImageSlot::DisplaySource), 21);
    EXPECT_EQ(pictures.height(ImageSlot::DisplaySource), 11);
    EXPECT_TRUE(pictures.is16Bit(ImageSlot::DisplaySource));
    // A copy, not a shared picture.
    ASSERT_TRUE(
        imaging::cOpSetPixelColor(pictures.handle(ImageSlot::DisplaySource), 0, 0, 1, 2, 3));
    uint16_t r, g, b;
    imaging::cGetPixelColor(pictures.handle(ImageSlot::Source), 0, 0, r, g, b);
    EXPECT_NE((std::array{r, g, b}), (std::array<uint16_t, 3>{1, 2, 3}));
    // Duplicating an empty slot leaves the target empty.
    pictures.unload(ImageSlot::Source);
    EXPECT_TRUE(pictures.isEmpty(ImageSlot::Source));
    EXPECT_TRUE(pictures.duplicate(ImageSlot::Source, ImageSlot::DisplaySource));
    EXPECT_TRUE(pictures.isEmpty(ImageSlot::DisplaySource));
}

TEST(ImageSlots, PixelsForTheEngine) {
    ImageSlots pictures;
    EXPECT_EQ(slotPixels(pictures.handle(ImageSlot::Source)).bits, nullptr);
    ASSERT_TRUE(test::makePattern(pictures.handle(ImageSlot::Source), 21, 11, true));
    const SlotPixels wide = slotPixels(pictures.handle(ImageSlot::Source));
    EXPECT_EQ(wide.bits, imaging::cGetBits16Ptr(pictures.handle(ImageSlot::Source)));
    EXPECT_EQ(wide.bytesPerSample, 2);
    EXPECT_EQ(wide.width, 21);
    EXPECT_EQ(wide.height, 11);
    const SlotPixels narrow = slotPixels(pictures.handle(ImageSlot::Source), false);
    EXPECT_EQ(narrow.bits, imaging::cGetBitsPtr(pictures.handle(ImageSlot::Source)));
    EXPECT_EQ(narrow.bytesPerSample, 1);
}

TEST(ImageSlots, ProfilesMoveBetweenSessions) {
    ImageSlots pictures;
    const imaging::Handle source = pictures.handle(ImageSlot::Source);
    const imaging::Handle region = pictures.handle(ImageSlot::PreviewRegion);
    ASSERT_TRUE(imaging::cLoadImage(
        source, QFile::encodeName(test::dataFile("imaging/rocket.jpg")).toStdString()));
    ASSERT_TRUE(test::makePattern(region, 12, 12, false));
    ASSERT_TRUE(transferProfile(source, region, true));
    EXPECT_EQ(imaging::cGetImageICCProfile(region), imaging::cGetImageICCProfile(source));

    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("none.icc"));
    const QString empty = dir.filePath(QStringLiteral("empty.icc"));
    ASSERT_TRUE(test::writeAll(empty, QByteArray()));
    EXPECT_FALSE(convertToProfileFile(region, missing));
    EXPECT_FALSE(convertToProfileFile(region, empty));
    const std::vector<uint8_t> srgb = imaging::srgbProfile();
    const QString srgbFile = dir.filePath(QStringLiteral("srgb.icc"));
    ASSERT_TRUE(test::writeAll(
        srgbFile, QByteArray(reinterpret_cast<const char*>(srgb.data()), qsizetype(srgb.size()))));
    ASSERT_TRUE(convertToProfileFile(region, srgbFile));
    EXPECT_EQ(imaging::cGetImageICCProfile(region), srgb);
}

}  // namespace
}  // namespace core
