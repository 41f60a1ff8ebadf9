// Vignetting correction: a power curve over the distance from the centre, held as a table of 1024
// steps, turned into a gain that brightens the corners.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace dnr {

class VignettingCurve {
  public:
    // Entry i = trunc((i/1024)^s * 65535), s = steepness*0.2; the last entry stands for
    // 65535/65536.
    explicit VignettingCurve(int32_t steepness);

    uint16_t entry(int32_t i) const { return entries_[static_cast<std::size_t>(i)]; }
    // The curve at rn (distance relative to the half diagonal, limited to 0..1), interpolated
    // between the 1024 steps.
    int32_t at(double rn) const;

  private:
    std::array<uint16_t, 1025> entries_{};
};

// Strength in 1/1024 from the slider value.
int32_t vignettingStrength(int32_t vignetting);

// Gain in 1/1024 for a curve value c and strength gv: 1024 at the centre, up to 1024 + gv.
inline int64_t vignettingGain(int32_t c, int32_t gv) {
    return ((int64_t{c & 0xFFFF} * gv) >> 16) + 1024;
}

inline uint16_t applyGain(int64_t gain, uint16_t sample) {
    const int64_t v = (gain * sample) >> 10;
    return static_cast<uint16_t>(v < 0 ? 0 : v > 65535 ? 65535 : v);
}

}  // namespace dnr
