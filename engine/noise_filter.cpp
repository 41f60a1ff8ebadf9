// Noise reduction stages. Until the filters are built they pass the planes through: the smoothed
// planes are a copy of the input and the blend changes nothing.
#include "stages.h"

namespace dnr {

bool runHighNoiseFilter(PlaneSet&, const ProcessingParams&) {
    return true;
}

bool smoothForNoise(const PlaneSet& planes, PlaneSet& smoothed, const ProcessingParams&) {
    return smoothed.copyFrom(planes);
}

bool computeNoiseMap(const PlaneSet&, const PlaneSet&, Plane&, const ProcessingParams&) {
    return true;
}

bool smoothNoiseMap(Plane&, const ProcessingParams&) {
    return true;
}

bool blendNoiseReduction(PlaneSet&, const PlaneSet&, const Plane&, const ProcessingParams&) {
    return true;
}

}  // namespace dnr
