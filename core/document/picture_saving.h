// Writing a picture of a session to a file in one of the output formats, with the source's
// metadata and colour profile. The imaging layer replaces the target only with a complete file,
// so a failed save leaves an existing file as it was and nothing half-written behind.
#pragma once

#include <QString>

#include "core/errors/result.h"
#include "imaging/imaging.h"

namespace core {

struct SaveRequest {
    QString path;                     // the format's extension is appended when missing
    int formatIndex = 1;              // an index of kOutputFormats (the six formats, then PNG)
    int jpegQualityIndex = 4;         // the JPEG quality step, clamped to the list
    bool overwriteConfirmed = false;  // the user agreed to replace an existing file
};

// Where the request writes: its path with the format's extension.
QString savePath(const SaveRequest& request);

// Saves the picture of `picture`. `metadataSource` (the document's source; may equal picture)
// gives the EXIF and IPTC blocks, and its colour profile when the picture carries none. A BMP
// of any picture but the source is converted to sRGB first, since BMP carries no profile; the
// conversion works on a copy, so the session itself keeps its pixels. Failures:
//   "ER_CANNOT_SAVE"                   no path (detail empty), or the imaging layer failed
//                                      (detail: the quoted path, CR LF and its reason)
//   "ALS_SAVE_RESULTS_IF_EXISTS_QUEST" the file exists and replacing it was not confirmed;
//                                      detail: the path (the question's placeholder)
//   "ER_CANNOT_CREATE_FOLDER"          detail: the quoted folder
Status savePicture(imaging::Handle picture, imaging::Handle metadataSource,
                   const SaveRequest& request, const imaging::ProgressCallback& progress = {});

}  // namespace core
