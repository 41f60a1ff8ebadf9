#include "window_photos.h"

#include <algorithm>
#include <cstdint>

#include "imaging/imaging.h"

namespace bench {

namespace {

// Noise of about the given deviation (16-bit units) from a sum of four uniform numbers: close
// enough to a Gaussian for the noise detector, and fast for 72 million samples.
class SensorNoise {
  public:
    explicit SensorNoise(double deviation) : scale_(deviation * 1.7320508 / 2.0) {}
    int next() {
        double sum = 0;
        for (int i = 0; i < 4; ++i)
            sum += uniform();
        return int((sum - 2.0) * 2.0 * scale_);
    }

  private:
    double uniform() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return double(state_ >> 11) / double(uint64_t(1) << 53);
    }
    uint64_t state_ = 0x9E3779B97F4A7C15ull;
    double scale_;
};

std::string reason(imaging::Handle h, const char* step) {
    return std::string(step) + ": " + imaging::cGetLastError(h);
}

bool makePhotos(imaging::Handle h, const std::string& sample, const WindowPhotos& photos,
                std::string& error) {
    if (!imaging::cSet16BitComponentOptions(h, true, true) || !imaging::cLoadImage(h, sample)) {
        error = reason(h, "reading the sample");
        return false;
    }
    if (!imaging::cOpIncreaseBitsPerPixel(h, 48) ||
        !imaging::cOpResizeEx(h, kPhotoWidth, kPhotoHeight, imaging::kFilterBilinear)) {
        error = reason(h, "scaling the sample");
        return false;
    }
    uint16_t* samples = imaging::cGetBits16Ptr(h);
    if (!samples) {
        error = "the scaled sample has no 16-bit pixels";
        return false;
    }
    // Deviation 4 in 8-bit units: a photo at a middling ISO.
    SensorNoise noise(4.0 * 256);
    const size_t count = size_t(kPhotoWidth) * kPhotoHeight * 3;
    for (size_t i = 0; i < count; ++i)
        samples[i] = uint16_t(std::clamp(int(samples[i]) + noise.next(), 0, 65535));
    if (!imaging::cRefreshDisplayData(h)) {
        error = reason(h, "refreshing the display copy");
        return false;
    }
    if (!imaging::cSave(h, photos.tiff16.toStdString(), imaging::kCodeTiff)) {
        error = reason(h, "writing the TIFF");
        return false;
    }
    if (!imaging::cSetJPEGParams(h, 90, 1.0, false, 0) ||
        !imaging::cSave(h, photos.jpeg.toStdString(), imaging::kCodeJpeg)) {
        error = reason(h, "writing the JPEG");
        return false;
    }
    return true;
}

}  // namespace

bool writeWindowPhotos(const QString& samplePath, const QString& folder, WindowPhotos& photos,
                       QString& error) {
    photos.tiff16 = folder + QStringLiteral("/photo16.tif");
    photos.jpeg = folder + QStringLiteral("/photo.jpg");
    const imaging::Handle h = imaging::cNewSession();
    if (!h) {
        error = QString::fromStdString(imaging::cGetLastError(0));
        return false;
    }
    std::string why;
    const bool ok = makePhotos(h, samplePath.toStdString(), photos, why);
    imaging::cDestroySession(h);
    if (!ok) error = QString::fromStdString(why);
    return ok;
}

}  // namespace bench
