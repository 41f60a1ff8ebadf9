// PNG through libpng: every colour type and depth is read as RGB (alpha on white); written as
// 8- or 16-bit RGB with the colour profile in iCCP.
#include <csetjmp>
#include <cstring>
#include <memory>
#include <vector>

#include <png.h>

#include "imaging/codecs.h"
#include "imaging/format_codes.h"

namespace imaging {

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
    const DecodeOptions* options;  // null while only the header is read
};

struct PngErrors {
    std::string message;
};

void pngError(png_structp png, png_const_charp msg) {
    auto* e = static_cast<PngErrors*>(png_get_error_ptr(png));
    if (e) e->message = msg ? msg : "unknown error";
    png_longjmp(png, 1);
}
void pngWarning(png_structp, png_const_charp) {}

void readData(png_structp png, png_bytep out, png_size_t length) {
    auto* r = static_cast<Reader*>(png_get_io_ptr(png));
    if (length > r->size - r->pos) png_error(png, "the file is truncated");
    // libpng asks for the compressed data a few kilobytes at a time, whole picture in one call.
    if (r->options && r->options->stopped()) png_error(png, kStoppedText);
    std::memcpy(out, r->data + r->pos, length);
    r->pos += length;
}

void writeData(png_structp png, png_bytep in, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), in, in + length);
}
void flushData(png_structp) {}

