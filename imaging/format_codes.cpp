#include "imaging/format_codes.h"

#include <cstring>

namespace imaging {

std::string formatName(int code) {
    switch (code) {
        case kFormatBmp:
            return "BMP_Uncompressed";
        case kFormatBmpRle:
            return "BMP_RLE";
        case kFormatJpeg:
            return "JPG";
        case kFormatJpegProgressive:
            return "JPG_Progressive";
        case kFormatPng:
            return "PNG";
        case kFormatGif:
            return "GIF";
        case kFormatTiff:
            return "TIFF_Uncompressed";
        case kFormatTiffLzw:
            return "TIFF_LZW";
        case kFormatTiffDeflate:
            return "TIFF_ZIP";
        case kFormatTiffPackBits:
            return "TIFF_PackBits";
        case kFormatTiffJpeg:
            return "TIFF_JPEG";
        case kFormatTiffCompressed:
            return "TIFF_Compressed";
        case kFormatPsd:
            return "PSD";
        case kFormatJp2:
            return "JP2";
        case kFormatJ2k:
            return "J2K";
        case kFormatDng:
            return "DNG";
        case kFormatCr2:
            return "CR2";
        case kFormatNef:
            return "NEF";
        case kFormatArw:
            return "ARW";
        case kFormatOrf:
            return "ORF";
        case kFormatRw2:
            return "RW2";
        case kFormatRaw:
            return "RAW";
        case kFormatRaf:
            return "RAF20";
        default:
            return {};
    }
}

bool isRawFormat(int code) {
    return code >= kFormatDng && code <= kFormatRaf;
}

Container detectContainer(const std::uint8_t* d, std::size_t n) {
    auto starts = [&](const char* magic, std::size_t len, std::size_t at = 0) {
        return n >= at + len && std::memcmp(d + at, magic, len) == 0;
    };
    if (starts("\xFF\xD8\xFF", 3)) return Container::kJpeg;
    if (starts("\x89PNG\r\n\x1A\n", 8)) return Container::kPng;
    if (starts("GIF87a", 6) || starts("GIF89a", 6)) return Container::kGif;
    if (starts("8BPS", 4)) return Container::kPsd;
    if (starts("\x00\x00\x00\x0CjP  \r\n\x87\n", 12)) return Container::kJp2;
    if (starts("\xFF\x4F\xFF\x51", 4)) return Container::kJ2k;
    if (starts("BM", 2) && n >= 26) return Container::kBmp;
    // TIFF-based raws whose headers differ from plain TIFF.
    if (starts("IIRO", 4) || starts("IIRS", 4) || starts("MMOR", 4) || starts("IIU\0", 4))
        return Container::kRaw;
    if (starts("II*\0", 4) || starts("MM\0*", 4)) {
        if (starts("CR\x02", 3, 8)) return Container::kRaw;
        return Container::kTiff;
    }
    if (starts("FUJIFILMCCD-RAW", 15) || starts("\0MRM", 4) || starts("FOVb", 4) ||
        starts("II\x1A\0\0\0HEAPCCDR", 14))
        return Container::kRaw;
    return Container::kUnknown;
}

}  // namespace imaging
