// A demonstration of the engine: makes a noisy picture in memory, runs Grainwash2 on it with the
// program's default noise settings and reports how much noise is left and how long it took.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "dnr.h"

namespace {

constexpr int kWidth = 3000;
constexpr int kHeight = 2000;

// A smooth 16-bit scene: gradients and a few discs, the same every time.
uint16_t scene(int x, int y, int c) {
    const double fx = double(x) / kWidth, fy = double(y) / kHeight;
    double v = 0.25 + 0.5 * fx * (c + 1) / 3.0 + 0.2 * fy;
    const double dx = fx - 0.5, dy = fy - 0.5;
    if (dx * dx + dy * dy < 0.04) v = 0.3 + 0.2 * c;
    return uint16_t(std::lround(std::clamp(v, 0.0, 1.0) * 65535));
}

// Root-mean-square difference from the clean scene, in 8-bit units.
double noiseLeft(const std::vector<uint16_t>& pixels) {
    double sum = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c) {
                const double d =
                    (double(pixels[(size_t(y) * kWidth + x) * 3 + c]) - scene(x, y, c)) / 256;
                sum += d * d;
            }
    return std::sqrt(sum / (double(kWidth) * kHeight * 3));
}

}  // namespace

int main() {
    std::vector<uint16_t> pixels(size_t(kWidth) * kHeight * 3);
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0.0, 6.0 * 256);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c)
                pixels[(size_t(y) * kWidth + x) * 3 + c] =
                    uint16_t(std::clamp(scene(x, y, c) + noise(rng), 0.0, 65535.0));

    ProcessingParams p{};
    p.Magic = DNR_IMAGE_MAGIC;
    p.Bits = pixels.data();
    p.Width = kWidth;
    p.Height = kHeight;
    p.BytesPerSample = 2;
    p.NoiseReductionOn = 1;
    p.NoiseMode = 2;
    p.NoiseRadius = 6;
    p.ChromaNoise = 2;
    p.NoiseReductionAmount = 100;
    p.NoiseEqualizerCount = 40;
    p.SharpnessEqualizerCount = 40;
    p.SaturationEqualizerCount = 40;
    p.BrightnessEqualizerCount = 9;
    p.ColorAdjustOn = 1;
    p.SelectedColorRange = -1;
    p.FinalRun = 1;
    p.FullWidth = p.ScaledFullWidth = kWidth;
    p.FullHeight = p.ScaledFullHeight = kHeight;
    p.NoiseLevel = p.ShadowsNoiseLevel = p.HighlightsNoiseLevel = 60;

    const double before = noiseLeft(pixels);
    const auto t0 = std::chrono::steady_clock::now();
    const int ok = Grainwash2(&p);
    const auto ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    const double after = noiseLeft(pixels);

    std::printf("Grainwash2 on a %dx%d 16-bit picture with simulated sensor noise\n", kWidth,
                kHeight);
    std::printf("  result: %s, %.0f ms (%.1f megapixels/s)\n", ok ? "done" : "failed", ms,
                kWidth * double(kHeight) / 1000.0 / ms);
    std::printf(
        "  noise (RMS difference from the clean scene, 8-bit units): %.2f before, %.2f after\n",
        before, after);
    return ok ? 0 : 1;
}
