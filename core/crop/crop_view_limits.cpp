#include "core/crop/crop_view_limits.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/i18n/language.h"

namespace core {

namespace {

constexpr double kLeastScreenSide = 15.0;  // three times the frame handle's 5 pixels

// Moves the frame as little as needed to lie inside the picture.
CropFrame inside(CropFrame f, int32_t imageWidth, int32_t imageHeight) {
    f.left = std::clamp(f.left, 0, std::max(0, imageWidth - f.width));
    f.top = std::clamp(f.top, 0, std::max(0, imageHeight - f.height));
    return f;
}

}  // namespace

PixelSize minimumFrameOnScreen(double scale, const CropProportion& proportion) {
    const double k = std::max(10.0 * scale, 12.0);
    const double r = proportion.free() ? 1.0 : proportion.ratio();
    double w = 0, h = 0;
    if (r > 1.0) {
        w = std::ceil(k * r);
        h = std::ceil(k);
    } else {
        w = std::ceil(k);
        h = std::ceil(k / r);
    }
    return {int32_t(std::max(w, kLeastScreenSide)), int32_t(std::max(h, kLeastScreenSide))};
}

ProportionCheck checkProportion(const CropProportion& proportion, PixelSize minimum,
                                PixelSize viewArea) {
    ProportionCheck c;
    c.lowest = viewArea.height == 0 ? 0.0 : double(minimum.width) / viewArea.height;
    c.highest = minimum.height <= 0 ? 1e20 : double(viewArea.width) / minimum.height;
    if (proportion.free()) return c;
    const double r = proportion.ratio();
    c.accepted = c.lowest <= r && r <= c.highest;
    return c;
}

QString proportionRefusalText(const ProportionCheck& check, const TextLookup& text) {
    return fillPlaceholders(text("ALS_CRP_RATE_ERROR"), {QString::number(check.lowest, 'f', 3),
                                                         QString::number(check.highest, 'f', 3)});
}

CropSizeChoice userSizeAfterRefusal(CropSizeChoice c) {
    if (c.userWidth < c.userHeight || c.userWidth < kMinimumFrameSide)
        c.userWidth = 0;
    else
        c.userHeight = 0;
    return c;
}

int32_t userSizeFieldOnLeave(int32_t value) {
    return value >= 1 && value < kMinimumFrameSide ? kMinimumFrameSide : value;
}

CropFrame placeDraggedFrame(PixelSize size, int32_t viewLeft, int32_t viewTop, double scale,
                            int32_t offsetLeft, int32_t offsetTop, int32_t imageWidth,
                            int32_t imageHeight) {
    CropFrame f{size.width, size.height, 0, 0};
    if (scale > 0) {
        f.left = roundToInt(viewLeft / scale) + offsetLeft;
        f.top = roundToInt(viewTop / scale) + offsetTop;
    }
    return inside(f, imageWidth, imageHeight);
}

CropFrame turnFrameWithPicture(const CropFrame& frame, double degrees, int32_t imageWidth,
                               int32_t imageHeight) {
    const double a = degrees * std::numbers::pi / 180.0;
    const double cx = imageWidth / 2.0, cy = imageHeight / 2.0;
    const double dx = frame.left + frame.width / 2.0 - cx;
    const double dy = frame.top + frame.height / 2.0 - cy;
    // Rows count downwards, so this turn is clockwise on screen.
    const double x = cx + dx * std::cos(a) - dy * std::sin(a);
    const double y = cy + dx * std::sin(a) + dy * std::cos(a);
    CropFrame f = frame;
    f.left = roundToInt(x - frame.width / 2.0);
    f.top = roundToInt(y - frame.height / 2.0);
    return inside(f, imageWidth, imageHeight);
}

}  // namespace core
