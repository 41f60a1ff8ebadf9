#include "bench_pictures.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "engine_state.h"
#include "pixel_view.h"

namespace bench {

BenchPicture makeNoisyPicture(int32_t width, int32_t height, bool is16) {
    BenchPicture pic;
    pic.width = width;
    pic.height = height;
    pic.is16 = is16;
    const size_t stride = is16 ? size_t(width) * 6 : size_t(dnr::stride8(width));
    pic.pristine.assign(stride * height, 0);
    std::mt19937 rng(5);
    std::normal_distribution<float> noise(0.0f, 6.0f * 256);
    for (int32_t y = 0; y < height; ++y) {
        // Stored row of image row y (rows counted from the bottom).
        const size_t row = is16 ? size_t(height - 1 - y) : size_t(y);
        for (int32_t x = 0; x < width; ++x) {
            const float fx = float(x) / width, fy = float(y) / height;
            const float dx = fx - 0.5f, dy = fy - 0.5f;
            const bool disc = dx * dx + dy * dy < 0.04f;
            for (int c = 0; c < 3; ++c) {
                float v = disc ? 0.3f + 0.2f * c : 0.25f + 0.5f * fx * (c + 1) / 3.0f + 0.2f * fy;
                v = std::clamp(v * 65535 + noise(rng), 0.0f, 65535.0f);
                const auto s = uint16_t(v);
                if (is16) {
                    auto* p = reinterpret_cast<uint16_t*>(pic.pristine.data() + row * stride);
                    p[size_t(x) * 3 + c] = s;
                } else {
                    pic.pristine[row * stride + size_t(x) * 3 + c] = uint8_t(s >> 8);
                }
            }
        }
    }
    pic.pixels = pic.pristine;
    int32_t levels[3];
    DetectNoiseLevel(pic.pixels.data(), levels, width, height, is16 ? 1 : 0);
    for (int i = 0; i < 3; ++i)
        pic.levels[i] = std::clamp(levels[i], 1, 200);
    return pic;
}

ProcessingParams defaultRecord(BenchPicture& picture, int32_t noiseMode, int32_t finalRun) {
    ProcessingParams p{};
    p.Magic = DNR_IMAGE_MAGIC;
    p.Bits = picture.pixels.data();
    p.Width = picture.width;
    p.Height = picture.height;
    p.BytesPerSample = picture.is16 ? 2 : 1;
    p.NoiseReductionOn = 1;
    p.ShadowsNoiseLevel = picture.levels[0];
    p.NoiseLevel = picture.levels[1];
    p.HighlightsNoiseLevel = picture.levels[2];
    p.NoiseRadius = 6;
    p.NoiseMode = noiseMode;
    p.ChromaNoise = 2;
    p.NoiseEqualizerCount = 40;
    p.NoiseReductionAmount = 100;
    p.SharpnessEqualizerCount = 40;
    p.ColorAdjustOn = 1;
    p.SelectedColorRange = -1;
    p.SaturationEqualizerCount = 40;
    p.BrightnessEqualizerCount = 9;
    p.FinalRun = finalRun;
    p.FullWidth = p.ScaledFullWidth = picture.width;
    p.FullHeight = p.ScaledFullHeight = picture.height;
    return p;
}

void emptyEngineCaches() {
    dnr::engine_state::releaseCaches();
}

}  // namespace bench
