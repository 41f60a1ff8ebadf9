#include "smooth_profile.h"

#include "tone_table.h"

namespace dnr {

double smoothProfile(double x) {
    if (x <= 0.0) return 0.0;
    if (x >= 1.0) return 1.0;
    // logisticGain is the factor that moves x to sigma(c * logit(x) + b).
    return x * logisticGain(x, 0.0, 1.5);
}

}  // namespace dnr
