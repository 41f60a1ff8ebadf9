// Preview aids of the geometric corrections: the comparison layout (the corrected picture reduced
// to three quarters, framed by its mirror images) and the dotted grid.
#pragma once

#include <cstdint>

#include "plane.h"

namespace dnr {

class CompareLayout {
  public:
    CompareLayout(int32_t width, int32_t height, int32_t cx, int32_t cy);

    // Up to four places where the corrected sample of output pixel (i, j) is shown, in the order
    // they are written; only places inside the picture are returned.
    struct Places {
        int32_t count = 0;
        int32_t x[4], y[4];
    };
    Places places(int32_t i, int32_t j) const;

  private:
    int32_t width_, height_, cx_, cy_;
    int32_t a_, d_;  // three quarters of the half sizes
};

// Eleven horizontal and eleven vertical dotted lines: every eighth pixel from the second on has
// its three samples inverted.
void drawDottedGrid(PlaneSet& planes);

}  // namespace dnr
