// The brightness queries of the curve editor and main window: the level under the pointer and
// the automatic settings derived from the luminance statistics of the last noise detection.
#include <algorithm>

#include "block_square.h"
#include "dnr.h"
#include "histogram_stats.h"
#include "luminance.h"

namespace dnr {
namespace {

// The cuts that stretch the used level range over the full scale.
void setContrastCuts(ProcessingParams& p, const HistogramStats& s) {
    p.AutoContrastDarkest =
        std::clamp(static_cast<int32_t>(int64_t{s.blackLevel} * 200 / 65535), 0, 99);
    p.AutoContrastBrightest =
        std::clamp(819200 / s.stretchFactor + p.AutoContrastDarkest - 100, 0, 100);
}

}  // namespace
}  // namespace dnr

extern "C" {

DNR_API int32_t DNR_CALL GetBrightness(const ImageDesc* image, int32_t x, int32_t y, int32_t size) {
    const auto v = dnr::makeView(image);
    if (!v) return 0;
    const dnr::BlockSquare sq = dnr::blockSquare(*v, x, y, size);
    uint64_t sum = 0;
    for (int32_t j = sq.y0; j < sq.y0 + sq.size; ++j)
        for (int32_t i = sq.x0; i < sq.x0 + sq.size; ++i)
            sum += static_cast<uint64_t>(dnr::luminanceOf(
                static_cast<int32_t>(v->sample(i, j, 2)), static_cast<int32_t>(v->sample(i, j, 1)),
                static_cast<int32_t>(v->sample(i, j, 0))));
    return static_cast<int32_t>(sum / (uint64_t(sq.size) * uint64_t(sq.size))) >> 8;
}

// Before the first detection there are no statistics (stretch factor 0): the record is left as
// it is.
DNR_API int32_t DNR_CALL Brightness_AutoDetect(ProcessingParams* params) {
    const dnr::HistogramStats& s = dnr::luminanceStatistics();
    if (!params) return 0;
    if (s.stretchFactor == 0) return 1;
    params->Gamma = 0;
    params->Contrast = 0;
    params->Highlights = 0;
    params->Shadows = 0;
    params->LocalContrast = s.flatness;
    params->AutoContrast = s.needsStretch;
    dnr::setContrastCuts(*params, s);
    return 1;
}

DNR_API int32_t DNR_CALL AutoContrast_Detect(ProcessingParams* params) {
    const dnr::HistogramStats& s = dnr::luminanceStatistics();
    if (!params) return 0;
    if (s.stretchFactor == 0) return 1;
    dnr::setContrastCuts(*params, s);
    return 1;
}

}  // extern "C"
