// The small copy of the source the tuning mode shows above its tabs, with the previewed region
// framed on it.
#pragma once

#include <QImage>

namespace core {

inline constexpr int kThumbnailSide = 300;  // the longer side at most, in pixels

// Made in two steps, a fast reduction to twice the size and then a smooth one, so that a
// 24-megapixel picture is not filtered as a whole. A null picture gives a null one.
QImage thumbnailPicture(const QImage& source);

}  // namespace core
