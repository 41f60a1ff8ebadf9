// Where the camera raw decoder program is: beside the engine library, in the "library" folder
// of the running executable's folder.
#include <unistd.h>

#include <mutex>

#include "imaging/codecs.h"

namespace imaging {

namespace {

std::mutex gLock;
std::string gProgram;  // set by tests; empty: the default

std::string executableFolder() {
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) return ".";
    path.resize(static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

void setRawDecoderProgram(const std::string& path) {
    std::lock_guard<std::mutex> hold(gLock);
    gProgram = path;
}

std::string rawDecoderProgram() {
    {
        std::lock_guard<std::mutex> hold(gLock);
        if (!gProgram.empty()) return gProgram;
    }
    static const std::string byDefault = executableFolder() + "/library/velmarfilter-raw";
    return byDefault;
}

}  // namespace imaging
