// Small pictures made in the tests: a session filled with a varied pattern, and a record that
// switches on noise reduction, sharpening and colour so that the engine changes the pixels.
#pragma once

#include <cstdint>

#include "dnr.h"
#include "imaging/imaging.h"

namespace core {

inline imaging::Handle patternSession(int width, int height, bool sixteen) {
    const imaging::Handle h = imaging::cNewSession();
    if (sixteen)
        imaging::cLoadImage16(h, nullptr, 0, width, height);
    else
        imaging::cLoadImage8(h, nullptr, 0, width, height);
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const uint16_t noise = static_cast<uint16_t>((seed >> 16) & 0x1fff);
            imaging::cOpSetPixelColor(h, x, y, static_cast<uint16_t>((x * 1200 + noise) & 0xffff),
                                      static_cast<uint16_t>((y * 1500 + noise) & 0xffff),
                                      static_cast<uint16_t>(((x + y) * 700 + noise) & 0xffff));
        }
    return h;
}

inline ProcessingParams processingRecord() {
    ProcessingParams p{};
    p.Magic = DNR_IMAGE_MAGIC;
    p.BytesPerSample = -1;
    p.NoiseReductionOn = 1;
    p.NoiseLevel = p.ShadowsNoiseLevel = p.HighlightsNoiseLevel = 80;
    p.NoiseRadius = 2;
    p.NoiseMode = 2;
    p.ChromaNoise = 1;
    p.NoiseReductionAmount = 100;
    p.NoiseEqualizerCount = DNR_EQUALIZER_POINTS;
    p.SharpenAmount = 40;
    p.EdgeWidth = 2;
    p.EdgeContrast = 5;
    p.SharpnessEqualizerCount = DNR_EQUALIZER_POINTS;
    p.ColorAdjustOn = 1;
    p.Contrast = 20;
    p.SaturationEqualizerCount = DNR_EQUALIZER_POINTS;
    p.BrightnessEqualizerCount = 9;
    p.SelectedColorRange = -1;
    p.DistortionsOn = 1;
    p.Barrel = 30;
    return p;
}

}  // namespace core
