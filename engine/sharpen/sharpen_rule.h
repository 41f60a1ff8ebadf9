// The unsharp-mask rule for one luma sample: the difference from the smoothed surroundings is
// amplified above the contrast threshold, softened below half of it, and brightening is weighted
// by the halo setting.
#pragma once

#include <cstdint>

#include "dnr.h"

namespace dnr {

struct SharpenSettings {
    int64_t threshold = 0;      // contrast threshold t
    int64_t haloWeight = 1024;  // weight of brightening differences, in 1/1024
    bool suppressHalos = false;
};

SharpenSettings sharpenSettings(const ProcessingParams& p);

// The strength D (-100..800, percent) and the difference A it applies to, for luma y, smoothed
// luma s and curve value c.
struct SharpenChange {
    int64_t d;
    int64_t a;
    int64_t delta() const { return d * a / 100; }  // truncating toward zero
};

SharpenChange sharpenChange(int32_t y, int32_t s, int32_t c, const SharpenSettings& k);

// The sharpened luma, clamped to 0..65535 and, with halo suppression, held between the
// envelopes lo and hi (hi wins when they cross).
int32_t sharpenedLuma(int32_t y, const SharpenChange& change, const SharpenSettings& k, int32_t lo,
                      int32_t hi);

// The sharpening map of one pixel: the change as grey around 0x8000, red where the pixel was
// sharpened, dark where it was softened.
struct SharpenMapPixel {
    uint16_t y, cb, cr;
};
SharpenMapPixel sharpenMapPixel(int32_t y, int32_t sharpened, const SharpenChange& change,
                                const SharpenSettings& k);

}  // namespace dnr
