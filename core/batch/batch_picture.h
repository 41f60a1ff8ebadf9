// What a picture job needs of a picture: loading, quarter turns, 24-bit conversion, the pixels in
// the engine's layout, and saving. The imaging layer provides the real one.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "core/errors/result.h"
#include "dnr.h"

namespace core {

class BatchPicture {
  public:
    virtual ~BatchPicture() = default;

    virtual int32_t width() const = 0;
    virtual int32_t height() const = 0;
    // True when the picture keeps 16 bits per channel.
    virtual bool is16Bit() const = 0;

    // A failure's detail is the imaging layer's message.
    virtual Status rotate(int32_t degrees) = 0;
    virtual Status convertTo24Bits() = 0;
    // The pixels as the engine reads them: 16-bit rows top-down (BytesPerSample 2), else 8-bit
    // rows padded to 4 bytes, bottom-up (BytesPerSample 1).
    virtual PixelView pixels() = 0;
    // After the engine wrote 16-bit pixels.
    virtual void refreshDisplayData() = 0;
    // Writes the picture with its metadata in the format of the given code; jpegQuality applies
    // to the JPEG formats. The file at path is replaced only by a complete one: a failed save
    // leaves it as it was and no partial file behind.
    virtual Status save(const QString& path, int32_t formatCode, int32_t jpegQuality) = 0;
};

class PictureSource {
  public:
    virtual ~PictureSource() = default;
    // The picture; a failure's detail says why it cannot be loaded.
    virtual Result<std::unique_ptr<BatchPicture>> load(const QString& path) = 0;
};

}  // namespace core
