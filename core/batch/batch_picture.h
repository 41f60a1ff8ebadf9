// What a picture job needs of a picture: loading, quarter turns, 24-bit conversion, the pixels in
// the engine's layout, cropping and resizing, and saving. The imaging layer provides the real one.
#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <memory>

#include "core/crop/crop_picture.h"
#include "core/errors/result.h"
#include "dnr.h"

namespace core {

// Its size, pixels, display refresh, crop and resize are those of a CropPicture.
class BatchPicture : public CropPicture {
  public:
    // A failure's detail is the imaging layer's message.
    virtual Status rotate(int32_t degrees) = 0;
    virtual Status convertTo24Bits() = 0;
    // Writes the picture with its metadata in the format of the given code; jpegQuality applies
    // to the JPEG formats. The file at path is replaced only by a complete one: a failed save
    // leaves it as it was and no partial file behind. Without replace, a file that exists when
    // the new one is complete (another process may have written it meanwhile) is kept and the
    // save fails.
    virtual Status save(const QString& path, int32_t formatCode, int32_t jpegQuality,
                        bool replace) = 0;
    // What loading and the work since did not fail on but the user should know (a file that had
    // to be repaired, a colour profile left out), one text each, in order; the list only grows
    // while the picture lives.
    virtual QStringList warnings() const { return {}; }
};

class PictureSource {
  public:
    virtual ~PictureSource() = default;
    // The picture; a failure's detail says why it cannot be loaded. A load may give up early
    // once `stop` is set (the run was stopped).
    virtual Result<std::unique_ptr<BatchPicture>> load(const QString& path,
                                                       const std::atomic<bool>& stop) = 0;
};

}  // namespace core
