// The readers and writers of each format. A reader fills an Image from the bytes of a file (never
// reading outside them); a writer turns an Image into the bytes of a file. Both report failure as
// false with a text; metadata other than the colour profile is handled by the metadata layer.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "imaging/image.h"

namespace imaging {

using ProgressFn = std::function<void(int percent)>;

struct DecodeOptions {
    bool keep16 = true;   // keep 16-bit components of deep files
    int fitWidth = 0;     // when set, a reader may decode at a reduced size that still covers
    int fitHeight = 0;    // this box (JPEG scaled decoding)
    ProgressFn progress;  // percentage, may be empty
    bool rawCameraWhiteBalance = true;
    bool rawHalfSize = false;
    bool rawApplyOrientation = true;  // camera raw: turn as the camera recorded
    // Receives what a reader repaired or left out without failing, for the user; may be null.
    std::vector<std::string>* warnings = nullptr;
    // Once this is set (from any thread) a reader gives up at its next band of rows with
    // kStoppedText; may be null.
    const std::atomic<bool>* stop = nullptr;

    bool stopped() const { return stop && stop->load(std::memory_order_relaxed); }
};

inline constexpr const char* kStoppedText = "Reading the picture was stopped.";

struct EncodeOptions {
    int format = 0;       // format code to write
    bool write16 = true;  // write 16-bit components where the format allows
    bool embedIcc = true;
    int jpegQuality = 90;
    bool jpegOptimize = true;
    int jpegSmoothing = 0;
    double lossyFraction = 1.0;  // JPEG 2000: 1.0 lossless, else the kept fraction of quality
    int psdCompression = 1;      // 0 raw, 1 PackBits
    ProgressFn progress;
};

using Decoder = bool (*)(const std::uint8_t* data, std::size_t size, const DecodeOptions& options,
                         Image& image, std::string& error);

bool decodeBmp(const std::uint8_t*, std::size_t, const DecodeOptions&, Image&, std::string&);
bool decodeJpeg(const std::uint8_t*, std::size_t, const DecodeOptions&, Image&, std::string&);
bool decodePng(const std::uint8_t*, std::size_t, const DecodeOptions&, Image&, std::string&);
bool decodeTiff(const std::uint8_t*, std::size_t, const DecodeOptions&, Image&, std::string&);
bool decodeGif(const std::uint8_t*, std::size_t, const DecodeOptions&, Image&, std::string&);
bool decodeJpeg2000(const std::uint8_t*, std::size_t, const DecodeOptions&, Image&, std::string&);
bool decodePsd(const std::uint8_t*, std::size_t, const DecodeOptions&, Image&, std::string&);
bool decodeRaw(const std::uint8_t*, std::size_t, const DecodeOptions&, Image&, std::string&);

bool encodeBmp(const Image&, const EncodeOptions&, Bytes&, std::string&);
bool encodeJpeg(const Image&, const EncodeOptions&, Bytes&, std::string&);
bool encodePng(const Image&, const EncodeOptions&, Bytes&, std::string&);
bool encodeTiff(const Image&, const EncodeOptions&, Bytes&, std::string&);
bool encodeJpeg2000(const Image&, const EncodeOptions&, Bytes&, std::string&);
bool encodePsd(const Image&, const EncodeOptions&, Bytes&, std::string&);

// Reads only the header: size, bits per pixel of the file, format code. False when the bytes
// are not a picture this library reads.
struct FileFacts {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int formatCode = 0;
};
bool probeBmp(const std::uint8_t*, std::size_t, FileFacts&, std::string&);
bool probeJpeg(const std::uint8_t*, std::size_t, FileFacts&, std::string&);
bool probePng(const std::uint8_t*, std::size_t, FileFacts&, std::string&);
bool probeTiff(const std::uint8_t*, std::size_t, FileFacts&, std::string&);
bool probeGif(const std::uint8_t*, std::size_t, FileFacts&, std::string&);
bool probeJpeg2000(const std::uint8_t*, std::size_t, FileFacts&, std::string&);
bool probePsd(const std::uint8_t*, std::size_t, FileFacts&, std::string&);
bool probeRaw(const std::uint8_t*, std::size_t, FileFacts&, std::string&);
bool probeImage(const std::uint8_t* data, std::size_t size, FileFacts& facts, std::string& error);

// The camera raw decoder program that decodeRaw, probeRaw and isTiffRaw start: by default
// "library/velmarfilter-raw" in the folder of the running executable, as in the program folder
// and the build tree. Tests set a program of their own; an empty path restores the default.
void setRawDecoderProgram(const std::string& path);
std::string rawDecoderProgram();

// A TIFF-structured file that is a camera raw (a DNG, or one LibRaw recognises as raw data
// larger than its first image).
bool isTiffRaw(const std::uint8_t* data, std::size_t size);

// Decodes by content: picks the reader from the first bytes.
bool decodeImage(const std::uint8_t* data, std::size_t size, const DecodeOptions& options,
                 Image& image, std::string& error);

}  // namespace imaging
