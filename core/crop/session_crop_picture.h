// Cropping and resizing an imaging session, and a CropPicture over a session the caller owns (the
// program's image slots).
#pragma once

#include "core/crop/crop_picture.h"
#include "imaging/imaging.h"

namespace core {

// Crops the session to the inclusive rectangle (rows from the top).
Status cropSession(imaging::Handle h, int32_t left, int32_t top, int32_t right, int32_t bottom);
// Resizes the session with the resampling method code.
Status resizeSession(imaging::Handle h, int32_t width, int32_t height, int32_t methodCode);

class SessionCropPicture : public CropPicture {
  public:
    // The session stays the caller's.
    explicit SessionCropPicture(imaging::Handle h);

    int32_t width() const override { return info_.width; }
    int32_t height() const override { return info_.height; }
    bool is16Bit() const override;
    PixelView pixels() override;
    void refreshDisplayData() override;
    Status crop(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    Status resize(int32_t width, int32_t height, int32_t methodCode) override;

  private:
    imaging::Handle h_;
    imaging::ImageInfo info_;
};

}  // namespace core
