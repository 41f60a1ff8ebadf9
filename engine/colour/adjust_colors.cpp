// The colour and tone stage: colour ranges, saturation, then (when any tone or channel setting
// asks for it) the tone table on luma/chroma planes and the channel gains on RGB planes.
#include "color_range_step.h"
#include "colour_space.h"
#include "colour_steps.h"
#include "curves.h"
#include "equalizer_curve.h"
#include "progress.h"
#include "stages.h"

namespace dnr {
namespace {

// Nothing after the saturation step would change the picture (the exposure marks are not shown
// either).
bool toneAndGainsNeutral(const ProcessingParams& p) {
    if (p.AutoContrast != 0 || p.Contrast != 0 || p.Gamma != 0 || p.Highlights != 0 ||
        p.Shadows != 0 || p.LocalContrast != 0 || p.RedShift != 0 || p.GreenShift != 0 ||
        p.BlueShift != 0 || p.BWConversion != 0)
        return false;
    const EqualizerCurve& curve = curveObject(CurveKind::Brightness);
    const int32_t* v = curve.points(p);
    for (int32_t i = 0; i < curve.pointCount(p); ++i)
        if (v[i] != 0) return false;
    return true;
}

}  // namespace

bool adjustColors(PlaneSet& planes, const ProcessingParams& p) {
    if (p.ColorAdjustOn == 0) return true;
    if (!colorRangeStep(planes, p)) return false;
    // A range being edited is shown on its own.
    if (p.SelectedColorRange != -1) return true;
    if (!saturationStep(planes, p)) return false;
    if (toneAndGainsNeutral(p)) return true;

    // The tone and gain passes count one unit a row each.
    progress::begin(2 * planes.height());
    if (planes.rgb && !toLumaChroma(planes, false, ChromaModel::Plain)) return false;
    rebuildCurveTable(CurveKind::Brightness, p);
    if (!toneStep(planes)) return false;
    if (!toRgb(planes, false)) return false;
    return colourGainStep(planes, p);
}

}  // namespace dnr
