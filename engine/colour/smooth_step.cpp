#include "smooth_step.h"

#include <algorithm>

#include "smooth_profile.h"

namespace dnr {
namespace {

std::array<int32_t, 257> buildSmoothStep() {
    std::array<int32_t, 257> t{};
    for (int32_t i = 0; i < 257; ++i) {
        const double x = i == 256 ? 65535.0 / 65536.0 : i / 256.0;
        t[i] = static_cast<int32_t>(smoothProfile(x) * 65535.0);
    }
    return t;
}

// Built when the library loads.
const std::array<int32_t, 257> kSmoothStep = buildSmoothStep();

}  // namespace

const std::array<int32_t, 257>& smoothStepTable() {
    return kSmoothStep;
}

int32_t smoothStep(int32_t a) {
    a = std::clamp(a, 0, 65535);
    const int32_t i = a >> 8, f = a & 255;
    return (kSmoothStep[i] * (256 - f) + kSmoothStep[i + 1] * f) >> 8;
}

}  // namespace dnr
