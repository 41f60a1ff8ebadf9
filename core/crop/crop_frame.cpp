#include "core/crop/crop_frame.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/crop/crop_tables.h"

namespace core {

namespace {

const CropTableRow& tableRow(const CropSizeChoice& c) {
    return c.sizeKind == kCropWeb ? webRow(c.webIndex) : paperRow(c.paperIndex);
}

// The user's sides as the frame and the resizing read them: only while user resizing is on.
PixelSize userSides(const CropSizeChoice& c) {
    if (!c.userResizeOn) return {};
    return {std::max(c.userWidth, 0), std::max(c.userHeight, 0)};
}

bool within(int32_t v, int32_t low, int32_t high) {
    return v >= low && v <= high;
}

}  // namespace

int32_t roundToInt(double value) {
    return int32_t(std::nearbyint(value));
}

PixelSize derivedUserSize(int32_t userWidth, int32_t userHeight, int32_t imageWidth,
                          int32_t imageHeight) {
    if (userWidth > 0 && userHeight > 0) return {userWidth, userHeight};
    if (imageWidth <= 0 || imageHeight <= 0) return {};
    if (userWidth > 0) return {userWidth, roundToInt(double(imageHeight) * userWidth / imageWidth)};
    if (userHeight > 0)
        return {roundToInt(double(imageWidth) * userHeight / imageHeight), userHeight};
    return {};
}

CropProportion frameProportion(const CropSizeChoice& c, bool portrait, int32_t imageWidth,
                               int32_t imageHeight) {
    if (c.sizeKind == kCropUser) {
        const PixelSize user = userSides(c);
        const PixelSize s = derivedUserSize(user.width, user.height, imageWidth, imageHeight);
        return {s.width, s.height};
    }
    const CropTableRow& row = tableRow(c);
    if (portrait) return {row.proportionShort, row.proportionLong};
    return {row.proportionLong, row.proportionShort};
}

PixelSize resizeSize(const CropSizeChoice& c, bool portrait, int32_t imageWidth,
                     int32_t imageHeight) {
    if (c.sizeKind == kCropUser) {
        const PixelSize user = userSides(c);
        return derivedUserSize(user.width, user.height, imageWidth, imageHeight);
    }
    const CropTableRow& row = tableRow(c);
    const int32_t longSide = roundToInt(row.longSide), shortSide = roundToInt(row.shortSide);
    if (longSide <= 0 || shortSide <= 0) return {};
    if (portrait) return {shortSide, longSide};
    return {longSide, shortSide};
}

CropFrame fitFrame(const CropFrame& current, int32_t imageWidth, int32_t imageHeight,
                   const CropSizeChoice& c, CropOrientation orientation) {
    const double w = imageWidth, h = imageHeight;
    double r = 0;
    bool userKind = c.sizeKind == kCropUser;
    if (userKind) {
        const PixelSize user = userSides(c);
        if (user.width == 0 || user.height == 0) return {imageWidth, imageHeight, 0, 0};
        r = double(user.width) / user.height;
    } else {
        const CropTableRow& row = tableRow(c);
        r = double(row.proportionLong) / row.proportionShort;
    }
    if (r == 0 || imageWidth <= 0 || imageHeight <= 0) return current;

    CropFrame frame = current;
    double bestArea = 0;
    auto consider = [&](double fw, double fh) {
        if (fw * fh > bestArea) {
            bestArea = fw * fh;
            frame.width = int32_t(std::floor(fw));
            frame.height = int32_t(std::floor(fh));
        }
    };
    for (int pass = 1; pass <= 2; ++pass) {
        const double pr = pass == 1 ? r : 1.0 / r;
        const bool tried = userKind
                               ? pass == 1
                               : orientation == CropOrientation::Either ||
                                     (pass == 1 && orientation == CropOrientation::Landscape) ||
                                     (pass == 2 && orientation == CropOrientation::Portrait);
        if (!tried) continue;
        if (h >= w / pr) consider(w, w / pr);
        if (w >= h * pr) consider(h * pr, h);
    }
    frame.left = roundToInt((imageWidth - frame.width) / 2.0);
    frame.top = roundToInt((imageHeight - frame.height) / 2.0);
    return frame;
}

PixelSize snapFrameSize(int32_t width, int32_t height, const CropProportion& proportion,
                        int32_t imageWidth, int32_t imageHeight) {
    const int32_t w = std::clamp(width, kMinimumFrameSide, std::max(kMinimumFrameSide, imageWidth));
    const int32_t h =
        std::clamp(height, kMinimumFrameSide, std::max(kMinimumFrameSide, imageHeight));
    if (proportion.free()) return {w, h};
    const double r = proportion.ratio();
    const int32_t t = roundToInt(r * h);  // the width the height implies
    const int32_t u = roundToInt(w / r);  // the height the width implies
    PixelSize s;
    if (std::abs(w - t) >= std::abs(h - u)) {
        s = within(u, kMinimumFrameSide, imageHeight) ? PixelSize{w, u} : PixelSize{t, h};
        if (!within(s.width, kMinimumFrameSide, imageWidth)) s = {w, h};
    } else {
        s = within(t, kMinimumFrameSide, imageWidth) ? PixelSize{t, h} : PixelSize{w, u};
        if (!within(s.height, kMinimumFrameSide, imageHeight)) s = {w, h};
    }
    return s;
}

}  // namespace core
