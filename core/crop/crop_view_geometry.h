// The crop view on screen as arithmetic: where the picture is shown at each zoom, which part of
// the frame the pointer holds, the frame after a move or a resize by its handles, and the turn
// of a drag around the view's centre.
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <cstdint>

#include "core/crop/crop_frame.h"

namespace core {

// The frame's handles are squares of this size (screen pixels) on its corners and edge middles.
inline constexpr double kFrameHandleSize = 5.0;

// The part of the picture the fit-to-selection zoom shows: the frame widened on every side by the
// larger of 20 pixels and a tenth of its larger side, within the picture.
QRect selectionArea(const CropFrame& frame, int32_t imageWidth, int32_t imageHeight);

// A part of the picture fitted and centred into the view: screen = (picture - area's top left)
// x scale + offset.
struct CropViewMapping {
    double scale = 0;  // screen pixels per picture pixel
    QPointF areaOrigin;
    QPointF offset;

    QPointF toScreen(QPointF picture) const { return (picture - areaOrigin) * scale + offset; }
    QPointF toPicture(QPointF screen) const {
        return scale > 0 ? (screen - offset) / scale + areaOrigin : areaOrigin;
    }
    QRectF toScreen(const CropFrame& f) const;
};
CropViewMapping fitAreaIntoView(const QRectF& area, const QSizeF& view);

enum class CropGrip {
    None,  // outside the frame
    Move,  // inside it
    Left,
    Right,
    Top,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
};

// What the pointer (screen) holds of the frame drawn at frameOnScreen: a handle when it is
// within the handle size of a corner or an edge, the frame itself inside it, else nothing.
CropGrip gripAt(const QRectF& frameOnScreen, QPointF point);

// The frame after its grip was dragged by (dx, dy) picture pixels from where it started. A move
// keeps the size and stays inside the picture. A resize keeps the opposite side (an edge also
// keeps the frame's middle across), is never smaller than minimum (picture pixels) and keeps the
// proportion by the same smaller change as a dragged size.
CropFrame draggedFrame(const CropFrame& start, CropGrip grip, double dx, double dy,
                       const CropProportion& proportion, PixelSize minimum, int32_t imageWidth,
                       int32_t imageHeight);

// The degrees the pointer turned about centre from one point to another (screen coordinates,
// rows downwards); positive when it turned clockwise as seen, within (-180, 180].
double pointerTurn(QPointF centre, QPointF from, QPointF to);

}  // namespace core
