// The file-type lists of the picture open and save dialogs: the stored form ("description|pattern"
// pairs joined by "|", patterns joined by ";"), and the form Qt's dialogs take.
#pragma once

#include <QString>
#include <QStringList>

#include "core/i18n/text_lookup.h"

namespace core {

// The open dialog's list: all supported pictures, all files, then one row per kind of picture.
// The first two descriptions are language keys.
QString openPictureFilter(const TextLookup& lookup = keyAsText);
inline constexpr int kOpenFilterRows = 21;

// The save dialog's list: one row per output format, its text and "*." with its extension.
QString savePictureFilter();
// The save list's 1-based filter index of an output format index, and back.
int saveFilterIndex(int formatIndex);
int saveFormatIndex(int filterIndex);
// The JPEG quality choice belongs to the JPEG, progressive JPEG and JPEG 2000 rows (1-based 2 to
// 4).
bool saveFilterShowsJpegQuality(int filterIndex);

// "description|pattern|..." as Qt's name filters, one per row: "description (p1 p2)". A pattern
// already named at the end of the description is not named twice; "*.*" (every file, whether or
// not its name has a dot) becomes "*".
QStringList qtNameFilters(const QString& filter);

// The six texts of the JPEG quality list: "7 (52%)" ... "12 (100%)".
QStringList jpegQualityTexts();

}  // namespace core
