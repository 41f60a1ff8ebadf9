// The formats a result can be saved in, and the JPEG quality steps.
#pragma once

#include <array>
#include <cstdint>

namespace core {

struct OutputFormat {
    const char* text;       // as the format lists show it
    int32_t code;           // the imaging layer's format code
    const char* extension;  // upper case, as listed
    const char* name;       // the command line's name
};

// The program's six formats, then PNG, which only the command line offers.
inline constexpr std::array<OutputFormat, 7> kOutputFormats = {{
    {"Bitmap (*.bmp)", 2, "BMP", "bmp"},
    {"JPEG (*.jpg)", 4, "JPG", "jpg"},
    {"JPEG Progressive (*.jpg)", 5, "JPG", "jpg-progressive"},
    {"JPEG 2000 (*.jp2)", 56, "JP2", "jp2"},
    {"Photoshop (*.psd)", 31, "PSD", "psd"},
    {"TIFF (*.tif)", 18, "TIF", "tif"},
    {"PNG (*.png)", 10, "PNG", "png"},
}};
inline constexpr int kProgramFormatCount = 6;
inline constexpr int kDefaultFormatIndex = 1;

// The quality handed to the save for each step "7 (52%)" ... "12 (100%)"; a stored quality index
// counts from the first step.
inline constexpr std::array<int32_t, 6> kJpegQualities = {81, 89, 93, 96, 98, 100};
inline constexpr int kDefaultJpegQualityIndex = 4;
inline constexpr int kFirstJpegQualityStep = 7;
inline constexpr int kLastJpegQualityStep = kFirstJpegQualityStep + int(kJpegQualities.size()) - 1;

// A stored format index outside the table falls back to JPEG.
inline int validFormatIndex(int index) {
    return index >= 0 && index < int(kOutputFormats.size()) ? index : kDefaultFormatIndex;
}
// A stored quality index is clamped to the list.
inline int32_t jpegQualityFor(int index) {
    const int last = int(kJpegQualities.size()) - 1;
    return kJpegQualities[size_t(index < 0 ? 0 : index > last ? last : index)];
}

}  // namespace core
