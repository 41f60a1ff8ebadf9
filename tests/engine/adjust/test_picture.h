// Small pictures made in the tests, in either depth, addressed as the engine addresses them:
// x from the left, y from the bottom, samples in the picture's own units.
#pragma once

#include <cstdint>
#include <vector>

#include "dnr.h"
#include "pixel_view.h"

namespace dnr::testing {

struct Colour {
    int32_t r, g, b;
    bool operator==(const Colour&) const = default;
};

class TestPicture {
  public:
    TestPicture(int32_t width, int32_t height, int32_t bytesPerSample)
        : width_(width), height_(height), bytes_(bytesPerSample) {
        if (bytes_ == 1)
            data8_.assign(static_cast<size_t>(stride8(width) * height), 0);
        else
            data16_.assign(static_cast<size_t>(width) * height * 3, 0);
    }

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

    void set(int32_t x, int32_t y, Colour c) {
        if (bytes_ == 1) {
            uint8_t* p = data8_.data() + stride8(width_) * y + x * 3;
            p[0] = static_cast<uint8_t>(c.b);
            p[1] = static_cast<uint8_t>(c.g);
            p[2] = static_cast<uint8_t>(c.r);
        } else {
            uint16_t* p = data16_.data() + (static_cast<size_t>(height_ - 1 - y) * width_ + x) * 3;
            p[0] = static_cast<uint16_t>(c.b);
            p[1] = static_cast<uint16_t>(c.g);
            p[2] = static_cast<uint16_t>(c.r);
        }
    }
    void fill(Colour c) {
        for (int32_t y = 0; y < height_; ++y)
            for (int32_t x = 0; x < width_; ++x)
                set(x, y, c);
    }
    Colour get(int32_t x, int32_t y) const {
        if (bytes_ == 1) {
            const uint8_t* p = data8_.data() + stride8(width_) * y + x * 3;
            return {p[2], p[1], p[0]};
        }
        const uint16_t* p =
            data16_.data() + (static_cast<size_t>(height_ - 1 - y) * width_ + x) * 3;
        return {p[2], p[1], p[0]};
    }

    void* bits() { return bytes_ == 1 ? static_cast<void*>(data8_.data()) : data16_.data(); }
    PixelView pixelView() { return {bits(), width_, bytes_, height_}; }
    ImageDesc desc() { return {DNR_IMAGE_MAGIC, bits(), width_, bytes_, height_}; }
    View view() { return *makeView(bits(), width_, bytes_, height_); }
    // Points the record's image at this picture.
    void attach(ProcessingParams& p) {
        p.Magic = DNR_IMAGE_MAGIC;
        p.Bits = bits();
        p.Width = width_;
        p.BytesPerSample = bytes_;
        p.Height = height_;
    }

  private:
    int32_t width_, height_, bytes_;
    std::vector<uint8_t> data8_;
    std::vector<uint16_t> data16_;
};

// True when both pictures hold the same colour at every pixel of the first one's size.
inline bool samePixels(const TestPicture& a, const TestPicture& b) {
    for (int32_t y = 0; y < a.height(); ++y)
        for (int32_t x = 0; x < a.width(); ++x)
            if (!(a.get(x, y) == b.get(x, y))) return false;
    return true;
}

// A record with every setting neutral and the main program's point counts.
inline ProcessingParams neutralParams() {
    ProcessingParams p{};
    p.NoiseEqualizerCount = 40;
    p.SharpnessEqualizerCount = 40;
    p.SaturationEqualizerCount = 40;
    p.BrightnessEqualizerCount = 9;
    p.SelectedColorRange = -1;
    return p;
}

}  // namespace dnr::testing
