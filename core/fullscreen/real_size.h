// The crop tab's real-size view: the cropped picture at the size its print will have, measured
// on this screen.
#pragma once

#include "core/crop/crop_frame.h"
#include "core/settings/settings_block.h"

namespace core {

// Prints are made at this resolution.
inline constexpr double kPrintPixelsPerInch = 300.0;

// What the display device reports about itself.
struct ScreenMetrics {
    int pixelsWide = 0;
    int pixelsHigh = 0;
    double millimetresWide = 0;  // 0 on virtual screens and some desktops
    double millimetresHigh = 0;
    double logicalDpiX = 96;  // the desktop's own idea of the resolution
    double logicalDpiY = 96;
};

// The screen's pixels per inch along one side: from its pixels and its physical size, or, when
// the physical size is unknown (0), the logical resolution (96 when that is unknown too).
double screenPixelsPerInch(int pixels, double millimetres, double logicalDpi);

// The size the cropped picture is shown at. The crop group's resize size, each side that is 0
// taken from the cropped frame; a paper size (a row other than "no resize") is converted from the
// print's 300 pixels per inch to the screen's.
PixelSize realDisplaySize(const SettingsBlock& crop, PixelSize frame, const ScreenMetrics& screen);

}  // namespace core
