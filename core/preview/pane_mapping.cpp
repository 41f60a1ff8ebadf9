#include "core/preview/pane_mapping.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

// round(p * (length - 1) / (paneLength - 1)) in exact integers, halves away from zero.
int32_t scaled(int32_t p, int32_t length, int32_t paneLength) {
    const int64_t num = int64_t(p) * (int64_t(length) - 1);
    const int64_t den = int64_t(paneLength) - 1;
    const int64_t q = (2 * (num < 0 ? -num : num) + den) / (2 * den);
    return int32_t(num < 0 ? -q : q);
}

int32_t clampTo(int32_t v, int32_t length) {
    return std::clamp(v, 0, std::max(0, length - 1));
}

bool paneUsable(PictureSize pane) {
    return pane.width >= 2 && pane.height >= 2;
}

}  // namespace

PicturePoint mapWholePicturePoint(int32_t px, int32_t py, PictureSize pane, PictureSize picture) {
    if (!paneUsable(pane)) return {};
    return {clampTo(scaled(px, picture.width, pane.width), picture.width),
            clampTo(scaled(py, picture.height, pane.height), picture.height)};
}

PicturePoint mapRegionPoint(int32_t px, int32_t py, PictureSize pane, const PixelRect& region,
                            PictureSize picture) {
    if (!paneUsable(pane)) return {};
    return {clampTo(region.left + scaled(px, region.width, pane.width), picture.width),
            clampTo(region.top + scaled(py, region.height, pane.height), picture.height)};
}

PicturePoint clampBlockCentre(PicturePoint point, int32_t block, PictureSize picture) {
    const int32_t half = std::max(0, block) / 2;
    const auto keep = [half](int32_t v, int32_t length) {
        return std::max(half, std::min(v, length - half - 1));
    };
    return {keep(point.x, picture.width), keep(point.y, picture.height)};
}

int32_t pickBlockSize(PickKind kind, PictureSize picture) {
    switch (kind) {
        case PickKind::AdjustNoise:
            return kAdjustNoiseBlock;
        case PickKind::NoiseIncrease:
        case PickKind::NoiseDecrease: {
            const int32_t longer = std::max(picture.width, picture.height);
            const int32_t hundredth = int32_t(std::lround(longer / 100.0));
            return std::min(hundredth, kMaxNoisePickBlock);
        }
        case PickKind::CAColour:
            return kCAColourBlock;
        case PickKind::ColourSample:
            return kColourSampleBlock;
    }
    return kColourSampleBlock;
}

PixelRect samplingFrame(int32_t px, int32_t py, int32_t block, PictureSize pane,
                        int32_t regionWidth) {
    const double scale = regionWidth > 0 ? double(pane.width) / regionWidth : 1.0;
    const int32_t side = std::max<int32_t>(1, int32_t(std::lround(block * scale)));
    const auto place = [side](int32_t centre, int32_t length) {
        const int32_t start = centre - side / 2;
        return std::max(0, std::min(start, length - side));
    };
    return {place(px, pane.width), place(py, pane.height), side, side};
}

CaptionPosition captionPositionAt(PicturePoint point, PictureSize picture) {
    const auto share = [](int32_t v, int32_t length) {
        if (length < 2) return 0;
        return int32_t(std::lround(double(v) * 10000.0 / (length - 1)));
    };
    return {share(point.x, picture.width),
            share(rowFromBottom(point.y, picture.height), picture.height)};
}

}  // namespace core
