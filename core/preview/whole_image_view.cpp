#include "core/preview/whole_image_view.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace core {

ReducedCopySize reducedCopySize(PictureSize source, PictureSize workArea) {
    if (source.width <= 0 || source.height <= 0 || workArea.width <= 0 || workArea.height <= 0)
        return {source, false};
    // s = num / den, kept as a fraction so that the side that fits is met exactly.
    int64_t num = workArea.height, den = source.height;
    if (int64_t(workArea.width) * source.height < int64_t(workArea.height) * source.width) {
        num = workArea.width;
        den = source.width;
    }
    if (5 * num >= 4 * den) return {source, false};  // s >= 0.8
    const auto side = [num, den](int32_t v) {
        return std::max<int32_t>(1, static_cast<int32_t>(v * num / den));
    };
    return {{side(source.width), side(source.height)}, true};
}

PixelRect fittedPlacement(PictureSize picture, PictureSize pane, PreviewTab tab) {
    if (picture.width <= 0 || picture.height <= 0) return {};
    double fit = std::min(double(pane.width) / picture.width, double(pane.height) / picture.height);
    if (tab == PreviewTab::Text || tab == PreviewTab::Crop) fit *= kMarginFitFactor;
    PixelRect p;
    p.width = static_cast<int32_t>(std::lround(picture.width * fit));
    p.height = static_cast<int32_t>(std::lround(picture.height * fit));
    p.left = (pane.width - p.width) / 2;
    p.top = (pane.height - p.height) / 2;
    return p;
}

}  // namespace core
