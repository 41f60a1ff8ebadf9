#include "noise_fixtures.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "engine_state.h"

namespace dnr::testing {

ProcessingParams defaultParams(Picture& picture) {
    ProcessingParams p = neutralParams(picture);
    p.NoiseReductionOn = 1;
    p.NoiseLevel = p.ShadowsNoiseLevel = p.HighlightsNoiseLevel = 20;
    p.NoiseRadius = 6;
    p.ChromaNoise = 2;
    p.NoiseReductionAmount = 100;
    p.ColorAdjustOn = 1;
    return p;
}

void emptyAllCaches() {
    engine_state::releaseCaches();
}

void addGreyNoise(Picture& picture, double deviation, unsigned seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, deviation);
    for (int32_t y = 0; y < picture.height(); ++y)
        for (int32_t x = 0; x < picture.width(); ++x) {
            const double n = noise(rng);
            const auto noisy = [n](int32_t v) {
                return int32_t(std::clamp(std::lround(v + n), 0L, 65535L));
            };
            const Colour c = picture.get16(x, y);
            picture.set16(x, y, {noisy(c.r), noisy(c.g), noisy(c.b)});
        }
}

PlaneSet lumaChromaSet(int32_t w, int32_t h, int32_t luma, double noise, unsigned seed) {
    PlaneSet set;
    set.allocate(w, h);
    set.rgb = false;
    std::mt19937 rng(seed);
    std::normal_distribution<double> n(0.0, noise);
    for (size_t i = 0; i < set.planes[0].size(); ++i) {
        const auto jitter = [&](int32_t v) {
            return uint16_t(std::clamp(std::lround(v + (noise > 0 ? n(rng) : 0.0)), 0L, 65535L));
        };
        set.planes[PlaneSet::kCb].data()[i] = jitter(0x8000);
        set.planes[PlaneSet::kY].data()[i] = jitter(luma);
        set.planes[PlaneSet::kCr].data()[i] = jitter(0x8000);
    }
    return set;
}

}  // namespace dnr::testing
