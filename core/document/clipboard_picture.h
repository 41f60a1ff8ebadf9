// The picture on the system clipboard. Only the GUI thread may touch the clipboard: it takes
// the QImage handed over by the engine thread (pictureImage of the output), or reads one that the
// engine thread then loads (loadPictureImage).
#pragma once

#include <QImage>

namespace core {

// Whether the clipboard holds a picture (paste is offered only then). Needs a QGuiApplication.
bool clipboardHasPicture();
// The clipboard's picture; null when it holds none.
QImage clipboardPicture();
// Puts the picture on the clipboard; false for a null image or without a QGuiApplication.
bool putOnClipboard(const QImage& picture);

}  // namespace core
