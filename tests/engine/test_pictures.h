// Pictures and records for engine tests: caller-side pixel buffers in both depths, laid out as
// the engine expects them, and a processing record with the program's default settings.
#pragma once

#include <cstdint>
#include <vector>

#include "dnr.h"
#include "pixel_view.h"
#include "plane.h"

namespace dnr::testing {

// A picture as the caller holds it: 16-bit rows top-down and packed, 8-bit rows bottom-up and
// padded to four bytes. Positions count rows from the bottom.
class Picture {
  public:
    Picture(int32_t width, int32_t height, bool is16)
        : width_(width),
          height_(height),
          is16_(is16),
          stride_(is16 ? int64_t{width} * 3 : stride8(width)),
          samples16_(is16 ? size_t(stride_) * height : 0),
          samples8_(is16 ? 0 : size_t(stride_) * height) {}

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    bool is16() const { return is16_; }
    void* bits() { return is16_ ? static_cast<void*>(samples16_.data()) : samples8_.data(); }

    // Sets a pixel from 16-bit domain values (8-bit pictures keep the high byte).
    void set(int32_t x, int32_t y, int32_t b, int32_t g, int32_t r) {
        const int32_t v[3] = {b, g, r};
        for (int c = 0; c < 3; ++c) {
            if (is16_)
                samples16_[size_t(stride_) * (height_ - 1 - y) + size_t(x) * 3 + c] =
                    uint16_t(v[c]);
            else
                samples8_[size_t(stride_) * y + size_t(x) * 3 + c] = uint8_t(v[c] >> 8);
        }
    }
    void setGrey(int32_t x, int32_t y, int32_t v) { set(x, y, v, v, v); }
    // Sample c of pixel (x, y) in the 16-bit domain.
    int32_t at(int32_t x, int32_t y, int c) const {
        if (is16_) return samples16_[size_t(stride_) * (height_ - 1 - y) + size_t(x) * 3 + c];
        return int32_t{samples8_[size_t(stride_) * y + size_t(x) * 3 + c]} << 8;
    }

    bool operator==(const Picture& o) const {
        return width_ == o.width_ && height_ == o.height_ && is16_ == o.is16_ &&
               samples16_ == o.samples16_ && samples8_ == o.samples8_;
    }

  private:
    int32_t width_, height_;
    bool is16_;
    int64_t stride_;
    std::vector<uint16_t> samples16_;
    std::vector<uint8_t> samples8_;
};

// The record the program fills for a picture: noise reduction on in the normal mode with radius
// 6, chroma 2 and the full amount, every other correction off, a preview run.
ProcessingParams defaultParams(Picture& picture);

// Empties the pipeline's caches and the high-noise scales, so that a test starts cold.
void emptyAllCaches();

// Gaussian noise of the given deviation (16-bit domain) added to every channel alike, clamped.
void addGreyNoise(Picture& picture, double deviation, unsigned seed);

// A luma/chroma plane set of w by h with the given luma and neutral chroma plus optional noise.
PlaneSet lumaChromaSet(int32_t w, int32_t h, int32_t luma, double noise, unsigned seed);

}  // namespace dnr::testing
