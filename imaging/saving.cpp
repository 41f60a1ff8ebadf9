// Saving a session's picture: encode, carry the metadata, write without ever leaving a
// half-written file.
#include <algorithm>

#include "imaging/codecs.h"
#include "imaging/colour_profiles.h"
#include "imaging/file_io.h"
#include "imaging/format_codes.h"
#include "imaging/imaging.h"
#include "imaging/metadata.h"
#include "imaging/session.h"
#include "imaging/transforms.h"

namespace imaging {

namespace {

// A fresh EXIF thumbnail of the picture, at most 160 x 120.
Bytes makeThumbnail(const Image& image) {
    const double scale = std::min({1.0, 160.0 / image.width, 120.0 / image.height});
    std::string error;
    const int w = std::max(1, static_cast<int>(image.width * scale + 0.5));
    const int h = std::max(1, static_cast<int>(image.height * scale + 0.5));
    // Resampled straight from the picture: a copy of the whole picture first would cost more
    // than the thumbnail.
    Image small;
    if (!resizeInto(image, w, h, kFilterBilinear, small, error)) return {};
    small.sixteen = false;
    small.bits16.clear();
    EncodeOptions o;
    o.format = kFormatJpeg;
    o.jpegQuality = 80;
    o.embedIcc = false;
    Bytes out;
    if (!encodeJpeg(small, o, out, error)) return {};
    return out;
}

}  // namespace

bool encodeForSave(const Image& image, const EncodeOptions& o, Bytes& out, std::string& error) {
    switch (o.format) {
        case kFormatBmp:
            return encodeBmp(image, o, out, error);
        case kFormatJpeg:
        case kFormatJpegProgressive:
            return encodeJpeg(image, o, out, error);
        case kFormatPng:
            return encodePng(image, o, out, error);
        case kFormatTiff:
            return encodeTiff(image, o, out, error);
        case kFormatJp2:
            return encodeJpeg2000(image, o, out, error);
        case kFormatPsd:
            return encodePsd(image, o, out, error);
        default:
            error = "Format code " + std::to_string(o.format) + " cannot be written.";
            return false;
    }
}

bool cSave(Handle h, const std::string& path, int formatCode, const ProgressCallback& progress,
           bool keepExisting) {
    Session* s = findSession(h);
    if (!s) return false;
    const Image& image = s->image;
    if (image.empty()) return fail(s, "The session holds no picture to save.");
    if (path.empty()) return fail(s, "No file name was given.");
    EncodeOptions o;
    o.format = formatCode;
    o.write16 = s->options.save16;
    o.embedIcc = s->options.saveIcc;
    if (o.embedIcc && !image.icc.empty() && !profileOpens(image.icc)) {
        o.embedIcc = false;
        s->warnings.push_back(
            "The picture's colour profile is damaged; the file is saved "
            "without it.");
    }
    o.jpegQuality = s->options.jpegQuality;
    o.jpegOptimize = s->options.jpegOptimize;
    o.jpegSmoothing = s->options.jpegSmoothing;
    o.lossyFraction = s->options.qualityFraction;
    o.psdCompression = s->options.psdCompression;
    if (progress) o.progress = [&](int p) { progress(p * 9 / 10); };
    Bytes file;
    std::string error;
    if (!encodeForSave(image, o, file, error)) return fail(s, error);
    if (formatCode != kFormatBmp) {
        const bool jpeg = formatCode == kFormatJpeg || formatCode == kFormatJpegProgressive;
        // Only JPEG files keep a camera-style thumbnail; TIFF would show it as a second page.
        const Bytes thumb =
            jpeg && metadata::hasThumbnail(image.exif) ? makeThumbnail(image) : Bytes{};
        if (!metadata::write(file, formatCode, image, thumb, error)) return fail(s, error);
    }
    if (!writeFileAtomically(path, file, error, keepExisting ? Existing::Keep : Existing::Replace))
        return fail(s, error);
    if (progress) progress(100);
    return true;
}

}  // namespace imaging
