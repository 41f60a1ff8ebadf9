// The three curves over the hue circle: their base values and the colours and textures of their
// panel columns.
#include <algorithm>
#include <cmath>

#include "colour_from_hue.h"
#include "equalizer_curve.h"

namespace dnr {
namespace {

constexpr int32_t kHueCurvePoints = 40;

// A fraction 0..1 on the 16-bit scale.
int32_t scaled(double fraction) {
    return static_cast<int32_t>(fraction * 65535);
}

int32_t columnHue(int32_t column, int32_t width) {
    return width > 0 ? static_cast<int32_t>(int64_t{column} * 360 / width) : 0;
}

ColumnPaint hueColour(int32_t hue, double saturation, double brightness, int32_t percent) {
    const Rgb c = colourFromHue(hue * 128, scaled(saturation), scaled(brightness));
    return {c.r, c.g, c.b, percent};
}

}  // namespace

int32_t HueCurve::curveOffset(int32_t x, int32_t width, int32_t height) const {
    if (width <= 0) return 0;
    const int32_t scale = std::max(displayScale(height), 1);
    return tableLookup(static_cast<int32_t>(int64_t{x} * 65535 / width)) * 5 / scale;
}

int32_t SaturationCurve::pointCount(const ProcessingParams& p) const {
    return std::min(p.SaturationEqualizerCount, kHueCurvePoints);
}
int32_t NoiseCurve::pointCount(const ProcessingParams& p) const {
    return std::min(p.NoiseEqualizerCount, kHueCurvePoints);
}
int32_t SharpnessCurve::pointCount(const ProcessingParams& p) const {
    return std::min(p.SharpnessEqualizerCount, kHueCurvePoints);
}

double SaturationCurve::baseValue(int32_t a, int32_t b, const ProcessingParams& p) const {
    if (p.BWConversion != 1) return p.Saturation;
    // The black-and-white mix: each channel's weight peaks at its own hue (red 0, green 120,
    // blue 240 degrees); degrees to radians with pi taken as 3.14.
    constexpr double kRadiansPerDegree = 0.017444444444444446;
    const int32_t h = b != 0 ? static_cast<int32_t>(int64_t{a} * 360 / b) : 0;
    return p.BWRed * std::max(0.0, std::cos(h * kRadiansPerDegree)) +
           p.BWGreen * std::max(0.0, std::cos((h + 240) * kRadiansPerDegree)) +
           p.BWBlue * std::max(0.0, std::cos((h + 120) * kRadiansPerDegree));
}

ColumnPaint SaturationCurve::columnColour(int32_t column, int32_t width, bool lowerHalf,
                                          const ProcessingParams& p) const {
    const int32_t h = columnHue(column, width);
    const int32_t v = hueLookup(h);
    if (p.BWConversion == 1) {
        if (lowerHalf) return hueColour(h, 0, (v + 100) * 0.3 * 0.01, 0);
        return hueColour(h, 0.5, 0.3, 0);
    }
    if (lowerHalf) return hueColour(h, (v + 100) * 0.1 * 0.01, 0.5, 0);
    return hueColour(h, 0.1, 0.5, 0);
}

// A chequer of 3-pixel cells whose contrast falls as the noise setting rises.
ColumnPaint NoiseCurve::columnColour(int32_t column, int32_t width, bool lowerHalf,
                                     const ProcessingParams&) const {
    const int32_t h = columnHue(column, width);
    const int32_t percent = lowerHalf ? (300 - 3 * hueLookup(h)) / 10 : 30;
    return hueColour(h, 0.1, 0.5, percent);
}

// Stripes two pixels wide whose contrast grows with the sharpening setting.
ColumnPaint SharpnessCurve::columnColour(int32_t column, int32_t width, bool lowerHalf,
                                         const ProcessingParams&) const {
    const int32_t h = columnHue(column, width);
    const int32_t percent = lowerHalf ? -(3 * hueLookup(h) + 300) / 10 : -30;
    return hueColour(h, 0.1, 0.5, percent);
}

}  // namespace dnr
