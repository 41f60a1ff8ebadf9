#include "core/crop/crop_and_resize.h"

#include <algorithm>
#include <utility>

#include "core/crop/crop_controls.h"
#include "core/crop/crop_tables.h"
#include "core/crop/resampling_method.h"
#include "core/crop/straightening.h"

namespace core {

namespace {

bool coversWhole(const CropFrame& f, int32_t w, int32_t h) {
    return f.width == w && f.height == h;
}

bool landscape(int32_t w, int32_t h) {
    return w >= h;
}

// The frame of a queue item that fits each picture: the size turned to this picture's
// orientation, then the largest frame of either orientation.
std::optional<CropPlan> planForEachPicture(const SettingsBlock& g, int32_t w, int32_t h) {
    CropSizeChoice c = cropSizeChoice(g);
    CropPlan plan;
    if (c.sizeKind == kCropUser) {
        if (c.userResizeOn) {
            int32_t uw = c.userWidth, uh = c.userHeight;
            if (uw > 0 && uh > 0) {
                const int32_t longer = std::max(uw, uh), shorter = std::min(uw, uh);
                uw = landscape(w, h) ? longer : shorter;
                uh = landscape(w, h) ? shorter : longer;
            } else if (landscape(g.CropImageWidth, g.CropImageHeight) != landscape(w, h)) {
                std::swap(uw, uh);
            }
            // The frame keeps the proportion of the turned size, so the resize never distorts.
            c.userWidth = uw;
            c.userHeight = uh;
            plan.resize = derivedUserSize(uw, uh, w, h);
        }
    } else {
        plan.resize = resizeSize(c, /*portrait=*/false, w, h);
        if (landscape(w, h) != landscape(plan.resize.width, plan.resize.height) && w != h)
            std::swap(plan.resize.width, plan.resize.height);
    }
    plan.frame = fitFrame({}, w, h, c, CropOrientation::Either);
    if (coversWhole(plan.frame, w, h) && plan.resize.width <= 0) return std::nullopt;
    return plan;
}

Failure imagingFailure(const Failure& f) {
    return failure("ALS_DLL_EXCEPTION", f.detail);
}

}  // namespace

std::optional<CropPlan> planCropAndResize(const SettingsBlock& g, int32_t w, int32_t h,
                                          CropMode mode) {
    if (g.CropOn == 0 || w < kMinimumFrameSide || h < kMinimumFrameSide) return std::nullopt;
    if (mode == CropMode::QueueItem && g.CropFitEachImage != 0) return planForEachPicture(g, w, h);
    if (g.CropImageWidth != w || g.CropImageHeight != h) return std::nullopt;
    CropPlan plan;
    plan.angle = g.CropAngle / 1000.0;
    plan.frame = {g.CropRect[0], g.CropRect[1], g.CropRect[2], g.CropRect[3]};
    if (g.CropTargetWidth > 0 && g.CropTargetHeight > 0)
        plan.resize = {g.CropTargetWidth, g.CropTargetHeight};
    if (coversWhole(plan.frame, w, h) && plan.resize.width <= 0 && plan.angle == 0.0)
        return std::nullopt;
    return plan;
}

Result<bool> applyCropAndResize(const SettingsBlock& group, CropPicture& picture, CropMode mode) {
    const std::optional<CropPlan> plan =
        planCropAndResize(group, picture.width(), picture.height(), mode);
    if (!plan) return false;
    bool done = false;
    if (plan->angle != 0.0) {
        if (Status s = rotatePixels(picture.pixels(), plan->angle); !s) return s.failure();
        done = true;
    }
    const int32_t w = picture.width(), h = picture.height();
    const CropFrame& f = plan->frame;
    if (!f.empty() && !coversWhole(f, w, h)) {
        // A frame reaching outside the picture (a record not written by the program) is cut to
        // the picture rather than refused.
        const int32_t left = std::clamp(f.left, 0, w - 1), top = std::clamp(f.top, 0, h - 1);
        const int32_t right = std::clamp(f.left + f.width - 1, left, w - 1);
        const int32_t bottom = std::clamp(f.top + f.height - 1, top, h - 1);
        if (Status s = picture.crop(left, top, right, bottom); !s)
            return imagingFailure(s.failure());
        done = true;
    }
    if (plan->resize.width > 0 && plan->resize.height > 0) {
        const int32_t method = mode == CropMode::Preview ? kResampleBilinear : kResampleMitchell;
        if (Status s = picture.resize(plan->resize.width, plan->resize.height, method); !s)
            return imagingFailure(s.failure());
        done = true;
    }
    if (done) picture.refreshDisplayData();
    return done;
}

Result<bool> applyCropGroupToDisplayCopy(const SettingsBlock& g, int32_t sourceWidth,
                                         int32_t sourceHeight, CropPicture& copy,
                                         std::optional<PixelSize> fitScreen) {
    bool done = false;
    if (g.CropAngle != 0) {
        if (Status s = rotatePixels(copy.pixels(), g.CropAngle / 1000.0); !s) return s.failure();
        copy.refreshDisplayData();
        done = true;
    }
    const CropFrame f{g.CropRect[0], g.CropRect[1], g.CropRect[2], g.CropRect[3]};
    const int32_t cw = copy.width(), ch = copy.height();
    if (g.CropOn != 0 && !f.empty() && !(f.width == sourceWidth && f.height == sourceHeight) &&
        sourceWidth > 0 && sourceHeight > 0 && cw >= 2 && ch >= 2) {
        const float fx = float(cw) / float(sourceWidth), fy = float(ch) / float(sourceHeight);
        const int32_t left = std::clamp(roundToInt(f.left * fx), 0, cw - 2);
        const int32_t top = std::clamp(roundToInt(f.top * fy), 0, ch - 2);
        int32_t right = std::clamp(roundToInt(fx * float(f.left + f.width - 1)), 0, cw - 1);
        int32_t bottom = std::clamp(roundToInt(fy * float(f.top + f.height - 1)), 0, ch - 1);
        if (right <= left) right = left + 1;
        if (bottom <= top) bottom = top + 1;
        if (Status s = copy.crop(left, top, right, bottom); !s) return imagingFailure(s.failure());
        done = true;
    }
    if (fitScreen && fitScreen->width > 0 && fitScreen->height > 0) {
        const float s = std::min(float(fitScreen->height) / float(copy.height()),
                                 float(fitScreen->width) / float(copy.width()));
        if (s < 0.8f || s > 1.2f) {
            const int32_t w = std::max(1, roundToInt(copy.width() * s));
            const int32_t h = std::max(1, roundToInt(copy.height() * s));
            if (Status r = copy.resize(w, h, kResampleNearest); !r)
                return imagingFailure(r.failure());
            done = true;
        }
    }
    return done;
}

void prepareForEachPicture(SettingsBlock& s) {
    if (s.CropPaperIndex < 0 || s.CropPaperIndex >= kPaperRows) s.CropPaperIndex = 0;
    if (s.CropWebIndex < 0 || s.CropWebIndex >= kWebRows) s.CropWebIndex = 0;
    if (s.CropSizeKind == kCropUser &&
        (s.CropUserResizeOn == 0 || (s.CropUserWidth <= 0 && s.CropUserHeight <= 0)))
        s.CropOn = 0;
    s.CropFitEachImage = s.CropOn != 0 ? 1 : 0;
}

}  // namespace core
