// TIFF through libtiff on memory: 8- and 16-bit RGB and grey in strips or tiles with any
// compression libtiff knows; other layouts (palette, CMYK, YCbCr, bilevel) go through libtiff's
// RGBA reader at 8 bits. Written uncompressed, 8 or 16 bits, with the colour profile.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <tiffio.h>

#include "imaging/codecs.h"
#include "imaging/format_codes.h"
#include "imaging/metadata.h"
#include "imaging/sample_depth.h"
#include "imaging/tiff_memory.h"

namespace imaging {

namespace {

int onTiffError(TIFF*, void* user, const char* module, const char* fmt, va_list ap) {
    char buf[512];
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    auto* message = static_cast<std::string*>(user);
    if (message && message->empty()) *message = std::string(module ? module : "") + ": " + buf;
    return 1;
}
int onTiffWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* t) const {
        if (t) TIFFClose(t);
    }
};
using TiffPtr = std::unique_ptr<TIFF, TiffCloser>;

int compressionCode(uint16_t compression) {
    switch (compression) {
        case COMPRESSION_NONE:
            return kFormatTiff;
        case COMPRESSION_LZW:
            return kFormatTiffLzw;
        case COMPRESSION_ADOBE_DEFLATE:
        case COMPRESSION_DEFLATE:
            return kFormatTiffDeflate;
        case COMPRESSION_PACKBITS:
            return kFormatTiffPackBits;
        case COMPRESSION_JPEG:
        case COMPRESSION_OJPEG:
            return kFormatTiffJpeg;
        default:
            return kFormatTiffCompressed;
    }
}

TIFF* openTiff(MemoryFile& file, const char* mode, std::string& message) {
    TIFFOpenOptions* opts = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(opts, onTiffError, &message);
    TIFFOpenOptionsSetWarningHandlerExtR(opts, onTiffWarning, nullptr);
    TIFF* t = TIFFClientOpenExt("memory", mode, &file, MemoryFile::read, MemoryFile::write,
                                MemoryFile::seek, MemoryFile::close, MemoryFile::size,
                                MemoryFile::map, MemoryFile::unmap, opts);
    TIFFOpenOptionsFree(opts);
    return t;
}

// A TIFF file's bytes opened for reading; null with the reason in error when libtiff refuses.
TiffPtr openForReading(MemoryFile& file, std::string& message, std::string& error) {
    TiffPtr t(openTiffForReading(file, message));
    if (!t) error = "Not a readable TIFF file. " + message;
    return t;
}

// What every reader needs first from the directory: the size (checked) and the sample layout.
struct TiffHeader {
    uint32_t width = 0, height = 0;
    uint16_t bitsPerSample = 8, samplesPerPixel = 1, compression = COMPRESSION_NONE;
};
bool readHeader(TIFF* tif, TiffHeader& header, std::string& error) {
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &header.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &header.height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &header.bitsPerSample);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &header.samplesPerPixel);
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &header.compression);
    if (header.width == 0 || header.height == 0 || header.width > 0x7FFFFFFF ||
        header.height > 0x7FFFFFFF) {
        error = "The TIFF file has an invalid size.";
        return false;
    }
    return true;
}

// One row of output samples (colour, then alpha) picked from a row of interleaved file samples;
// min-is-white grey is turned the right way round.
template <PixelSample Sample>
void pickSamples(const std::uint8_t* src, uint32_t w, int spp, int colourChannels, int outChannels,
                 bool minIsWhite, Sample* out) {
    for (uint32_t x = 0; x < w; ++x) {
        for (int c = 0; c < outChannels; ++c) {
            const int sample = c < colourChannels ? c : colourChannels;  // alpha follows colour
            Sample v;
            std::memcpy(&v, src + (static_cast<std::size_t>(x) * spp + sample) * sizeof(Sample),
                        sizeof(Sample));
            if (minIsWhite && c == 0) v = static_cast<Sample>(kWhiteSample<Sample> - v);
            out[static_cast<std::size_t>(x) * outChannels + c] = v;
        }
    }
}

}  // namespace

TIFF* openTiffForReading(MemoryFile& file, std::string& message) {
    return openTiff(file, "rm", message);
}

TIFF* openTiffForWriting(MemoryFile& file, std::string& message) {
    return openTiff(file, "w", message);
}

bool probeTiff(const std::uint8_t* d, std::size_t n, FileFacts& f, std::string& error) {
    MemoryFile file(d, n);
    std::string message;
    TiffPtr t = openForReading(file, message, error);
    TiffHeader header;
    if (!t || !readHeader(t.get(), header, error)) return false;
    f.width = static_cast<int>(header.width);
    f.height = static_cast<int>(header.height);
    f.bitsPerPixel = header.bitsPerSample * header.samplesPerPixel;
    f.formatCode = compressionCode(header.compression);
    return true;
}

