// The arithmetic of one full view in the viewing mode: the scale of a zoom code, the zoom steps,
// the size and placement of the scroll box, where the view scrolls to so that its centre stays,
// and which part of the picture is visible (the only part that is drawn).
#pragma once

#include <cstdint>

#include "core/preview/preview_region.h"

namespace core {

// The room left for a scroll bar that the other direction will need.
inline constexpr int32_t kScrollBarRoom = 16;

enum class ZoomChange : int32_t { Recompute = 0, Out = 1, In = 2 };

// Displayed pixels per picture pixel for a code in a pane of client size `pane`:
// fit window min(rW, rH); fit width (W - bar * [rW > rH]) / w; fit height
// (H - bar * [rW < rH]) / h; original 1; a percentage code / 100. An empty picture gives 1.
double viewScale(int32_t code, PictureSize pane, PictureSize picture,
                 int32_t scrollBarRoom = kScrollBarRoom);

struct ZoomStepResult {
    int32_t code = 0;
    double scale = 1;
};

// One zoom of a view from its current code and scale. Zoom out (only above 5 %): the list entry
// before the first entry at or above the current percentage, or fit window when the fit-window
// scale is larger than that entry's. Zoom in (only below 1000 %): the entry after the last entry
// at or below the current percentage; below the smallest entry, the smallest entry. Recompute
// keeps the code. The scale is then recomputed for the pane.
ZoomStepResult zoomStep(int32_t code, double currentScale, ZoomChange change, PictureSize pane,
                        PictureSize picture, int32_t scrollBarRoom = kScrollBarRoom);

// The image control's size at a scale: floor(w * scale) by floor(h * scale).
PictureSize zoomedSize(PictureSize picture, double scale);

// The scroll box inside the pane: the whole pane when the zoomed picture is larger in both
// directions; otherwise per direction the pane's size where the picture is larger, else the
// picture's size plus room for the other direction's scroll bar when that one is shown, else
// the picture's size; centred. `visible` is the box less its scroll bars.
struct ViewBox {
    PixelRect box;  // in pane coordinates
    bool horizontalBar = false;
    bool verticalBar = false;
    PictureSize visible;
};
ViewBox viewBox(PictureSize zoomed, PictureSize pane, int32_t scrollBarRoom = kScrollBarRoom);

// What a view remembers to keep its centre when the zoom changes: the scroll position (the
// image control's left and top, negated), the image control's size and the visible size.
struct ViewGeometry {
    int32_t scrollX = 0;
    int32_t scrollY = 0;
    PictureSize control;
    PictureSize visible;
    bool valid() const { return control.width > 0 && control.height > 0; }
    bool operator==(const ViewGeometry&) const = default;
};

// The largest scroll position in one direction.
int32_t maxScroll(int32_t controlLength, int32_t visibleLength);

// The scroll position in one direction that keeps the previous centre:
// max(0, round((previous scroll + previous visible / 2) * new length / previous length
// - visible / 2)), at most the largest position. Without a previous length the view starts
// centred.
int32_t keptScroll(int32_t previousScroll, int32_t previousVisible, int32_t previousLength,
                   int32_t newLength, int32_t newVisible);

// The geometry of a view after a zoom to `control` with `visible`, keeping the centre of
// `previous`.
ViewGeometry zoomedGeometry(const ViewGeometry& previous, PictureSize control, PictureSize visible);

// The visible part of a view: where it lands in the layer (visible-area coordinates) and the
// picture rectangle behind it, in picture pixels (real, so that the drawing does not drift),
// with its origin rounded down as the drawing call takes it.
struct VisiblePart {
    PixelRect target;
    double sourceLeft = 0;
    double sourceTop = 0;
    double sourceWidth = 0;
    double sourceHeight = 0;
    int32_t originX = 0;  // floor(scroll x / scale)
    int32_t originY = 0;
    bool empty() const { return target.width <= 0 || target.height <= 0; }
};
VisiblePart visiblePart(PictureSize picture, double scale, const ViewGeometry& geometry);

}  // namespace core
