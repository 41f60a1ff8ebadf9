// The 24-megapixel photos the window benchmarks open: the sample picture scaled up to 6000 by
// 4000 with sensor-like noise added, written through the imaging layer as a 16-bit TIFF and as a
// JPEG. Made at every run into a temporary folder, so that no large file is kept.
#pragma once

#include <QString>

namespace bench {

inline constexpr int kPhotoWidth = 6000;
inline constexpr int kPhotoHeight = 4000;

struct WindowPhotos {
    QString tiff16;  // 16 bits a sample, uncompressed
    QString jpeg;    // quality 90
};

// Writes both photos into folder from the sample picture; false with a reason when the sample
// cannot be read or a file cannot be written.
bool writeWindowPhotos(const QString& samplePath, const QString& folder, WindowPhotos& photos,
                       QString& error);

}  // namespace bench
