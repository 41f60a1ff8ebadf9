// Rounded integer division for the settings arithmetic, halves to even as the batch run rounds
// its noise levels (noise_scaling.h), so the two agree on the same numbers.
#pragma once

#include <cstdint>

namespace core {

// b > 0.
constexpr int64_t roundedDivision(int64_t a, int64_t b) {
    int64_t q = a / b;
    const int64_t r = a % b;
    const int64_t twice = 2 * (r < 0 ? -r : r);
    if (twice > b || (twice == b && q % 2 != 0)) q += a < 0 ? -1 : 1;
    return q;
}

static_assert(roundedDivision(5, 2) == 2 && roundedDivision(7, 2) == 4);
static_assert(roundedDivision(-5, 2) == -2 && roundedDivision(-7, 2) == -4);
static_assert(roundedDivision(14, 10) == 1 && roundedDivision(16, 10) == 2);
static_assert(roundedDivision(-16, 10) == -2 && roundedDivision(0, 7) == 0);

}  // namespace core
