#include "plane.h"

#include <algorithm>
#include <new>

#include "message.h"

namespace dnr {

bool Plane::allocate(int32_t w, int32_t h, bool zeroFill) {
    if (samples_ && (w != width || h != height)) samples_.reset();
    width = std::max(w, 0);
    height = std::max(h, 0);
    key = 0;
    if (width == 0 || height == 0) {
        samples_.reset();
        return true;
    }
    if (!samples_) {
        samples_ = allocateSamples(size());
        if (!samples_) {
            width = height = 0;
            reportOutOfMemory();
            return false;
        }
    }
    if (zeroFill) std::fill_n(samples_.get(), size(), uint16_t{0});
    return true;
}

bool Plane::copyFrom(const Plane& source) {
    if (this == &source) return true;
    if (!allocate(source.width, source.height)) return false;
    if (!source.empty()) std::copy_n(source.data(), size(), data());
    skipZero = source.skipZero;
    return true;
}

bool PlaneSet::allocate(int32_t w, int32_t h, bool zeroFill) {
    for (Plane& p : planes)
        if (!p.allocate(w, h, zeroFill)) return false;
    return true;
}

bool PlaneSet::copyFrom(const PlaneSet& source) {
    for (int k = 0; k < 3; ++k)
        if (!planes[k].copyFrom(source.planes[k])) return false;
    rgb = source.rgb;
    model = source.model;
    return true;
}

void PlaneSet::release() {
    for (Plane& p : planes)
        p.release();
}

}  // namespace dnr
