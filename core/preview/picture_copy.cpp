#include "core/preview/picture_copy.h"

#include <cstring>
#include <vector>

#include "imaging/image.h"

namespace core {

bool holdsPicture(imaging::Handle session) {
    imaging::ImageInfo info;
    return session && imaging::cGetImageInfo(session, info) && info.width > 0 && info.height > 0;
}

bool copyPicture(imaging::Handle source, imaging::Handle target) {
    if (source == target) return holdsPicture(source);
    imaging::cUnload(target);
    imaging::ImageInfo info;
    if (!imaging::cGetImageInfo(source, info) || info.width <= 0 || info.height <= 0) return false;
    bool loaded = false;
    if (const uint16_t* wide = imaging::cGetBits16Ptr(source)) {
        const std::size_t bytes =
            imaging::stride16Samples(info.width) * std::size_t(info.height) * sizeof(uint16_t);
        loaded = imaging::cLoadImage16(target, wide, bytes, info.width, info.height);
    } else if (const uint8_t* narrow = imaging::cGetBitsPtr(source)) {
        const std::size_t bytes = imaging::stride8(info.width) * std::size_t(info.height);
        loaded = imaging::cLoadImage8(target, narrow, bytes, info.width, info.height);
    }
    if (!loaded) {
        imaging::cUnload(target);
        return false;
    }
    const std::vector<uint8_t> profile = imaging::cGetImageICCProfile(source);
    imaging::cLoadICCProfile(target, profile.empty() ? nullptr : profile.data(), profile.size());
    return true;
}

QImage displayImage(const uint8_t* bits, int32_t width, int32_t height) {
    if (!bits || width <= 0 || height <= 0) return {};
    QImage image(width, height, QImage::Format_BGR888);
    if (image.isNull()) return {};
    const std::size_t stride = imaging::stride8(width);
    const std::size_t rowBytes = std::size_t(width) * 3;
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), bits + std::size_t(height - 1 - y) * stride, rowBytes);
    return image;
}

QImage displayCopyImage(imaging::Handle session) {
    imaging::ImageInfo info;
    if (!imaging::cGetImageInfo(session, info)) return {};
    return displayImage(imaging::cGetBitsPtr(session), info.width, info.height);
}

}  // namespace core
