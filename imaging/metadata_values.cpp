// The single EXIF values the program shows.
#include <algorithm>

#include "imaging/imaging.h"
#include "imaging/metadata.h"
#include "imaging/session.h"

namespace imaging {

ExifSummary summariseExif(const std::vector<std::uint8_t>& exif) {
    ExifSummary v;
    if (exif.empty()) return v;
    v.make = metadata::text(exif, "Exif.Image.Make");
    v.model = metadata::text(exif, "Exif.Image.Model");
    v.dateTime = metadata::text(exif, "Exif.Photo.DateTimeOriginal");
    if (v.dateTime.empty()) v.dateTime = metadata::text(exif, "Exif.Image.DateTime");
    v.description = metadata::text(exif, "Exif.Image.ImageDescription");
    v.exposureTime = metadata::number(exif, "Exif.Photo.ExposureTime").value_or(0.0);
    v.fNumber = metadata::number(exif, "Exif.Photo.FNumber").value_or(0.0);
    const auto iso = metadata::number(exif, "Exif.Photo.ISOSpeedRatings");
    if (iso) v.iso = static_cast<std::int16_t>(std::clamp(*iso, -32768.0, 32767.0));
    const auto flash = metadata::number(exif, "Exif.Photo.Flash");
    if (flash) v.flash = static_cast<std::int16_t>(static_cast<long>(*flash) & 0x7FFF);
    return v;
}

namespace {
ExifSummary sessionSummary(Handle h) {
    Session* s = findSession(h);
    return s ? summariseExif(s->image.exif) : ExifSummary{};
}
}  // namespace

std::string cEXIF_GetMake(Handle h) {
    return sessionSummary(h).make;
}
std::string cEXIF_GetModel(Handle h) {
    return sessionSummary(h).model;
}
std::string cEXIF_GetDateTime(Handle h) {
    return sessionSummary(h).dateTime;
}
std::string cEXIF_GetDescription(Handle h) {
    return sessionSummary(h).description;
}
double cEXIF_GetExposureTime(Handle h) {
    return sessionSummary(h).exposureTime;
}
double cEXIF_GetFNumber(Handle h) {
    return sessionSummary(h).fNumber;
}
std::int16_t cEXIF_GetISOSpeed(Handle h) {
    return sessionSummary(h).iso;
}
std::int16_t cEXIF_GetFlash(Handle h) {
    return sessionSummary(h).flash;
}

}  // namespace imaging
