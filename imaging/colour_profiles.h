// What the saving code asks of colour profiles.
#pragma once

#include "imaging/image.h"

namespace imaging {

// Whether lcms2 can open the profile: one it cannot would make the saved file's colours
// unreadable to every program that honours it.
bool profileOpens(const Bytes& profile);

}  // namespace imaging
