// The resampling method codes the program passes for resizing and drawing (0 nearest, 3 bilinear,
// 5 Mitchell), mapped to the imaging layer's filters. Every resize of the program goes through
// this one mapping.
#pragma once

#include <cstdint>
#include <optional>

namespace core {

inline constexpr int32_t kResampleNearest = 0;
inline constexpr int32_t kResampleBilinear = 3;
inline constexpr int32_t kResampleMitchell = 5;

// The imaging layer's filter for a method code; nothing for a code without one.
std::optional<int> imagingFilter(int32_t methodCode);

// The method code of the drawing-filter preference (0 nearest, 1 bilinear, 2 Mitchell); others
// read as nearest.
int32_t methodForFilterPreference(int32_t preference);

}  // namespace core
