// Level counts of a sampled grid of a picture and the luminance statistics derived from them:
// where the dark and bright ends of the used range lie and how far the histogram is from flat.
#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "histogram_stats.h"
#include "luminance.h"

namespace dnr {
namespace {

HistogramStats gLuminanceStatistics{};

void deriveStatistics(HistogramStats& s) {
    // Half a percent of the samples is cut at each end: luminance at the dark end, any channel
    // at the bright end.
    const auto cut = static_cast<int32_t>(s.sampleCount * 0.005);
    int32_t low = 0;
    if (cut > 0) {
        int64_t running = 0;
        for (low = 0; low < 255; ++low) {
            running += s.lumaBins[low];
            if (running >= cut) break;
        }
    }
    int64_t remainder = cut;
    int32_t high = 255;
    for (;; --high) {
        remainder -= int64_t{s.blueBins[high]} + s.greenBins[high] + s.redBins[high];
        if (remainder <= 0 || high == 0) break;
    }

    s.blackLevel = (low / 2) << 8;
    // The luminance level never lies above every channel level, so the range is at least one
    // level wide; the guard only keeps a corrupt block from dividing by zero.
    s.stretchFactor = 0x100000 / std::max(high - low / 2 + 1, 1);
    s.needsStretch = ((s.stretchFactor * 100) & ~0xFFF) > 0x69000 ? 1 : 0;

    // Fewer than 256 samples give no mean per level to compare with: call that flat.
    const int32_t mean = s.sampleCount / 256;
    if (mean == 0) {
        s.flatness = 0;
        return;
    }
    const int32_t first = s.needsStretch ? low / 2 : 0;
    const int32_t last = s.needsStretch ? high : 255;
    int64_t distance = 0;
    for (int32_t l = first; l <= last; ++l)
        distance += std::abs(int64_t{s.lumaBins[l]} - mean);
    s.flatness = static_cast<int32_t>(std::clamp<int64_t>(distance / mean / 40, 0, 100));
}

}  // namespace

HistogramStats& luminanceStatistics() {
    return gLuminanceStatistics;
}

void collectHistogram(const View& view, HistogramStats& block, bool withStatistics) {
    std::fill(std::begin(block.blueBins), std::end(block.blueBins), 0);
    std::fill(std::begin(block.greenBins), std::end(block.greenBins), 0);
    std::fill(std::begin(block.redBins), std::end(block.redBins), 0);
    std::fill(std::begin(block.lumaBins), std::end(block.lumaBins), 0);
    block.sampleCount = 0;
    // About 300 columns of any picture, and rows at the same step.
    const int32_t step = std::max(1, view.width / 300);
    for (int32_t y = 0; y < view.height; y += step) {
        for (int32_t x = 0; x < view.width; x += step) {
            const auto b = static_cast<int32_t>(view.sample(x, y, 0));
            const auto g = static_cast<int32_t>(view.sample(x, y, 1));
            const auto r = static_cast<int32_t>(view.sample(x, y, 2));
            ++block.blueBins[b >> 8];
            ++block.greenBins[g >> 8];
            ++block.redBins[r >> 8];
            ++block.lumaBins[luminanceOf(r, g, b) >> 8];
            ++block.sampleCount;
        }
    }
    if (!withStatistics) {
        block.blackLevel = 0;
        block.stretchFactor = 0;
        return;
    }
    deriveStatistics(block);
}

}  // namespace dnr
