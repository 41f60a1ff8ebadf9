// Straightening: turns snapped to the half-degree step, the angle kept in (-180, 180], and the
// rotation of a picture's pixels by the engine.
#pragma once

#include <cstdint>

#include "core/errors/result.h"
#include "dnr.h"

namespace core {

inline constexpr double kStraighteningStep = 0.5;  // degrees

// A turn of the given degrees brought to the nearest multiple of the step, keeping its sign.
double snapTurn(double degrees);

// The angle after turning it by the (already snapped) turn, brought into (-180, 180] and kept to
// two decimals.
float turnedAngle(float angle, double turn);

// The angle as the engine's rotation takes it: millionths of a radian.
int32_t angleInMillionthsOfRadian(double degrees);

// Rotates the pixels in place about their centre by the angle in degrees (clockwise as the picture
// is seen): 8-bit rows are stored bottom-up and 16-bit rows top-down, so the 16-bit rotation takes
// the angle negated. A failure when no work copy can be made or the engine refuses.
Status rotatePixels(const PixelView& pixels, double degrees);

}  // namespace core
