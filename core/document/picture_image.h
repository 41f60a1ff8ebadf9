// Pictures of sessions as QImages and back: the 8-bit copy a window draws, the full-depth copy
// the clipboard takes, and a session made from a QImage (a pasted picture).
#pragma once

#include <QImage>

#include "core/errors/result.h"
#include "imaging/imaging.h"

namespace core {

// The session's picture as 8-bit RGB, rows top-down (the session's 8-bit rows are stored
// bottom-up; a 16-bit picture is reduced to its high bytes). Null for an empty session.
QImage displayImage(imaging::Handle session);

// The picture at its own depth: 8-bit RGB, or 16-bit RGBX for a 16-bit picture. Null for an
// empty session.
QImage pictureImage(imaging::Handle session);

// Replaces the session's picture by the image (alpha composited on white): 16 bits per channel
// when the image has more than 8, else 8. Fails with "ER_SRC_LOADING_INVALID" for a null image
// or one the imaging layer refuses (detail: its reason).
Status loadPictureImage(imaging::Handle session, const QImage& image);

}  // namespace core
