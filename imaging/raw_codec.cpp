// Camera raw files through LibRaw: demosaiced to 16-bit sRGB. LibRaw runs in a child process
// (isolated_call.h): damaged raw files are known to crash it.
#include <algorithm>
#include <memory>
#include <vector>

#include <libraw/libraw.h>
#include <tiffio.h>

#include "imaging/codecs.h"
#include "imaging/format_codes.h"
#include "imaging/imaging.h"
#include "imaging/isolated_call.h"
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

// What LibRaw found in a file, sent from the decoding child to the program.
struct RawFacts {
    std::int32_t ok;
    std::int32_t width, height;        // of the picture LibRaw makes, before turning
    std::int32_t rawWidth, rawHeight;  // of the sensor data
    std::int32_t flip;
    std::int32_t formatCode;
    std::int32_t colors;       // of the decoded picture: 1 or 3
    std::uint32_t textLength;  // of the error text that follows a failure
};

constexpr std::uint32_t kMaxErrorText = 4096;
constexpr const char* kDecoderName = "The camera raw decoder";

void sendFailure(int fd, const std::string& error) {
    RawFacts facts{};
    facts.textLength =
        static_cast<std::uint32_t>(std::min<std::size_t>(error.size(), kMaxErrorText));
    if (sendToParent(fd, &facts, sizeof facts)) sendToParent(fd, error.data(), facts.textLength);
}

void describe(const LibRaw& raw, const std::uint8_t* d, std::size_t n, RawFacts& facts) {
    facts.ok = 1;
    facts.width = raw.imgdata.sizes.width;
    facts.height = raw.imgdata.sizes.height;
    facts.rawWidth = raw.imgdata.sizes.raw_width;
    facts.rawHeight = raw.imgdata.sizes.raw_height;
    facts.flip = raw.imgdata.sizes.flip;
    facts.formatCode = rawFormatCode(raw, d, n);
}

// Reads the facts and, after a failure, the child's error text into `error`.
bool receiveFacts(ChildAnswer& answer, RawFacts& facts, std::string& error) {
    if (!answer.read(&facts, sizeof facts)) return false;
    if (facts.ok) return true;
    std::string text(std::min(facts.textLength, kMaxErrorText), '\0');
    if (!answer.read(text.data(), text.size())) return false;
    error = text.empty() ? "The camera raw file cannot be read." : text;
    return false;
}

// Opens the file in a child process and reports what LibRaw identified.
bool identifyRaw(const std::uint8_t* d, std::size_t n, RawFacts& facts, std::string& error) {
    IsolatedCall call;
    call.what = kDecoderName;
    call.child = [d, n](int fd) {
        std::string message;
        auto raw = openRaw(d, n, message);
        if (!raw) return sendFailure(fd, message);
        RawFacts found{};
        describe(*raw, d, n, found);
        sendToParent(fd, &found, sizeof found);
    };
    call.parent = [&facts](ChildAnswer& answer, std::string& reason) {
        return receiveFacts(answer, facts, reason);
    };
    return runIsolated(call, error);
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
    TIFFGetField(t, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(t, TIFFTAG_IMAGELENGTH, &h);
    TIFFClose(t);
    if (dng) return true;
    if (!hasMake) return false;
    // A camera's TIFF-based raw: LibRaw finds raw data larger than the first (preview) image.
    RawFacts facts{};
    std::string ignored;
    return identifyRaw(d, n, facts, ignored) &&
           static_cast<std::uint64_t>(facts.rawWidth) *
                   static_cast<std::uint32_t>(facts.rawHeight) >
               static_cast<std::uint64_t>(w) * h;
}

bool probeRaw(const std::uint8_t* d, std::size_t n, FileFacts& f, std::string& error) {
    RawFacts facts{};
    if (!identifyRaw(d, n, facts, error)) return false;
    f.width = facts.width;
    f.height = facts.height;
    if (facts.flip & 4) std::swap(f.width, f.height);
    f.bitsPerPixel = 48;
    f.formatCode = facts.formatCode;
    return f.width > 0 && f.height > 0;
}

namespace {

// In the child: decodes the whole file and sends the facts, then the 16-bit samples row by row.
void decodeInChild(int fd, const std::uint8_t* d, std::size_t n, const DecodeOptions& o) {
    std::string error;
    auto raw = openRaw(d, n, error);
    if (!raw) return sendFailure(fd, error);
    libraw_output_params_t& p = raw->imgdata.params;
    p.output_bps = 16;
    p.output_color = 1;  // sRGB
    p.use_camera_wb = o.rawCameraWhiteBalance ? 1 : 0;
    p.half_size = o.rawHalfSize ? 1 : 0;
    p.user_flip = o.rawApplyOrientation ? -1 : 0;
    const std::uint64_t pixels =
        static_cast<std::uint64_t>(raw->imgdata.sizes.width) * raw->imgdata.sizes.height;
    if (pixels == 0 || pixels > maxPixelCount())
        return sendFailure(fd, "The camera raw picture is too large or empty.");
    int rc = raw->unpack();
    if (rc == LIBRAW_SUCCESS) rc = raw->dcraw_process();
    if (rc != LIBRAW_SUCCESS)
        return sendFailure(
            fd, std::string("The camera raw file cannot be decoded: ") + libraw_strerror(rc));
    int errc = 0;
    std::unique_ptr<libraw_processed_image_t, void (*)(libraw_processed_image_t*)> mem(
        raw->dcraw_make_mem_image(&errc), LibRaw::dcraw_clear_mem);
    if (!mem || mem->type != LIBRAW_IMAGE_BITMAP || mem->bits != 16 ||
        (mem->colors != 3 && mem->colors != 1))
        return sendFailure(
            fd, std::string("The camera raw file cannot be decoded: ") + libraw_strerror(errc));
    RawFacts facts{};
    describe(*raw, d, n, facts);
    facts.width = mem->width;
    facts.height = mem->height;
    facts.colors = mem->colors;
    if (sendToParent(fd, &facts, sizeof facts))
        sendToParent(fd, mem->data,
                     static_cast<std::size_t>(mem->width) * mem->height * mem->colors * 2);
}

}  // namespace

bool decodeRaw(const std::uint8_t* d, std::size_t n, const DecodeOptions& o, Image& image,
               std::string& error) {
    IsolatedCall call;
    call.what = kDecoderName;
    call.child = [d, n, &o](int fd) { decodeInChild(fd, d, n, o); };
    call.parent = [&o, &image](ChildAnswer& answer, std::string& reason) {
        RawFacts facts{};
        if (!receiveFacts(answer, facts, reason)) return false;
        if (facts.width <= 0 || facts.height <= 0 || (facts.colors != 1 && facts.colors != 3)) {
            reason = "The camera raw decoder made a picture of no usable shape.";
            return false;
        }
        if (!image.allocate(facts.width, facts.height, o.keep16, reason)) return false;
        image.formatCode = facts.formatCode;
        image.sourceBitsPerPixel = 48;
        std::vector<std::uint16_t> row(static_cast<std::size_t>(facts.width) * facts.colors);
        for (int y = 0; y < image.height; ++y) {
            if (!answer.read(row.data(), row.size() * sizeof row[0])) return false;
            image.putRow16(y, row.data(), facts.colors);
            if (o.progress && (y % 64 == 0 || y + 1 == image.height))
                o.progress(static_cast<int>(100LL * (y + 1) / image.height));
        }
        image.icc = srgbProfile();
        return true;
    };
    return runIsolated(call, error);
}

}  // namespace imaging
