#include "core/crop/resampling_method.h"

#include "imaging/imaging.h"

namespace core {

std::optional<int> imagingFilter(int32_t methodCode) {
    switch (methodCode) {
        case kResampleNearest:
            return imaging::kFilterNearest;
        case kResampleBilinear:
            return imaging::kFilterBilinear;
        case kResampleMitchell:
            return imaging::kFilterMitchell;
        default:
            return std::nullopt;
    }
}

int32_t methodForFilterPreference(int32_t preference) {
    if (preference == 1) return kResampleBilinear;
    if (preference == 2) return kResampleMitchell;
    return kResampleNearest;
}

}  // namespace core
