// The picture jobs' pictures over the imaging layer: each picture is one imaging session.
#pragma once

#include "core/batch/batch_picture.h"

namespace core {

class ImagingPictureSource : public PictureSource {
  public:
    // ignoreExifOrientation: load pictures as stored, without turning them by their EXIF
    // orientation (the preference of the same name).
    explicit ImagingPictureSource(bool ignoreExifOrientation = false)
        : ignoreExifOrientation_(ignoreExifOrientation) {}
    Result<std::unique_ptr<BatchPicture>> load(const QString& path) override;

  private:
    bool ignoreExifOrientation_;
};

}  // namespace core
