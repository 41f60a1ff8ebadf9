// Camera raw files through LibRaw: demosaiced to 16-bit sRGB.
#include <memory>

#include <libraw/libraw.h>
#include <tiffio.h>

#include "imaging/codecs.h"
#include "imaging/format_codes.h"
#include "imaging/imaging.h"
#include "imaging/tiff_memory.h"

namespace imaging {

namespace {

int rawFormatCode(const LibRaw& raw, const std::uint8_t* d, std::size_t n) {
    const libraw_iparams_t& p = raw.imgdata.idata;
    if (p.dng_version) return kFormatDng;
    const std::string make = p.make;
    if (n >= 11 && d[8] == 'C' && d[9] == 'R' && d[10] == 2) return kFormatCr2;
    if (make.rfind("Nikon", 0) == 0 || make.rfind("NIKON", 0) == 0) return kFormatNef;
    if (make.rfind("Sony", 0) == 0 || make.rfind("SONY", 0) == 0) return kFormatArw;
    if (make.rfind("Olympus", 0) == 0 || make.rfind("OLYMPUS", 0) == 0) return kFormatOrf;
    if (make.rfind("Panasonic", 0) == 0 || make.rfind("Leica", 0) == 0) return kFormatRw2;
    if (make.rfind("Fujifilm", 0) == 0 || make.rfind("FUJIFILM", 0) == 0) return kFormatRaf;
    return kFormatRaw;
}

std::unique_ptr<LibRaw> openRaw(const std::uint8_t* d, std::size_t n, std::string& error) {
    auto raw = std::make_unique<LibRaw>(LIBRAW_OPTIONS_NONE);
    const int rc = raw->open_buffer(const_cast<std::uint8_t*>(d), n);
    if (rc != LIBRAW_SUCCESS) {
        error = std::string("Not a readable camera raw file: ") + libraw_strerror(rc);
        return nullptr;
    }
    if (raw->imgdata.sizes.raw_width == 0 || raw->imgdata.sizes.raw_height == 0 ||
        raw->imgdata.idata.raw_count == 0) {
        error = "The camera raw file holds no raw data.";
        return nullptr;
    }
    return raw;
}

}  // namespace

bool isTiffRaw(const std::uint8_t* d, std::size_t n) {
    MemoryFile file(d, n);
    std::string message;
    TIFF* t = openTiffForReading(file, message);
    if (!t) return false;
    void* version = nullptr;
    const bool dng = TIFFGetField(t, TIFFTAG_DNGVERSION, &version) != 0;
    char* make = nullptr;
    const bool hasMake = TIFFGetField(t, TIFFTAG_MAKE, &make) != 0 && make && make[0];
    uint32_t w = 0, h = 0;
    uint16_t photometric = 0;
    TIFFGetField(t, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(t, TIFFTAG_IMAGELENGTH, &h);
    TIFFGetField(t, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFClose(t);
    if (dng) return true;
    if (!hasMake) return false;
    // A camera's TIFF-based raw: LibRaw finds raw data larger than the first (preview) image.
    std::string ignored;
    auto raw = openRaw(d, n, ignored);
    return raw && static_cast<std::uint64_t>(raw->imgdata.sizes.raw_width) *
                          raw->imgdata.sizes.raw_height >
                      static_cast<std::uint64_t>(w) * h;
}

bool probeRaw(const std::uint8_t* d, std::size_t n, FileFacts& f, std::string& error) {
    auto raw = openRaw(d, n, error);
    if (!raw) return false;
    f.width = raw->imgdata.sizes.width;
    f.height = raw->imgdata.sizes.height;
    if (raw->imgdata.sizes.flip & 4) std::swap(f.width, f.height);
    f.bitsPerPixel = 48;
    f.formatCode = rawFormatCode(*raw, d, n);
    return f.width > 0 && f.height > 0;
}

bool decodeRaw(const std::uint8_t* d, std::size_t n, const DecodeOptions& o, Image& image,
               std::string& error) {
    auto raw = openRaw(d, n, error);
    if (!raw) return false;
    libraw_output_params_t& p = raw->imgdata.params;
    p.output_bps = 16;
    p.output_color = 1;  // sRGB
    p.use_camera_wb = o.rawCameraWhiteBalance ? 1 : 0;
    p.half_size = o.rawHalfSize ? 1 : 0;
    p.user_flip = o.rawApplyOrientation ? -1 : 0;
    const std::uint64_t pixels =
        static_cast<std::uint64_t>(raw->imgdata.sizes.width) * raw->imgdata.sizes.height;
    if (pixels == 0 || pixels > maxPixelCount()) {
        error = "The camera raw picture is too large or empty.";
        return false;
    }
    int rc = raw->unpack();
    if (rc == LIBRAW_SUCCESS) rc = raw->dcraw_process();
    if (rc != LIBRAW_SUCCESS) {
        error = std::string("The camera raw file cannot be decoded: ") + libraw_strerror(rc);
        return false;
    }
    int errc = 0;
    std::unique_ptr<libraw_processed_image_t, void (*)(libraw_processed_image_t*)> mem(
        raw->dcraw_make_mem_image(&errc), LibRaw::dcraw_clear_mem);
    if (!mem || mem->type != LIBRAW_IMAGE_BITMAP || mem->bits != 16 ||
        (mem->colors != 3 && mem->colors != 1)) {
        error = std::string("The camera raw file cannot be decoded: ") + libraw_strerror(errc);
        return false;
    }
    if (!image.allocate(mem->width, mem->height, o.keep16, error)) return false;
    image.formatCode = rawFormatCode(*raw, d, n);
    image.sourceBitsPerPixel = 48;
    const auto* samples = reinterpret_cast<const std::uint16_t*>(mem->data);
    for (int y = 0; y < image.height; ++y) {
        image.putRow16(y, samples + static_cast<std::size_t>(y) * mem->width * mem->colors,
                       mem->colors);
        if (o.progress && (y % 64 == 0 || y + 1 == image.height))
            o.progress(static_cast<int>(100LL * (y + 1) / image.height));
    }
    image.icc = srgbProfile();
    return true;
}

}  // namespace imaging
