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

bool hasThumbnail(const Bytes& exif);
// The embedded JPEG thumbnail, empty when none.
Bytes thumbnail(const Bytes& exif);

// Writes the picture's EXIF, IPTC, XMP and comment into the bytes of a file of the given format,
// keeping its colour profile. The EXIF gets the picture's dimensions and the given thumbnail
// (none when empty) and is trimmed to what the container holds: the thumbnail first, then the
// maker notes, then the largest values. False with a text when exiv2 cannot write them.
bool write(Bytes& file, int formatCode, const Image& image, const Bytes& thumbnailJpeg,
           std::string& error);

// Single values of an EXIF block.
std::string text(const Bytes& exif, const char* key);
std::optional<double> number(const Bytes& exif, const char* key);

// After a turn that left the file's pixels upright: sets the orientation in its EXIF and XMP to
// 1 and the EXIF pixel dimensions to the new size. With turnedThumbnail given, the embedded
// thumbnail becomes that JPEG (removed when it is empty), so that it shows the turned picture.
bool updateFile(Bytes& file, int width, int height, std::string& error,
                const Bytes* turnedThumbnail = nullptr);

}  // namespace imaging::metadata
