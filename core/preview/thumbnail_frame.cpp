#include "core/preview/thumbnail_frame.h"

#include <algorithm>

#include "core/i18n/language.h"

namespace core {

namespace {

int32_t scaled(int32_t v, int32_t to, int32_t from) {
    return static_cast<int32_t>(int64_t(v) * to / std::max(from, 1));
}

double clampCentre(double c, int32_t length, int32_t sourceLength) {
    const double low = length / 2.0;
    const double high = std::max(low, sourceLength - length / 2.0);
    return std::clamp(c, low, high);
}

}  // namespace

PixelRect thumbnailFrame(const PreviewRegion& region, PictureSize source, PictureSize thumbnail) {
    return {scaled(region.left, thumbnail.width, source.width),
            scaled(region.top, thumbnail.height, source.height),
            scaled(region.width, thumbnail.width, source.width),
            scaled(region.height, thumbnail.height, source.height)};
}

QString thumbnailHint(const TextLookup& texts, const PreviewRegion& region) {
    return fillPlaceholders(texts("ALS_SELECT_PREVIEW_AREA"),
                            {QString::number(region.width), QString::number(region.height)});
}

RegionCentre centreFromThumbnail(int32_t tx, int32_t ty, PictureSize thumbnail, PictureSize source,
                                 PictureSize regionSize) {
    if (thumbnail.width <= 0 || thumbnail.height <= 0)
        return {source.width / 2.0, source.height / 2.0};
    tx = std::clamp(tx, 0, thumbnail.width - 1);
    ty = std::clamp(ty, 0, thumbnail.height - 1);
    const double f = double(source.width) / thumbnail.width;
    return {clampCentre(tx * f, regionSize.width, source.width),
            clampCentre(ty * f, regionSize.height, source.height)};
}

PreviewRegion regionFromThumbnail(const PreviewRegion& current, int32_t tx, int32_t ty,
                                  PictureSize thumbnail, PictureSize source) {
    const RegionCentre c =
        centreFromThumbnail(tx, ty, thumbnail, source, {current.width, current.height});
    PreviewRegion r = current;
    r.centreX = c.x;
    r.centreY = c.y;
    r.left = clampedRegionStart(c.x, r.width, source.width);
    r.top = clampedRegionStart(c.y, r.height, source.height);
    return r;
}

}  // namespace core
