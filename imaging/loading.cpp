// Loading pictures into sessions: from files (format found by content), from raw pixels, and as
// thumbnails; and reading a file's facts without decoding it.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "imaging/codecs.h"
#include "imaging/file_io.h"
#include "imaging/format_codes.h"
#include "imaging/imaging.h"
#include "imaging/metadata.h"
#include "imaging/sample_depth.h"
#include "imaging/session.h"
#include "imaging/transforms.h"

namespace imaging {

namespace {

Container containerFromExtension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos) return Container::kUnknown;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (ext == "bmp" || ext == "dib") return Container::kBmp;
    if (ext == "jpg" || ext == "jpeg" || ext == "jpe" || ext == "jfif") return Container::kJpeg;
    if (ext == "png") return Container::kPng;
    if (ext == "gif") return Container::kGif;
    if (ext == "tif" || ext == "tiff") return Container::kTiff;
    if (ext == "jp2") return Container::kJp2;
    if (ext == "j2k" || ext == "j2c" || ext == "jpc") return Container::kJ2k;
    if (ext == "psd") return Container::kPsd;
    static const char* const kRaw[] = {"dng", "cr2", "crw", "nef", "nrw", "arw", "srf",
                                       "sr2", "orf", "rw2", "raf", "pef", "srw", "mrw",
                                       "x3f", "3fr", "kdc", "dcr", "raw"};
    for (const char* r : kRaw)
        if (ext == r) return Container::kRaw;
    return Container::kUnknown;
}

bool carriesMetadata(int formatCode) {
    return formatCode != kFormatBmp && formatCode != kFormatBmpRle && formatCode != kFormatGif;
}

// Turns a freshly decoded picture upright when asked, and records that it now is.
bool orientUpright(Image& image, bool autoRotate, std::string& error) {
    if (!autoRotate) return true;
    const int orientation = metadata::orientation(image);
    if (orientation == 1) return true;
    // LibRaw has already turned a camera raw picture.
    if (!isRawFormat(image.formatCode) && !applyOrientation(image, orientation, error))
        return false;
    metadata::setOrientation(image, 1);
    return true;
}

bool loadFile(Session* s, const std::string& path, DecodeOptions o, Image& image) {
    Bytes data;
    std::string error;
    if (!readWholeFile(path, data, error)) return fail(s, error);
    if (data.empty()) return fail(s, "\"" + path + "\" is empty.");
    if (!s->options.autodetect) {
        const Container byName = containerFromExtension(path);
        Container byContent = detectContainer(data.data(), data.size());
        if (byContent == Container::kTiff && byName == Container::kRaw) byContent = Container::kRaw;
        if (byName == Container::kUnknown ||
            (byContent != byName && byContent != Container::kUnknown))
            return fail(s,
                        "The content of \"" + path + "\" does not match its file name extension.");
    }
    o.rawCameraWhiteBalance = s->options.rawCameraWhiteBalance != 0;
    o.rawHalfSize = s->options.rawFullSize == 0;
    o.rawApplyOrientation = s->options.autoRotate;
    o.stop = s->options.stop;
    if (!decodeImage(data.data(), data.size(), o, image, error))
        return fail(s, o.stopped() ? kStoppedText : error);
    // Readers without bands of rows (GIF, JPEG 2000, BMP) are asked once they are done.
    if (o.stopped()) return fail(s, kStoppedText);
    if (carriesMetadata(image.formatCode)) metadata::read(data.data(), data.size(), image);
    if (!orientUpright(image, s->options.autoRotate, error)) return fail(s, error);
    return true;
}

// Reads a file and the facts its header gives; a failure is recorded on the session.
bool probeFile(Session* s, const std::string& path, Bytes& data, FileFacts& facts) {
    std::string error;
    if (!readWholeFile(path, data, error)) return fail(s, error);
    if (!probeImage(data.data(), data.size(), facts, error)) return fail(s, error);
    return true;
}

// Loads caller pixels that are already in the session layout of their depth.
template <PixelSample Sample>
bool loadPixels(Handle h, const Sample* pixels, std::size_t byteSize, int width, int height) {
    Session* s = findSession(h);
    if (!s) return false;
    s->image.clear();
    Image image;
    std::string error;
    if (!image.allocate(width, height, kSixteenBit<Sample>, error)) return fail(s, error);
    if (pixels) {
        std::vector<Sample>& bits = pixelsOf<Sample>(image);
        if (byteSize < bits.size() * sizeof(Sample))
            return fail(s, "The pixel buffer is smaller than the picture.");
        std::memcpy(bits.data(), pixels, bits.size() * sizeof(Sample));
        image.refreshDisplay();  // a 16-bit picture's display copy
    }
    image.sourceBitsPerPixel = kSixteenBit<Sample> ? 48 : 24;
    s->image = std::move(image);
    return true;
}

}  // namespace

