// Small pictures in the caller's layouts for engine tests.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "dnr.h"
#include "pixel_view.h"

namespace dnr::test {

// Owns the pixels of an 8-bit (bottom-up, padded rows) or 16-bit (top-down, packed) picture.
struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bytesPerSample = 1;
    std::vector<uint8_t> bytes8;
    std::vector<uint16_t> samples16;

    static Picture make(int32_t w, int32_t h, int32_t bps) {
        Picture p;
        p.width = w;
        p.height = h;
        p.bytesPerSample = bps;
        if (bps == 1)
            p.bytes8.assign(size_t(stride8(w) * h), 0);
        else
            p.samples16.assign(size_t(w) * h * 3, 0);
        return p;
    }

    static Picture random(int32_t w, int32_t h, int32_t bps, uint32_t seed) {
        Picture p = make(w, h, bps);
        std::mt19937 rng(seed);
        for (auto& b : p.bytes8)
            b = uint8_t(rng());
        for (auto& s : p.samples16)
            s = uint16_t(rng());
        return p;
    }

    void* bits() {
        return bytesPerSample == 1 ? static_cast<void*>(bytes8.data()) : samples16.data();
    }

    // Sets pixel (x, y), y counted from the bottom, from 16-bit values (8-bit keeps the high byte).
    void set(int32_t x, int32_t y, uint16_t red, uint16_t green, uint16_t blue) {
        const uint16_t v[3] = {blue, green, red};
        for (int c = 0; c < 3; ++c) {
            if (bytesPerSample == 1)
                bytes8[size_t(stride8(width) * y + x * 3 + c)] = uint8_t(v[c] >> 8);
            else
                samples16[(size_t(height - 1 - y) * width + x) * 3 + c] = v[c];
        }
    }

    ImageDesc desc() { return ImageDesc{DNR_IMAGE_MAGIC, bits(), width, bytesPerSample, height}; }

    // Compares the picture's pixels, ignoring the padding of 8-bit rows.
    bool samePixels(const Picture& o) const {
        if (bytesPerSample == 2) return samples16 == o.samples16;
        for (int32_t y = 0; y < height; ++y)
            for (int32_t i = 0; i < width * 3; ++i)
                if (bytes8[size_t(stride8(width) * y + i)] !=
                    o.bytes8[size_t(stride8(width) * y + i)])
                    return false;
        return true;
    }
};

// A record with every correction off, the equalizer counts the program writes and the picture.
inline ProcessingParams neutralParams(Picture& pic) {
    ProcessingParams p{};
    p.Magic = DNR_IMAGE_MAGIC;
    p.Bits = pic.bits();
    p.Width = pic.width;
    p.Height = pic.height;
    p.BytesPerSample = pic.bytesPerSample;
    p.NoiseMode = 2;
    p.NoiseEqualizerCount = 40;
    p.SharpnessEqualizerCount = 40;
    p.SaturationEqualizerCount = 40;
    p.BrightnessEqualizerCount = 9;
    p.SelectedColorRange = -1;
    p.FullWidth = p.ScaledFullWidth = pic.width;
    p.FullHeight = p.ScaledFullHeight = pic.height;
    return p;
}

}  // namespace dnr::test
