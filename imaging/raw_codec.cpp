// Camera raw files through LibRaw: demosaiced to 16-bit sRGB. LibRaw runs in the decoder program
// velmarfilter-raw (raw_decoder/): damaged raw files are known to crash it.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include <tiffio.h>

#include "imaging/codecs.h"
#include "imaging/helper_process.h"
#include "imaging/imaging.h"
#include "imaging/raw_answer.h"
#ifdef VF_RAW_IN_PROCESS
#include "imaging/raw_decoder/answering.h"
#endif
#include "imaging/raw_decoder/protocol.h"
#include "imaging/tiff_memory.h"

namespace imaging {

using raw_protocol::RawFacts;
using raw_protocol::RawRequest;

namespace {

#ifdef VF_RAW_IN_PROCESS
// The fuzz build: the decoder's work runs here, so that the sanitizers see our decoding code and
// its coverage reaches the fuzzer. Its answer goes into an in-memory file that is then read as
// the decoder program's would be, through the same answer reader.
bool askDecoder(const RawRequest& request, const std::uint8_t* d,
                std::function<bool(RawAnswer&, std::string&)> parent, std::string& error) {
    const int fd = ::memfd_create("velmarfilter-raw-answer", MFD_CLOEXEC);
    if (fd < 0) {
        error = std::string(kRawDecoderName) + " could not be started.";
        return false;
    }
    const bool answered =
        raw_decoder::answer(fd, request, d, static_cast<std::size_t>(request.fileSize));
    std::string reason;
    bool accepted = false;
    if (answered && ::lseek(fd, 0, SEEK_SET) == 0) {
        ChildAnswer child(fd, std::chrono::milliseconds(0));
        RawAnswer raw(child);
        accepted = parent(raw, reason);
    }
    ::close(fd);
    if (!reason.empty()) {
        error = reason;
        return false;
    }
    if (!accepted) {
        error = std::string(kRawDecoderName) + " ended without a complete answer.";
        return false;
    }
    return true;
}
#else
// Sends the request and the file to a new decoder; `parent` reads its answer.
bool askDecoder(const RawRequest& request, const std::uint8_t* d,
                std::function<bool(RawAnswer&, std::string&)> parent, std::string& error) {
    HelperCall call;
    call.what = kRawDecoderName;
    call.program = rawDecoderProgram();
    call.input = {{reinterpret_cast<const std::uint8_t*>(&request), sizeof request},
                  {d, static_cast<std::size_t>(request.fileSize)}};
    call.parent = [&parent](ChildAnswer& answer, std::string& reason) {
        RawAnswer raw(answer);
        return parent(raw, reason);
    };
    return runHelper(call, error);
}
#endif

RawRequest requestFor(std::uint32_t operation, std::size_t n) {
    RawRequest request;
    request.operation = operation;
    request.maxPixels = maxPixelCount();
    request.fileSize = n;
    request.parentPid = ::getpid();
    return request;
}

// Opens the file in the decoder and reports what LibRaw identified.
bool identifyRaw(const std::uint8_t* d, std::size_t n, RawFacts& facts, std::string& error) {
    return askDecoder(
        requestFor(raw_protocol::kIdentify, n), d,
        [&facts](RawAnswer& answer, std::string& reason) {
            return answer.facts(facts, false, reason) && answer.end(reason);
        },
        error);
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

bool decodeRaw(const std::uint8_t* d, std::size_t n, const DecodeOptions& o, Image& image,
               std::string& error) {
    RawRequest request = requestFor(raw_protocol::kDecode, n);
    request.flags = (o.rawCameraWhiteBalance ? raw_protocol::kCameraWhiteBalance : 0u) |
                    (o.rawHalfSize ? raw_protocol::kHalfSize : 0u) |
                    (o.rawApplyOrientation ? raw_protocol::kApplyOrientation : 0u);
    const auto receive = [&o, &image](RawAnswer& answer, std::string& reason) {
        RawFacts facts{};
        if (!answer.facts(facts, true, reason)) return false;
        if (facts.width == 0 || facts.height == 0) {
            reason = std::string(kRawDecoderName) + " made a picture of no usable shape.";
            return false;
        }
        // The sizes are bounded (65535 at most) and the allocation checks the picture limit.
        if (!image.allocate(facts.width, facts.height, o.keep16, reason)) return false;
        image.formatCode = facts.formatCode;
        image.sourceBitsPerPixel = 48;
        std::vector<std::uint16_t> row(static_cast<std::size_t>(facts.width) * facts.colors);
        const auto rowBytes = static_cast<std::uint32_t>(row.size() * sizeof row[0]);
        for (int y = 0; y < image.height; ++y) {
            if (!answer.row(row.data(), rowBytes, reason)) return false;
            image.putRow16(y, row.data(), facts.colors);
            if (y % 64 == 0 || y + 1 == image.height) {
                if (o.progress) o.progress(static_cast<int>(100LL * (y + 1) / image.height));
                if (o.stopped()) {
                    reason = kStoppedText;
                    return false;
                }
            }
        }
        if (!answer.end(reason)) return false;
        image.icc = srgbProfile();
        return true;
    };
    return askDecoder(request, d, receive, error);
}

}  // namespace imaging
