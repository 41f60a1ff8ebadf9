// Helpers of the imaging tests: scratch folders, test pictures, and the independent readers
// (ImageMagick, exiftool) that check our files without our own code.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/imaging.h"

namespace imaging::test {

// A folder that is removed with everything in it when the object goes.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Owns a session for the length of a test.
class SessionGuard {
  public:
    SessionGuard() : h_(cNewSession()) {}
    ~SessionGuard() {
        if (h_) cDestroySession(h_);
    }
    SessionGuard(const SessionGuard&) = delete;
    SessionGuard& operator=(const SessionGuard&) = delete;
    operator Handle() const { return h_; }

  private:
    Handle h_;
};

// Top-down RGB samples, 16-bit full range.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint16_t> rgb;
    std::uint16_t at(int x, int y, int c) const {
        return rgb[(static_cast<std::size_t>(y) * width + x) * 3 + c];
    }
};

// A smooth but non-trivial test pattern; 8-bit values are v*257 so that both depths compare.
RgbPicture makePattern(int width, int height, bool sixteen);
// Loads a pattern into a session through the raw-pixel loaders.
bool loadPattern(Handle h, const RgbPicture& picture, bool sixteen);
// The session's pixels, top-down RGB, 16-bit.
RgbPicture sessionPixels(Handle h);

// Output of a shell command (standard output only); exit status in status.
std::string runCommand(const std::string& command, int* status = nullptr);
// Decodes a file with ImageMagick (first frame) into 16-bit RGB.
bool magickPixels(const std::string& path, RgbPicture& out);
// One tag value as exiftool prints it (-s3), empty when absent.
std::string exiftoolTag(const std::string& path, const std::string& tag);

// Largest per-sample difference between two pictures of the same size (in 16-bit units), or -1
// when their sizes differ.
int maxDifference(const RgbPicture& a, const RgbPicture& b);
double meanDifference(const RgbPicture& a, const RgbPicture& b);

std::string dataPath(const std::string& relative);
std::vector<std::uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& data);

}  // namespace imaging::test
