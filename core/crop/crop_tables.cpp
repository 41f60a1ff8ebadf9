#include "core/crop/crop_tables.h"

#include <array>

namespace core {

namespace {

// A4 is 29.5 cm by 21 cm; at 300 pixels per inch its pixel size is fractional.
constexpr float kA4Long = float(29.5 / 2.54 * 300.0);
constexpr float kA4Short = float(21.0 / 2.54 * 300.0);

constexpr std::array<CropTableRow, kPaperRows> kPaper = {{
    {"ALS_NO_RESIZE", 0, 0, 3, 2},
    {"3.5x5\"  (9x13cm),  1050x1500 px", 1500, 1050, 10, 7},
    {"4x6\"  (10x15cm),  1200x1800 px", 1800, 1200, 3, 2},
    {"5x7\"  (13x18cm),  1500x2100 px", 2100, 1500, 7, 5},
    {"6x8\"  (15x20cm),  1800x2400 px", 2400, 1800, 4, 3},
    {"8x10\"  (20x25cm),  2400x3000 px", 3000, 2400, 5, 4},
    {"8x12\"  (20x30cm),  2400x3600 px", 3600, 2400, 3, 2},
    {"A4  (21x29.5cm),  2480x3484 px", kA4Long, kA4Short, 30, 21},
    {"11x14\"  (28x35cm),  3300x4200 px", 4200, 3300, 14, 11},
    {"12x16\"  (30x40cm),  3600x4800 px", 4800, 3600, 4, 3},
    {"16x20\"  (40x50cm),  4800x6000 px", 6000, 4800, 5, 4},
}};

constexpr std::array<CropTableRow, kWebRows> kWeb = {{
    {"ALS_NO_RESIZE", 0, 0, 4, 3},
    {"640x480", 640, 480, 4, 3},
    {"800x600", 800, 600, 4, 3},
    {"1024x768", 1024, 768, 4, 3},
    {"1152x864", 1152, 864, 4, 3},
    {"1280x960", 1280, 960, 4, 3},
    {"1280x1024", 1280, 1024, 5, 4},
    {"1600x1200", 1600, 1200, 4, 3},
    {"1920x1440", 1920, 1440, 4, 3},
    {"2048x1536", 2048, 1536, 4, 3},
}};

}  // namespace

std::span<const CropTableRow> paperTable() {
    return kPaper;
}

std::span<const CropTableRow> webTable() {
    return kWeb;
}

const CropTableRow& paperRow(int32_t index) {
    return index >= 0 && index < kPaperRows ? kPaper[size_t(index)] : kPaper[0];
}

const CropTableRow& webRow(int32_t index) {
    return index >= 0 && index < kWebRows ? kWeb[size_t(index)] : kWeb[0];
}

}  // namespace core
