#include "progress_shares.h"

namespace dnr {

ProgressShares computeShares(const ProcessingParams& p) {
    const bool noise = p.NoiseReductionOn != 0;
    const bool highNoise = p.NoiseMode == DNR_NOISE_HIGH;
    const bool normalNoise = noise && !highNoise;
    const std::array<int32_t, kShareCount> weight = {
        noise ? 362 : 0,
        noise ? 323 : 0,
        noise && p.CAOn ? 930 : 0,
        noise ? 5462 : 0,
        normalNoise && p.NoiseMode == DNR_NOISE_NORMAL_SPLIT ? 5462 : 0,
        normalNoise ? 198 : 0,
        normalNoise ? 2755 : 0,
        normalNoise ? 1456 : 0,
        p.SharpenAmount != 0 ? 931 : 0,
        p.ColorAdjustOn ? 1076 : 0,
        p.DistortionsOn ? 1000 : 0,
        200,
    };
    int32_t total = 1;
    for (int32_t w : weight)
        total += w;
    ProgressShares s;
    for (int k = 0; k < kShareCount; ++k)
        s.start[k + 1] = s.start[k] + weight[k] * 1000 / total;
    return s;
}

}  // namespace dnr
