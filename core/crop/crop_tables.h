// The print sizes and screen sizes a crop frame can be made for: the paper table (prints at 300
// pixels per inch) and the web table, each row with its text, pixel size and frame proportion.
#pragma once

#include <cstdint>
#include <span>

namespace core {

struct CropTableRow {
    const char* text;  // a language key for row 0, else the row's own text
    // The pixel size, long side and short side (paper: fractional for A4); 0 for "no resize".
    float longSide;
    float shortSide;
    // The frame proportion, long : short.
    int32_t proportionLong;
    int32_t proportionShort;
};

inline constexpr int32_t kPaperRows = 11;
inline constexpr int32_t kWebRows = 10;

std::span<const CropTableRow> paperTable();
std::span<const CropTableRow> webTable();

// The row of the table, with rows outside it counting as row 0.
const CropTableRow& paperRow(int32_t index);
const CropTableRow& webRow(int32_t index);

}  // namespace core
