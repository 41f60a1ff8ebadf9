#include "core/fullscreen/real_size.h"

#include <gtest/gtest.h>

namespace core {
namespace {

SettingsBlock cropGroup(int32_t kind, int32_t paperRow, int32_t width, int32_t height) {
    SettingsBlock g{};
    g.CropOn = 1;
    g.CropSizeKind = kind;
    g.CropPaperIndex = paperRow;
    g.CropTargetWidth = width;
    g.CropTargetHeight = height;
    return g;
}

// 1600 pixels over 400 mm: about 101.6 pixels per inch; 1200 over 300 mm the same.
ScreenMetrics measuredScreen() {
    ScreenMetrics s;
    s.pixelsWide = 1600;
    s.pixelsHigh = 1200;
    s.millimetresWide = 400;
    s.millimetresHigh = 300;
    s.logicalDpiX = 96;
    s.logicalDpiY = 96;
    return s;
}

TEST(RealSize, PaperPrintIsShownAtItsPrintSize) {
    // Paper row 2 in landscape (1800 x 1200 at 300 ppi) is 610 pixels wide on this screen.
    const PixelSize size =
        realDisplaySize(cropGroup(kCropPaper, 2, 1800, 1200), {3000, 2000}, measuredScreen());
    EXPECT_EQ(size, (PixelSize{610, 406}));
}

TEST(RealSize, WebAndUserSizesAreShownPixelForPixel) {
    EXPECT_EQ(realDisplaySize(cropGroup(kCropWeb, 2, 800, 600), {3000, 2000}, measuredScreen()),
              (PixelSize{800, 600}));
    EXPECT_EQ(realDisplaySize(cropGroup(kCropUser, 2, 1024, 700), {3000, 2000}, measuredScreen()),
              (PixelSize{1024, 700}));
}

TEST(RealSize, NoResizeShowsTheFramesOwnSize) {
    EXPECT_EQ(realDisplaySize(cropGroup(kCropWeb, 0, 0, 0), {1234, 567}, measuredScreen()),
              (PixelSize{1234, 567}));
    // Paper row 0 is "no resize": not converted.
    EXPECT_EQ(realDisplaySize(cropGroup(kCropPaper, 0, 0, 0), {1234, 567}, measuredScreen()),
              (PixelSize{1234, 567}));
    // One side missing takes the frame's.
    EXPECT_EQ(realDisplaySize(cropGroup(kCropUser, 0, 900, 0), {1234, 567}, measuredScreen()),
              (PixelSize{900, 567}));
}

TEST(RealSize, UnknownPhysicalSizeFallsBackToTheLogicalResolution) {
    // Virtual screens report 0 mm: no division by zero, the desktop's 96 ppi instead.
    ScreenMetrics s = measuredScreen();
    s.millimetresWide = 0;
    s.millimetresHigh = 0;
    const PixelSize size = realDisplaySize(cropGroup(kCropPaper, 2, 1800, 1200), {3000, 2000}, s);
    EXPECT_EQ(size, (PixelSize{576, 384}));
}

struct PpiCase {
    int pixels;
    double millimetres;
    double logical;
    double expected;
};

class ScreenPixelsPerInch : public testing::TestWithParam<PpiCase> {};

TEST_P(ScreenPixelsPerInch, FromPhysicalSizeOrLogical) {
    const PpiCase& c = GetParam();
    EXPECT_NEAR(screenPixelsPerInch(c.pixels, c.millimetres, c.logical), c.expected, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScreenPixelsPerInch,
                         testing::Values(PpiCase{1600, 400, 96, 101.6}, PpiCase{1600, 0, 96, 96},
                                         PpiCase{1600, -5, 120, 120}, PpiCase{0, 400, 110, 110},
                                         PpiCase{1600, 0, 0, 96}));

}  // namespace
}  // namespace core
