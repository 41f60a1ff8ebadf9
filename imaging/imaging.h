// The imaging library the program reads, converts and writes pictures through. Pictures live in
// sessions addressed by handles; every operation takes the handle first. A zero handle or a false
// result is the only failure a caller needs to read; the reason is then in cGetLastError.
//
// Pixel memory follows the engine's layouts: 8-bit pictures as blue-green-red rows, bottom-up,
// padded to 4 bytes; 16-bit pictures as blue-green-red rows of 16-bit samples, top-down, packed,
// with an 8-bit display copy beside them. Positions given to this library count rows from the
// top. Sessions may be used from one thread at a time each; the table itself is thread-safe.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace imaging {

using Handle = std::uint32_t;
// Receives a percentage 0..100.
using ProgressCallback = std::function<void(int percent)>;

// Format codes the program names (others: see formatName).
inline constexpr int kCodeBmp = 2;
inline constexpr int kCodeJpeg = 4;
inline constexpr int kCodeJpegProgressive = 5;
inline constexpr int kCodePng = 10;
inline constexpr int kCodeTiff = 18;
inline constexpr int kCodePsd = 31;
inline constexpr int kCodeJp2 = 56;

// Resampling filters of cOpResizeEx.
inline constexpr int kFilterMitchell = 0;
inline constexpr int kFilterNearest = 1;
inline constexpr int kFilterBilinear = 2;

struct ImageInfo {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;      // of the session's pixels: 24 or 48
    int fileBitsPerPixel = 0;  // of the file the picture came from
    int formatCode = 0;
    bool hasIccProfile = false;
};

struct FileInfo {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int formatCode = 0;
    std::vector<std::uint8_t> exif;
    std::vector<std::uint8_t> iptc;
    std::vector<std::uint8_t> icc;
};

// ---- sessions -----------------------------------------------------------------------------
Handle cNewSession();
bool cDestroySession(Handle h);
Handle cDupSession(Handle h);  // a new session holding a copy of the picture and options
bool cUnload(Handle h);        // frees the picture, keeps the session and its options
// Why the last failing call on this session (or, for handle 0, on this thread) failed.
std::string cGetLastError(Handle h);
// What the session did not fail on since its picture was loaded but the user should know, in
// order: a file that had to be repaired, a colour profile left out or not honoured. Each load
// starts the list afresh. Empty for an unknown handle.
std::vector<std::string> cGetWarnings(Handle h);

// ---- options ------------------------------------------------------------------------------
// load16: deep files load with 16-bit components; save16: saves write 16 bits where possible.
bool cSet16BitComponentOptions(Handle h, bool load16, bool save16);
// The profile of pictures that carry none, and of the display (a file path; empty: sRGB).
bool cSetAutoICCProfile(Handle h, const std::string& profilePath);
bool cSaveICCProfileEnabled(Handle h, bool enabled);
bool cSetAutodetectFormat(Handle h, bool enabled);
bool cSetAutoRotate(Handle h, bool enabled);
// Loads of this session give up between bands of rows once *stop is set (from any thread; the
// flag must outlive the session's loads), failing with "Reading the picture was stopped." Null:
// loads always run to the end.
bool cSetStopFlag(Handle h, const std::atomic<bool>* stop);
// Camera raw: useCameraWhiteBalance, halfSize (1: full size).
bool cSetGeneralRawParams(Handle h, int useCameraWhiteBalance, int fullSize);
// compression: 0 raw, 1 PackBits.
bool cSetPSDParams(Handle h, int compression);
// quality 1..100; qualityFraction: JPEG 2000 kept quality (1.0 lossless); optimize: optimised
// Huffman tables; smoothing 0..100.
bool cSetJPEGParams(Handle h, int quality, double qualityFraction, bool optimize, int smoothing);

// ---- loading ------------------------------------------------------------------------------
bool cIsSupportedImageFile(Handle h, const std::string& path);
bool cLoadImage(Handle h, const std::string& path, const ProgressCallback& progress = {});
// From raw pixels: 8-bit in the session layout (stride-padded, bottom-up; null: white), 16-bit
// packed top-down. byteSize must cover the picture.
bool cLoadImage8(Handle h, const std::uint8_t* pixels, std::size_t byteSize, int width, int height);
bool cLoadImage16(Handle h, const std::uint16_t* pixels, std::size_t byteSize, int width,
                  int height);
