// Where the full-screen preview puts its picture, and how large the screen copy it processes is.
#pragma once

#include <optional>

#include "core/crop/crop_frame.h"

namespace core {

struct ViewPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ViewPlacement&) const = default;
};

// A picture of width x height fitted into the panel, smaller pictures enlarged, centred (never
// above or left of the panel). Nothing when a size is below 1: the view then stays as it was.
std::optional<ViewPlacement> fitIntoPanel(int width, int height, int panelWidth, int panelHeight);

// A view of exactly width x height centred in the panel; at 0 on a side where it is larger.
ViewPlacement centreInPanel(int width, int height, int panelWidth, int panelHeight);

// The scale from the picture to the view it is fitted into (single precision, as the resize
// decision depends on it).
float screenCopyFactor(int width, int height, int viewWidth, int viewHeight);

// The size the screen copy is resampled to, or nothing when the factor is within 0.8...1.2 and
// the copy keeps the picture's size.
std::optional<PixelSize> screenCopySize(int width, int height, float factor);

// The two steps together: the copy's new size for a picture shown in a panel of that size.
std::optional<PixelSize> screenCopySizeForPanel(int width, int height, int panelWidth,
                                                int panelHeight);

}  // namespace core