bool cIsSupportedImageFile(Handle h, const std::string& path) {
    Session* s = findSession(h);
    if (!s) return false;
    Bytes data;
    FileFacts facts;
    return probeFile(s, path, data, facts);
}

bool cLoadImage(Handle h, const std::string& path, const ProgressCallback& progress) {
    Session* s = findSession(h);
    if (!s) return false;
    s->image.clear();
    s->rect = OpRectangle{};
    s->warnings.clear();
    DecodeOptions o;
    o.keep16 = s->options.load16;
    o.progress = progress;
    o.warnings = &s->warnings;
    Image image;
    if (!loadFile(s, path, o, image)) return false;
    s->image = std::move(image);
    return true;
}

bool cLoadImage8(Handle h, const std::uint8_t* pixels, std::size_t byteSize, int width,
                 int height) {
    return loadPixels(h, pixels, byteSize, width, height);
}

bool cLoadImage16(Handle h, const std::uint16_t* pixels, std::size_t byteSize, int width,
                  int height) {
    return loadPixels(h, pixels, byteSize, width, height);
}

bool cLoadThumbnailEx(Handle h, const std::string& path, int boxWidth, int boxHeight) {
    Session* s = findSession(h);
    if (!s) return false;
    s->image.clear();
    if (boxWidth <= 0 || boxHeight <= 0) return fail(s, "The thumbnail box must not be empty.");
    Bytes data;
    std::string error;
    if (!readWholeFile(path, data, error)) return fail(s, error);
    Image image;
    DecodeOptions o;
    o.keep16 = false;
    o.rawHalfSize = true;
    o.rawApplyOrientation = s->options.autoRotate;
    const Container container = detectContainer(data.data(), data.size());
    bool done = false;
    if (container == Container::kJpeg) {
        // The camera's own thumbnail serves when it covers the box; else a scaled decode.
        Image meta;
        metadata::read(data.data(), data.size(), meta);
        const Bytes thumb = metadata::thumbnail(meta.exif);
        Image small;
        std::string ignored;
        FileFacts facts;
        // Cameras letterbox their thumbnails to 4:3; such a thumbnail does not serve.
        auto sameShape = [&] {
            if (!probeJpeg(data.data(), data.size(), facts, ignored) || facts.height == 0 ||
                small.height == 0)
                return false;
            const double a = static_cast<double>(facts.width) / facts.height;
            const double b = static_cast<double>(small.width) / small.height;
            const double swapped = static_cast<double>(facts.height) / facts.width;
            return std::abs(a - b) < 0.02 * a || std::abs(swapped - b) < 0.02 * swapped;
        };
        if (!thumb.empty() && decodeJpeg(thumb.data(), thumb.size(), o, small, ignored) &&
            (small.width >= boxWidth || small.height >= boxHeight) && sameShape()) {
            small.exif = meta.exif;
            small.formatCode = kFormatJpeg;
            image = std::move(small);
            done = true;
        }
        if (!done) {
            o.fitWidth = boxWidth;
            o.fitHeight = boxHeight;
        }
    }
    if (!done) {
        if (!decodeImage(data.data(), data.size(), o, image, error)) return fail(s, error);
        if (carriesMetadata(image.formatCode)) metadata::read(data.data(), data.size(), image);
    }
    if (!orientUpright(image, s->options.autoRotate, error)) return fail(s, error);
    const double scale = std::min({1.0, static_cast<double>(boxWidth) / image.width,
                                   static_cast<double>(boxHeight) / image.height});
    if (scale < 1.0) {
        const int w = std::max(1, static_cast<int>(image.width * scale + 0.5));
        const int hgt = std::max(1, static_cast<int>(image.height * scale + 0.5));
        if (!resize(image, w, hgt, kFilterBilinear, error)) return fail(s, error);
    }
    s->image = std::move(image);
    return true;
}

bool cGetImageFileInfoEx(Handle h, const std::string& path, FileInfo& info) {
    Session* s = findSession(h);
    if (!s) return false;
    Bytes data;
    FileFacts facts;
    if (!probeFile(s, path, data, facts)) return false;
    Image meta;
    if (carriesMetadata(facts.formatCode)) metadata::read(data.data(), data.size(), meta);
    info.width = facts.width;
    info.height = facts.height;
    // Report the size the picture will have once loaded upright.
    const int orientation = metadata::orientation(meta);
    if (s->options.autoRotate && orientation >= 5 && !isRawFormat(facts.formatCode))
        std::swap(info.width, info.height);
    info.bitsPerPixel = facts.bitsPerPixel;
    info.formatCode = facts.formatCode;
    info.exif = std::move(meta.exif);
    info.iptc = std::move(meta.iptc);
    info.icc = std::move(meta.icc);
    return true;
}

}  // namespace imaging
