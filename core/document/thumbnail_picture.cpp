#include "core/document/thumbnail_picture.h"

namespace core {

QImage thumbnailPicture(const QImage& source) {
    if (source.isNull()) return {};
    return source
        .scaled(2 * kThumbnailSide, 2 * kThumbnailSide, Qt::KeepAspectRatio, Qt::FastTransformation)
        .scaled(kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace core
