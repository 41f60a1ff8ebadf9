// One picture as a session holds it: pixels in the layouts the engine reads, the colour profile
// and the metadata blocks that travel with it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace imaging {

using Bytes = std::vector<std::uint8_t>;

// Row stride of the 8-bit layout: 3 bytes a pixel, rounded up to a multiple of 4.
inline std::size_t stride8(int width) {
    return ((static_cast<std::size_t>(width) * 3 + 3) / 4) * 4;
}
inline std::size_t stride16Samples(int width) {
    return static_cast<std::size_t>(width) * 3;
}

// Largest picture the loaders accept, in pixels; set lower by tools that must stay small.
void setMaxPixelCount(std::uint64_t pixels);
std::uint64_t maxPixelCount();

struct Image {
    int width = 0;
    int height = 0;
    bool sixteen = false;
    // 8-bit pixels (for a 16-bit picture its display copy): blue, green, red; rows bottom-up,
    // padded to 4 bytes.
    Bytes bits8;
    // 16-bit pixels: blue, green, red; rows top-down, packed. Empty for an 8-bit picture.
    std::vector<std::uint16_t> bits16;

    Bytes icc;            // embedded colour profile, empty when none
    Bytes exif;           // TIFF-structured EXIF block (what follows "Exif\0\0" in a JPEG)
    Bytes iptc;           // IPTC-IIM records
    std::string xmp;      // XMP packet
    std::string comment;  // file comment (JPEG COM, PNG/GIF text)
    int formatCode = 0;   // format the picture was read from
    int sourceBitsPerPixel = 0;

    bool empty() const { return width <= 0 || height <= 0; }

    // Allocates pixel memory after checking that the picture fits; on failure leaves a message.
    bool allocate(int w, int h, bool is16, std::string& error);

    std::uint8_t* row8(int topRow) {
        return bits8.data() + static_cast<std::size_t>(height - 1 - topRow) * stride8(width);
    }
    const std::uint8_t* row8(int topRow) const {
        return bits8.data() + static_cast<std::size_t>(height - 1 - topRow) * stride8(width);
    }
    std::uint16_t* row16(int topRow) {
        return bits16.data() + static_cast<std::size_t>(topRow) * stride16Samples(width);
    }
    const std::uint16_t* row16(int topRow) const {
        return bits16.data() + static_cast<std::size_t>(topRow) * stride16Samples(width);
    }

    // Stores one row given top-down as interleaved samples in red-green-blue order (1 channel:
    // grey, 2: grey+alpha, 3: RGB, 4: RGBA); alpha is composited on white.
    void putRow8(int topRow, const std::uint8_t* samples, int channels);
    void putRow16(int topRow, const std::uint16_t* samples, int channels);

    // Reads one row top-down as RGB in the picture's depth (16-bit: full range).
    void getRowRgb8(int topRow, std::uint8_t* rgb) const;
    void getRowRgb16(int topRow, std::uint16_t* rgb) const;

    // Rebuilds the 8-bit display copy of a 16-bit picture from its 16-bit pixels.
    void refreshDisplay();
    // Drops the pixels and everything attached.
    void clear();
};

}  // namespace imaging