bool decodeTiff(const std::uint8_t* d, std::size_t n, const DecodeOptions& o, Image& image,
                std::string& error) {
    MemoryFile file(d, n);
    std::string message;
    TiffPtr t = openForReading(file, message, error);
    TiffHeader header;
    if (!t || !readHeader(t.get(), header, error)) return false;
    TIFF* tif = t.get();
    const uint32_t w = header.width, h = header.height;
    const uint16_t bps = header.bitsPerSample, spp = header.samplesPerPixel;
    const uint16_t compression = header.compression;
    uint16_t photometric = PHOTOMETRIC_RGB, planar = PLANARCONFIG_CONTIG;
    uint16_t sampleFormat = SAMPLEFORMAT_UINT, extraCount = 0;
    uint16_t* extraTypes = nullptr;
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &sampleFormat);
    TIFFGetFieldDefaulted(tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric))
        photometric = spp >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    const bool colour = photometric == PHOTOMETRIC_RGB && spp >= 3;
    const bool grey =
        (photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE) &&
        spp >= 1;
    const bool direct =
        (colour || grey) && (bps == 8 || bps == 16) && sampleFormat == SAMPLEFORMAT_UINT &&
        (planar == PLANARCONFIG_CONTIG || planar == PLANARCONFIG_SEPARATE) && spp <= 16;
    const bool sixteen = direct && bps == 16 && o.keep16;
    if (!image.allocate(static_cast<int>(w), static_cast<int>(h), sixteen, error)) return false;
    image.formatCode = compressionCode(compression);
    image.sourceBitsPerPixel = bps * spp;
    uint32_t iccLen = 0;
    void* icc = nullptr;
    if (TIFFGetField(tif, TIFFTAG_ICCPROFILE, &iccLen, &icc) && icc && iccLen)
        image.icc.assign(static_cast<std::uint8_t*>(icc), static_cast<std::uint8_t*>(icc) + iccLen);

    const int colourChannels = colour ? 3 : 1;
    const bool minIsWhite = photometric == PHOTOMETRIC_MINISWHITE;
    const bool hasAlpha =
        spp > colourChannels && extraCount > 0 &&
        (extraTypes[0] == EXTRASAMPLE_ASSOCALPHA || extraTypes[0] == EXTRASAMPLE_UNASSALPHA);
    const int outChannels = colourChannels + (hasAlpha ? 1 : 0);

    if (!direct) {
        // libtiff converts everything else to 8-bit RGBA, top row first.
        std::vector<uint32_t> raster;
        try {
            raster.resize(static_cast<std::size_t>(w) * h);
        } catch (const std::bad_alloc&) {
            error = "Not enough memory to read the TIFF file.";
            image.clear();
            return false;
        }
        char emsg[1024] = "";
        if (!TIFFRGBAImageOK(tif, emsg) ||
            !TIFFReadRGBAImageOriented(tif, w, h, raster.data(), ORIENTATION_TOPLEFT, 0)) {
            error =
                std::string("The TIFF file cannot be read: ") + (emsg[0] ? emsg : message.c_str());
            image.clear();
            return false;
        }
        std::vector<std::uint8_t> row(static_cast<std::size_t>(w) * 4);
        for (uint32_t y = 0; y < h; ++y) {
            for (uint32_t x = 0; x < w; ++x) {
                const uint32_t p = raster[static_cast<std::size_t>(y) * w + x];
                row[4 * x] = static_cast<std::uint8_t>(TIFFGetR(p));
                row[4 * x + 1] = static_cast<std::uint8_t>(TIFFGetG(p));
                row[4 * x + 2] = static_cast<std::uint8_t>(TIFFGetB(p));
                row[4 * x + 3] = static_cast<std::uint8_t>(TIFFGetA(p));
            }
            image.putRow8(static_cast<int>(y), row.data(), 4);
        }
        return true;
    }

    // Direct path: gather each row's samples (contiguous or per plane) into interleaved form.
    const std::size_t bytesPerSample = bps / 8;
    std::vector<std::uint8_t> interleaved(static_cast<std::size_t>(w) * spp * bytesPerSample);
    std::vector<std::uint16_t> out16(static_cast<std::size_t>(w) * outChannels);
    std::vector<std::uint8_t> out8(static_cast<std::size_t>(w) * outChannels);
    const bool tiled = TIFFIsTiled(tif);
    std::vector<std::uint8_t> block;
    uint32_t tileW = 0, tileH = 0, rowsPerStrip = 0;
    if (tiled) {
        TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tileW);
        TIFFGetField(tif, TIFFTAG_TILELENGTH, &tileH);
        if (tileW == 0 || tileH == 0) {
            error = "The TIFF file has invalid tiles.";
            image.clear();
            return false;
        }
    } else {
        TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
        if (rowsPerStrip == 0 || rowsPerStrip > h) rowsPerStrip = h;
    }
    const int planes = planar == PLANARCONFIG_SEPARATE ? spp : 1;
    const int samplesInBlock = planar == PLANARCONFIG_SEPARATE ? 1 : spp;
    const tmsize_t blockSize = tiled ? TIFFTileSize(tif) : TIFFStripSize(tif);
    if (blockSize <= 0) {
        error = "The TIFF file has an invalid layout.";
        image.clear();
        return false;
    }
    block.resize(static_cast<std::size_t>(blockSize));
    // Rows are decoded a band at a time (a strip or a row of tiles), for every plane.
    const uint32_t bandHeight = tiled ? tileH : rowsPerStrip;
    std::vector<std::uint8_t> band(static_cast<std::size_t>(w) * spp * bytesPerSample * bandHeight);
    for (uint32_t top = 0; top < h; top += bandHeight) {
        const uint32_t rows = std::min(bandHeight, h - top);
        for (int plane = 0; plane < planes; ++plane) {
            if (tiled) {
                for (uint32_t left = 0; left < w; left += tileW) {
                    const ttile_t tile =
                        TIFFComputeTile(tif, left, top, 0, static_cast<uint16_t>(plane));
                    if (TIFFReadEncodedTile(tif, tile, block.data(), blockSize) < 0) {
                        error = "The TIFF file is damaged: " + message;
                        image.clear();
                        return false;
                    }
                    const uint32_t cols = std::min(tileW, w - left);
                    for (uint32_t r = 0; r < rows; ++r) {
                        const std::uint8_t* src =
                            block.data() +
                            (static_cast<std::size_t>(r) * tileW) * samplesInBlock * bytesPerSample;
                        for (uint32_t c = 0; c < cols; ++c) {
                            for (int sIdx = 0; sIdx < samplesInBlock; ++sIdx) {
                                const int sample = planes > 1 ? plane : sIdx;
                                std::memcpy(
                                    &band[((static_cast<std::size_t>(r) * w + left + c) * spp +
                                           sample) *
                                          bytesPerSample],
                                    src + (static_cast<std::size_t>(c) * samplesInBlock + sIdx) *
                                              bytesPerSample,
                                    bytesPerSample);
                            }
                        }
                    }
                }
            } else {
                const tstrip_t strip = TIFFComputeStrip(tif, top, static_cast<uint16_t>(plane));
                const tmsize_t need =
                    static_cast<tmsize_t>(rows) * w * samplesInBlock * bytesPerSample;
                if (TIFFReadEncodedStrip(tif, strip, block.data(), blockSize) < need) {
                    error = "The TIFF file is damaged or truncated. " + message;
                    image.clear();
                    return false;
                }
                for (std::size_t i = 0; i < static_cast<std::size_t>(rows) * w; ++i) {
                    for (int sIdx = 0; sIdx < samplesInBlock; ++sIdx) {
                        const int sample = planes > 1 ? plane : sIdx;
                        std::memcpy(&band[(i * spp + sample) * bytesPerSample],
                                    block.data() + (i * samplesInBlock + sIdx) * bytesPerSample,
                                    bytesPerSample);
                    }
                }
            }
        }
        for (uint32_t r = 0; r < rows; ++r) {
            const std::uint8_t* src =
                band.data() + static_cast<std::size_t>(r) * w * spp * bytesPerSample;
            const int y = static_cast<int>(top + r);
            if (bps == 16) {
                pickSamples(src, w, spp, colourChannels, outChannels, minIsWhite, out16.data());
                image.putRow16(y, out16.data(), outChannels);
            } else {
                pickSamples(src, w, spp, colourChannels, outChannels, minIsWhite, out8.data());
                image.putRow8(y, out8.data(), outChannels);
            }
        }
        if (o.progress) o.progress(static_cast<int>(100ull * (top + rows) / h));
        if (o.stopped()) {
            error = kStoppedText;
            image.clear();
            return false;
        }
    }
    return true;
}

