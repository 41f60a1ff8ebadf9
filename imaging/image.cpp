#include "imaging/image.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <new>

namespace imaging {

namespace {
std::atomic<std::uint64_t> gMaxPixels{std::uint64_t{1} << 31};

std::uint64_t physicalMemory() {
    long pages = sysconf(_SC_PHYS_PAGES);
    long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return std::uint64_t{1} << 34;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

inline std::uint8_t over8(unsigned c, unsigned a) {
    return static_cast<std::uint8_t>((c * a + 255u * (255u - a) + 127u) / 255u);
}
inline std::uint16_t over16(std::uint32_t c, std::uint32_t a) {
    std::uint64_t v = static_cast<std::uint64_t>(c) * a + 65535ull * (65535u - a) + 32767u;
    return static_cast<std::uint16_t>(v / 65535u);
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
    std::uint8_t* d = row8(topRow);
    for (int x = 0; x < width; ++x, d += 3) {
        std::uint8_t r, g, b;
        switch (channels) {
            case 1:
                r = g = b = s[x];
                break;
            case 2:
                r = g = b = over8(s[2 * x], s[2 * x + 1]);
                break;
            case 3:
                r = s[3 * x];
                g = s[3 * x + 1];
                b = s[3 * x + 2];
                break;
            default: {
                const std::uint8_t* p = s + 4 * x;
                r = over8(p[0], p[3]);
                g = over8(p[1], p[3]);
                b = over8(p[2], p[3]);
            }
        }
        d[0] = b;
        d[1] = g;
        d[2] = r;
    }
}

void Image::putRow16(int topRow, const std::uint16_t* s, int channels) {
    if (!sixteen) {
        std::vector<std::uint8_t> narrow(static_cast<std::size_t>(width) * channels);
        for (std::size_t i = 0; i < narrow.size(); ++i)
            narrow[i] = static_cast<std::uint8_t>(s[i] >> 8);
        putRow8(topRow, narrow.data(), channels);
        return;
    }
    std::uint16_t* d = row16(topRow);
    std::uint8_t* d8 = row8(topRow);
    for (int x = 0; x < width; ++x, d += 3, d8 += 3) {
        std::uint16_t r, g, b;
        switch (channels) {
            case 1:
                r = g = b = s[x];
                break;
            case 2:
                r = g = b = over16(s[2 * x], s[2 * x + 1]);
                break;
            case 3:
                r = s[3 * x];
                g = s[3 * x + 1];
                b = s[3 * x + 2];
                break;
            default: {
                const std::uint16_t* p = s + 4 * x;
                r = over16(p[0], p[3]);
                g = over16(p[1], p[3]);
                b = over16(p[2], p[3]);
            }
        }
        d[0] = b;
        d[1] = g;
        d[2] = r;
        d8[0] = static_cast<std::uint8_t>(b >> 8);
        d8[1] = static_cast<std::uint8_t>(g >> 8);
        d8[2] = static_cast<std::uint8_t>(r >> 8);
    }
}

void Image::getRowRgb8(int topRow, std::uint8_t* rgb) const {
    const std::uint8_t* s = row8(topRow);
    for (int x = 0; x < width; ++x, s += 3, rgb += 3) {
        rgb[0] = s[2];
        rgb[1] = s[1];
        rgb[2] = s[0];
    }
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
    const std::uint16_t* s = row16(topRow);
    for (int x = 0; x < width; ++x, s += 3, rgb += 3) {
        rgb[0] = s[2];
        rgb[1] = s[1];
        rgb[2] = s[0];
    }
}

void Image::refreshDisplay() {
    if (!sixteen) return;
    for (int y = 0; y < height; ++y) {
        const std::uint16_t* s = row16(y);
        std::uint8_t* d = row8(y);
        for (std::size_t i = 0; i < stride16Samples(width); ++i)
            d[i] = static_cast<std::uint8_t>(s[i] >> 8);
    }
}

void Image::clear() {
    *this = Image{};
}

}  // namespace imaging
