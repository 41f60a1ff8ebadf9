#include "falloff.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace dnr {
namespace {

using Table = std::array<int32_t, 1024>;

Table buildTable() {
    Table t{};
    for (int i = 0; i < 1024; ++i) {
        const double v = std::min(1.0, 1.05 * std::exp(-20.0 * std::pow(i / 1024.0, 12)));
        t[i] = static_cast<int32_t>(v * 1024.9);
    }
    return t;
}

}  // namespace

int32_t falloff(int32_t index) {
    static const Table table = buildTable();
    return table[std::clamp(index, 0, 1023)];
}

}  // namespace dnr
