#include "imaging/raw_decoder/libraw_decoding.h"

#include <libraw/libraw.h>

#include "imaging/format_codes.h"

namespace imaging::raw_decoder {

using raw_protocol::RawFacts;

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

void describe(const LibRaw& raw, const std::uint8_t* d, std::size_t n, RawFacts& facts) {
    facts.width = raw.imgdata.sizes.width;
    facts.height = raw.imgdata.sizes.height;
    facts.rawWidth = raw.imgdata.sizes.raw_width;
    facts.rawHeight = raw.imgdata.sizes.raw_height;
    facts.flip = raw.imgdata.sizes.flip;
    facts.formatCode = rawFormatCode(raw, d, n);
    facts.colors = 0;
}

}  // namespace

bool identify(const std::uint8_t* d, std::size_t n, RawFacts& facts, std::string& error) {
    auto raw = openRaw(d, n, error);
    if (!raw) return false;
    describe(*raw, d, n, facts);
    return true;
}

bool decode(const std::uint8_t* d, std::size_t n, std::uint32_t flags, std::uint64_t maxPixels,
            DecodedRaw& picture, std::string& error) {
    auto raw = openRaw(d, n, error);
    if (!raw) return false;
    libraw_output_params_t& p = raw->imgdata.params;
    p.output_bps = 16;
    p.output_color = 1;  // sRGB
    p.use_camera_wb = (flags & raw_protocol::kCameraWhiteBalance) ? 1 : 0;
    p.half_size = (flags & raw_protocol::kHalfSize) ? 1 : 0;
    p.user_flip = (flags & raw_protocol::kApplyOrientation) ? -1 : 0;
    const std::uint64_t pixels =
        static_cast<std::uint64_t>(raw->imgdata.sizes.width) * raw->imgdata.sizes.height;
    if (pixels == 0 || pixels > maxPixels) {
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
    std::shared_ptr<libraw_processed_image_t> mem(raw->dcraw_make_mem_image(&errc),
                                                  [](libraw_processed_image_t* m) {
                                                      if (m) LibRaw::dcraw_clear_mem(m);
                                                  });
    if (!mem || mem->type != LIBRAW_IMAGE_BITMAP || mem->bits != 16 ||
        (mem->colors != 3 && mem->colors != 1)) {
        error = std::string("The camera raw file cannot be decoded: ") + libraw_strerror(errc);
        return false;
    }
    describe(*raw, d, n, picture.facts);
    picture.facts.width = mem->width;
    picture.facts.height = mem->height;
    picture.facts.colors = mem->colors;
    picture.samples = mem->data;
    picture.owner = mem;
    return true;
}

}  // namespace imaging::raw_decoder
