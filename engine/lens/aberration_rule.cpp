#include "aberration_rule.h"

#include <algorithm>
#include <cstdlib>

#include "colour_space.h"
#include "falloff.h"
#include "hue.h"

namespace dnr {

FringeColour fringeColour(const ProcessingParams& p) {
    // The picked colour is a 16-bit sample; out-of-range record values would wrap the luma sums.
    auto sample = [](int32_t v) { return std::clamp(v, 0, 65535); };
    const Ycc c = rgbToYcc(sample(p.CAColorRed), sample(p.CAColorGreen), sample(p.CAColorBlue),
                           ChromaModel::Plain);
    FringeColour f;
    f.hue128 = hue128Of(c.cr, c.cb);
    f.chroma = chromaOf(c.cr, c.cb);
    f.luma = c.y;
    f.hueWeight =
        static_cast<int32_t>(std::clamp<int64_t>(100 - int64_t{p.CATolerance}, -1000000, 1000000));
    return f;
}

int64_t fringeDistance(int32_t hue128, int32_t chroma, const FringeColour& f) {
    int64_t dh = hue128 - f.hue128;
    if (std::llabs(dh) > 23040) dh = 46080 - std::llabs(dh);
    const int64_t m = std::min(chroma, f.chroma);
    if (m < 1024) dh = (dh * m) >> 10;
    const int64_t weighted = (dh * f.hueWeight) >> 10;
    return (weighted * weighted) >> 8;
}

int32_t chromaKeep(int32_t spread, int64_t distance) {
    const int32_t s = std::min(spread >> 5, 1024);
    const auto index = static_cast<int32_t>(std::clamp<int64_t>(distance, -1, 1024));
    return 1024 - ((falloff(index) * s) >> 10);
}

}  // namespace dnr
