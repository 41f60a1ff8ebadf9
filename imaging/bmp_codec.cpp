// Windows bitmaps: 1, 4, 8, 16, 24 and 32 bits, plain, bit fields and RLE; written as plain
// 24-bit rows, which is the session's own 8-bit layout.
#include <cstring>
#include <vector>

#include "imaging/codecs.h"
#include "imaging/format_codes.h"

namespace imaging {

namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
void put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

struct BmpHeader {
    std::uint32_t pixelOffset = 0;
    std::uint32_t headerSize = 0;
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bpp = 0;
    std::uint32_t compression = 0;
    std::uint32_t colours = 0;
    std::uint32_t masks[4] = {0, 0, 0, 0};
    std::size_t paletteOffset = 0;
    int paletteEntrySize = 4;
};

bool readHeader(const std::uint8_t* d, std::size_t n, BmpHeader& h, std::string& error) {
    if (n < 26 || d[0] != 'B' || d[1] != 'M') {
        error = "Not a BMP file.";
        return false;
    }
    h.pixelOffset = le32(d + 10);
    h.headerSize = le32(d + 14);
    if (h.headerSize == 12) {
        h.width = le16(d + 18);
        h.height = static_cast<std::int16_t>(le16(d + 20));
        h.bpp = le16(d + 24);
        h.paletteEntrySize = 3;
    } else if (h.headerSize >= 40 && h.headerSize <= 124) {
        if (n < 14 + 40) {
            error = "The BMP header is truncated.";
            return false;
        }
        h.width = static_cast<std::int32_t>(le32(d + 18));
        h.height = static_cast<std::int32_t>(le32(d + 22));
        h.bpp = le16(d + 28);
        h.compression = le32(d + 30);
        h.colours = le32(d + 46);
        if (h.compression == 3 || h.compression == 6) {
            const std::size_t maskAt = 14 + 40;
            const int count = h.compression == 6 ? 4 : 3;
            if (n < maskAt + 4 * count) {
                error = "The BMP header is truncated.";
                return false;
            }
            for (int i = 0; i < count; ++i)
                h.masks[i] = le32(d + maskAt + 4 * i);
            if (h.headerSize < 52) h.paletteOffset = maskAt + 4 * count;
        }
        if (h.headerSize >= 56 && n >= 14 + 56 && h.compression == 3)
            h.masks[3] = le32(d + 14 + 52);
    } else {
        error = "Unsupported BMP header size " + std::to_string(h.headerSize) + ".";
        return false;
    }
    if (h.paletteOffset == 0) h.paletteOffset = 14 + h.headerSize;
    if (h.height == INT32_MIN || h.width <= 0 || h.height == 0) {
        error = "The BMP file has an invalid size.";
        return false;
    }
    h.topDown = h.height < 0;
    if (h.topDown) h.height = -h.height;
    const bool rle = h.compression == 1 || h.compression == 2;
    if (rle && h.topDown) {
        error = "A top-down BMP cannot be RLE-compressed.";
        return false;
    }
    switch (h.bpp) {
        case 1:
        case 4:
        case 8:
        case 24:
            break;
        case 16:
        case 32:
            break;
        default:
            error = "Unsupported BMP depth " + std::to_string(h.bpp) + ".";
            return false;
    }
    const bool ok = h.compression == 0 || (h.compression == 1 && h.bpp == 8) ||
                    (h.compression == 2 && h.bpp == 4) ||
                    ((h.compression == 3 || h.compression == 6) && (h.bpp == 16 || h.bpp == 32));
    if (!ok) {
        error = "Unsupported BMP compression " + std::to_string(h.compression) + ".";
        return false;
    }
    if ((h.bpp == 16 || h.bpp == 32) && h.compression == 0) {
        if (h.bpp == 16) {
            h.masks[0] = 0x7C00;
            h.masks[1] = 0x03E0;
            h.masks[2] = 0x001F;
        } else {
            h.masks[0] = 0xFF0000;
            h.masks[1] = 0x00FF00;
            h.masks[2] = 0x0000FF;
        }
        h.masks[3] = 0;
    }
    return true;
}

// One channel taken out of a packed pixel by its mask, scaled to 8 bits.
struct MaskChannel {
    int shift = 0;
    int bits = 0;
    explicit MaskChannel(std::uint32_t mask) {
        if (mask == 0) return;
        while (!(mask & 1u)) {
            mask >>= 1;
            ++shift;
        }
        while (mask & 1u) {
            mask >>= 1;
            ++bits;
        }
    }
    std::uint8_t get(std::uint32_t v) const {
        if (bits == 0) return 255;
        const std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
        const std::uint64_t c = (v >> shift) & max;
        return static_cast<std::uint8_t>((c * 255 + max / 2) / max);
    }
};

}  // namespace

bool probeBmp(const std::uint8_t* d, std::size_t n, FileFacts& f, std::string& error) {
    BmpHeader h;
    if (!readHeader(d, n, h, error)) return false;
    f.width = h.width;
    f.height = h.height;
    f.bitsPerPixel = h.bpp;
    f.formatCode = (h.compression == 1 || h.compression == 2) ? kFormatBmpRle : kFormatBmp;
    return true;
}

