// Quarter turns of JPEG files: lossless through TurboJPEG's transform when the picture is made of
// whole blocks, otherwise decoded, turned and encoded again at quality 100. Markers (EXIF, ICC,
// IPTC, XMP) are kept either way.
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

// Lossless transform; false when it cannot be done exactly.
bool losslessTurn(const Bytes& in, int quarterTurns, Bytes& out, int& width, int& height) {
    std::unique_ptr<void, TjCloser> tj(tjInitTransform());
    if (!tj) return false;
    tjtransform t{};
    t.op = quarterTurns == 1 ? TJXOP_ROT90 : (quarterTurns == 2 ? TJXOP_ROT180 : TJXOP_ROT270);
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
    Bytes out;
    int width = 0, height = 0;
    if (!losslessTurn(in, quarterTurns, out, width, height)) {
        // Not whole blocks (or an unusual file): decode, turn and encode at full quality.
        Image image;
        DecodeOptions d;
        d.keep16 = false;
        if (!decodeJpeg(in.data(), in.size(), d, image, error)) return fail(s, error);
        metadata::read(in.data(), in.size(), image);
        if (!applyOrientation(image, quarterTurns == 1 ? 6 : (quarterTurns == 2 ? 3 : 8), error))
            return fail(s, error);
        EncodeOptions e;
        e.format = image.formatCode;
        e.jpegQuality = 100;
        if (!encodeForSave(image, e, out, error)) return fail(s, error);
        const Bytes exif = metadata::prepareExif(image.exif, image.width, image.height, Bytes{},
                                                 metadata::exifLimit(kFormatJpeg));
        if (!metadata::write(out, kFormatJpeg, exif, image.iptc, image.xmp, image.comment, error))
            return fail(s, error);
        width = image.width;
        height = image.height;
    }
    if (!metadata::updateFile(out, width, height, error)) return fail(s, error);
    if (!writeFileAtomically(target, out, error)) return fail(s, error);
    return true;
}

}  // namespace imaging
