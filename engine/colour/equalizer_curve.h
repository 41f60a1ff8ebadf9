// The equalizer curves as objects: each turns its control values in the record into a smooth
// curve and a 257-entry lookup table, follows the pointer when the user drags it, and draws its
// panel. The library holds one object per curve for its whole life (curveObject).
#pragma once

#include <array>
#include <cstdint>

#include "curves.h"
#include "dnr.h"
#include "pixel_view.h"

namespace dnr {

// Colour of one panel column and its texture strength in percent (0 plain; negative stripes,
// positive a chequer).
struct ColumnPaint {
    int32_t c0 = 0, c1 = 0, c2 = 0;  // red, green, blue on the 16-bit scale
    int32_t percent = 0;
};

class EqualizerCurve {
  public:
    static constexpr int kTableSize = 257;

    virtual ~EqualizerCurve() = default;

    // One drag step at (x, y) of a width-by-height editor, y counted downwards from the top.
    void update(int32_t x, int32_t y, int32_t width, int32_t height, bool commit,
                ProcessingParams& p);
    // Draws the curve panel on target.
    void draw(const View& target, const ProcessingParams& p);
    virtual ColumnPaint columnColour(int32_t column, int32_t width, bool lowerHalf,
                                     const ProcessingParams& p) const = 0;
    // The curve at position a of an axis of length b: the base value plus one Gaussian bump per
    // control point, clamped to -100..100.
    double value(int32_t a, int32_t b, const ProcessingParams& p) const;
    virtual double baseValue(int32_t a, int32_t b, const ProcessingParams& p) const = 0;
    virtual void rebuildTable(const ProcessingParams& p);
    // Vertical pixel offset of the curve at panel column x.
    virtual int32_t curveOffset(int32_t x, int32_t width, int32_t height) const = 0;
    int32_t displayScale(int32_t height) const;
    int32_t maxValue() const { return 100; }
    int32_t minValue() const { return -100; }
    // The number of control points the curve reads: the record's count, never more than its
    // array holds.
    virtual int32_t pointCount(const ProcessingParams& p) const = 0;
    virtual int32_t* points(ProcessingParams& p) const = 0;
    const int32_t* points(const ProcessingParams& p) const {
        return points(const_cast<ProcessingParams&>(p));
    }

    // Linear interpolation in the table, v in 0..65535.
    int32_t tableLookup(int32_t v) const;
    // The curve value (about -100..100) at a hue in whole degrees.
    int32_t hueLookup(int32_t hueDegrees) const;

    std::array<int32_t, kTableSize> lookupTable{};
    bool absoluteDisplay = false;  // brightness panel: whole curve rather than its deviation
};

// The brightness curve's table is the tone table; its offset is drawn against the identity.
class BrightnessCurve final : public EqualizerCurve {
  public:
    ColumnPaint columnColour(int32_t column, int32_t width, bool lowerHalf,
                             const ProcessingParams& p) const override;
    double baseValue(int32_t, int32_t, const ProcessingParams&) const override { return 0; }
    void rebuildTable(const ProcessingParams& p) override;
    int32_t curveOffset(int32_t x, int32_t width, int32_t height) const override;
    int32_t pointCount(const ProcessingParams& p) const override;
    int32_t* points(ProcessingParams& p) const override { return p.BrightnessEqualizer; }
    using EqualizerCurve::points;
};

// The curves over the hue circle share the table and offset rules.
class HueCurve : public EqualizerCurve {
  public:
    int32_t curveOffset(int32_t x, int32_t width, int32_t height) const override;
};

class SaturationCurve final : public HueCurve {
  public:
    ColumnPaint columnColour(int32_t column, int32_t width, bool lowerHalf,
                             const ProcessingParams& p) const override;
    double baseValue(int32_t a, int32_t b, const ProcessingParams& p) const override;
    int32_t pointCount(const ProcessingParams& p) const override;
    int32_t* points(ProcessingParams& p) const override { return p.SaturationEqualizer; }
    using EqualizerCurve::points;
};

class NoiseCurve final : public HueCurve {
  public:
    ColumnPaint columnColour(int32_t column, int32_t width, bool lowerHalf,
                             const ProcessingParams& p) const override;
    double baseValue(int32_t, int32_t, const ProcessingParams&) const override { return 0; }
    int32_t pointCount(const ProcessingParams& p) const override;
    int32_t* points(ProcessingParams& p) const override { return p.NoiseEqualizer; }
    using EqualizerCurve::points;
};

class SharpnessCurve final : public HueCurve {
  public:
    ColumnPaint columnColour(int32_t column, int32_t width, bool lowerHalf,
                             const ProcessingParams& p) const override;
    double baseValue(int32_t, int32_t, const ProcessingParams& p) const override {
        return p.SharpenAmount;
    }
    int32_t pointCount(const ProcessingParams& p) const override;
    int32_t* points(ProcessingParams& p) const override { return p.SharpnessEqualizer; }
    using EqualizerCurve::points;
};

// The library's curve objects.
EqualizerCurve& curveObject(CurveKind kind);
BrightnessCurve& brightnessCurve();
// Every curve object as the library loads: empty tables, nothing drawn.
void resetCurveObjects();

}  // namespace dnr
