// Small pictures made in the tests, held as the caller holds them: 8-bit rows blue-green-red,
// bottom-up and padded to four bytes; 16-bit rows top-down and packed. Pixels are addressed as
// the engine addresses them: x from the left, y from the bottom.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "dnr.h"
#include "pixel_view.h"

namespace dnr::testing {

// Red, green and blue, in whatever units the call that takes or gives it names.
struct Colour {
    int32_t r, g, b;
    bool operator==(const Colour&) const = default;
};

inline constexpr Colour grey(int32_t v) {
    return {v, v, v};
}

class Picture {
  public:
    // A black picture of 1 (8-bit) or 2 (16-bit) bytes a sample.
    Picture(int32_t width, int32_t height, int32_t bytesPerSample)
        : width_(width), height_(height), bytes_(bytesPerSample) {
        if (bytes_ == 1)
            data8_.assign(static_cast<size_t>(stride8(width) * height), 0);
        else
            data16_.assign(static_cast<size_t>(width) * height * 3, 0);
    }
    // The depth is a count of bytes; a flag would quietly mean 8-bit.
    Picture(int32_t width, int32_t height, bool) = delete;

    // Every byte random, the row padding of 8-bit pictures too.
    static Picture random(int32_t width, int32_t height, int32_t bytesPerSample, uint32_t seed) {
        Picture p(width, height, bytesPerSample);
        std::mt19937 rng(seed);
        for (auto& b : p.data8_)
            b = static_cast<uint8_t>(rng());
        for (auto& s : p.data16_)
            s = static_cast<uint16_t>(rng());
        return p;
    }

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t bytesPerSample() const { return bytes_; }
    bool is16() const { return bytes_ == 2; }

    // Samples in the picture's own units: 0..255 for 8-bit pictures, 0..65535 for 16-bit ones.
    void set(int32_t x, int32_t y, Colour c) {
        if (bytes_ == 1) {
            uint8_t* p = &data8_[offset8(x, y)];
            p[0] = static_cast<uint8_t>(c.b);
            p[1] = static_cast<uint8_t>(c.g);
            p[2] = static_cast<uint8_t>(c.r);
        } else {
            uint16_t* p = &data16_[offset16(x, y)];
            p[0] = static_cast<uint16_t>(c.b);
            p[1] = static_cast<uint16_t>(c.g);
            p[2] = static_cast<uint16_t>(c.r);
        }
    }
    Colour get(int32_t x, int32_t y) const {
        if (bytes_ == 1) {
            const uint8_t* p = &data8_[offset8(x, y)];
            return {p[2], p[1], p[0]};
        }
        const uint16_t* p = &data16_[offset16(x, y)];
        return {p[2], p[1], p[0]};
    }
    void fill(Colour c) {
        for (int32_t y = 0; y < height_; ++y)
            for (int32_t x = 0; x < width_; ++x)
                set(x, y, c);
    }

    // Samples in the 16-bit domain whatever the depth: an 8-bit picture keeps the high byte and
    // reads back times 256.
    void set16(int32_t x, int32_t y, Colour c) {
        if (bytes_ == 1)
            set(x, y, {c.r >> 8, c.g >> 8, c.b >> 8});
        else
            set(x, y, c);
    }
    Colour get16(int32_t x, int32_t y) const {
        const Colour c = get(x, y);
        return bytes_ == 1 ? Colour{c.r << 8, c.g << 8, c.b << 8} : c;
    }

    void* bits() { return bytes_ == 1 ? static_cast<void*>(data8_.data()) : data16_.data(); }
    // The stored samples of an 8-bit (with the row padding) or a 16-bit picture.
    std::vector<uint8_t>& samples8() { return data8_; }
    const std::vector<uint8_t>& samples8() const { return data8_; }
    std::vector<uint16_t>& samples16() { return data16_; }
    const std::vector<uint16_t>& samples16() const { return data16_; }

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

    // The same size, depth and colour at every pixel; the row padding does not count.
    bool samePixels(const Picture& o) const {
        if (width_ != o.width_ || height_ != o.height_ || bytes_ != o.bytes_) return false;
        for (int32_t y = 0; y < height_; ++y)
            for (int32_t x = 0; x < width_; ++x)
                if (!(get(x, y) == o.get(x, y))) return false;
        return true;
    }
    // Every stored byte alike, the row padding too.
    bool operator==(const Picture&) const = default;

  private:
    size_t offset8(int32_t x, int32_t y) const {
        return static_cast<size_t>(stride8(width_) * y + x * 3);
    }
    size_t offset16(int32_t x, int32_t y) const {
        return (static_cast<size_t>(height_ - 1 - y) * width_ + x) * 3;
    }

    int32_t width_, height_, bytes_;
    std::vector<uint8_t> data8_;
    std::vector<uint16_t> data16_;
};

// A record with every correction off and the main program's point counts.
inline ProcessingParams neutralParams() {
    ProcessingParams p{};
    p.NoiseEqualizerCount = 40;
    p.SharpnessEqualizerCount = 40;
    p.SaturationEqualizerCount = 40;
    p.BrightnessEqualizerCount = 9;
    p.SelectedColorRange = -1;
    return p;
}

// The same record for a whole picture, as the program writes it: the picture is the full one
// and the noise mode is the program's normal one (2).
inline ProcessingParams neutralParams(Picture& picture) {
    ProcessingParams p = neutralParams();
    picture.attach(p);
    p.NoiseMode = 2;
    p.FullWidth = p.ScaledFullWidth = picture.width();
    p.FullHeight = p.ScaledFullHeight = picture.height();
    return p;
}

}  // namespace dnr::testing
