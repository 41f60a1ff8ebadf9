// The brightness equalizer's panel: the tone curve over grey columns, with the input's
// luminance histogram below the middle and the result's above.
#include "dnr.h"
#include "equalizer_curve.h"
#include "histogram_drawing.h"

extern "C" DNR_API int32_t DNR_CALL DrawEqualizerCurve_and_Histogram(const PixelView* target,
                                                                     const PixelView* secondImage,
                                                                     ProcessingParams* params,
                                                                     int32_t rebuild, int32_t mode,
                                                                     int32_t noHistogram) {
    const auto view = dnr::makeView(target);
    if (!view || !params) return 0;
    dnr::BrightnessCurve& curve = dnr::brightnessCurve();
    curve.absoluteDisplay = mode == 1;
    if (rebuild) curve.rebuildTable(*params);
    curve.draw(*view, *params);
    if (!noHistogram) {
        const PixelView image{params->Bits, params->Width, params->BytesPerSample, params->Height};
        const int32_t w = view->width, h = view->height;
        dnr::drawHistogram(&image, target, 0, 0, w, h / 2, 30, 0, 2, 0, params);
        dnr::drawHistogram(secondImage, target, 0, h / 2, w, h / 2, 30, 1, 2, 0, params);
    }
    return 1;
}

extern "C" DNR_API int32_t DNR_CALL DrawEqualizerCurve(const PixelView* target,
                                                       ProcessingParams* params, int32_t rebuild) {
    if (!params) return 0;
    const PixelView image{params->Bits, params->Width, params->BytesPerSample, params->Height};
    return DrawEqualizerCurve_and_Histogram(target, &image, params, rebuild, 1, 0);
}
