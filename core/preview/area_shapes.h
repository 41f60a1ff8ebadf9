// The areas a colour range is limited to or kept out of, as the user draws them on the colour
// tab: a rectangle spanned from the press, or an ellipse centred on it, followed in picture
// pixels while the pointer moves, then stored as an excluded-area record of the range.
#pragma once

#include <cstdint>
#include <optional>

#include "core/preview/pane_mapping.h"
#include "core/preview/red_eye_box.h"
#include "dnr.h"

namespace core {

enum class AreaKind : int32_t { Ellipse = 0, Rectangle = 1 };

// An area being drawn: its start and the pointer's current offset, in picture pixels.
struct AreaDrawing {
    AreaKind kind = AreaKind::Rectangle;
    PicturePoint start;
    int32_t dx = 0;  // signed: the pointer may be left of or above the start
    int32_t dy = 0;

    // The ellipse's size for the current offset (as an eye box: 2√2 |dx| wide, odd sides).
    EllipseSize ellipse() const { return pulledEllipse(dx, dy); }
    // Whether a finishing press stores the area: a rectangle with both extents, an ellipse of
    // positive size.
    bool hasSize() const;
    // The outline in picture pixels: a rectangle from the start to the pointer (normalised), an
    // ellipse's bounding box centred on the start.
    PixelRect outline() const;
};

AreaDrawing areaFollowing(AreaDrawing drawing, PicturePoint pointer);

// The outline grows by this many pane pixels on each side on screen: max(1, round(2 * pane
// width / picture width)).
int32_t areaScreenMargin(int32_t paneWidth, int32_t pictureWidth);

// The stored area. Ellipse: centred on the start, width + 4 by height + 4. Rectangle: centre
// column start x + floor(dx / 2) + 1 for dx >= 0, start x + 1 - ceil(|dx| / 2) otherwise (the row
// likewise), |dx| + 4 by |dy| + 4, so that the same pixels give the same area whichever corner
// the drawing started from. None when the drawing has no size.
std::optional<XcludedArea> finishedArea(const AreaDrawing& drawing);

}  // namespace core
