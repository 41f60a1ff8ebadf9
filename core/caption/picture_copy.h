// A copy of engine-layout pixels, at their own size or resampled to another through the imaging
// layer; AddText reads the copy while it overwrites the original.
#pragma once

#include <QSize>
#include <cstdint>
#include <vector>

#include "core/errors/result.h"
#include "dnr.h"
#include "imaging/imaging.h"

namespace core::caption {

class PictureCopy {
  public:
    PictureCopy() = default;
    PictureCopy(PictureCopy&& other) noexcept;
    PictureCopy& operator=(PictureCopy&& other) noexcept;
    PictureCopy(const PictureCopy&) = delete;
    PictureCopy& operator=(const PictureCopy&) = delete;
    ~PictureCopy();

    // size: the copy's size; when it differs from the source's the pixels are resampled with the
    // imaging layer's filter (imaging::kFilterMitchell, kFilterBilinear, ...).
    static Result<PictureCopy> make(const PixelView& source, QSize size, int filter);

    PixelView view() const { return view_; }

  private:
    std::vector<uint8_t> bytes_;
    imaging::Handle session_ = 0;
    PixelView view_{nullptr, 0, -1, 0};
};

// Bytes of engine-layout pixels: 8-bit rows padded to 4 bytes, 16-bit rows packed.
size_t pixelBytes(const PixelView& view);

}  // namespace core::caption
