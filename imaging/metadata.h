// EXIF, IPTC and XMP blocks through exiv2: read from a file's bytes, written into a file's bytes,
// and the single values the program shows. Damaged metadata never fails a picture: it is dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "imaging/image.h"

namespace imaging::metadata {

// Fills image.exif, iptc, xmp (and the comment when the reader found none) from a file's bytes.
void read(const std::uint8_t* data, std::size_t size, Image& image);

// The EXIF orientation (1..8; 1 when absent or invalid), and setting it in the EXIF and XMP.
int orientation(const Image& image);
void setOrientation(Image& image, int value);

// Largest EXIF block (the bytes after "Exif\0\0") a container holds.
std::size_t exifLimit(int formatCode);

// The EXIF block as it will be written for a picture of this size: dimensions set, the thumbnail
// replaced by thumbnailJpeg (or removed when it is empty), trimmed to limit (thumbnail first, then
// maker notes, then the largest values). Empty when the picture carries no EXIF.
Bytes prepareExif(const Bytes& exif, int width, int height, const Bytes& thumbnailJpeg,
                  std::size_t limit);
bool hasThumbnail(const Bytes& exif);
// The embedded JPEG thumbnail, empty when none.
Bytes thumbnail(const Bytes& exif);

// Writes the EXIF block (already prepared), IPTC, XMP and the comment into the bytes of a file of
// the given format, keeping its colour profile. False with a text when exiv2 cannot.
bool write(Bytes& file, int formatCode, const Bytes& exif, const Bytes& iptc,
           const std::string& xmp, const std::string& comment, std::string& error);

// Single values of an EXIF block.
std::string text(const Bytes& exif, const char* key);
std::optional<double> number(const Bytes& exif, const char* key);

// Sets the camera orientation in a file's EXIF and XMP (used after a lossless turn) and the
// pixel dimensions.
bool updateFile(Bytes& file, int width, int height, std::string& error);

}  // namespace imaging::metadata
