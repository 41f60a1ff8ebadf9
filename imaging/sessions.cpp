// Session handles, options, pixel access and the metadata blocks a session carries.
#include <map>
#include <memory>
#include <mutex>

#include "imaging/format_codes.h"
#include "imaging/imaging.h"
#include "imaging/session.h"

namespace imaging {

namespace {

std::mutex gTableMutex;
std::map<Handle, std::unique_ptr<Session>> gSessions;
Handle gNextHandle = 1;
thread_local std::string gThreadError;

}  // namespace

Session* findSession(Handle h) {
    std::lock_guard<std::mutex> lock(gTableMutex);
    auto it = gSessions.find(h);
    if (it == gSessions.end()) {
        gThreadError = "Invalid session handle " + std::to_string(h) + ".";
        return nullptr;
    }
    return it->second.get();
}

bool fail(Session* s, const std::string& text) {
    if (s) s->lastError = text;
    gThreadError = text;
    return false;
}

bool failHandle(Handle h, const std::string& text) {
    Session* s = nullptr;
    {
        std::lock_guard<std::mutex> lock(gTableMutex);
        auto it = gSessions.find(h);
        if (it != gSessions.end()) s = it->second.get();
    }
    return fail(s, text);
}

Handle cNewSession() {
    std::lock_guard<std::mutex> lock(gTableMutex);
    try {
        const Handle h = gNextHandle++;
        gSessions.emplace(h, std::make_unique<Session>());
        return h;
    } catch (const std::bad_alloc&) {
        gThreadError = "Not enough memory for a new session.";
        return 0;
    }
}

bool cDestroySession(Handle h) {
    std::lock_guard<std::mutex> lock(gTableMutex);
    if (gSessions.erase(h) == 0) {
        gThreadError = "Invalid session handle " + std::to_string(h) + ".";
        return false;
    }
    return true;
}

Handle cDupSession(Handle h) {
    Session* s = findSession(h);
    if (!s) return 0;
    try {
        auto copy = std::make_unique<Session>(*s);
        copy->lastError.clear();
        std::lock_guard<std::mutex> lock(gTableMutex);
        const Handle n = gNextHandle++;
        gSessions.emplace(n, std::move(copy));
        return n;
    } catch (const std::bad_alloc&) {
        fail(s, "Not enough memory to duplicate the picture.");
        return 0;
    }
}

bool cUnload(Handle h) {
    Session* s = findSession(h);
    if (!s) return false;
    s->image.clear();
    s->rect = OpRectangle{};
    return true;
}

std::vector<std::string> cGetWarnings(Handle h) {
    std::lock_guard<std::mutex> lock(gTableMutex);
    auto it = gSessions.find(h);
    return it != gSessions.end() ? it->second->warnings : std::vector<std::string>{};
}

std::string cGetLastError(Handle h) {
    if (h != 0) {
        std::lock_guard<std::mutex> lock(gTableMutex);
        auto it = gSessions.find(h);
        if (it != gSessions.end()) return it->second->lastError;
    }
    return gThreadError;
}

bool cSet16BitComponentOptions(Handle h, bool load16, bool save16) {
    Session* s = findSession(h);
    if (!s) return false;
    s->options.load16 = load16;
    s->options.save16 = save16;
    return true;
}

bool cSetAutoICCProfile(Handle h, const std::string& path) {
    Session* s = findSession(h);
    if (!s) return false;
    s->options.autoProfilePath = path;
    return true;
}

bool cSaveICCProfileEnabled(Handle h, bool enabled) {
    Session* s = findSession(h);
    if (!s) return false;
    s->options.saveIcc = enabled;
    return true;
}

bool cSetAutodetectFormat(Handle h, bool enabled) {
    Session* s = findSession(h);
    if (!s) return false;
    s->options.autodetect = enabled;
    return true;
}

bool cSetAutoRotate(Handle h, bool enabled) {
    Session* s = findSession(h);
    if (!s) return false;
    s->options.autoRotate = enabled;
    return true;
}

bool cSetStopFlag(Handle h, const std::atomic<bool>* stop) {
    Session* s = findSession(h);
    if (!s) return false;
    s->options.stop = stop;
    return true;
}

bool cSetGeneralRawParams(Handle h, int useCameraWhiteBalance, int fullSize) {
    Session* s = findSession(h);
    if (!s) return false;
    s->options.rawCameraWhiteBalance = useCameraWhiteBalance;
    s->options.rawFullSize = fullSize;
    return true;
}

bool cSetPSDParams(Handle h, int compression) {
    Session* s = findSession(h);
    if (!s) return false;
    if (compression != 0 && compression != 1) return fail(s, "PSD compression must be 0 or 1.");
    s->options.psdCompression = compression;
    return true;
}

bool cSetJPEGParams(Handle h, int quality, double qualityFraction, bool optimize, int smoothing) {
    Session* s = findSession(h);
    if (!s) return false;
    if (quality < 1 || quality > 100) return fail(s, "JPEG quality must be 1 to 100.");
    if (!(qualityFraction > 0.0 && qualityFraction <= 1.0))
        return fail(s, "The quality fraction must be above 0 and at most 1.");
    s->options.jpegQuality = quality;
    s->options.qualityFraction = qualityFraction;
    s->options.jpegOptimize = optimize;
    s->options.jpegSmoothing = smoothing < 0 ? 0 : (smoothing > 100 ? 100 : smoothing);
    return true;
}

bool cGetImageInfo(Handle h, ImageInfo& info) {
    Session* s = findSession(h);
    if (!s) return false;
    if (s->image.empty()) return fail(s, "The session holds no picture.");
    info.width = s->image.width;
    info.height = s->image.height;
    info.bitsPerPixel = s->image.sixteen ? 48 : 24;
    info.fileBitsPerPixel = s->image.sourceBitsPerPixel;
    info.formatCode = s->image.formatCode;
    info.hasIccProfile = !s->image.icc.empty();
    return true;
}

std::string cGetFormatName(int formatCode) {
    return formatName(formatCode);
}

std::uint8_t* cGetBitsPtr(Handle h) {
    Session* s = findSession(h);
    if (!s || s->image.empty()) return nullptr;
    return s->image.bits8.data();
}

std::uint16_t* cGetBits16Ptr(Handle h) {
    Session* s = findSession(h);
    if (!s || s->image.empty() || !s->image.sixteen) return nullptr;
    return s->image.bits16.data();
}

bool cRefreshDisplayData(Handle h) {
    Session* s = findSession(h);
    if (!s) return false;
    if (s->image.empty()) return fail(s, "The session holds no picture.");
    s->image.refreshDisplay();
    return true;
}

bool cGetPixelColor(Handle h, int x, int y, std::uint16_t& r, std::uint16_t& g, std::uint16_t& b) {
    Session* s = findSession(h);
    if (!s) return false;
    const Image& im = s->image;
    if (x < 0 || y < 0 || x >= im.width || y >= im.height)
        return fail(s, "The position lies outside the picture.");
    if (im.sixteen) {
        const std::uint16_t* p = im.row16(y) + 3 * static_cast<std::size_t>(x);
        b = p[0];
        g = p[1];
        r = p[2];
    } else {
        const std::uint8_t* p = im.row8(y) + 3 * static_cast<std::size_t>(x);
        b = static_cast<std::uint16_t>(p[0] * 257);
        g = static_cast<std::uint16_t>(p[1] * 257);
        r = static_cast<std::uint16_t>(p[2] * 257);
    }
    return true;
}

bool cOpSetPixelColor(Handle h, int x, int y, std::uint16_t r, std::uint16_t g, std::uint16_t b) {
    Session* s = findSession(h);
    if (!s) return false;
    Image& im = s->image;
    if (x < 0 || y < 0 || x >= im.width || y >= im.height)
        return fail(s, "The position lies outside the picture.");
    std::uint8_t* p8 = im.row8(y) + 3 * static_cast<std::size_t>(x);
    if (im.sixteen) {
        std::uint16_t* p = im.row16(y) + 3 * static_cast<std::size_t>(x);
        p[0] = b;
        p[1] = g;
        p[2] = r;
    }
    p8[0] = static_cast<std::uint8_t>(b >> 8);
    p8[1] = static_cast<std::uint8_t>(g >> 8);
    p8[2] = static_cast<std::uint8_t>(r >> 8);
    return true;
}

std::vector<std::uint8_t> cGetImageEXIF_Info(Handle h) {
    Session* s = findSession(h);
    return s ? s->image.exif : std::vector<std::uint8_t>{};
}
bool cPutImageEXIF_Info(Handle h, const std::vector<std::uint8_t>& exif) {
    Session* s = findSession(h);
    if (!s) return false;
    s->image.exif = exif;
    return true;
}
bool cDestroyEXIF(Handle h) {
    Session* s = findSession(h);
    if (!s) return false;
    s->image.exif.clear();
    return true;
}
std::vector<std::uint8_t> cGetImageIPTC_Info(Handle h) {
    Session* s = findSession(h);
    return s ? s->image.iptc : std::vector<std::uint8_t>{};
}
bool cPutImageIPTC_Info(Handle h, const std::vector<std::uint8_t>& iptc) {
    Session* s = findSession(h);
    if (!s) return false;
    s->image.iptc = iptc;
    return true;
}
bool cDestroyIPTC(Handle h) {
    Session* s = findSession(h);
    if (!s) return false;
    s->image.iptc.clear();
    return true;
}
std::string cGetImageComment(Handle h) {
    Session* s = findSession(h);
    return s ? s->image.comment : std::string{};
}
bool cPutImageComment(Handle h, const std::string& comment) {
    Session* s = findSession(h);
    if (!s) return false;
    s->image.comment = comment;
    return true;
}
bool cDestroyComment(Handle h) {
    Session* s = findSession(h);
    if (!s) return false;
    s->image.comment.clear();
    return true;
}
std::string cGetImageXMP(Handle h) {
    Session* s = findSession(h);
    return s ? s->image.xmp : std::string{};
}
bool cPutImageXMP(Handle h, const std::string& xmp) {
    Session* s = findSession(h);
    if (!s) return false;
    s->image.xmp = xmp;
    return true;
}

}  // namespace imaging
