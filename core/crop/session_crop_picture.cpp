#include "core/crop/session_crop_picture.h"

#include <QString>

#include "core/crop/resampling_method.h"

namespace core {

namespace {

Failure sessionFailure(imaging::Handle h) {
    return failure("ALS_DLL_EXCEPTION", QString::fromStdString(imaging::cGetLastError(h)));
}

}  // namespace

Status cropSession(imaging::Handle h, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (!imaging::cSetOpRectangle(h, left, top, right, bottom)) return sessionFailure(h);
    // The crop clears the rectangle, so later operations apply to the whole picture again.
    if (!imaging::cOpCrop(h)) return sessionFailure(h);
    return {};
}

Status resizeSession(imaging::Handle h, int32_t width, int32_t height, int32_t methodCode) {
    const std::optional<int> filter = imagingFilter(methodCode);
    if (!filter)
        return failure("ALS_DLL_EXCEPTION",
                       QStringLiteral("no resampling method %1").arg(methodCode));
    if (!imaging::cOpResizeEx(h, width, height, *filter)) return sessionFailure(h);
    return {};
}

SessionCropPicture::SessionCropPicture(imaging::Handle h) : h_(h) {
    imaging::cGetImageInfo(h_, info_);
}

bool SessionCropPicture::is16Bit() const {
    return imaging::cGetBits16Ptr(h_) != nullptr;
}

PixelView SessionCropPicture::pixels() {
    if (uint16_t* wide = imaging::cGetBits16Ptr(h_)) return {wide, info_.width, 2, info_.height};
    return {imaging::cGetBitsPtr(h_), info_.width, 1, info_.height};
}

void SessionCropPicture::refreshDisplayData() {
    imaging::cRefreshDisplayData(h_);
}

Status SessionCropPicture::crop(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    Status s = cropSession(h_, left, top, right, bottom);
    imaging::cGetImageInfo(h_, info_);
    return s;
}

Status SessionCropPicture::resize(int32_t width, int32_t height, int32_t methodCode) {
    Status s = resizeSession(h_, width, height, methodCode);
    imaging::cGetImageInfo(h_, info_);
    return s;
}

}  // namespace core
