// Synthetic noisy pictures for the benchmarks, in the caller's layouts, with the program's
// default noise settings and the detected levels.
#pragma once

#include <cstdint>
#include <vector>

#include "dnr.h"

namespace bench {

struct BenchPicture {
    int32_t width = 0;
    int32_t height = 0;
    bool is16 = true;
    std::vector<uint8_t> pristine;  // the noisy picture as made
    std::vector<uint8_t> pixels;    // what a run works on; restored from pristine before a run
    int32_t levels[3] = {1, 1, 1};  // detected shadow, midtone and highlight levels

    void restore() { std::copy(pristine.begin(), pristine.end(), pixels.begin()); }
    double megapixels() const { return double(width) * height / 1e6; }
};

// A smooth scene of gradients and discs with sensor-like noise (deviation 6 in 8-bit units, per
// channel), stored as the engine expects (16-bit top-down packed, 8-bit bottom-up padded).
BenchPicture makeNoisyPicture(int32_t width, int32_t height, bool is16);

// The program's defaults: normal filter, radius 6, chroma 2, full amount, the detected levels
// (clamped to 1..200), every other correction off.
ProcessingParams defaultRecord(BenchPicture& picture, int32_t noiseMode, int32_t finalRun);

// Empties every cache of the engine so that the next run starts cold.
void emptyEngineCaches();

}  // namespace bench
