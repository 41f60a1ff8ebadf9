// Format codes and names of the files the library reads and writes, and detection by content.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace imaging {

enum FormatCode : int {
    kFormatUnknown = 0,
    kFormatBmp = 2,
    kFormatBmpRle = 3,
    kFormatJpeg = 4,
    kFormatJpegProgressive = 5,
    kFormatPng = 10,
    kFormatGif = 12,
    kFormatTiff = 18,
    kFormatTiffLzw = 19,
    kFormatTiffDeflate = 20,
    kFormatTiffPackBits = 21,
    kFormatTiffJpeg = 22,
    kFormatTiffCompressed = 23,
    kFormatPsd = 31,
    kFormatJp2 = 56,
    kFormatJ2k = 57,
    kFormatDng = 64,
    kFormatCr2 = 65,
    kFormatNef = 66,
    kFormatArw = 67,
    kFormatOrf = 68,
    kFormatRw2 = 69,
    kFormatRaw = 70,
    kFormatRaf = 71,
};

// The family a file belongs to, which picks its reader.
enum class Container { kUnknown, kBmp, kJpeg, kPng, kGif, kTiff, kJp2, kJ2k, kPsd, kRaw };

// The name of a format code ("JPG", "TIFF_Uncompressed"); empty for an unknown code.
std::string formatName(int code);

// The family of a file from its first bytes (at least 16 are looked at when present). TIFF-based
// camera raw files with their own signatures come back as kRaw; other TIFF-based raws are told
// apart by the reader.
Container detectContainer(const std::uint8_t* data, std::size_t size);

bool isRawFormat(int code);

}  // namespace imaging
