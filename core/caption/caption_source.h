// The picture a caption describes: its file (or none) and the shooting data its metadata gives.
#pragma once

#include <QString>

#include "core/document/image_information.h"

namespace core::caption {

// The pseudo-names of pictures that have no file of their own.
inline constexpr const char* kClipboardName = "clipboard";
inline constexpr const char* kPluginName = "plugin";

struct CaptionSource {
    QString file;  // the picture's file; empty for a pasted picture or a host's picture
    // Shooting data; each empty when the picture does not give it.
    QString make, model, exposure, iso, aperture, flash;
    QString exifDate;  // "YYYY:MM:DD HH:MM:SS" as stored
};

// True for the names that stand for no file.
bool isPseudoName(const QString& name);

// From the information computed for an open picture; name is its path or a pseudo-name.
CaptionSource captionSource(const QString& name, const ImageInformation& information);

// Reads the shooting data of a file without loading its pixels; none when ignoreExif is set or
// the file gives none (the file itself still names the picture and dates it).
CaptionSource captionSourceFromFile(const QString& path, bool ignoreExif);

}  // namespace core::caption
