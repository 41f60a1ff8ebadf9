// The caption of a framed output: a rendered text mask, softened, laid over the output in the
// caption colour with one of five text effects.
#pragma once

#include "dnr.h"
#include "pixel_view.h"

namespace dnr {

enum TextEffect : int32_t {
    kTextPrintOver = 1,
    kTextShadowed = 2,
    kTextEmbossText = 3,
    kTextEmbossPaper = 4,
    kTextInvert = 5,
};

// Draws the caption of params onto output; nothing when there is no mask or the mask is empty.
// False when memory or the blur fails.
bool drawCaption(const AddTextParams& params, const View& output);

}  // namespace dnr
