// What cropping, straightening and resizing need of a picture: its size and pixels, cropping to a
// rectangle and resizing. The imaging sessions provide the real one.
#pragma once

#include <cstdint>

#include "core/errors/result.h"
#include "dnr.h"

namespace core {

class CropPicture {
  public:
    virtual ~CropPicture() = default;

    virtual int32_t width() const = 0;
    virtual int32_t height() const = 0;
    virtual bool is16Bit() const = 0;
    // 16-bit rows top-down (BytesPerSample 2), else 8-bit rows padded to 4 bytes, bottom-up.
    virtual PixelView pixels() = 0;
    // The 8-bit display copy from the 16-bit pixels, after they were written.
    virtual void refreshDisplayData() = 0;
    // Keeps the inclusive rectangle, rows counted from the top.
    virtual Status crop(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    // methodCode: kResampleNearest, kResampleBilinear or kResampleMitchell.
    virtual Status resize(int32_t width, int32_t height, int32_t methodCode) = 0;
};

}  // namespace core
