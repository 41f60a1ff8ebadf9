// The information texts shown for a picture: the metadata line of the status bar, the size line
// of the window caption, and the values captions use. Every label is a language key; the lookup
// turns keys into texts (until translations exist, a key is its own text).
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "core/i18n/text_lookup.h"
#include "imaging/imaging.h"

namespace core {

// Exposure time: "2.50", "1/250.00" or "~0", followed by the seconds text.
QString exposureText(double seconds, const TextLookup& lookup = keyAsText);
// Aperture with one decimal.
QString apertureText(double fNumber);
// The EXIF flash bits as words: on/off, then the return, mode, no-flash and red-eye parts.
QString flashText(int flash, const TextLookup& lookup = keyAsText);
// Bits per pixel as a depth: "8 <per channel>" or "16 <per pixel> (5.33 <per channel>)".
QString depthText(int bitsPerPixel, const TextLookup& lookup = keyAsText);
// Megapixels with one decimal: round(width x height / 100000) / 10.
QString megapixelText(int width, int height);

struct ImageInformation {
    QString metadataLine;  // entries "label=value;" joined by CR LF, the size last
    QString statusLine;    // the metadata line on one line
    QString sizeLine;
    bool flashFired = true;  // bit 0 of the flash value; unknown counts as fired
    // Values kept for captions.
    QString make, model, exposure, iso, aperture, flash, date;
    int width = 0, height = 0;
};

// Everything the metadata gives, as texts. fileSize < 0 and formatCode 0 for an open picture
// (its size line then has no file part).
ImageInformation describePicture(int width, int height, int bitsPerPixel,
                                 const imaging::ExifSummary& exif, int64_t fileSize, int formatCode,
                                 const TextLookup& lookup = keyAsText);
// For an open picture (24 or 48 bits a pixel), and for a file read without loading it.
ImageInformation describeSession(imaging::Handle session, bool ignoreExif,
                                 const TextLookup& lookup = keyAsText);
bool describeFile(imaging::Handle helperSession, const QString& path, bool ignoreExif,
                  ImageInformation& out, const TextLookup& lookup = keyAsText);

}  // namespace core
