// The line every drawing of the engine uses: straight, optionally dashed between a bright and a
// dim colour, with one dash counter shared by all lines of the process.
#pragma once

#include <cstdint>

#include "pixel_view.h"

namespace dnr {

// A channel given as -1 is left as it is.
struct LineColour {
    int32_t r, g, b;
};

// Where the dash counter starts: kept from the last line, reset (bright first), or set to the
// dash length (dim first).
enum class DashPhase : int32_t { Continue = 0, BrightFirst = 1, DimFirst = -1 };

// Draws from (x0, y0) up to, not including, (x1, y1). The dim colour is each channel times
// dimPercent / 100. A line that leaves the target shows the "Error while drawing" warning and is
// not drawn; the end point may lie one step outside.
void drawDashedLine(const View& target, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                    LineColour colour, int32_t dimPercent, int32_t dashLength, DashPhase phase);

// The shared counter, for tests.
int64_t dashCounter();
// Back to 0, as the library loads.
void resetDashCounter();

}  // namespace dnr
