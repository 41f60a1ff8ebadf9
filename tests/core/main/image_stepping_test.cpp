#include "core/main/image_stepping.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(ImageStepping, WrapsAndStartsAtTheFirstFromNoCurrentFile) {
    struct Case {
        int index;
        int count;
        int next;
        int previous;
    };
    const Case cases[] = {
        {0, 3, 1, 2},                  // previous on the first opens the last
        {1, 3, 2, 0},  {2, 3, 0, 1},   // next on the last opens the first
        {0, 1, 0, 0},  {-2, 3, 0, 0},  // none
        {-1, 3, 0, 0},                 // the current file is not in the list
        {3, 3, 0, 0},                  // left over from a longer list
        {7, 3, 0, 0},  {-2, 0, -1, -1}, {0, 0, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(steppedIndex(c.index, c.count, StepDirection::Next), c.next)
            << c.index << " of " << c.count;
        EXPECT_EQ(steppedIndex(c.index, c.count, StepDirection::Previous), c.previous)
            << c.index << " of " << c.count;
    }
}

}  // namespace
}  // namespace core
