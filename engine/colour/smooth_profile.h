// The S-shaped profile shared by soft edges (frame rings, oval edge, brush falloff):
// sigma(1.5 * logit(x)), 0 at and below 0, 1 at and above 1.
#pragma once

namespace dnr {

double smoothProfile(double x);

}  // namespace dnr
