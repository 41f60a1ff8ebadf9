// Where a round brush lays paint and how much: coverage of a single dab or of one stroke segment,
// in 1/256 percent (0..25600), with a soft S-shaped falloff towards the rim.
#pragma once

#include <array>
#include <cstdint>

namespace dnr {

inline constexpr int32_t kFullCoverage = 25600;

// Falloff table entry i for the squared-distance scale q: 1024 at the centre, near 0 at the rim.
int32_t brushFalloffEntry(int64_t q, int32_t i);

// The library's falloff table: built from the radius of the first brush call and kept.
const std::array<int32_t, 257>& brushFalloff(int32_t firstRadius);

// Brush position in engine coordinates (rows counted from the bottom).
struct BrushSegment {
    int32_t startX = 0, startY = 0;  // previous centre (a stroke's start)
    int32_t endX = 0, endY = 0;      // new centre
    bool stroke = false;             // false: one dab at the new centre
    int32_t radius = 1;              // at least 1
    int32_t strength = 100;          // 0..100
};

class BrushCoverage {
  public:
    BrushCoverage(const BrushSegment& segment, const std::array<int32_t, 257>& falloff);

    // Coverage of pixel (x, y), 0..25600.
    int32_t at(int32_t x, int32_t y) const;

    // Squared distance of (x, y) to the segment (to the new centre for a dab).
    int64_t distanceSquared(int64_t x, int64_t y) const;

  private:
    int32_t falloffAt(int64_t distanceSquared) const;

    BrushSegment s_;
    const std::array<int32_t, 257>& falloff_;
    int64_t scale_;  // C: squared distances times C, >> 8, index the table
    int64_t radiusSquared_;
};

}  // namespace dnr
