#include "core/preview/full_view_geometry.h"

#include <algorithm>
#include <cmath>

#include "core/preview/zoom_list.h"

namespace core {

namespace {

// Scales compare as percentages; this absorbs the error of a scale computed by division.
constexpr double kPercentTolerance = 1e-9;

int32_t roundEven(double v) {
    return static_cast<int32_t>(std::nearbyint(v));
}

double fitWindowScale(PictureSize pane, PictureSize picture) {
    return std::min(double(pane.width) / picture.width, double(pane.height) / picture.height);
}

int32_t zoomOutCode(double percent, double fitScale) {
    // The first entry at or above the current percentage; a view beyond the list (a tiny
    // picture fitted into a large pane) steps to the largest entry.
    size_t i = 0;
    while (i < kViewZoomPercents.size() && kViewZoomPercents[i] < percent - kPercentTolerance)
        ++i;
    const int32_t entry = i == 0 ? kViewZoomPercents[0] : kViewZoomPercents[i - 1];
    // Smaller than the whole picture in the pane is never useful.
    return fitScale > entry / 100.0 ? kZoomFitWindow : entry;
}

int32_t zoomInCode(double percent) {
    // From the end, the first entry at or below the current percentage; the entry after it.
    for (size_t i = kViewZoomPercents.size(); i-- > 0;)
        if (percent + kPercentTolerance >= kViewZoomPercents[i])
            return kViewZoomPercents[std::min(i + 1, kViewZoomPercents.size() - 1)];
    // Below the smallest entry nothing matches: the smallest entry is the next step up.
    return kViewZoomPercents.front();
}

}  // namespace

double viewScale(int32_t code, PictureSize pane, PictureSize picture, int32_t scrollBarRoom) {
    if (picture.width <= 0 || picture.height <= 0) return 1.0;
    const double rW = double(pane.width) / picture.width;
    const double rH = double(pane.height) / picture.height;
    switch (code) {
        case kZoomOriginal:
            return 1.0;
        case kZoomFitWindow:
            return std::min(rW, rH);
        case kZoomFitWidth:
            return double(pane.width - (rW > rH ? scrollBarRoom : 0)) / picture.width;
        case kZoomFitHeight:
            return double(pane.height - (rW < rH ? scrollBarRoom : 0)) / picture.height;
        default:
            return code / 100.0;
    }
}

ZoomStepResult zoomStep(int32_t code, double currentScale, ZoomChange change, PictureSize pane,
                        PictureSize picture, int32_t scrollBarRoom) {
    const double percent = currentScale * 100;
    int32_t next = code;
    if (picture.width > 0 && picture.height > 0) {
        if (change == ZoomChange::Out && percent > kSmallestViewZoom + kPercentTolerance)
            next = zoomOutCode(percent, fitWindowScale(pane, picture));
        else if (change == ZoomChange::In && percent < kLargestViewZoom - kPercentTolerance)
            next = zoomInCode(percent);
    }
    return {next, viewScale(next, pane, picture, scrollBarRoom)};
}

PictureSize zoomedSize(PictureSize picture, double scale) {
    // A hair of tolerance so that 0.29 * 100 is 29, not 28.
    const auto side = [scale](int32_t length) {
        return std::max<int32_t>(0, static_cast<int32_t>(std::floor(length * scale + 1e-7)));
    };
    return {side(picture.width), side(picture.height)};
}

ViewBox viewBox(PictureSize zoomed, PictureSize pane, int32_t scrollBarRoom) {
    ViewBox v;
    v.horizontalBar = zoomed.width > pane.width;
    v.verticalBar = zoomed.height > pane.height;
    // A bar in one direction takes room from the other; that may call for the second bar too.
    if (v.horizontalBar && !v.verticalBar)
        v.verticalBar = zoomed.height > pane.height - scrollBarRoom;
    if (v.verticalBar && !v.horizontalBar)
        v.horizontalBar = zoomed.width > pane.width - scrollBarRoom;
    const int32_t w =
        v.horizontalBar ? pane.width
                        : std::min(pane.width, zoomed.width + (v.verticalBar ? scrollBarRoom : 0));
    const int32_t h =
        v.verticalBar
            ? pane.height
            : std::min(pane.height, zoomed.height + (v.horizontalBar ? scrollBarRoom : 0));
    v.box = {(pane.width - w) / 2, (pane.height - h) / 2, std::max(0, w), std::max(0, h)};
    v.visible = {std::max(0, w - (v.verticalBar ? scrollBarRoom : 0)),
                 std::max(0, h - (v.horizontalBar ? scrollBarRoom : 0))};
    return v;
}

int32_t maxScroll(int32_t controlLength, int32_t visibleLength) {
    return std::max(0, controlLength - visibleLength);
}

int32_t keptScroll(int32_t previousScroll, int32_t previousVisible, int32_t previousLength,
                   int32_t newLength, int32_t newVisible) {
    const int32_t last = maxScroll(newLength, newVisible);
    if (previousLength <= 0) return last / 2;
    const double centre =
        (std::abs(previousScroll) + previousVisible / 2.0) * newLength / previousLength;
    return std::clamp(roundEven(centre - newVisible / 2.0), 0, last);
}

ViewGeometry zoomedGeometry(const ViewGeometry& previous, PictureSize control,
                            PictureSize visible) {
    ViewGeometry g;
    g.control = control;
    g.visible = visible;
    g.scrollX = keptScroll(previous.scrollX, previous.visible.width, previous.control.width,
                           control.width, visible.width);
    g.scrollY = keptScroll(previous.scrollY, previous.visible.height, previous.control.height,
                           control.height, visible.height);
    return g;
}

VisiblePart visiblePart(PictureSize picture, double scale, const ViewGeometry& geometry) {
    VisiblePart part;
    if (picture.width <= 0 || picture.height <= 0 || scale <= 0) return part;
    const int32_t x = std::clamp(geometry.scrollX, 0, maxScroll(geometry.control.width, 0));
    const int32_t y = std::clamp(geometry.scrollY, 0, maxScroll(geometry.control.height, 0));
    part.target = {0, 0, std::min(geometry.visible.width, geometry.control.width - x),
                   std::min(geometry.visible.height, geometry.control.height - y)};
    if (part.empty()) return part;
    part.sourceLeft = x / scale;
    part.sourceTop = y / scale;
    part.sourceWidth = std::min(part.target.width / scale, picture.width - part.sourceLeft);
    part.sourceHeight = std::min(part.target.height / scale, picture.height - part.sourceTop);
    part.originX = static_cast<int32_t>(std::floor(part.sourceLeft));
    part.originY = static_cast<int32_t>(std::floor(part.sourceTop));
    return part;
}

}  // namespace core
