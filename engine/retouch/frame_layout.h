// Where the picture lands in the framed output: margins, crops, the effect band and the inner
// line, all in output pixels (rows counted from the bottom).
#pragma once

#include <cstdint>

#include "dnr.h"

namespace dnr {

enum FrameEffect : int32_t {
    kFrameShadow = 0,
    kFrame3d = 1,
    kFrameSmooth3d = 2,
    kFrameFadeOut = 3,
    kFrameSlightBlur = 4,
    kFrameNormalBlur = 5,
    kFrameStrongBlur = 6,
    kFrameBlackWhite = 7,
    kFrameOval = 8,
};

struct FrameLayout {
    int32_t marginX = 0, marginY = 0;  // output size minus picture size, halved
    int32_t cropX = 0, cropY = 0;      // columns (rows) hidden on each side of the picture
    int32_t band = 0;                  // effect band width T
    int32_t inner = 0;                 // inner line width I
    // The picture rectangle in the output, inclusive; empty when right < left or top < bottom.
    int32_t left = 0, bottom = 0, right = -1, top = -1;

    // The picture pixel shown at output position (x, y).
    int32_t pictureX(int32_t x) const { return x - marginX; }
    int32_t pictureY(int32_t y) const { return y - marginY; }
};

FrameLayout frameLayout(const AddTextParams& p, int32_t pictureWidth, int32_t pictureHeight,
                        int32_t outputWidth, int32_t outputHeight);

}  // namespace dnr
