// What the batch run needs of a picture: loading, quarter turns, 24-bit conversion, the pixels in
// the engine's layout, and saving. The imaging layer provides the real one.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "dnr.h"

namespace core {

class BatchPicture {
  public:
    virtual ~BatchPicture() = default;

    virtual int32_t width() const = 0;
    virtual int32_t height() const = 0;
    // True when the picture keeps 16 bits per channel.
    virtual bool is16Bit() const = 0;

    // Each returns false with a message on failure.
    virtual bool rotate(int32_t degrees, QString& error) = 0;
    virtual bool convertTo24Bits(QString& error) = 0;
    // The pixels as the engine reads them: 16-bit rows top-down (BytesPerSample 2), else 8-bit
    // rows padded to 4 bytes, bottom-up (BytesPerSample 1).
    virtual PixelView pixels() = 0;
    // After the engine wrote 16-bit pixels.
    virtual void refreshDisplayData() = 0;
    // Writes the picture with its metadata in the format of the given code; jpegQuality applies
    // to the JPEG formats.
    virtual bool save(const QString& path, int32_t formatCode, int32_t jpegQuality,
                      QString& error) = 0;
};

class PictureSource {
  public:
    virtual ~PictureSource() = default;
    // The picture, or null with a message.
    virtual std::unique_ptr<BatchPicture> load(const QString& path, QString& error) = 0;
};

}  // namespace core
