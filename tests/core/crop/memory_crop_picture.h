// A picture in memory for the crop tests: 8-bit rows bottom-up and padded, or 16-bit rows top-down,
// cropped for real and resized by nearest samples, with what was asked of it recorded.
#pragma once

#include <array>
#include <utility>
#include <vector>

#include "core/crop/crop_picture.h"

namespace testing_crop {

class MemoryCropPicture : public core::CropPicture {
  public:
    MemoryCropPicture(int32_t width, int32_t height, bool sixteen)
        : width_(width), height_(height), sixteen_(sixteen) {
        if (sixteen_)
            wide_.assign(size_t(width) * height * 3, 0);
        else
            narrow_.assign(size_t(stride()) * height, 0);
    }

    int32_t width() const override { return width_; }
    int32_t height() const override { return height_; }
    bool is16Bit() const override { return sixteen_; }
    PixelView pixels() override {
        if (sixteen_) return {wide_.data(), width_, 2, height_};
        return {narrow_.data(), width_, 1, height_};
    }
    void refreshDisplayData() override { ++refreshes; }
    core::Status crop(int32_t left, int32_t top, int32_t right, int32_t bottom) override {
        crops.push_back({left, top, right, bottom});
        remap(right - left + 1, bottom - top + 1, [&](int32_t x, int32_t y) {
            return std::pair{left + x, top + y};
        });
        return {};
    }
    core::Status resize(int32_t width, int32_t height, int32_t method) override {
        resizes.push_back({width, height, method});
        const int32_t ow = width_, oh = height_;
        remap(width, height, [&](int32_t x, int32_t y) {
            return std::pair{int32_t(int64_t(x) * ow / width), int32_t(int64_t(y) * oh / height)};
        });
        return {};
    }

    // Channel c (0 blue, 1 green, 2 red) of pixel (x, y), rows from the top, as stored.
    int32_t sample(int32_t x, int32_t y, int c) const {
        if (sixteen_) return wide_[(size_t(y) * width_ + x) * 3 + c];
        return narrow_[size_t(height_ - 1 - y) * stride() + x * 3 + c];
    }
    void setSample(int32_t x, int32_t y, int c, int32_t v) {
        if (sixteen_)
            wide_[(size_t(y) * width_ + x) * 3 + c] = uint16_t(v);
        else
            narrow_[size_t(height_ - 1 - y) * stride() + x * 3 + c] = uint8_t(v);
    }

    std::vector<std::array<int32_t, 4>> crops;
    std::vector<std::array<int32_t, 3>> resizes;
    int refreshes = 0;

  private:
    int32_t stride() const { return (width_ * 3 + 3) & ~3; }
    template <typename From>
    void remap(int32_t w, int32_t h, From from) {
        MemoryCropPicture out(w, h, sixteen_);
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) {
                const auto [sx, sy] = from(x, y);
                for (int c = 0; c < 3; ++c)
                    out.setSample(x, y, c, sample(sx, sy, c));
            }
        width_ = w;
        height_ = h;
        narrow_ = std::move(out.narrow_);
        wide_ = std::move(out.wide_);
    }

    int32_t width_, height_;
    bool sixteen_;
    std::vector<uint8_t> narrow_;
    std::vector<uint16_t> wide_;
};

}  // namespace testing_crop