// Owns what the decoder allocates so that a longjmp leaves nothing behind.
struct PngDecode {
    png_structp png = nullptr;
    png_infop info = nullptr;
    Reader reader{};
    PngErrors errors;
    std::vector<std::uint8_t> pixels;
    std::vector<png_bytep> rows;
    ~PngDecode() {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
};

int decodeSteps(PngDecode& s, bool headerOnly, const DecodeOptions& o, Image& image,
                FileFacts& facts, std::string& error, bool& ok) {
    if (setjmp(png_jmpbuf(s.png))) return 1;
    png_set_read_fn(s.png, &s.reader, readData);
    png_set_user_limits(s.png, 0x7FFFFFFF, 0x7FFFFFFF);
    // Profiles libpng knows as slightly wrong sRGB ones are what cameras embed: keep them.
    png_set_option(s.png, PNG_SKIP_sRGB_CHECK_PROFILE, PNG_OPTION_ON);
    png_set_benign_errors(s.png, 1);
    png_set_chunk_malloc_max(s.png, 64u << 20);
    png_read_info(s.png, s.info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, colourType = 0, interlace = 0;
    png_get_IHDR(s.png, s.info, &w, &h, &depth, &colourType, &interlace, nullptr, nullptr);
    const int channels = png_get_channels(s.png, s.info);
    facts.width = static_cast<int>(w);
    facts.height = static_cast<int>(h);
    facts.bitsPerPixel = colourType == PNG_COLOR_TYPE_PALETTE ? depth : depth * channels;
    facts.formatCode = kFormatPng;
    if (headerOnly) {
        ok = true;
        return 0;
    }
    png_set_expand(s.png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_gray_to_rgb(s.png);
    const bool sixteen = depth == 16 && o.keep16;
    if (depth == 16 && !sixteen) png_set_strip_16(s.png);
    if (sixteen) png_set_swap(s.png);
    const int passes = png_set_interlace_handling(s.png);
    (void)passes;
    png_read_update_info(s.png, s.info);
    const int outChannels = png_get_channels(s.png, s.info);
    const std::size_t rowBytes = png_get_rowbytes(s.png, s.info);
    if (w > 0x7FFFFFFF || h > 0x7FFFFFFF ||
        !image.allocate(static_cast<int>(w), static_cast<int>(h), sixteen, error))
        return 0;
    image.formatCode = kFormatPng;
    image.sourceBitsPerPixel = facts.bitsPerPixel;
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 profileLen = 0;
    if (png_get_iCCP(s.png, s.info, &name, &compression, &profile, &profileLen) && profile)
        image.icc.assign(profile, profile + profileLen);
    s.pixels.resize(rowBytes * h);
    s.rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y)
        s.rows[y] = s.pixels.data() + rowBytes * y;
    png_read_image(s.png, s.rows.data());
    png_read_end(s.png, nullptr);
    for (png_uint_32 y = 0; y < h; ++y) {
        if (sixteen)
            image.putRow16(static_cast<int>(y), reinterpret_cast<const std::uint16_t*>(s.rows[y]),
                           outChannels);
        else
            image.putRow8(static_cast<int>(y), s.rows[y], outChannels);
        if (o.progress && (y % 64 == 0 || y + 1 == h))
            o.progress(static_cast<int>(100ull * (y + 1) / h));
    }
    ok = true;
    return 0;
}

bool runDecode(const std::uint8_t* d, std::size_t n, bool headerOnly, const DecodeOptions& o,
               Image& image, FileFacts& facts, std::string& error) {
    if (n < 8 || png_sig_cmp(d, 0, 8) != 0) {
        error = "Not a PNG file.";
        return false;
    }
    auto s = std::make_unique<PngDecode>();
    s->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &s->errors, pngError, pngWarning);
    if (!s->png || !(s->info = png_create_info_struct(s->png))) {
        error = "Not enough memory to read a PNG file.";
        return false;
    }
    s->reader = Reader{d, n, 0, headerOnly ? nullptr : &o};
    bool ok = false;
    if (decodeSteps(*s, headerOnly, o, image, facts, error, ok)) {
        error = "The PNG file is damaged: " + s->errors.message;
        image.clear();
        return false;
    }
    if (!ok) image.clear();
    return ok;
}

struct PngEncode {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngErrors errors;
    std::vector<std::uint8_t> row;
    ~PngEncode() {
        if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
    }
};

int encodeSteps(PngEncode& s, const Image& image, const EncodeOptions& o, Bytes& out) {
    if (setjmp(png_jmpbuf(s.png))) return 1;
    png_set_write_fn(s.png, &out, writeData, flushData);
    const bool sixteen = image.sixteen && o.write16;
    png_set_option(s.png, PNG_SKIP_sRGB_CHECK_PROFILE, PNG_OPTION_ON);
    png_set_benign_errors(s.png, 1);
    png_set_IHDR(s.png, s.info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), sixteen ? 16 : 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (o.embedIcc && !image.icc.empty())
        png_set_iCCP(s.png, s.info, "ICC Profile", PNG_COMPRESSION_TYPE_BASE, image.icc.data(),
                     static_cast<png_uint_32>(image.icc.size()));
    png_write_info(s.png, s.info);
    if (sixteen) png_set_swap(s.png);
    s.row.resize(static_cast<std::size_t>(image.width) * (sixteen ? 6 : 3));
    for (int y = 0; y < image.height; ++y) {
        if (sixteen)
            image.getRowRgb16(y, reinterpret_cast<std::uint16_t*>(s.row.data()));
        else
            image.getRowRgb8(y, s.row.data());
        png_write_row(s.png, s.row.data());
        if (o.progress && (y % 64 == 0 || y + 1 == image.height))
            o.progress(static_cast<int>(100LL * (y + 1) / image.height));
    }
    png_write_end(s.png, s.info);
    return 0;
}

}  // namespace

bool probePng(const std::uint8_t* d, std::size_t n, FileFacts& f, std::string& error) {
    Image unused;
    return runDecode(d, n, true, DecodeOptions{}, unused, f, error);
}

bool decodePng(const std::uint8_t* d, std::size_t n, const DecodeOptions& o, Image& image,
               std::string& error) {
    FileFacts facts;
    return runDecode(d, n, false, o, image, facts, error);
}

bool encodePng(const Image& image, const EncodeOptions& o, Bytes& out, std::string& error) {
    auto s = std::make_unique<PngEncode>();
    s->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &s->errors, pngError, pngWarning);
    if (!s->png || !(s->info = png_create_info_struct(s->png))) {
        error = "Not enough memory to write a PNG file.";
        return false;
    }
    out.clear();
    if (encodeSteps(*s, image, o, out)) {
        error = "PNG: " + s->errors.message;
        return false;
    }
    return true;
}

}  // namespace imaging
