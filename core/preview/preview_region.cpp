#include "core/preview/preview_region.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

// Rounding as the rest of the program rounds: halves go to the even neighbour.
int32_t roundEven(double v) {
    return static_cast<int32_t>(std::nearbyint(v));
}

int32_t clampStart(int64_t start, int32_t length, int32_t sourceLength) {
    const int64_t last = std::max<int64_t>(0, int64_t(sourceLength) - length);
    return static_cast<int32_t>(std::clamp<int64_t>(start, 0, last));
}

int32_t regionSide(int32_t sourceSide, int32_t paneSide, int32_t zoomPercent) {
    const int64_t shown = int64_t(std::max(paneSide, 0)) * 100 / std::max(zoomPercent, 1);
    return static_cast<int32_t>(
        std::max<int64_t>(kMinimumRegionSide, std::min<int64_t>(sourceSide, shown)));
}

}  // namespace

QString previewZoomItemText(int32_t index) {
    return QStringLiteral("%1%").arg(previewZoomPercent(index));
}

int32_t previewZoomPercent(int32_t index) {
    if (index < 0 || index >= int32_t(kPreviewZooms.size())) index = kDefaultPreviewZoomIndex;
    return kPreviewZooms[std::size_t(index)];
}

PictureSize regionSize(PictureSize source, PictureSize pane, int32_t zoomPercent) {
    return {regionSide(source.width, pane.width, zoomPercent),
            regionSide(source.height, pane.height, zoomPercent)};
}

int32_t clampedRegionStart(double centre, int32_t length, int32_t sourceLength) {
    return clampStart(roundEven(centre - length / 2.0), length, sourceLength);
}

PreviewRegion regionAround(double centreX, double centreY, PictureSize source, PictureSize pane,
                           int32_t zoomPercent) {
    const PictureSize size = regionSize(source, pane, zoomPercent);
    PreviewRegion r;
    r.width = size.width;
    r.height = size.height;
    r.centreX = centreX;
    r.centreY = centreY;
    r.left = clampedRegionStart(centreX, r.width, source.width);
    r.top = clampedRegionStart(centreY, r.height, source.height);
    return r;
}

PreviewRegion centredRegion(PictureSize source, PictureSize pane, int32_t zoomPercent) {
    return regionAround(source.width / 2.0, source.height / 2.0, source, pane, zoomPercent);
}

PixelRect previewPlacement(const PreviewRegion& region, PictureSize pane, int32_t zoomPercent) {
    PixelRect p;
    p.width = static_cast<int32_t>(int64_t(region.width) * zoomPercent / 100);
    p.height = static_cast<int32_t>(int64_t(region.height) * zoomPercent / 100);
    p.left = (pane.width - p.width) / 2;
    p.top = (pane.height - p.height) / 2;
    return p;
}

PreviewRegion draggedRegion(const PreviewDrag& drag, int32_t x, int32_t y, int32_t previewWidth,
                            int32_t previewHeight, int32_t accelerator, PictureSize source) {
    const int64_t a = std::clamp(accelerator, 1, 10);
    PreviewRegion r = drag.start;
    const int64_t dx =
        int64_t(r.width) * a * (int64_t(drag.startX) - x) / std::max(previewWidth, 1);
    const int64_t dy =
        int64_t(r.height) * a * (int64_t(drag.startY) - y) / std::max(previewHeight, 1);
    r.left = clampStart(drag.start.left + dx, r.width, source.width);
    r.top = clampStart(drag.start.top + dy, r.height, source.height);
    r.centreX = r.left + r.width / 2.0;
    r.centreY = r.top + r.height / 2.0;
    return r;
}

}  // namespace core
