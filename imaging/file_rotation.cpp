// Quarter turns of JPEG files: lossless through TurboJPEG's transform when the picture is made of
// whole blocks, otherwise decoded, turned and encoded again at quality 100. Markers (EXIF, ICC,
// IPTC, XMP) are kept either way. The turn applies to the picture as viewers show it: a file
// tagged with an EXIF orientation is stored upright and turned, and its tag becomes 1.
#include <turbojpeg.h>

#include <memory>

#include "imaging/codecs.h"
#include "imaging/file_io.h"
#include "imaging/format_codes.h"
#include "imaging/imaging.h"
#include "imaging/metadata.h"
#include "imaging/session.h"
#include "imaging/transforms.h"

namespace imaging {

namespace {

struct TjCloser {
    void operator()(void* h) const {
        if (h) tjDestroy(h);
    }
};

// TurboJPEG's transform for the turn of an EXIF orientation.
int transformOf(int orientation) {
    static constexpr int kOps[9] = {TJXOP_NONE,   TJXOP_NONE,       TJXOP_HFLIP,
                                    TJXOP_ROT180, TJXOP_VFLIP,      TJXOP_TRANSPOSE,
                                    TJXOP_ROT90,  TJXOP_TRANSVERSE, TJXOP_ROT270};
    return kOps[orientation >= 1 && orientation <= 8 ? orientation : 1];
}

// Lossless transform; false when it cannot be done exactly.
bool losslessTurn(const Bytes& in, int orientation, Bytes& out, int& width, int& height) {
    std::unique_ptr<void, TjCloser> tj(tjInitTransform());
    if (!tj) return false;
    tjtransform t{};
    t.op = transformOf(orientation);
    t.options = TJXOPT_PERFECT;
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    if (tjTransform(tj.get(), in.data(), static_cast<unsigned long>(in.size()), 1, &buf, &size, &t,
                    0) != 0) {
        if (buf) tjFree(buf);
        return false;
    }
    out.assign(buf, buf + size);
    tjFree(buf);
    int subsamp = 0, colourspace = 0;
    std::unique_ptr<void, TjCloser> dec(tjInitDecompress());
    return dec && tjDecompressHeader3(dec.get(), out.data(), static_cast<unsigned long>(out.size()),
                                      &width, &height, &subsamp, &colourspace) == 0;
}

// The camera's thumbnail turned as the picture was: lossless, its partial edge blocks trimmed
// when it is not made of whole blocks; empty (the thumbnail is dropped) when it cannot be turned.
Bytes turnedThumbnail(const Bytes& thumbnail, int orientation) {
    if (thumbnail.empty()) return {};
    Bytes out;
    int width = 0, height = 0;
    if (losslessTurn(thumbnail, orientation, out, width, height)) return out;
    std::unique_ptr<void, TjCloser> tj(tjInitTransform());
    if (!tj) return {};
    tjtransform t{};
    t.op = transformOf(orientation);
    t.options = TJXOPT_TRIM;
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    if (tjTransform(tj.get(), thumbnail.data(), static_cast<unsigned long>(thumbnail.size()), 1,
                    &buf, &size, &t, 0) != 0) {
        if (buf) tjFree(buf);
        return {};
    }
    out.assign(buf, buf + size);
    tjFree(buf);
    return out;
}

}  // namespace

bool encodeForSave(const Image& image, const EncodeOptions& o, Bytes& out, std::string& error);

bool cRotateImageFile(Handle h, const std::string& source, const std::string& target,
                      int quarterTurns) {
    Session* s = findSession(h);
    if (!s) return false;
    quarterTurns = ((quarterTurns % 4) + 4) % 4;
    Bytes in;
    std::string error;
    if (!readWholeFile(source, in, error)) return fail(s, error);
    if (detectContainer(in.data(), in.size()) != Container::kJpeg)
        return fail(s, "Only JPEG files can be turned without loading them.");
    if (quarterTurns == 0) return writeFileAtomically(target, in, error) || fail(s, error);
    // Upright as tagged, then the clockwise quarter turns (orientations 6, 3 and 8), in one step.
    Image tags;
    metadata::read(in.data(), in.size(), tags);
    const int turn = composeOrientations(metadata::orientation(tags),
                                         quarterTurns == 1 ? 6 : (quarterTurns == 2 ? 3 : 8));
    Bytes out;
    int width = 0, height = 0;
    if (!losslessTurn(in, turn, out, width, height)) {
        // Not whole blocks (or an unusual file): decode, turn and encode at full quality.
        Image image;
        DecodeOptions d;
        d.keep16 = false;
        if (!decodeJpeg(in.data(), in.size(), d, image, error)) return fail(s, error);
        metadata::read(in.data(), in.size(), image);
        if (!applyOrientation(image, turn, error)) return fail(s, error);
        EncodeOptions e;
        e.format = image.formatCode;
        e.jpegQuality = 100;
        if (!encodeForSave(image, e, out, error)) return fail(s, error);
        if (!metadata::write(out, kFormatJpeg, image, Bytes{}, error)) return fail(s, error);
        width = image.width;
        height = image.height;
    }
    // An embedded thumbnail left as it was would show the picture unturned.
    const Bytes oldThumbnail = metadata::thumbnail(tags.exif);
    const Bytes newThumbnail = turnedThumbnail(oldThumbnail, turn);
    if (!metadata::updateFile(out, width, height, error,
                              oldThumbnail.empty() ? nullptr : &newThumbnail))
        return fail(s, error);
    if (!writeFileAtomically(target, out, error)) return fail(s, error);
    return true;
}

}  // namespace imaging
