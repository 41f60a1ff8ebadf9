// Where a point of a preview pane lands in the picture, how large a block a pick averages, the
// frame that shows the sampled block, and the caption position a point stands for. Pane points
// are pixels of the shown preview (0, 0 at its top left); picture points count rows from the top,
// the engine's sampling calls take rows from the bottom (rowFromBottom).
#pragma once

#include <cstdint>

#include "core/preview/preview_region.h"

namespace core {

struct PicturePoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PicturePoint&) const = default;
};

// Whole-picture panes: x = round(px * (W - 1) / (w - 1)), y likewise, clamped to the picture.
// A pane narrower or lower than 2 pixels maps everything to (0, 0).
PicturePoint mapWholePicturePoint(int32_t px, int32_t py, PictureSize pane, PictureSize picture);
// Region panes: x = region left + round(px * (region width - 1) / (w - 1)), y likewise with the
// region's top and height, clamped to the picture.
PicturePoint mapRegionPoint(int32_t px, int32_t py, PictureSize pane, const PixelRect& region,
                            PictureSize picture);

// The centre of a block sample kept far enough from the edges that the whole block lies inside:
// block/2 .. W - block/2 - 1 (the same for y). A picture smaller than the block keeps the lower
// bound.
PicturePoint clampBlockCentre(PicturePoint point, int32_t block, PictureSize picture);

// The engine's row for a picture row: H - 1 - y.
constexpr int32_t rowFromBottom(int32_t y, int32_t height) {
    return height - 1 - y;
}

enum class PickKind {
    AdjustNoise,    // 10
    NoiseIncrease,  // min(round(max(W, H) / 100), 10)
    NoiseDecrease,
    CAColour,      // 4
    ColourSample,  // 1: white point, colour ranges, memory colours
};
inline constexpr int32_t kAdjustNoiseBlock = 10;
inline constexpr int32_t kMaxNoisePickBlock = 10;
inline constexpr int32_t kCAColourBlock = 4;
inline constexpr int32_t kColourSampleBlock = 1;

int32_t pickBlockSize(PickKind kind, PictureSize picture);

// The square drawn over the pane around the press while a block is sampled: side = block * pane
// width / region width (rounded, at least 1), centred on the press, moved to stay inside the pane.
PixelRect samplingFrame(int32_t px, int32_t py, int32_t block, PictureSize pane,
                        int32_t regionWidth);

// The caption position of a picture point: TextPosX = round(x * 10000 / (W - 1)), TextPosY =
// round(yb * 10000 / (H - 1)) with yb the row counted from the bottom; 0 for a side of 1 pixel.
struct CaptionPosition {
    int32_t TextPosX = 0;
    int32_t TextPosY = 0;
    bool operator==(const CaptionPosition&) const = default;
};
CaptionPosition captionPositionAt(PicturePoint point, PictureSize picture);

}  // namespace core
