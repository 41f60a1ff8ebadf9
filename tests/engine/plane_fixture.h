// Small plane sets made in the tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "colour_space.h"
#include "plane.h"

namespace dnr::testing {

// An RGB set of w x h pixels, pixel i taking colours[i % size] (16-bit red, green, blue).
inline PlaneSet rgbPlanes(int32_t w, int32_t h, const std::vector<Rgb>& colours) {
    PlaneSet s;
    s.allocate(w, h);
    s.rgb = true;
    for (int32_t i = 0; i < w * h; ++i) {
        const Rgb& c = colours[static_cast<size_t>(i) % colours.size()];
        s.planes[0].data()[i] = static_cast<uint16_t>(c.b);
        s.planes[1].data()[i] = static_cast<uint16_t>(c.g);
        s.planes[2].data()[i] = static_cast<uint16_t>(c.r);
    }
    return s;
}

// A set of w x h pixels with every sample random over the whole 16-bit range.
inline PlaneSet randomRgbSet(int32_t w, int32_t h, uint32_t seed) {
    PlaneSet s;
    EXPECT_TRUE(s.allocate(w, h));
    std::mt19937 rng(seed);
    for (Plane& p : s.planes)
        for (size_t i = 0; i < p.size(); ++i)
            p.data()[i] = uint16_t(rng());
    return s;
}

inline Rgb rgbAt(const PlaneSet& s, int32_t i) {
    return {s.planes[2].data()[i], s.planes[1].data()[i], s.planes[0].data()[i]};
}

inline Ycc yccAt(const PlaneSet& s, int32_t i) {
    return {s.planes[PlaneSet::kY].data()[i], s.planes[PlaneSet::kCb].data()[i],
            s.planes[PlaneSet::kCr].data()[i]};
}

// True when the planes of b hold the samples of a's, in order (b is at least as large).
inline bool samePlanes(const PlaneSet& a, const PlaneSet& b) {
    for (int k = 0; k < 3; ++k)
        if (!std::equal(a.planes[k].data(), a.planes[k].data() + a.planes[k].size(),
                        b.planes[k].data()))
            return false;
    return true;
}

}  // namespace dnr::testing
