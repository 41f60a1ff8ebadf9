// Small pictures made in the tests, in both stored layouts, addressed with rows counted from the
// bottom as the engine counts them.
#pragma once

#include <cstdint>
#include <vector>

#include "dnr.h"
#include "pixel_view.h"

namespace dnr::testing {

class TestPicture {
  public:
    TestPicture(int32_t width, int32_t height, bool sixteenBit)
        : width_(width), height_(height), sixteen_(sixteenBit) {
        if (sixteen_)
            words_.assign(size_t(width) * height * 3, 0);
        else
            bytes_.assign(size_t(stride8(width)) * height, 0);
    }

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    bool is16() const { return sixteen_; }

    PixelView pixelView() {
        return {sixteen_ ? static_cast<void*>(words_.data()) : static_cast<void*>(bytes_.data()),
                width_, sixteen_ ? 2 : 1, height_};
    }
    ImageDesc imageDesc() {
        const PixelView v = pixelView();
        return {DNR_IMAGE_MAGIC, v.Bits, v.Width, v.BytesPerSample, v.Height};
    }

    // Channel c (0 blue, 1 green, 2 red) of pixel (x, y), y from the bottom, in the 16-bit
    // domain; an 8-bit picture keeps the high byte.
    void set(int32_t x, int32_t y, int c, int32_t v) {
        if (sixteen_)
            words_[(size_t(height_ - 1 - y) * width_ + x) * 3 + c] = uint16_t(v);
        else
            bytes_[size_t(stride8(width_)) * y + size_t(x) * 3 + c] = uint8_t(v >> 8);
    }
    void setRgb(int32_t x, int32_t y, int32_t r, int32_t g, int32_t b) {
        set(x, y, 2, r);
        set(x, y, 1, g);
        set(x, y, 0, b);
    }
    int32_t get(int32_t x, int32_t y, int c) const {
        if (sixteen_) return words_[(size_t(height_ - 1 - y) * width_ + x) * 3 + c];
        return int32_t{bytes_[size_t(stride8(width_)) * y + size_t(x) * 3 + c]} << 8;
    }
    void fill(int32_t r, int32_t g, int32_t b) {
        for (int32_t y = 0; y < height_; ++y)
            for (int32_t x = 0; x < width_; ++x)
                setRgb(x, y, r, g, b);
    }

    bool operator==(const TestPicture& o) const {
        return width_ == o.width_ && height_ == o.height_ && sixteen_ == o.sixteen_ &&
               bytes_ == o.bytes_ && words_ == o.words_;
    }

  private:
    int32_t width_, height_;
    bool sixteen_;
    std::vector<uint8_t> bytes_;
    std::vector<uint16_t> words_;
};

}  // namespace dnr::testing
