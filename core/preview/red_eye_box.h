// The box a user draws around an eye on the red-eye tab, in pane pixels, and the red-eye entry it
// becomes. The box is an ellipse centred on the press; its width grows with the horizontal pull
// (2 * sqrt(2) * |dx|, so that the pulled corner lies on the ellipse) and its height keeps the
// pull's aspect. A plain click gives a box of size 0: the engine then sizes the eye itself.
#pragma once

#include <cstdint>
#include <optional>

#include "core/preview/preview_region.h"
#include "dnr.h"

namespace core {

// An odd number of pixels, so that the box has a centre pixel: even values grow by one.
constexpr int32_t madeOdd(int32_t v) {
    return v > 0 && v % 2 == 0 ? v + 1 : v;
}

// The drawn shape for a pull of (dx, dy) pane pixels from the press: width round(2√2 |dx|),
// height round(width * |dy / dx|), each made odd; 0 by 0 when dx * dy is 0.
struct EllipseSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const EllipseSize&) const = default;
};
EllipseSize pulledEllipse(int32_t dx, int32_t dy);

struct EyeBox {
    int32_t startX = 0;  // the press, pane pixels
    int32_t startY = 0;
    EllipseSize size;

    // Centred on the press.
    PixelRect rect() const {
        return {startX - size.width / 2, startY - size.height / 2, size.width, size.height};
    }
};

EyeBox eyeBoxAt(int32_t startX, int32_t startY, int32_t x, int32_t y);

// The box is shown only while it covers at least 3 picture pixels across (region width * box
// width / pane width); smaller boxes stay hidden.
bool eyeBoxVisible(const EyeBox& box, PictureSize pane, int32_t regionWidth);

// A box of positive width that reaches past the pane's edges cannot be used.
bool eyeBoxOutsidePane(const EyeBox& box, PictureSize pane);

// The entry for a released box: with sx = region width / pane width and sy likewise,
// EyeX = round((start x * sx + region left) * 1000), EyeY likewise with the top,
// EyeWidth = round(1000 * sx * box width), EyeHeight = round(1000 * sy * box height); Darkening
// and PupilSize are the red-eye sliders' positions. None when the box reaches out of the pane.
std::optional<RedEyeEntry> redEyeEntryForBox(const EyeBox& box, PictureSize pane,
                                             const PixelRect& region, int32_t darkening,
                                             int32_t pupilSize);

}  // namespace core
