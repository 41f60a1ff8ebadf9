// Noise level detection: the mean absolute deviation of luma over small blocks, where flat areas
// show nothing but noise. DetectNoiseLevel takes the quietest block of each brightness band on a
// grid over the picture; AdjustNoise measures the block the user clicked.
#include <algorithm>
#include <cstdlib>

#include "dnr.h"
#include "histogram_stats.h"
#include "noise_detection.h"

namespace dnr {
namespace {

constexpr int32_t kGridSize = 100;  // grid points per side: 10000 blocks
constexpr int32_t kDetectBlock = 15;
constexpr int32_t kNoBlock = 10000000;
// Blocks outside this luma range are clipped or too dark to show noise.
constexpr int64_t kDarkest = 5120;
constexpr int64_t kBrightest = 60160;
constexpr int64_t kBandWidth = 21760;

inline int64_t lumaOf(const View& v, int32_t x, int32_t y) {
    return (9617 * int64_t{v.sample(x, y, 1)} + 4899 * int64_t{v.sample(x, y, 2)} +
            1868 * int64_t{v.sample(x, y, 0)}) >>
           14;
}

int64_t blockMean(const View& v, int32_t x0, int32_t y0, int32_t size) {
    int64_t sum = 0;
    for (int32_t y = y0; y < y0 + size; ++y)
        for (int32_t x = x0; x < x0 + size; ++x)
            sum += lumaOf(v, x, y);
    return sum / (int64_t{size} * size);
}

// Mean absolute deviation from the truncated mean, truncated.
int64_t blockDeviation(const View& v, int32_t x0, int32_t y0, int32_t size, int64_t mean) {
    int64_t sum = 0;
    for (int32_t y = y0; y < y0 + size; ++y)
        for (int32_t x = x0; x < x0 + size; ++x)
            sum += std::abs(lumaOf(v, x, y) - mean);
    return sum / (int64_t{size} * size);
}

int32_t bandOf(int64_t mean) {
    return static_cast<int32_t>(std::min<int64_t>(mean / kBandWidth, 2));
}

// The three quietest deviations, scaled to level units and held within a common range: no band
// below half the quietest band, none above one and a half times it.
void finishLevels(int64_t (&v)[3], int32_t* levels) {
    for (int64_t& x : v)
        x = ((3 * x) / 2) / 10;
    const int64_t g = std::min({v[0], v[1], v[2]});
    const int64_t lo = g / 2 + 2;
    const int64_t hi = (3 * g) / 2;
    for (int b = 0; b < 3; ++b) {
        const int64_t raised = std::max(v[b], lo);
        levels[b] = static_cast<int32_t>(hi < raised ? hi : raised);
    }
}

// One grid axis: step and first position. A side too short for the step gives step 0, and every
// grid point of that axis falls on the same column (or row).
struct GridAxis {
    int32_t first;
    int32_t step;
};

GridAxis gridAxis(int32_t extent) {
    const int32_t step = (extent - 2 * (extent / 8) - kDetectBlock - 1) / kGridSize;
    return {extent / 8 + step / 2, step};
}

}  // namespace

int32_t detectNoiseLevels(const View& v, int32_t* levels) {
    int64_t minima[3] = {kNoBlock, kNoBlock, kNoBlock};
    const GridAxis gx = gridAxis(v.width);
    const GridAxis gy = gridAxis(v.height);
    for (int32_t i = 0; i < kGridSize; ++i) {
        const int32_t x0 = gx.first + i * gx.step;
        // A picture too small for the grid keeps only the blocks that lie inside it.
        if (x0 + kDetectBlock > v.width) continue;
        for (int32_t j = 0; j < kGridSize; ++j) {
            const int32_t y0 = gy.first + j * gy.step;
            if (y0 + kDetectBlock > v.height) continue;
            const int64_t mean = blockMean(v, x0, y0, kDetectBlock);
            if (mean < kDarkest || mean > kBrightest) continue;
            const int64_t deviation = blockDeviation(v, x0, y0, kDetectBlock, mean);
            int64_t& m = minima[bandOf(mean)];
            m = std::min(m, deviation);
        }
    }
    finishLevels(minima, levels);
    return levels[1];
}

}  // namespace dnr

extern "C" DNR_API int32_t DNR_CALL DetectNoiseLevel(void* bits, int32_t* levels, int32_t width,
                                                     int32_t height, int32_t is16Bit) {
    int32_t results[3];
    const auto v = dnr::makeView(bits, width, is16Bit ? 2 : 1, height);
    if (v) {
        dnr::detectNoiseLevels(*v, results);
        dnr::collectHistogram(*v, dnr::luminanceStatistics(), true);
    } else {
        // No pixels: no usable block in any band.
        int64_t none[3] = {dnr::kNoBlock, dnr::kNoBlock, dnr::kNoBlock};
        dnr::finishLevels(none, results);
    }
    if (levels) std::copy(results, results + 3, levels);
    return results[1];
}

extern "C" DNR_API int32_t DNR_CALL AdjustNoise(ProcessingParams* params, int32_t x, int32_t y,
                                                int32_t blockSize) {
    if (!params) return 0;
    const auto v =
        dnr::makeView(params->Bits, params->Width, params->BytesPerSample, params->Height);
    if (!v) return 0;
    // A block larger than the picture is shrunk to it, so nothing outside is read.
    const int32_t size = std::clamp(blockSize, 1, std::min(v->width, v->height));
    auto origin = [size](int32_t c, int32_t extent) {
        int32_t o = c - size / 2;
        if (o > extent - size - 1) o = extent - size - 1;
        return std::max(o, 0);
    };
    const int32_t x0 = origin(x, v->width);
    const int32_t y0 = origin(y, v->height);
    const int64_t mean = dnr::blockMean(*v, x0, y0, size);
    const int64_t deviation = dnr::blockDeviation(*v, x0, y0, size, mean);
    const auto level = static_cast<int32_t>(std::clamp<int64_t>(deviation / 10, 2, 195));
    switch (dnr::bandOf(mean)) {
        case 0:
            params->ShadowsNoiseLevel = level;
            break;
        case 1:
            params->NoiseLevel = level;
            break;
        default:
            params->HighlightsNoiseLevel = level;
            break;
    }
    return 1;
}
