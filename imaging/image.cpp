#include "imaging/image.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <new>

#include "imaging/sample_depth.h"

namespace imaging {

namespace {
std::atomic<std::uint64_t> gMaxPixels{std::uint64_t{1} << 31};

std::uint64_t physicalMemory() {
    long pages = sysconf(_SC_PHYS_PAGES);
    long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return std::uint64_t{1} << 34;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

// A sample composited on white through its alpha, rounded to the nearest value.
template <PixelSample Sample>
Sample overWhite(std::uint64_t c, std::uint64_t a) {
    constexpr std::uint64_t kWhite = kWhiteSample<Sample>;
    return static_cast<Sample>((c * a + kWhite * (kWhite - a) + kWhite / 2) / kWhite);
}

// One row of grey, grey+alpha, RGB or RGBA samples as blue-green-red pixels.
template <PixelSample Sample>
void toBgr(const Sample* s, int channels, int width, Sample* d) {
    for (int x = 0; x < width; ++x, d += 3) {
        Sample r, g, b;
        switch (channels) {
            case 1:
                r = g = b = s[x];
                break;
            case 2:
                r = g = b = overWhite<Sample>(s[2 * x], s[2 * x + 1]);
                break;
            case 3:
                r = s[3 * x];
                g = s[3 * x + 1];
                b = s[3 * x + 2];
                break;
            default: {
                const Sample* p = s + 4 * x;
                r = overWhite<Sample>(p[0], p[3]);
                g = overWhite<Sample>(p[1], p[3]);
                b = overWhite<Sample>(p[2], p[3]);
            }
        }
        d[0] = b;
        d[1] = g;
        d[2] = r;
    }
}

// One row of blue-green-red pixels as red-green-blue.
template <PixelSample Sample>
void toRgb(const Sample* s, int width, Sample* rgb) {
    for (int x = 0; x < width; ++x, s += 3, rgb += 3) {
        rgb[0] = s[2];
        rgb[1] = s[1];
        rgb[2] = s[0];
    }
}

// The display copy of one 16-bit row: the high byte of every sample.
void narrowRow(const std::uint16_t* s, int width, std::uint8_t* d) {
    for (std::size_t i = 0; i < stride16Samples(width); ++i)
        d[i] = static_cast<std::uint8_t>(s[i] >> 8);
}

}  // namespace

void setMaxPixelCount(std::uint64_t pixels) {
    gMaxPixels = pixels;
}
std::uint64_t maxPixelCount() {
    return gMaxPixels;
}

bool Image::allocate(int w, int h, bool is16, std::string& error) {
    if (w <= 0 || h <= 0) {
        error =
            "The picture has no pixels (" + std::to_string(w) + " x " + std::to_string(h) + ").";
        return false;
    }
    const std::uint64_t pixels = static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h);
    // Every byte count below must also fit the engine's 32-bit row arithmetic.
    const std::uint64_t bytes =
        pixels * 3 + static_cast<std::uint64_t>(h) * 4 + (is16 ? pixels * 6 : 0);
    if (pixels > gMaxPixels.load() || w > 0x7FFFFFFF / 6 || bytes > physicalMemory()) {
        error = "The picture is too large to load: " + std::to_string(w) + " x " +
                std::to_string(h) + " pixels would need " + std::to_string(bytes / (1024 * 1024)) +
                " MiB of memory.";
        return false;
    }
    try {
        Bytes b8(stride8(w) * static_cast<std::size_t>(h), 0xFF);
        std::vector<std::uint16_t> b16;
        if (is16) b16.assign(static_cast<std::size_t>(pixels) * 3, 0xFFFF);
        bits8.swap(b8);
        bits16.swap(b16);
    } catch (const std::bad_alloc&) {
        error = "Not enough memory for a picture of " + std::to_string(w) + " x " +
                std::to_string(h) + " pixels.";
        return false;
    }
    width = w;
    height = h;
    sixteen = is16;
    return true;
}

void Image::putRow8(int topRow, const std::uint8_t* s, int channels) {
    if (sixteen) {
        std::vector<std::uint16_t> wide(static_cast<std::size_t>(width) * channels);
        for (std::size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<std::uint16_t>(s[i] * 257);
        putRow16(topRow, wide.data(), channels);
        return;
    }
    toBgr(s, channels, width, row8(topRow));
}

void Image::putRow16(int topRow, const std::uint16_t* s, int channels) {
    if (!sixteen) {
        std::vector<std::uint8_t> narrow(static_cast<std::size_t>(width) * channels);
        for (std::size_t i = 0; i < narrow.size(); ++i)
            narrow[i] = static_cast<std::uint8_t>(s[i] >> 8);
        putRow8(topRow, narrow.data(), channels);
        return;
    }
    toBgr(s, channels, width, row16(topRow));
    narrowRow(row16(topRow), width, row8(topRow));
}

void Image::getRowRgb8(int topRow, std::uint8_t* rgb) const {
    toRgb(row8(topRow), width, rgb);
}

void Image::getRowRgb16(int topRow, std::uint16_t* rgb) const {
    if (!sixteen) {
        const std::uint8_t* s = row8(topRow);
        for (int x = 0; x < width; ++x, s += 3, rgb += 3) {
            rgb[0] = static_cast<std::uint16_t>(s[2] * 257);
            rgb[1] = static_cast<std::uint16_t>(s[1] * 257);
            rgb[2] = static_cast<std::uint16_t>(s[0] * 257);
        }
        return;
    }
    toRgb(row16(topRow), width, rgb);
}

void Image::refreshDisplay() {
    if (!sixteen) return;
    for (int y = 0; y < height; ++y)
        narrowRow(row16(y), width, row8(y));
}

void Image::clear() {
    *this = Image{};
}

}  // namespace imaging
