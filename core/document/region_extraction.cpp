#include "core/document/region_extraction.h"

#include <cstdint>
#include <new>
#include <vector>

#include "dnr.h"

namespace core {

bool extractRegion(imaging::Handle source, imaging::Handle target, int x1, int y1, int x2, int y2) {
    imaging::cUnload(target);
    imaging::ImageInfo info;
    if (!imaging::cGetImageInfo(source, info)) return false;
    // The engine's copy reads whatever the arguments point at; keep them inside the picture.
    if (x1 < 0 || y1 < 0 || x2 < x1 || y2 < y1 || x2 >= info.width || y2 >= info.height)
        return false;
    const int w = x2 - x1 + 1;
    const int h = y2 - y1 + 1;
    std::vector<uint8_t> buffer;
    try {
        buffer.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 6);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (const uint16_t* wide = imaging::cGetBits16Ptr(source)) {
        auto* target16 = reinterpret_cast<uint16_t*>(buffer.data());
        CopyPartOfSession(nullptr, wide, info.width, info.height, x1, y1, nullptr, target16, w, h);
        if (!imaging::cLoadImage16(target, target16, buffer.size(), w, h)) return false;
    } else {
        if (!imaging::cLoadImage8(target, buffer.data(), buffer.size(), w, h)) return false;
        // 8-bit rows are stored bottom-up: the first stored row of the rectangle is its bottom.
        CopyPartOfSession(imaging::cGetBitsPtr(source), nullptr, info.width, info.height, x1,
                          info.height - h - y1, imaging::cGetBitsPtr(target), nullptr, w, h);
    }
    const std::vector<uint8_t> profile = imaging::cGetImageICCProfile(source);
    imaging::cLoadICCProfile(target, profile.empty() ? nullptr : profile.data(), profile.size());
    return true;
}

}  // namespace core
