// The last step of the colour and tone stage, on RGB planes: channel gains (or, in
// black-and-white mode, a grey toned by them in the shadows) and the exposure marks.
#include <algorithm>

#include "colour_steps.h"
#include "luminance.h"
#include "progress.h"

namespace dnr {
namespace {

int32_t gainOf(int32_t weight, int32_t shift) {
    const int32_t k = std::clamp(static_cast<int32_t>(int64_t{weight} * shift / 100), -100, 100);
    return (k + 100) * 4096 / 100;
}

}  // namespace

ChannelGains channelGains(const ProcessingParams& p) {
    // Lowering the saturation weakens the shifts; -100 removes them.
    const int32_t t = p.Saturation + 100;
    ChannelGains g{gainOf(t, p.RedShift), gainOf(t, p.GreenShift), gainOf(t, p.BlueShift), 0};
    g.luma = (g.red * 4899 + g.green * 9617 + g.blue * 1868) >> 14;
    return g;
}

bool colourGainStep(PlaneSet& planes, const ProcessingParams& p) {
    const bool blackAndWhite = p.BWConversion == 1;
    const bool marks = p.ShowOverExposed == 1;
    if (p.RedShift == 0 && p.GreenShift == 0 && p.BlueShift == 0 && !marks && !blackAndWhite)
        return true;
    const ChannelGains g = channelGains(p);
    const int64_t o = g.luma;
    const int32_t w = planes.width();
    for (int32_t row = 0; row < planes.height(); ++row) {
        if (abortRequested()) return false;
        uint16_t* pb = planes.planes[0].row(row);
        uint16_t* pg = planes.planes[1].row(row);
        uint16_t* pr = planes.planes[2].row(row);
        for (int32_t x = 0; x < w; ++x) {
            int32_t r, gr, b;
            if (blackAndWhite) {
                // Tinted by the gains in the shadows, neutral (scaled by o) toward white.
                const int64_t l = luminanceOf(pr[x], pg[x], pb[x]);
                auto toned = [&](int64_t gain) {
                    return clamp16((l * (o + (((gain - o) * (65535 - l)) >> 16))) >> 12);
                };
                r = toned(g.red);
                gr = toned(g.green);
                b = toned(g.blue);
            } else {
                r = clamp16((int64_t{pr[x]} * g.red) >> 12);
                gr = clamp16((int64_t{pg[x]} * g.green) >> 12);
                b = clamp16((int64_t{pb[x]} * g.blue) >> 12);
            }
            if (marks) {
                const int32_t l = luminanceOf(r, gr, b);
                if (l >= 65280) {
                    r = 65280, gr = 1, b = 1;
                } else if (l < 256) {
                    r = 1, gr = 1, b = 65280;
                }
            }
            pr[x] = static_cast<uint16_t>(r);
            pg[x] = static_cast<uint16_t>(gr);
            pb[x] = static_cast<uint16_t>(b);
        }
        progress::step();
    }
    return true;
}

}  // namespace dnr
