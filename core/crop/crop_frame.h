// The crop frame's geometry: the proportion a frame keeps, fitting the largest such frame into a
// picture, snapping a dragged size to the proportion, and the pixel size the cropped picture is
// resized to.
#pragma once

#include <cstdint>

namespace core {

// The stored size kinds.
inline constexpr int32_t kCropPaper = 0;
inline constexpr int32_t kCropWeb = 1;
inline constexpr int32_t kCropUser = 2;

// No frame side is ever smaller than this, and smaller pictures are never cropped.
inline constexpr int32_t kMinimumFrameSide = 10;

enum class CropOrientation { Landscape, Portrait, Either };

// In picture pixels.
struct CropFrame {
    int32_t width = 0;
    int32_t height = 0;
    int32_t left = 0;
    int32_t top = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    bool operator==(const CropFrame&) const = default;
};

struct PixelSize {
    int32_t width = 0;
    int32_t height = 0;

    bool operator==(const PixelSize&) const = default;
};

// What the frame is made for: a row of the paper or web table, or the user's own size.
struct CropSizeChoice {
    int32_t sizeKind = kCropPaper;
    int32_t paperIndex = 0;
    int32_t webIndex = 0;
    bool userResizeOn = false;
    int32_t userWidth = 0;
    int32_t userHeight = 0;
};

// Width : height; a free frame (any proportion) has a side of 0.
struct CropProportion {
    int32_t width = 0;
    int32_t height = 0;

    bool free() const { return width <= 0 || height <= 0; }
    double ratio() const { return free() ? 0.0 : double(width) / double(height); }
    bool operator==(const CropProportion&) const = default;
};

// Rounds to the nearest integer, halves to even, as the stored numbers were always rounded.
int32_t roundToInt(double value);

// The user's width and height with a missing one derived from the picture's proportion; 0 and 0
// when both are missing.
PixelSize derivedUserSize(int32_t userWidth, int32_t userHeight, int32_t imageWidth,
                          int32_t imageHeight);

// The proportion the frame keeps: the row's long : short (short : long in portrait) for the paper
// and web kinds; for the user kind the user's size (only while user resizing is on) with a missing
// side derived from the picture, free when neither is given.
CropProportion frameProportion(const CropSizeChoice& choice, bool portrait, int32_t imageWidth,
                               int32_t imageHeight);

// The size the cropped picture is resized to: the row's pixel size (long side first in landscape)
// or the user's size with a missing side derived; 0 and 0 for no resizing.
PixelSize resizeSize(const CropSizeChoice& choice, bool portrait, int32_t imageWidth,
                     int32_t imageHeight);

// The largest frame of the choice's proportion in the orientation asked for ("either" tries both),
// centred in the picture. The user kind keeps its own orientation and, without both sides given,
// takes the whole picture. current is returned when there is no proportion to fit.
CropFrame fitFrame(const CropFrame& current, int32_t imageWidth, int32_t imageHeight,
                   const CropSizeChoice& choice, CropOrientation orientation);

// A dragged frame size brought to the proportion by the smaller of the two possible changes, and
// kept within kMinimumFrameSide .. the picture's size.
PixelSize snapFrameSize(int32_t width, int32_t height, const CropProportion& proportion,
                        int32_t imageWidth, int32_t imageHeight);

}  // namespace core
