// Whole-file reading, and writing that never leaves a half-written target: the bytes go to a
// temporary file in the target's folder, which is then renamed over the target.
#pragma once

#include <string>

#include "imaging/image.h"

namespace imaging {

bool readWholeFile(const std::string& path, Bytes& out, std::string& error);
bool writeFileAtomically(const std::string& path, const Bytes& data, std::string& error);

}  // namespace imaging
