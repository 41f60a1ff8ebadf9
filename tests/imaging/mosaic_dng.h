// A small camera raw file for the tests: a DNG written with libtiff, 64 x 48 pixels of an RGGB
// mosaic whose left half is lit red and right half blue.
#pragma once

#include <string>

namespace imaging::test {

bool writeMosaicDng(const std::string& path);

}  // namespace imaging::test
