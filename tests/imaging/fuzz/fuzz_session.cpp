// libFuzzer target for what a session does with outside bytes beyond the picture readers,
// chosen at build time with -DVF_FUZZ_SESSION=Name:
//   Profile    an embedded colour profile: attached to a picture, converted from into sRGB and
//              converted into (the input as the target profile);
//   Thumbnail  the thumbnail load of a file (the camera's own thumbnail or the reduced-size JPEG
//              decode), into a box whose size the input's length chooses.
// Either may fail; neither may crash, hang or read outside what it was given.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "imaging/image.h"
#include "imaging/imaging.h"

namespace {

enum class Target { Profile, Thumbnail };
constexpr Target kTarget = Target::VF_FUZZ_SESSION;

std::string inputPath;
std::vector<std::uint8_t> srgb;

// A small picture with some colour in it, for the profiles to work on.
bool loadPattern(imaging::Handle s) {
    const int w = 9, h = 7;
    std::vector<std::uint16_t> px(static_cast<std::size_t>(w) * h * 3);
    for (std::size_t i = 0; i < px.size(); ++i)
        px[i] = static_cast<std::uint16_t>(i * 2731);
    return imaging::cLoadImage16(s, px.data(), px.size() * 2, w, h);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    imaging::setMaxPixelCount(std::uint64_t{1} << 22);
    srgb = imaging::srgbProfile();
    const char* tmp = std::getenv("TMPDIR");
    inputPath = std::string(tmp && *tmp ? tmp : "/tmp") + "/vf-fuzz-thumbnail-" +
                std::to_string(getpid()) + ".jpg";
    std::atexit([] { std::remove(inputPath.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const imaging::Handle s = imaging::cNewSession();
    if (kTarget == Target::Profile) {
        if (loadPattern(s)) {
            // The input as the picture's own profile, converted into sRGB.
            if (imaging::cLoadICCProfile(s, data, size)) {
                (void)imaging::cGetImageICCProfile(s);
                imaging::cApplyICCProfileEx(s, srgb.data(), srgb.size());
            }
            // The input as the profile to convert into, from whatever the picture now carries.
            if (loadPattern(s)) imaging::cApplyICCProfileEx(s, data, size);
            (void)imaging::cGetImageICCProfile(s);
        }
    } else {
        std::FILE* f = std::fopen(inputPath.c_str(), "wb");
        if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) std::abort();
        const int box = 1 + static_cast<int>(size % 61);
        if (imaging::cLoadThumbnailEx(s, inputPath, box, box * 3 / 4 + 1)) {
            imaging::ImageInfo info;
            imaging::cGetImageInfo(s, info);
        }
    }
    imaging::cDestroySession(s);
    return 0;
}
