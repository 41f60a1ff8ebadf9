// Previous / next through the current folder's list of pictures.
#pragma once

namespace core {

enum class StepDirection { Previous = -1, Next = 1 };

// The position "no current file" some callers pass.
inline constexpr int kNoCurrentFile = -2;

// The position after one step in a list of count files: next wraps from the last file to the
// first, previous from the first to the last. Any position outside the list (-2 for none, -1
// for a current file that is not in it, or one left over from a longer list) counts as no
// current file, from which both directions go to the first. -1 when the list is empty.
int steppedIndex(int index, int count, StepDirection direction);

}  // namespace core