// A picture fitting into boxWidth x boxHeight (aspect kept), from the embedded thumbnail or a
// reduced decode where that serves.
bool cLoadThumbnailEx(Handle h, const std::string& path, int boxWidth, int boxHeight);

// ---- information --------------------------------------------------------------------------
bool cGetImageInfo(Handle h, ImageInfo& info);
// Reads size, depth, format code and metadata of a file without decoding its pixels.
bool cGetImageFileInfoEx(Handle h, const std::string& path, FileInfo& info);
std::string cGetFormatName(int formatCode);

// ---- pixels -------------------------------------------------------------------------------
std::uint8_t* cGetBitsPtr(Handle h);
std::uint16_t* cGetBits16Ptr(Handle h);  // null for 8-bit pictures
bool cRefreshDisplayData(Handle h);      // the 8-bit copy from the 16-bit pixels
bool cGetPixelColor(Handle h, int x, int y, std::uint16_t& red, std::uint16_t& green,
                    std::uint16_t& blue);
bool cOpSetPixelColor(Handle h, int x, int y, std::uint16_t red, std::uint16_t green,
                      std::uint16_t blue);

// ---- operations ---------------------------------------------------------------------------
bool cOpIncreaseBitsPerPixel(Handle h, int bitsPerPixel);  // 24 (keeps the depth) or 48
bool cOpRotateFine(Handle h, double degrees);  // clockwise; corners outside become white
bool cOpResizeEx(Handle h, int width, int height, int filter = kFilterMitchell);
bool cSetOpRectangle(Handle h, int left, int top, int right, int bottom);  // inclusive
bool cOpCrop(Handle h);
// Turns a JPEG file by quarter turns clockwise (1..3) into target (may equal source).
bool cRotateImageFile(Handle h, const std::string& source, const std::string& target,
                      int quarterTurns);

// ---- saving -------------------------------------------------------------------------------
// With keepExisting, a file that exists at path when the new one is complete is kept and the
// save fails (the file being there tells that case from others).
bool cSave(Handle h, const std::string& path, int formatCode, const ProgressCallback& progress = {},
           bool keepExisting = false);

// ---- colour profiles ----------------------------------------------------------------------
std::vector<std::uint8_t> cGetImageICCProfile(Handle h);
bool cLoadICCProfile(Handle h, const std::uint8_t* bytes, std::size_t size);  // attach
// Converts the pixels from the picture's profile (else the automatic profile, else sRGB) into
// the given one, which the picture then carries.
bool cApplyICCProfileEx(Handle h, const std::uint8_t* bytes, std::size_t size,
                        const ProgressCallback& progress = {});
// The sRGB profile: the system's sRGB file when present, else lcms2's built-in one.
std::vector<std::uint8_t> srgbProfile();

// ---- metadata -----------------------------------------------------------------------------
std::vector<std::uint8_t> cGetImageEXIF_Info(Handle h);
bool cPutImageEXIF_Info(Handle h, const std::vector<std::uint8_t>& exif);
bool cDestroyEXIF(Handle h);
std::vector<std::uint8_t> cGetImageIPTC_Info(Handle h);
bool cPutImageIPTC_Info(Handle h, const std::vector<std::uint8_t>& iptc);
bool cDestroyIPTC(Handle h);
std::string cGetImageComment(Handle h);
bool cPutImageComment(Handle h, const std::string& comment);
bool cDestroyComment(Handle h);
std::string cGetImageXMP(Handle h);
bool cPutImageXMP(Handle h, const std::string& xmp);

std::string cEXIF_GetMake(Handle h);
std::string cEXIF_GetModel(Handle h);
std::string cEXIF_GetDateTime(Handle h);
std::string cEXIF_GetDescription(Handle h);
double cEXIF_GetExposureTime(Handle h);    // seconds; 0 when absent
double cEXIF_GetFNumber(Handle h);         // 0 when absent
std::int16_t cEXIF_GetISOSpeed(Handle h);  // 0 when absent
std::int16_t cEXIF_GetFlash(Handle h);     // -1 when absent

// Values read from an EXIF block directly (for cGetImageFileInfoEx results).
struct ExifSummary {
    std::string make, model, dateTime, description;
    double exposureTime = 0, fNumber = 0;
    std::int16_t iso = 0, flash = -1;
};
ExifSummary summariseExif(const std::vector<std::uint8_t>& exif);

}  // namespace imaging
