// The two template pictures shipped in the "temp" folder: an 8-bit and a 16-bit RGB TIFF. The
// 16-bit one converts single colours through a profile; both are the starting sessions the
// exchange image of plug-in mode is read into.
#pragma once

#include <QString>

#include "core/errors/result.h"

namespace core {

inline constexpr char kTemplate8Name[] = "template8.tif";
inline constexpr char kTemplate16Name[] = "template16.tif";
// The templates are resized to each picture, so a small white square serves.
inline constexpr int kTemplateSide = 16;

// Writes both templates into the folder (made when missing). Fails with "ER_CANNOT_SAVE" and
// the imaging layer's reason.
Status writeTemplatePictures(const QString& folder);

}  // namespace core
