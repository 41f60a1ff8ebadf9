#include "tone_table.h"

#include <algorithm>
#include <cmath>

#include "equalizer_curve.h"

namespace dnr {

double logisticGain(double x, double b, double c) {
    if (x <= 0 || x >= 1) return 1;
    const double t = c * std::log(x / (1 - x)) + b;
    return 1 / (1 + std::exp(-t)) / x;
}

std::array<int32_t, 256> localContrastWeights(int32_t strength, const HistogramStats& stats) {
    std::array<int32_t, 256> w{};
    const double l = strength;
    for (int k = 0; k < 256; ++k) {
        // Before any detection there are no samples: no level stands out.
        const double share =
            stats.sampleCount > 0 ? 2560.0 / stats.sampleCount * stats.lumaBins[k] : 0.0;
        w[k] = static_cast<int32_t>(100 - l + l * std::sqrt(share));
    }
    return w;
}

void buildToneTable(const ProcessingParams& p, const HistogramStats& stats,
                    const EqualizerCurve& equalizer, int32_t* table) {
    std::array<int32_t, 256> weights{};
    int64_t weightSum = 0;
    // Before any detection there are no statistics to redistribute by; the step is left out.
    const bool local = p.LocalContrast != 0 && stats.sampleCount > 0;
    if (local) {
        weights = localContrastWeights(p.LocalContrast, stats);
        for (int32_t w : weights)
            weightSum += w;
    }
    const int32_t darkCut = p.AutoContrastDarkest * 256 / 200;
    const int32_t stretch =
        std::clamp(p.AutoContrastBrightest - p.AutoContrastDarkest + 100, 1, 200);
    int64_t cumulative = 0;
    for (int i = 0; i < 256; ++i) {
        double x = i / 256.0;
        if (p.AutoContrast == 1) x = i < darkCut ? 0.0 : (i - darkCut) * (200.0 / stretch) / 256;
        double y = x * 65535;
        cumulative += weights[i];
        if (local && weightSum != 0)
            y = y * (double(cumulative) / double(weightSum)) / ((i + 1) / 256.0);
        if (p.Gamma != 0) y *= logisticGain(x, p.Gamma * 0.03333333333333333, 1);
        if (p.Highlights != 0)
            y *= (logisticGain(x, p.Highlights * 0.014285714285714285, 1) - 1) * x + 1;
        if (p.Shadows != 0)
            y *= (logisticGain(x, p.Shadows * 0.014285714285714285, 1) - 1) * (1 - x) + 1;
        if (p.Contrast != 0) {
            const int32_t c = p.Contrast > 0 ? 2 * p.Contrast : p.Contrast / 2;
            y *= logisticGain(x, 0, 1 + c * 0.01);
        }
        const double entry = equalizer.value(i, 256, p) * 655.35 + y;
        table[i] = static_cast<int32_t>(std::clamp(std::trunc(entry), 0.0, 65535.0));
    }
    table[256] = table[255];
}

}  // namespace dnr
