// The library's four curve objects, alive from load to unload, and the lookups the stages use.
#include "curves.h"
#include "equalizer_curve.h"

namespace dnr {
namespace {

BrightnessCurve gBrightness;
SaturationCurve gSaturation;
NoiseCurve gNoise;
SharpnessCurve gSharpness;

}  // namespace

void resetCurveObjects() {
    gBrightness = BrightnessCurve{};
    gSaturation = SaturationCurve{};
    gNoise = NoiseCurve{};
    gSharpness = SharpnessCurve{};
}

BrightnessCurve& brightnessCurve() {
    return gBrightness;
}

EqualizerCurve& curveObject(CurveKind kind) {
    switch (kind) {
        case CurveKind::Brightness:
            return gBrightness;
        case CurveKind::Saturation:
            return gSaturation;
        case CurveKind::Noise:
            return gNoise;
        case CurveKind::Sharpness:
            break;
    }
    return gSharpness;
}

void rebuildCurveTable(CurveKind kind, const ProcessingParams& p) {
    curveObject(kind).rebuildTable(p);
}

int32_t tableLookup(CurveKind kind, int32_t v) {
    return curveObject(kind).tableLookup(v);
}

int32_t hueLookup(CurveKind kind, int32_t hueDegrees) {
    return curveObject(kind).hueLookup(hueDegrees);
}

}  // namespace dnr
