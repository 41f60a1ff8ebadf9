// The curve editor's calls: drag steps on each curve and the panels of the three hue curves.
#include "dnr.h"
#include "equalizer_curve.h"

namespace dnr {
namespace {

int32_t updateCurve(CurveKind kind, int32_t x, int32_t y, int32_t width, int32_t height,
                    int32_t commit, ProcessingParams* params) {
    if (!params) return 0;
    curveObject(kind).update(x, y, width, height, commit != 0, *params);
    return 1;
}

int32_t drawCurve(CurveKind kind, const PixelView* target, ProcessingParams* params,
                  int32_t rebuild) {
    const auto view = makeView(target);
    if (!view || !params) return 0;
    EqualizerCurve& curve = curveObject(kind);
    if (rebuild) curve.rebuildTable(*params);
    curve.draw(*view, *params);
    return 1;
}

}  // namespace
}  // namespace dnr

using dnr::CurveKind;

extern "C" {

DNR_API int32_t DNR_CALL UpdateEqualizerCurve(int32_t x, int32_t y, int32_t width, int32_t height,
                                              int32_t commit, ProcessingParams* params) {
    return dnr::updateCurve(CurveKind::Brightness, x, y, width, height, commit, params);
}

DNR_API int32_t DNR_CALL UpdateSaturationCurve(int32_t x, int32_t y, int32_t width, int32_t height,
                                               int32_t commit, ProcessingParams* params) {
    return dnr::updateCurve(CurveKind::Saturation, x, y, width, height, commit, params);
}

DNR_API int32_t DNR_CALL UpdateNoiseEqualizerCurve(int32_t x, int32_t y, int32_t width,
                                                   int32_t height, int32_t commit,
                                                   ProcessingParams* params) {
    return dnr::updateCurve(CurveKind::Noise, x, y, width, height, commit, params);
}

DNR_API int32_t DNR_CALL UpdateSharpnessEqualizerCurve(int32_t x, int32_t y, int32_t width,
                                                       int32_t height, int32_t commit,
                                                       ProcessingParams* params) {
    return dnr::updateCurve(CurveKind::Sharpness, x, y, width, height, commit, params);
}

DNR_API int32_t DNR_CALL DrawColorEqualizerCurve(const PixelView* target, ProcessingParams* params,
                                                 int32_t rebuild) {
    return dnr::drawCurve(CurveKind::Saturation, target, params, rebuild);
}

DNR_API int32_t DNR_CALL DrawNoiseEqualizerCurve(const PixelView* target, ProcessingParams* params,
                                                 int32_t rebuild) {
    return dnr::drawCurve(CurveKind::Noise, target, params, rebuild);
}

DNR_API int32_t DNR_CALL DrawSharpnessEqualizerCurve(const PixelView* target,
                                                     ProcessingParams* params, int32_t rebuild) {
    return dnr::drawCurve(CurveKind::Sharpness, target, params, rebuild);
}

}  // extern "C"
