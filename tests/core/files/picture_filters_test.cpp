// The picture dialogs' type lists, stored form and Qt's form.
#include "core/files/picture_filters.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureFiltersTest, TheOpenListHasItsTwentyOneRows) {
    const QString filter = core::openPictureFilter();
    const QStringList parts = filter.split('|');
    ASSERT_EQ(parts.size(), 2 * core::kOpenFilterRows);
    // The first row names no pattern; its description is looked up.
    EXPECT_EQ(parts[0], "ALS_ALL_SUPPORTED");
    EXPECT_EQ(parts[1],
              "*.bmp;*.jpg;*.jpeg;*.tiff;*.tif;*.gif;*.raw;*.mrw;*.orf;*.nef;*.crw;*.cr2;*.pef;"
              "*.psd;*.dng;*.x3f;*.dcr;*.srf;*.pmp;*.raf");
    EXPECT_EQ(parts[1].split(';').size(), 20);
    EXPECT_EQ(parts[2], "ALS_ALL_FILES (*.*)");
    EXPECT_EQ(parts[3], "*.*");
    EXPECT_EQ(parts[4], "Bitmaps (*.bmp)");
    EXPECT_EQ(parts[6], "JPEG (*.jpg;*.jpeg)");
    EXPECT_EQ(parts[20], "Canon Raw (*.crw;*.cr2;*.tiff)");
    EXPECT_EQ(parts[21], "*.crw;*.cr2;*.tiff");
    EXPECT_EQ(parts[34], "Pentax *ist D PEF (*.pef)");
    EXPECT_EQ(parts[40], "Sony PMP (*.pmp)");
    EXPECT_EQ(parts[41], "*.pmp");
}

TEST(PictureFiltersTest, TheOpenListLooksUpItsFirstTwoDescriptions) {
    const QString filter = core::openPictureFilter([](const QString& key) {
        return key == "ALS_ALL_SUPPORTED" ? QStringLiteral("Alle Bilder")
               : key == "ALS_ALL_FILES"   ? QStringLiteral("Alle Dateien")
                                          : QStringLiteral("?");
    });
    EXPECT_TRUE(filter.startsWith("Alle Bilder|*.bmp;"));
    EXPECT_TRUE(filter.contains("|Alle Dateien (*.*)|*.*|Bitmaps (*.bmp)|"));
    EXPECT_FALSE(filter.contains('?'));
}

TEST(PictureFiltersTest, TheSaveListHasTheSixFormats) {
    EXPECT_EQ(core::savePictureFilter(),
              "Bitmap (*.bmp)|*.BMP|JPEG (*.jpg)|*.JPG|JPEG Progressive (*.jpg)|*.JPG|"
              "JPEG 2000 (*.jp2)|*.JP2|Photoshop (*.psd)|*.PSD|TIFF (*.tif)|*.TIF");
}

TEST(PictureFiltersTest, TheSaveListStartsOnTheStoredFormat) {
    const struct {
        int format;
        int filter;
    } cases[] = {{0, 1}, {1, 2}, {4, 5}, {5, 6}, {6, 2}, {7, 2}, {-1, 2}, {255, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(core::saveFilterIndex(c.format), c.filter) << c.format;
    // Index 4 shows "Photoshop (*.psd)".
    EXPECT_EQ(core::qtNameFilters(core::savePictureFilter()).value(core::saveFilterIndex(4) - 1),
              "Photoshop (*.psd)");
    for (int filter = 1; filter <= 6; ++filter)
        EXPECT_EQ(core::saveFormatIndex(filter), filter - 1);
    EXPECT_EQ(core::saveFormatIndex(0), 1);
    EXPECT_EQ(core::saveFormatIndex(7), 1);
}

TEST(PictureFiltersTest, TheJpegQualityBelongsToTheJpegRows) {
    const bool shown[] = {false, false, true, true, true, false, false, false};
    for (int filter = 0; filter < 8; ++filter)
        EXPECT_EQ(core::saveFilterShowsJpegQuality(filter), shown[filter]) << filter;
}

TEST(PictureFiltersTest, QtFiltersNameEachPatternOnce) {
    const struct {
        const char* stored;
        QStringList qt;
    } cases[] = {
        {"JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg", {"JPEG (*.jpg *.jpeg)"}},
        {"All supported|*.bmp;*.jpg", {"All supported (*.bmp *.jpg)"}},
        {"All files (*.*)|*.*", {"All files (*)"}},
        {"Pentax *ist D PEF (*.pef)|*.pef", {"Pentax *ist D PEF (*.pef)"}},
        {"Bitmap (*.bmp)|*.BMP", {"Bitmap (*.bmp)"}},
        {"Bitmap (*.bmp)|*.gif", {"Bitmap (*.bmp) (*.gif)"}},
        {"A|*.a|B|*.b;*.b", {"A (*.a)", "B (*.b)"}},
        {"", {}},
        {"Odd|", {"Odd ()"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::qtNameFilters(c.stored), c.qt) << c.stored;
    const QStringList open = core::qtNameFilters(core::openPictureFilter());
    ASSERT_EQ(open.size(), core::kOpenFilterRows);
    EXPECT_EQ(open[1], "ALS_ALL_FILES (*)");
    EXPECT_EQ(open[10], "Canon Raw (*.crw *.cr2 *.tiff)");
}

TEST(PictureFiltersTest, SixJpegQualities) {
    EXPECT_EQ(core::jpegQualityTexts(),
              QStringList({"7 (52%)", "8 (62%)", "9 (71%)", "10 (81%)", "11 (91%)", "12 (100%)"}));
}

}  // namespace
