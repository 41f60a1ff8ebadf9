// The rectangle of the source that a region tab previews: its size from the pane and the zoom,
// its position from a centre, and how dragging the preview moves it. Plain arithmetic on source
// pixels, so the window only binds numbers to widgets.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace core {

// The items of cmbZoomPreview, in percent.
inline constexpr std::array<int32_t, 9> kPreviewZooms = {25, 50, 100, 150, 200, 250, 300, 350, 400};
inline constexpr int32_t kDefaultPreviewZoomIndex = 3;  // 150 %
// Neither side of a region is ever smaller than this.
inline constexpr int32_t kMinimumRegionSide = 7;

// "25%" .. "400%".
QString previewZoomItemText(int32_t index);
// The zoom of a stored item index; an index outside the list gives the default item's zoom.
int32_t previewZoomPercent(int32_t index);

struct PictureSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PictureSize&) const = default;
};

struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PixelRect&) const = default;
};

// The previewed rectangle in source pixels (rows from the top) and the centre it was placed
// around; the centre is kept as a real number so that zoom changes do not drift.
struct PreviewRegion {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    double centreX = 0;
    double centreY = 0;

    PixelRect rect() const { return {left, top, width, height}; }
    // Inclusive corners, as the region extraction takes them.
    int32_t right() const { return left + width - 1; }
    int32_t bottom() const { return top + height - 1; }
};

// w = min(source width, floor(pane width * 100 / zoom)), h likewise; both at least 7.
PictureSize regionSize(PictureSize source, PictureSize pane, int32_t zoomPercent);

// The left (or top) edge of a region of the given length around centre: round(centre - length/2)
// clamped to 0..sourceLength - length, so that the region may end on the last column or row.
int32_t clampedRegionStart(double centre, int32_t length, int32_t sourceLength);

// The region of the pane's size at the zoom around the centre.
PreviewRegion regionAround(double centreX, double centreY, PictureSize source, PictureSize pane,
                           int32_t zoomPercent);
// The first region of an opened picture: centred on it.
PreviewRegion centredRegion(PictureSize source, PictureSize pane, int32_t zoomPercent);

// Where the source and output previews sit in their pane: w * zoom / 100 by h * zoom / 100,
// centred (an offset may be negative when the preview is larger than the pane).
PixelRect previewPlacement(const PreviewRegion& region, PictureSize pane, int32_t zoomPercent);

// A drag of the preview with the pointer: the state when the button went down.
struct PreviewDrag {
    PreviewRegion start;
    int32_t startX = 0;  // pointer position in the preview at the start
    int32_t startY = 0;
};

// The region after the pointer moved to (x, y): left = start left + w * a * (start x - x) /
// preview width (truncated), clamped to 0..W - w; the top likewise with the heights; the centre
// follows. accelerator is the preference 1..10 (clamped); previewWidth/Height are the displayed
// preview's size in screen pixels.
PreviewRegion draggedRegion(const PreviewDrag& drag, int32_t x, int32_t y, int32_t previewWidth,
                            int32_t previewHeight, int32_t accelerator, PictureSize source);

}  // namespace core
