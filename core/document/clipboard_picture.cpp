#include "core/document/clipboard_picture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace core {

namespace {

QClipboard* clipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::clipboard()
               : nullptr;
}

}  // namespace

bool clipboardHasPicture() {
    QClipboard* board = clipboard();
    if (!board) return false;
    const QMimeData* data = board->mimeData();
    return data && data->hasImage();
}

QImage clipboardPicture() {
    QClipboard* board = clipboard();
    return board ? board->image() : QImage();
}

bool putOnClipboard(const QImage& picture) {
    QClipboard* board = clipboard();
    if (!board || picture.isNull()) return false;
    board->setImage(picture);
    return true;
}

}  // namespace core
