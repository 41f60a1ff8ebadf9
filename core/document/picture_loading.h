// Loading a picture file into a session, and the failures an open reports.
#pragma once

#include <QString>
#include <cstdint>

#include "core/errors/result.h"
#include "imaging/imaging.h"

namespace core {

// An opened picture must be at least this wide and high.
inline constexpr int kMinimumOpenSide = 10;

// Files above this size, or of unknown size, whose extension is none of the quickly read formats
// are loaded with the progress panel (the large camera raw files).
inline constexpr int64_t kProgressPanelFileSize = 2097152;
bool loadsWithProgressPanel(const QString& path, int64_t fileSize);

// The file's size in bytes, -1 when it cannot be found.
int64_t pictureFileSize(const QString& path);

// The path in double quotes, as messages show a file name.
QString quotedName(const QString& path);

// Loads the file into the session (the previous picture is dropped either way). progress is
// passed to the imaging layer only when the file loads with the progress panel. Failures, each
// with the quoted path as detail:
//   "ER_SRC_LOADING_NOTFOUND"     the file does not exist
//   "ER_SRC_LOADING_NOTSUPPORTED" the file is of no kind the imaging layer reads
//   "ER_Q_CANNOT_LOAD"            it is, but this file cannot be decoded (damaged, cut short);
//                                 the detail then adds CR LF and the imaging layer's reason
Status loadPictureFile(imaging::Handle session, const QString& path,
                       const imaging::ProgressCallback& progress = {});

}  // namespace core
