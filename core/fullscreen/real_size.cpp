#include "core/fullscreen/real_size.h"

#include <algorithm>
#include <cmath>

namespace core {

double screenPixelsPerInch(int pixels, double millimetres, double logicalDpi) {
    if (pixels > 0 && millimetres > 0) return pixels / (millimetres / 25.4);
    return logicalDpi > 0 ? logicalDpi : 96.0;
}

PixelSize realDisplaySize(const SettingsBlock& g, PixelSize frame, const ScreenMetrics& s) {
    PixelSize target{g.CropTargetWidth > 0 ? g.CropTargetWidth : frame.width,
                     g.CropTargetHeight > 0 ? g.CropTargetHeight : frame.height};
    if (g.CropSizeKind == kCropPaper && g.CropPaperIndex != 0) {
        const double ppiX = screenPixelsPerInch(s.pixelsWide, s.millimetresWide, s.logicalDpiX);
        const double ppiY = screenPixelsPerInch(s.pixelsHigh, s.millimetresHigh, s.logicalDpiY);
        target.width = static_cast<int32_t>(std::lround(target.width * ppiX / kPrintPixelsPerInch));
        target.height =
            static_cast<int32_t>(std::lround(target.height * ppiY / kPrintPixelsPerInch));
    }
    target.width = std::max(1, target.width);
    target.height = std::max(1, target.height);
    return target;
}

}  // namespace core
