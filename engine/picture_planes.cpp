#include "picture_planes.h"

#include "progress.h"

namespace dnr {

bool copyPictureToPlanes(PlaneSet& set, const View& view) {
    if (!set.allocate(view.width, view.height)) return false;
    set.rgb = true;
    set.model = ChromaModel::Plain;
    progress::begin(view.height);
    for (int32_t y = 0; y < view.height; ++y) {
        uint16_t* p0 = set.planes[0].row(y);
        uint16_t* p1 = set.planes[1].row(y);
        uint16_t* p2 = set.planes[2].row(y);
        if (view.is16()) {
            const uint16_t* s = view.row16(y);
            for (int32_t x = 0; x < view.width; ++x, s += 3) {
                p0[x] = s[0];
                p1[x] = s[1];
                p2[x] = s[2];
            }
        } else {
            const uint8_t* s = view.row8(y);
            for (int32_t x = 0; x < view.width; ++x, s += 3) {
                p0[x] = static_cast<uint16_t>(s[0] << 8);
                p1[x] = static_cast<uint16_t>(s[1] << 8);
                p2[x] = static_cast<uint16_t>(s[2] << 8);
            }
        }
        if (abortRequested()) return false;
        progress::step();
    }
    return true;
}

void writeBack(const View& view, const PlaneSet& set) {
    progress::begin(view.height);
    for (int32_t y = 0; y < view.height; ++y) {
        const uint16_t* p0 = set.planes[0].row(y);
        const uint16_t* p1 = set.planes[1].row(y);
        const uint16_t* p2 = set.planes[2].row(y);
        if (view.is16()) {
            uint16_t* d = view.row16(y);
            for (int32_t x = 0; x < view.width; ++x, d += 3) {
                d[0] = p0[x];
                d[1] = p1[x];
                d[2] = p2[x];
            }
        } else {
            uint8_t* d = view.row8(y);
            for (int32_t x = 0; x < view.width; ++x, d += 3) {
                d[0] = static_cast<uint8_t>(p0[x] >> 8);
                d[1] = static_cast<uint8_t>(p1[x] >> 8);
                d[2] = static_cast<uint8_t>(p2[x] >> 8);
            }
        }
        progress::step();
    }
}

}  // namespace dnr
