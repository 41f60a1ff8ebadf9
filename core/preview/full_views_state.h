// The two full views of the viewing mode as one state: the zoom code they share, each view's
// scale and geometry, a zoom of both in the order the window applies it, the views following
// each other's scrolling, dragging with the pointer, the frames mode and the comparison rule.
#pragma once

#include <cstdint>
#include <optional>

#include "core/preview/full_view_geometry.h"
#include "core/preview/zoom_list.h"

namespace core {

enum class ViewSide : int32_t { Source = 0, Output = 1 };

// 1 source only, 2 output only, 3 both side by side.
enum class FramesMode : int32_t { SourceOnly = 1, OutputOnly = 2, Both = 3 };

// Single frame shows the output when there is one, else the source.
FramesMode framesModeFor(bool doubleFrames, bool outputPresent);
inline bool sourceShown(FramesMode mode) {
    return mode != FramesMode::OutputOnly;
}
inline bool outputShown(FramesMode mode) {
    return mode != FramesMode::SourceOnly;
}

// A press on the output view shows the source there while an output exists and the output
// pane is shown.
bool comparesOnPress(bool outputPresent, FramesMode mode);

struct ScrollPosition {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const ScrollPosition&) const = default;
};

// What one view needs for a zoom: whether its pane is shown, the pane's client size and the
// picture's size.
struct ViewInput {
    bool shown = false;
    PictureSize pane;
    PictureSize picture;
};

// Where a zoomed view is laid out.
struct ViewLayout {
    double scale = 1;
    PictureSize control;  // the zoomed picture (the scroll range)
    ViewBox box;
    ViewGeometry geometry;
};

class FullViewsState {
  public:
    int32_t zoomCode() const { return code_; }
    // cmbZoom's selection; the next zoom recomputes with it.
    void setZoomCode(int32_t code) { code_ = viewZoomIndex(code) < 0 ? kZoomFitWindow : code; }

    double scale(ViewSide side) const { return view(side).scale; }
    const ViewGeometry& geometry(ViewSide side) const { return view(side).geometry; }
    // The scale of the last zoomed view (for the hint and the zoom commands' limits).
    double lastScale() const { return lastScale_; }

    // Zooms the shown views: the source first, then the output (recomputed when the source
    // already stepped the code). A hidden view takes the shown one's geometry, so that showing
    // it later keeps the same place. Both keep the centre of the
    // source's geometry, so that the two views stay on the same place. Returns the layout of
    // each shown view.
    struct Zoomed {
        std::optional<ViewLayout> source;
        std::optional<ViewLayout> output;
    };
    Zoomed zoom(ZoomChange change, const ViewInput& source, const ViewInput& output,
                int32_t scrollBarRoom = kScrollBarRoom);

    // A view's scroll position as the window sees it. When it differs from the stored one the
    // new position is stored and returned for the other view to follow (and stored for it, as
    // the other view is set to it); nothing when the view did not move.
    std::optional<ScrollPosition> scrolled(ViewSide side, int32_t x, int32_t y);

    // Dragging a view: pointer and scroll positions at the press, then the scroll positions for
    // a pointer position: start + (start pointer - pointer) * accelerator (1..10), within the
    // scroll range.
    void startDrag(ViewSide side, int32_t pointerX, int32_t pointerY);
    bool dragging() const { return drag_.has_value(); }
    std::optional<ScrollPosition> dragTo(int32_t pointerX, int32_t pointerY,
                                         int32_t accelerator) const;
    void endDrag() { drag_.reset(); }

  private:
    struct View {
        double scale = 1;
        ViewGeometry geometry;
    };
    struct Drag {
        ViewSide side;
        int32_t pointerX, pointerY, scrollX, scrollY;
    };
    View& view(ViewSide side) { return side == ViewSide::Source ? source_ : output_; }
    const View& view(ViewSide side) const { return side == ViewSide::Source ? source_ : output_; }
    ViewLayout zoomOne(View& v, ZoomChange change, const ViewInput& input, int32_t room);

    int32_t code_ = kZoomFitWindow;
    View source_;
    View output_;
    double lastScale_ = 1;
    std::optional<Drag> drag_;
};

}  // namespace core
