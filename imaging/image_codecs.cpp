// Picks the reader of a file from its first bytes.
#include "imaging/codecs.h"
#include "imaging/format_codes.h"

namespace imaging {

namespace {

Container refine(Container c, const std::uint8_t* d, std::size_t n) {
    if (c == Container::kTiff && isTiffRaw(d, n)) return Container::kRaw;
    if (c == Container::kUnknown) {
        FileFacts f;
        std::string ignored;
        if (probeRaw(d, n, f, ignored)) return Container::kRaw;
    }
    return c;
}

}  // namespace

bool decodeImage(const std::uint8_t* d, std::size_t n, const DecodeOptions& o, Image& image,
                 std::string& error) {
    switch (refine(detectContainer(d, n), d, n)) {
        case Container::kBmp:
            return decodeBmp(d, n, o, image, error);
        case Container::kJpeg:
            return decodeJpeg(d, n, o, image, error);
        case Container::kPng:
            return decodePng(d, n, o, image, error);
        case Container::kGif:
            return decodeGif(d, n, o, image, error);
        case Container::kTiff:
            return decodeTiff(d, n, o, image, error);
        case Container::kJp2:
        case Container::kJ2k:
            return decodeJpeg2000(d, n, o, image, error);
        case Container::kPsd:
            return decodePsd(d, n, o, image, error);
        case Container::kRaw:
            return decodeRaw(d, n, o, image, error);
        default:
            error = "The file is not a picture in a supported format.";
            return false;
    }
}

bool probeImage(const std::uint8_t* d, std::size_t n, FileFacts& f, std::string& error) {
    switch (refine(detectContainer(d, n), d, n)) {
        case Container::kBmp:
            return probeBmp(d, n, f, error);
        case Container::kJpeg:
            return probeJpeg(d, n, f, error);
        case Container::kPng:
            return probePng(d, n, f, error);
        case Container::kGif:
            return probeGif(d, n, f, error);
        case Container::kTiff:
            return probeTiff(d, n, f, error);
        case Container::kJp2:
        case Container::kJ2k:
            return probeJpeg2000(d, n, f, error);
        case Container::kPsd:
            return probePsd(d, n, f, error);
        case Container::kRaw:
            return probeRaw(d, n, f, error);
        default:
            error = "The file is not a picture in a supported format.";
            return false;
    }
}

}  // namespace imaging
