// Whole-image tabs preview a screen-sized copy of the source: how large that reduced copy is made,
// and how it is fitted into the pane.
#pragma once

#include "core/preview/preview_region.h"
#include "core/preview/preview_tabs.h"

namespace core {

// Below this scale the source is reduced; otherwise the copy keeps the source's size.
inline constexpr double kReduceBelowScale = 0.8;
// The text and crop tabs leave a margin: their fit is this much smaller.
inline constexpr double kMarginFitFactor = 0.98;

struct ReducedCopySize {
    PictureSize size;
    bool reduced = false;  // false: an unscaled copy
};

// s = min(work-area height / source height, work-area width / source width); when s < 0.8 the
// copy is the source times s (truncated, at least 1 pixel; computed as an exact fraction),
// otherwise the source's size.
ReducedCopySize reducedCopySize(PictureSize source, PictureSize workArea);

// The picture fitted into the pane with its aspect kept (enlarged or reduced, rounded), 2 %
// smaller on the text and crop tabs, centred.
PixelRect fittedPlacement(PictureSize picture, PictureSize pane, PreviewTab tab);

}  // namespace core
