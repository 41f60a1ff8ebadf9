#include "core/fullscreen/screen_copy.h"

#include "core/crop/crop_and_resize.h"
#include "core/crop/resampling_method.h"
#include "core/crop/session_crop_picture.h"
#include "core/fullscreen/full_screen_geometry.h"
#include "core/preview/picture_copy.h"

namespace core {

namespace {

Failure imagingFailureOf(imaging::Handle session) {
    return Failure{QStringLiteral("ALS_DLL_EXCEPTION"),
                   QString::fromStdString(imaging::cGetLastError(session))};
}

}  // namespace

Result<ScreenCopy> prepareScreenCopy(const ScreenCopyRequest& r) {
    if (!copyPicture(r.source, r.copy)) return imagingFailureOf(r.copy);
    SessionCropPicture picture(r.copy);
    if (r.mode == FullScreenMode::Crop) {
        const Result<bool> cropped =
            applyCropGroupToDisplayCopy(r.settings, r.sourceWidth, r.sourceHeight, picture);
        if (!cropped) return cropped.failure();
    }
    const PixelSize size{picture.width(), picture.height()};
    if (r.mode == FullScreenMode::Crop && r.cropKind == CropDisplayKind::RealSize) {
        const PixelSize target = realDisplaySize(r.settings, size, r.screen);
        if (target != size)
            if (Status s = picture.resize(target.width, target.height, kResampleMitchell); !s)
                return s.failure();
    } else if (const std::optional<PixelSize> target =
                   screenCopySizeForPanel(size.width, size.height, r.panelWidth, r.panelHeight)) {
        if (Status s = picture.resize(target->width, target->height, kResampleBilinear); !s)
            return s.failure();
    }
    if (picture.is16Bit()) picture.refreshDisplayData();
    ScreenCopy out;
    out.size = {picture.width(), picture.height()};
    out.display = displayCopyImage(r.copy);
    if (out.display.isNull()) return imagingFailureOf(r.copy);
    return out;
}

}  // namespace core
