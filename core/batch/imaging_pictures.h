// The picture jobs' pictures over the imaging layer: each picture is one imaging session.
#pragma once

#include <cstdint>

#include "core/batch/batch_picture.h"

namespace core {

class ImagingPictureSource : public PictureSource {
  public:
    // ignoreExifOrientation: load pictures as stored, without turning them by their EXIF
    // orientation (the preference of the same name).
    // The memory budget starts as the machine's (see memory_budget.h).
    explicit ImagingPictureSource(bool ignoreExifOrientation = false);
    Result<std::unique_ptr<BatchPicture>> load(const QString& path,
                                               const std::atomic<bool>& stop) override;

    // Pictures whose job would need more bytes than this are refused before they are decoded;
    // 0 admits every picture.
    void setMemoryBudget(int64_t bytes) { memoryBudget_ = bytes; }
    int64_t memoryBudget() const { return memoryBudget_; }

  private:
    bool ignoreExifOrientation_;
    int64_t memoryBudget_ = 0;
};

}  // namespace core
