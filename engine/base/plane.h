// Planes: one array of 16-bit samples per channel, row 0 at the bottom of the picture.
// A plane set holds three planes of one size in RGB (blue, green, red) or in luma/chroma
// (Cb, Y, Cr; chroma offset 0x8000) form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "sample_memory.h"

namespace dnr {

class Plane {
  public:
    int32_t width = 0;
    int32_t height = 0;
    bool skipZero = false;  // the noise map treats a zero sample as missing
    uint64_t key = 0;       // cache key of the set this plane heads; 0 = none

    uint16_t* data() { return samples_.get(); }
    const uint16_t* data() const { return samples_.get(); }
    uint16_t* row(int32_t y) { return samples_.get() + static_cast<ptrdiff_t>(width) * y; }
    const uint16_t* row(int32_t y) const {
        return samples_.get() + static_cast<ptrdiff_t>(width) * y;
    }
    size_t size() const { return static_cast<size_t>(width) * static_cast<size_t>(height); }
    bool empty() const { return !samples_; }

    // Sizes the plane to w by h, keeping its samples when the size is unchanged, and clears the
    // key. 0 by 0 releases the samples. False (after the out-of-memory warning) when the samples
    // cannot be had.
    bool allocate(int32_t w, int32_t h, bool zeroFill = false);
    // Makes this plane a copy of source (size and samples).
    bool copyFrom(const Plane& source);
    void release() { allocate(0, 0); }

  private:
    SampleMemory samples_;
};

enum class ChromaModel : int32_t { Plain = 0, Relative = 1 };

struct PlaneSet {
    Plane planes[3];
    bool rgb = true;
    ChromaModel model = ChromaModel::Plain;

    int32_t width() const { return planes[0].width; }
    int32_t height() const { return planes[0].height; }
    uint64_t key() const { return planes[0].key; }
    void setKey(uint64_t k) { planes[0].key = k; }

    // Indices in luma/chroma form.
    static constexpr int kCb = 0;
    static constexpr int kY = 1;
    static constexpr int kCr = 2;

    bool allocate(int32_t w, int32_t h, bool zeroFill = false);
    bool copyFrom(const PlaneSet& source);
    void release();
};

}  // namespace dnr
