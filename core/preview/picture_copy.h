// Copying one session's picture into another session that keeps its handle (the document's slots
// keep theirs), and the screen's view of a session: a QImage of its 8-bit display data.
#pragma once

#include <QImage>
#include <cstdint>

#include "imaging/imaging.h"

namespace core {

// Replaces the target's picture by a copy of the source's pixels (same depth) and colour
// profile. False, leaving the target empty, when the source has no picture or memory runs out.
bool copyPicture(imaging::Handle source, imaging::Handle target);

// True when the session holds a picture.
bool holdsPicture(imaging::Handle session);

// A QImage of 8-bit display data in the engine's layout (blue-green-red, rows padded to 4 bytes,
// stored bottom-up), turned the right way up. A null image for missing data.
QImage displayImage(const uint8_t* bits, int32_t width, int32_t height);
// The same of a session's 8-bit pixels (for a 16-bit picture its display copy, which must have
// been refreshed after the engine wrote the 16-bit pixels).
QImage displayCopyImage(imaging::Handle session);

}  // namespace core