bool decodeBmp(const std::uint8_t* d, std::size_t n, const DecodeOptions&, Image& image,
               std::string& error) {
    BmpHeader h;
    if (!readHeader(d, n, h, error)) return false;
    std::vector<std::uint8_t> palette;  // RGB triples
    if (h.bpp <= 8) {
        std::uint32_t count = h.colours ? h.colours : (1u << h.bpp);
        if (count > 256) count = 256;
        palette.assign(256 * 3, 0);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at =
                h.paletteOffset + static_cast<std::size_t>(i) * h.paletteEntrySize;
            if (at + 3 > n) break;
            palette[3 * i] = d[at + 2];
            palette[3 * i + 1] = d[at + 1];
            palette[3 * i + 2] = d[at];
        }
    }
    if (h.pixelOffset >= n) {
        error = "The BMP file holds no pixel data.";
        return false;
    }
    if (!image.allocate(h.width, h.height, false, error)) return false;
    image.formatCode = (h.compression == 1 || h.compression == 2) ? kFormatBmpRle : kFormatBmp;
    image.sourceBitsPerPixel = h.bpp;
    const std::uint8_t* px = d + h.pixelOffset;
    const std::size_t avail = n - h.pixelOffset;
    const bool hasAlpha = h.masks[3] != 0;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(h.width) * 4);
    const int channels = hasAlpha ? 4 : 3;

    if (h.compression == 1 || h.compression == 2) {
        // Indices of the whole picture, bottom row first; skipped pixels take index 0.
        std::vector<std::uint8_t> idx(static_cast<std::size_t>(h.width) * h.height, 0);
        std::size_t pos = 0;
        int x = 0, y = 0;
        bool done = false;
        while (!done && pos + 1 < avail && y < h.height) {
            const std::uint8_t count = px[pos], value = px[pos + 1];
            pos += 2;
            if (count > 0) {
                for (int i = 0; i < count && x < h.width; ++i, ++x) {
                    std::uint8_t v = value;
                    if (h.compression == 2) v = (i & 1) ? (value & 0x0F) : (value >> 4);
                    idx[static_cast<std::size_t>(y) * h.width + x] = v;
                }
            } else if (value == 0) {
                x = 0;
                ++y;
            } else if (value == 1) {
                done = true;
            } else if (value == 2) {
                if (pos + 1 >= avail) break;
                x += px[pos];
                y += px[pos + 1];
                pos += 2;
            } else {
                const int literal = value;
                const std::size_t bytes = h.compression == 1 ? literal : (literal + 1) / 2;
                if (pos + bytes > avail) break;
                for (int i = 0; i < literal && x < h.width; ++i, ++x) {
                    std::uint8_t v = h.compression == 1 ? px[pos + i]
                                                        : ((i & 1) ? (px[pos + i / 2] & 0x0F)
                                                                   : (px[pos + i / 2] >> 4));
                    idx[static_cast<std::size_t>(y) * h.width + x] = v;
                }
                pos += (bytes + 1) & ~std::size_t{1};
            }
        }
        if (!done) {
            error = "The RLE data of the BMP file is truncated or damaged.";
            image.clear();
            return false;
        }
        for (int yy = 0; yy < h.height; ++yy) {
            for (int xx = 0; xx < h.width; ++xx) {
                const std::uint8_t* p =
                    &palette[3 * idx[static_cast<std::size_t>(yy) * h.width + xx]];
                std::memcpy(&row[3 * xx], p, 3);
            }
            image.putRow8(h.height - 1 - yy, row.data(), 3);
        }
        return true;
    }

    const std::size_t stride = ((static_cast<std::size_t>(h.width) * h.bpp + 31) / 32) * 4;
    if (stride * static_cast<std::size_t>(h.height) > avail) {
        error = "The BMP file is truncated.";
        image.clear();
        return false;
    }
    MaskChannel mr(h.masks[0]), mg(h.masks[1]), mb(h.masks[2]), ma(h.masks[3]);
    for (int sy = 0; sy < h.height; ++sy) {
        const std::uint8_t* s = px + stride * sy;
        for (int x = 0; x < h.width; ++x) {
            std::uint8_t* o = &row[static_cast<std::size_t>(channels) * x];
            switch (h.bpp) {
                case 1:
                case 4:
                case 8: {
                    const int bitPos = x * h.bpp;
                    const int v = (s[bitPos / 8] >> (8 - h.bpp - bitPos % 8)) & ((1 << h.bpp) - 1);
                    std::memcpy(o, &palette[3 * v], 3);
                    break;
                }
                case 24:
                    o[0] = s[3 * x + 2];
                    o[1] = s[3 * x + 1];
                    o[2] = s[3 * x];
                    break;
                default: {
                    const std::uint32_t v = h.bpp == 16 ? le16(s + 2 * x) : le32(s + 4 * x);
                    o[0] = mr.get(v);
                    o[1] = mg.get(v);
                    o[2] = mb.get(v);
                    if (hasAlpha) o[3] = ma.get(v);
                }
            }
        }
        image.putRow8(h.topDown ? sy : h.height - 1 - sy, row.data(),
                      h.bpp <= 8 || h.bpp == 24 ? 3 : channels);
    }
    return true;
}

bool encodeBmp(const Image& image, const EncodeOptions&, Bytes& out, std::string& error) {
    const std::size_t stride = stride8(image.width);
    const std::uint64_t pixelBytes = static_cast<std::uint64_t>(stride) * image.height;
    if (pixelBytes + 54 > 0xFFFFFFFFull) {
        error = "The picture is too large for a BMP file.";
        return false;
    }
    out.assign(54 + pixelBytes, 0);
    std::uint8_t* h = out.data();
    h[0] = 'B';
    h[1] = 'M';
    put32(h + 2, static_cast<std::uint32_t>(out.size()));
    put32(h + 10, 54);
    put32(h + 14, 40);
    put32(h + 18, static_cast<std::uint32_t>(image.width));
    put32(h + 22, static_cast<std::uint32_t>(image.height));
    put16(h + 26, 1);
    put16(h + 28, 24);
    put32(h + 34, static_cast<std::uint32_t>(pixelBytes));
    put32(h + 38, 2835);  // 72 dpi
    put32(h + 42, 2835);
    std::memcpy(h + 54, image.bits8.data(), pixelBytes);
    return true;
}

}  // namespace imaging
