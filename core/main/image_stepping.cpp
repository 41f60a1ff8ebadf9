#include "core/main/image_stepping.h"

namespace core {

int steppedIndex(int index, int count, StepDirection direction) {
    if (count <= 0) return -1;
    if (index < 0 || index >= count) return 0;
    if (direction == StepDirection::Next) return index + 1 < count ? index + 1 : 0;
    return index > 0 ? index - 1 : count - 1;
}

}  // namespace core
