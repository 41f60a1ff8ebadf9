// The crop view's arithmetic on numbers: the frame's smallest size on screen, whether a new
// proportion fits the view, the user size fields' own limits, placing a dragged frame and carrying
// the frame along when the picture is straightened.
#pragma once

#include <QString>
#include <cstdint>

#include "core/crop/crop_frame.h"
#include "core/crop/crop_texts.h"

namespace core {

// The frame's smallest size on screen at the view scale s (screen pixels per picture pixel) for
// the proportion in force (a free frame counts as 1:1): k = max(10 s, 12) along the shorter side,
// k times the proportion along the longer, never below 15 screen pixels.
PixelSize minimumFrameOnScreen(double scale, const CropProportion& proportion);

struct ProportionCheck {
    bool accepted = true;
    double lowest = 0.0;   // minimum width / view height
    double highest = 0.0;  // view width / minimum height
};

// Whether a new proportion can be shown in a view area of the given size with the minimum frame
// as last set: a free one always, else when minimum width / view height <= r <= view width /
// minimum height (a view of height 0 gives the lower bound 0, a minimum height of 0 or less the
// upper bound 1e20).
ProportionCheck checkProportion(const CropProportion& proportion, PixelSize minimum,
                                PixelSize viewArea);

// "The proportion must lie between 0.150 and 6.667." from "ALS_CRP_RATE_ERROR".
QString proportionRefusalText(const ProportionCheck& check, const TextLookup& text);

// After a refused user proportion: the width field is emptied (0) when the user width is smaller
// than the user height or below kMinimumFrameSide, else the height field.
CropSizeChoice userSizeAfterRefusal(CropSizeChoice choice);

// A user size field as it is left: 1 to 9 become kMinimumFrameSide.
int32_t userSizeFieldOnLeave(int32_t value);

// Where a dragged frame comes to lie in the picture: its view position divided by the view scale,
// rounded, plus the view offset, then moved so that the frame lies inside the picture.
CropFrame placeDraggedFrame(PixelSize size, int32_t viewLeft, int32_t viewTop, double scale,
                            int32_t offsetLeft, int32_t offsetTop, int32_t imageWidth,
                            int32_t imageHeight);

// The frame after the picture turned by the given degrees (clockwise as seen) about its centre:
// its centre turns along, and the frame is moved so that it stays inside the picture.
CropFrame turnFrameWithPicture(const CropFrame& frame, double degrees, int32_t imageWidth,
                               int32_t imageHeight);

}  // namespace core
