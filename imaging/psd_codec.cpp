// Photoshop files: the flattened composite of grey, RGB, indexed and CMYK pictures at 8 and 16
// bits, raw or PackBits; the colour profile from its image resource. Written as RGB with the
// profile resource, raw or PackBits.
#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/codecs.h"
#include "imaging/format_codes.h"

namespace imaging {

namespace {

std::uint32_t be32(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}
std::uint16_t be16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}
void put32(Bytes& o, std::uint32_t v) {
    for (int i = 3; i >= 0; --i)
        o.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void put16(Bytes& o, std::uint16_t v) {
    o.push_back(static_cast<std::uint8_t>(v >> 8));
    o.push_back(static_cast<std::uint8_t>(v));
}

enum PsdMode { kBitmap = 0, kGrey = 1, kIndexed = 2, kRgb = 3, kCmyk = 4 };

struct PsdHeader {
    int channels = 0, width = 0, height = 0, depth = 0, mode = 0;
};

bool readHeader(const std::uint8_t* d, std::size_t n, PsdHeader& h, std::string& error) {
    if (n < 26 || std::memcmp(d, "8BPS", 4) != 0) {
        error = "Not a Photoshop file.";
        return false;
    }
    if (be16(d + 4) != 1) {
        error = "Large-document Photoshop files (PSB) are not supported.";
        return false;
    }
    h.channels = be16(d + 12);
    h.height = static_cast<int>(be32(d + 14));
    h.width = static_cast<int>(be32(d + 18));
    h.depth = be16(d + 22);
    h.mode = be16(d + 24);
    if (h.channels < 1 || h.channels > 56 || h.width < 1 || h.height < 1 || h.width > 300000 ||
        h.height > 300000) {
        error = "The Photoshop file has an invalid header.";
        return false;
    }
    if (h.depth != 8 && h.depth != 16) {
        error = "Photoshop files of " + std::to_string(h.depth) +
                " bits per channel are not supported.";
        return false;
    }
    const bool modeOk = (h.mode == kGrey) || (h.mode == kIndexed && h.depth == 8) ||
                        (h.mode == kRgb && h.channels >= 3) || (h.mode == kCmyk && h.channels >= 4);
    if (!modeOk) {
        error = "This Photoshop colour mode is not supported.";
        return false;
    }
    return true;
}

// Unpacks one PackBits run list into exactly size bytes; false when it does not fit.
bool unpackBits(const std::uint8_t* s, std::size_t n, std::uint8_t* out, std::size_t size) {
    std::size_t i = 0, o = 0;
    while (o < size) {
        if (i >= n) return false;
        const int c = static_cast<std::int8_t>(s[i++]);
        if (c >= 0) {
            const std::size_t k = static_cast<std::size_t>(c) + 1;
            if (i + k > n || o + k > size) return false;
            std::memcpy(out + o, s + i, k);
            i += k;
            o += k;
        } else if (c != -128) {
            const std::size_t k = static_cast<std::size_t>(1 - c);
            if (i >= n || o + k > size) return false;
            std::memset(out + o, s[i++], k);
            o += k;
        }
    }
    return true;
}

void packBits(const std::uint8_t* s, std::size_t n, Bytes& out) {
    std::size_t i = 0;
    while (i < n) {
        std::size_t run = 1;
        while (i + run < n && run < 128 && s[i + run] == s[i])
            ++run;
        if (run >= 3) {
            out.push_back(static_cast<std::uint8_t>(257 - run));
            out.push_back(s[i]);
            i += run;
            continue;
        }
        std::size_t lit = 0;
        while (i + lit < n && lit < 128) {
            if (i + lit + 2 < n && s[i + lit] == s[i + lit + 1] && s[i + lit] == s[i + lit + 2])
                break;
            ++lit;
        }
        out.push_back(static_cast<std::uint8_t>(lit - 1));
        out.insert(out.end(), s + i, s + i + lit);
        i += lit;
    }
}

}  // namespace

bool probePsd(const std::uint8_t* d, std::size_t n, FileFacts& f, std::string& error) {
    PsdHeader h;
    if (!readHeader(d, n, h, error)) return false;
    f.width = h.width;
    f.height = h.height;
    const int colour = h.mode == kRgb ? 3 : (h.mode == kCmyk ? 4 : 1);
    f.bitsPerPixel = colour * h.depth;
    f.formatCode = kFormatPsd;
    return true;
}

bool decodePsd(const std::uint8_t* d, std::size_t n, const DecodeOptions& o, Image& image,
               std::string& error) {
    PsdHeader h;
    if (!readHeader(d, n, h, error)) return false;
    std::size_t pos = 26;
    auto section = [&](std::size_t& start, std::size_t& length) {
        if (pos + 4 > n) return false;
        length = be32(d + pos);
        start = pos + 4;
        if (length > n - start) return false;
        pos = start + length;
        return true;
    };
    std::size_t modeStart = 0, modeLen = 0, resStart = 0, resLen = 0, layerStart = 0, layerLen = 0;
    if (!section(modeStart, modeLen) || !section(resStart, resLen) ||
        !section(layerStart, layerLen) || pos + 2 > n) {
        error = "The Photoshop file is truncated.";
        return false;
    }
    const std::uint8_t* palette = (h.mode == kIndexed && modeLen >= 768) ? d + modeStart : nullptr;
    if (h.mode == kIndexed && !palette) {
        error = "The indexed Photoshop file has no palette.";
        return false;
    }
    Bytes icc;
    for (std::size_t r = resStart; r + 12 <= resStart + resLen;) {
        if (std::memcmp(d + r, "8BIM", 4) != 0) break;
        const std::uint16_t id = be16(d + r + 4);
        const std::size_t nameLen = d[r + 6];
        std::size_t at = r + 6 + ((nameLen + 2) & ~std::size_t{1});
        if (at + 4 > resStart + resLen) break;
        const std::size_t size = be32(d + at);
        at += 4;
        if (size > resStart + resLen - at) break;
        if (id == 1039) icc.assign(d + at, d + at + size);
        r = at + ((size + 1) & ~std::size_t{1});
    }
    const int compression = be16(d + pos);
    pos += 2;
    if (compression != 0 && compression != 1) {
        error = "This Photoshop compression is not supported.";
        return false;
    }
    const int bytes = h.depth / 8;
    const std::size_t rowBytes = static_cast<std::size_t>(h.width) * bytes;
    const int colourChannels = h.mode == kRgb ? 3 : (h.mode == kCmyk ? 4 : 1);
    const bool sixteen = h.depth == 16 && o.keep16;
    if (!image.allocate(h.width, h.height, sixteen, error)) return false;
    image.formatCode = kFormatPsd;
    image.sourceBitsPerPixel = colourChannels * h.depth;
    image.icc = std::move(icc);
    // The composite is stored plane by plane; only the colour planes are needed (Photoshop
    // stores the composite already matted on white, so any alpha plane is left out).
    std::vector<std::uint8_t> planes;
    try {
        planes.resize(rowBytes * h.height * colourChannels);
    } catch (const std::bad_alloc&) {
        error = "Not enough memory to read the Photoshop file.";
        image.clear();
        return false;
    }
    const std::size_t totalRows = static_cast<std::size_t>(h.height) * h.channels;
    if (compression == 0) {
        const std::size_t need = rowBytes * h.height * colourChannels;
        if (need > n - pos) {
            error = "The Photoshop file is truncated.";
            image.clear();
            return false;
        }
        std::memcpy(planes.data(), d + pos, need);
    } else {
        if (totalRows * 2 > n - pos) {
            error = "The Photoshop file is truncated.";
            image.clear();
            return false;
        }
        const std::uint8_t* counts = d + pos;
        std::size_t at = pos + totalRows * 2;
        for (std::size_t row = 0; row < static_cast<std::size_t>(h.height) * colourChannels;
             ++row) {
            const std::size_t len = be16(counts + 2 * row);
            if (len > n - at ||
                !unpackBits(d + at, len, planes.data() + row * rowBytes, rowBytes)) {
                error = "The Photoshop image data is truncated or damaged.";
                image.clear();
                return false;
            }
            at += len;
        }
    }
    const std::size_t planeSize = rowBytes * h.height;
    std::vector<std::uint16_t> row(static_cast<std::size_t>(h.width) * 3);
    for (int y = 0; y < h.height; ++y) {
        for (int x = 0; x < h.width; ++x) {
            auto sample = [&](int c) -> std::uint32_t {
                const std::uint8_t* p = planes.data() + planeSize * c + rowBytes * y +
                                        static_cast<std::size_t>(x) * bytes;
                return bytes == 2 ? be16(p) : static_cast<std::uint32_t>(p[0] * 257);
            };
            std::uint32_t r, g, b;
            if (h.mode == kRgb) {
                r = sample(0);
                g = sample(1);
                b = sample(2);
            } else if (h.mode == kIndexed) {
                const std::uint8_t i = planes[rowBytes * y + x];
                r = palette[i] * 257u;
                g = palette[256 + i] * 257u;
                b = palette[512 + i] * 257u;
            } else if (h.mode == kCmyk) {
                // Stored inverted: 65535 means no ink.
                const std::uint64_t k = sample(3);
                r = static_cast<std::uint32_t>(sample(0) * k / 65535);
                g = static_cast<std::uint32_t>(sample(1) * k / 65535);
                b = static_cast<std::uint32_t>(sample(2) * k / 65535);
            } else {
                r = g = b = sample(0);
            }
            row[3 * static_cast<std::size_t>(x)] = static_cast<std::uint16_t>(r);
            row[3 * static_cast<std::size_t>(x) + 1] = static_cast<std::uint16_t>(g);
            row[3 * static_cast<std::size_t>(x) + 2] = static_cast<std::uint16_t>(b);
        }
        image.putRow16(y, row.data(), 3);
        if (y % 64 == 0 || y + 1 == h.height) {
            if (o.progress) o.progress(static_cast<int>(100LL * (y + 1) / h.height));
            if (o.stopped()) {
                error = kStoppedText;
                image.clear();
                return false;
            }
        }
    }
    return true;
}

bool encodePsd(const Image& image, const EncodeOptions& o, Bytes& out, std::string& error) {
    if (image.width > 30000 || image.height > 30000) {
        error = "The picture is too large for a Photoshop file (at most 30000 pixels a side).";
        return false;
    }
    const bool sixteen = image.sixteen && o.write16;
    const int bytes = sixteen ? 2 : 1;
    out.clear();
    out.insert(out.end(), {'8', 'B', 'P', 'S'});
    put16(out, 1);
    out.insert(out.end(), 6, 0);
    put16(out, 3);
    put32(out, static_cast<std::uint32_t>(image.height));
    put32(out, static_cast<std::uint32_t>(image.width));
    put16(out, static_cast<std::uint16_t>(bytes * 8));
    put16(out, kRgb);
    put32(out, 0);  // colour mode data
    Bytes resources;
    if (o.embedIcc && !image.icc.empty()) {
        resources.insert(resources.end(), {'8', 'B', 'I', 'M'});
        put16(resources, 1039);
        put16(resources, 0);  // empty name, padded
        put32(resources, static_cast<std::uint32_t>(image.icc.size()));
        resources.insert(resources.end(), image.icc.begin(), image.icc.end());
        if (image.icc.size() & 1) resources.push_back(0);
    }
    put32(out, static_cast<std::uint32_t>(resources.size()));
    out.insert(out.end(), resources.begin(), resources.end());
    put32(out, 0);  // no layers
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * bytes;
    // Planes of big-endian samples, red, green, blue.
    std::vector<std::uint8_t> plane(rowBytes * image.height * 3);
    std::vector<std::uint16_t> rgb(static_cast<std::size_t>(image.width) * 3);
    for (int y = 0; y < image.height; ++y) {
        image.getRowRgb16(y, rgb.data());
        for (int c = 0; c < 3; ++c) {
            std::uint8_t* p =
                plane.data() + rowBytes * (static_cast<std::size_t>(c) * image.height + y);
            for (int x = 0; x < image.width; ++x) {
                const std::uint16_t v = rgb[3 * static_cast<std::size_t>(x) + c];
                if (sixteen) {
                    p[2 * x] = static_cast<std::uint8_t>(v >> 8);
                    p[2 * x + 1] = static_cast<std::uint8_t>(v);
                } else {
                    p[x] = static_cast<std::uint8_t>(v >> 8);
                }
            }
        }
    }
    const std::size_t rows = static_cast<std::size_t>(image.height) * 3;
    if (o.psdCompression == 1) {
        put16(out, 1);
        Bytes counts, data;
        for (std::size_t r = 0; r < rows; ++r) {
            const std::size_t before = data.size();
            packBits(plane.data() + r * rowBytes, rowBytes, data);
            const std::size_t len = data.size() - before;
            if (len > 0xFFFF) {
                error = "A row is too long for PackBits.";
                return false;
            }
            put16(counts, static_cast<std::uint16_t>(len));
        }
        out.insert(out.end(), counts.begin(), counts.end());
        out.insert(out.end(), data.begin(), data.end());
    } else {
        put16(out, 0);
        out.insert(out.end(), plane.begin(), plane.end());
    }
    if (o.progress) o.progress(100);
    return true;
}

}  // namespace imaging
