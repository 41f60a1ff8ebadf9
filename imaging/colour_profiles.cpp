// Colour profiles through lcms2: attach, read, and convert pixels between profiles.
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>

#include <lcms2.h>

#include "imaging/colour_profiles.h"
#include "imaging/imaging.h"
#include "imaging/session.h"

namespace imaging {

namespace {

void silentLcms(cmsContext, cmsUInt32Number, const char*) {}

void ensureLcms() {
    static std::once_flag once;
    std::call_once(once, [] { cmsSetLogErrorHandler(silentLcms); });
}

struct ProfileCloser {
    void operator()(void* p) const {
        if (p) cmsCloseProfile(p);
    }
};
using ProfilePtr = std::unique_ptr<void, ProfileCloser>;
struct TransformCloser {
    void operator()(void* t) const {
        if (t) cmsDeleteTransform(t);
    }
};
using TransformPtr = std::unique_ptr<void, TransformCloser>;

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ProfilePtr openProfile(const Bytes& bytes) {
    if (bytes.empty()) return ProfilePtr(cmsCreate_sRGBProfile());
    return ProfilePtr(
        cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size())));
}

}  // namespace

bool profileOpens(const Bytes& profile) {
    if (profile.empty()) return false;
    ensureLcms();
    return openProfile(profile) != nullptr;
}

std::vector<std::uint8_t> srgbProfile() {
    static const char* const kPaths[] = {
        "/usr/share/color/icc/sRGB Color Space Profile.icm", "/usr/share/color/icc/sRGB.icc",
        "/usr/share/color/icc/colord/sRGB.icc", "/usr/share/color/icc/ghostscript/srgb.icc"};
    for (const char* p : kPaths) {
        Bytes b = readFile(p);
        if (!b.empty()) return b;
    }
    ensureLcms();
    ProfilePtr p(cmsCreate_sRGBProfile());
    cmsUInt32Number size = 0;
    if (!p || !cmsSaveProfileToMem(p.get(), nullptr, &size)) return {};
    Bytes out(size);
    cmsSaveProfileToMem(p.get(), out.data(), &size);
    return out;
}

// Converts pixels from one profile to another (empty bytes: sRGB).
bool convertPixels(Image& image, const Bytes& from, const Bytes& to,
                   const ProgressCallback& progress, std::string& error) {
    ensureLcms();
    ProfilePtr in = openProfile(from), out = openProfile(to);
    if (!in || !out) {
        error = "The colour profile cannot be read.";
        return false;
    }
    if (cmsGetColorSpace(in.get()) != cmsSigRgbData ||
        cmsGetColorSpace(out.get()) != cmsSigRgbData) {
        error = "Only RGB colour profiles can convert these pixels.";
        return false;
    }
    const cmsUInt32Number format = image.sixteen ? TYPE_BGR_16 : TYPE_BGR_8;
    TransformPtr t(cmsCreateTransform(in.get(), format, out.get(), format, INTENT_PERCEPTUAL, 0));
    if (!t) {
        error = "The colour profiles cannot be combined into a conversion.";
        return false;
    }
    int last = -1;
    for (int y = 0; y < image.height; ++y) {
        if (image.sixteen)
            cmsDoTransform(t.get(), image.row16(y), image.row16(y),
                           static_cast<cmsUInt32Number>(image.width));
        else
            cmsDoTransform(t.get(), image.row8(y), image.row8(y),
                           static_cast<cmsUInt32Number>(image.width));
        if (progress) {
            const int p = static_cast<int>(100LL * (y + 1) / image.height);
            if (p != last) progress(last = p);
        }
    }
    image.refreshDisplay();
    return true;
}

std::vector<std::uint8_t> cGetImageICCProfile(Handle h) {
    Session* s = findSession(h);
    return s ? s->image.icc : std::vector<std::uint8_t>{};
}

bool cLoadICCProfile(Handle h, const std::uint8_t* bytes, std::size_t size) {
    Session* s = findSession(h);
    if (!s) return false;
    if (!bytes || size == 0) {
        s->image.icc.clear();
        return true;
    }
    ensureLcms();
    Bytes b(bytes, bytes + size);
    if (!openProfile(b)) return fail(s, "The data is not a colour profile.");
    s->image.icc = std::move(b);
    return true;
}

bool cApplyICCProfileEx(Handle h, const std::uint8_t* bytes, std::size_t size,
                        const ProgressCallback& progress) {
    Session* s = findSession(h);
    if (!s) return false;
    if (s->image.empty()) return fail(s, "The session holds no picture.");
    if (!bytes || size == 0) return fail(s, "No colour profile was given.");
    Bytes target(bytes, bytes + size);
    Bytes source = s->image.icc;
    if (!source.empty() && !profileOpens(source)) {
        // Nothing can honour a damaged profile: the pixels are taken as if it were absent.
        s->warnings.push_back(
            "The picture's colour profile is damaged; its colours are taken "
            "as they are.");
        source.clear();
    }
    if (source.empty() && !s->options.autoProfilePath.empty())
        source = readFile(s->options.autoProfilePath);
    std::string error;
    if (!convertPixels(s->image, source, target, progress, error)) return fail(s, error);
    s->image.icc = std::move(target);
    return true;
}

}  // namespace imaging
