#include "core/preview/full_views_state.h"

#include <algorithm>

namespace core {

FramesMode framesModeFor(bool doubleFrames, bool outputPresent) {
    if (doubleFrames) return FramesMode::Both;
    return outputPresent ? FramesMode::OutputOnly : FramesMode::SourceOnly;
}

bool comparesOnPress(bool outputPresent, FramesMode mode) {
    return outputPresent && outputShown(mode);
}

ViewLayout FullViewsState::zoomOne(View& v, ZoomChange change, const ViewInput& input,
                                   int32_t room) {
    const ZoomStepResult step = zoomStep(code_, v.scale, change, input.pane, input.picture, room);
    code_ = step.code;
    ViewLayout layout;
    layout.scale = step.scale;
    layout.control = zoomedSize(input.picture, step.scale);
    layout.box = viewBox(layout.control, input.pane, room);
    // Both views keep the place of the source view.
    layout.geometry = zoomedGeometry(source_.geometry, layout.control, layout.box.visible);
    v.scale = step.scale;
    v.geometry = layout.geometry;
    lastScale_ = step.scale;
    return layout;
}

FullViewsState::Zoomed FullViewsState::zoom(ZoomChange change, const ViewInput& source,
                                            const ViewInput& output, int32_t scrollBarRoom) {
    Zoomed z;
    bool stepped = false;
    if (source.shown) {
        z.source = zoomOne(source_, change, source, scrollBarRoom);
        stepped = true;
        if (!output.shown) output_ = source_;
    }
    if (output.shown) {
        // The output keeps the centre of the source's geometry: a hidden source has the output's.
        if (!source.shown) source_ = output_;
        z.output =
            zoomOne(output_, stepped ? ZoomChange::Recompute : change, output, scrollBarRoom);
        if (!source.shown) source_ = output_;
    }
    return z;
}

std::optional<ScrollPosition> FullViewsState::scrolled(ViewSide side, int32_t x, int32_t y) {
    View& moved = view(side);
    if (moved.geometry.scrollX == x && moved.geometry.scrollY == y) return std::nullopt;
    moved.geometry.scrollX = x;
    moved.geometry.scrollY = y;
    View& other = view(side == ViewSide::Source ? ViewSide::Output : ViewSide::Source);
    other.geometry.scrollX =
        std::clamp(x, 0, maxScroll(other.geometry.control.width, other.geometry.visible.width));
    other.geometry.scrollY =
        std::clamp(y, 0, maxScroll(other.geometry.control.height, other.geometry.visible.height));
    return ScrollPosition{other.geometry.scrollX, other.geometry.scrollY};
}

void FullViewsState::startDrag(ViewSide side, int32_t pointerX, int32_t pointerY) {
    const ViewGeometry& g = view(side).geometry;
    drag_ = Drag{side, pointerX, pointerY, g.scrollX, g.scrollY};
}

std::optional<ScrollPosition> FullViewsState::dragTo(int32_t pointerX, int32_t pointerY,
                                                     int32_t accelerator) const {
    if (!drag_) return std::nullopt;
    const int32_t a = std::clamp(accelerator, 1, 10);
    const ViewGeometry& g = view(drag_->side).geometry;
    const int64_t x = int64_t(drag_->scrollX) + int64_t(drag_->pointerX - pointerX) * a;
    const int64_t y = int64_t(drag_->scrollY) + int64_t(drag_->pointerY - pointerY) * a;
    return ScrollPosition{static_cast<int32_t>(std::clamp<int64_t>(
                              x, 0, maxScroll(g.control.width, g.visible.width))),
                          static_cast<int32_t>(std::clamp<int64_t>(
                              y, 0, maxScroll(g.control.height, g.visible.height)))};
}

}  // namespace core
