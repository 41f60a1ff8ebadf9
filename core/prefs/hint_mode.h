// What the stored hint mode shows: 0 tool tips only, 1 the status bar only, 2 both, 3 none.
#pragma once

#include <cstdint>

namespace core {

constexpr bool showsControlHints(int32_t hintMode) {
    return hintMode == 0 || hintMode == 2;
}
constexpr bool showsStatusHints(int32_t hintMode) {
    return hintMode == 1 || hintMode == 2;
}

}  // namespace core