bool encodeTiff(const Image& image, const EncodeOptions& o, Bytes& out, std::string& error) {
    MemoryFile file;
    std::string message;
    TiffPtr t(openTiffForWriting(file, message));
    if (!t) {
        error = "TIFF: " + message;
        return false;
    }
    TIFF* tif = t.get();
    const bool sixteen = image.sixteen && o.write16;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(image.width));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(image.height));
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, sixteen ? 16 : 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
    if (o.embedIcc && !image.icc.empty())
        TIFFSetField(tif, TIFFTAG_ICCPROFILE, static_cast<uint32_t>(image.icc.size()),
                     image.icc.data());
    std::vector<std::uint8_t> row(static_cast<std::size_t>(image.width) * (sixteen ? 6 : 3));
    for (int y = 0; y < image.height; ++y) {
        if (sixteen)
            image.getRowRgb16(y, reinterpret_cast<std::uint16_t*>(row.data()));
        else
            image.getRowRgb8(y, row.data());
        if (TIFFWriteScanline(tif, row.data(), static_cast<uint32_t>(y), 0) < 0) {
            error = "TIFF: " + message;
            return false;
        }
        if (o.progress && (y % 64 == 0 || y + 1 == image.height))
            o.progress(static_cast<int>(100LL * (y + 1) / image.height));
    }
    if (!TIFFWriteDirectory(tif)) {
        error = "TIFF: " + message;
        return false;
    }
    t.reset();
    out = std::move(file.buffer());
    return true;
}

}  // namespace imaging
