// The crop view: the straightened picture with the crop frame over it. Outside the frame the
// picture is darkened; the frame has handles on its corners and edges. Dragging inside the frame
// moves it, dragging a handle sizes it (kept to the proportion in force and never smaller than
// its least size on screen), and a plain drag outside the frame turns the picture about the
// view's centre. The view holds the frame only while it is dragged; the crop tab owns it.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "core/crop/crop_frame.h"
#include "core/crop/crop_view_geometry.h"

namespace app {

class CropView : public QWidget {
    Q_OBJECT
  public:
    explicit CropView(QWidget* parent = nullptr);

    // The straightened picture as shown (any scale) and the size of the picture the frame is
    // measured in.
    void setPicture(const QImage& shown, core::PixelSize pictureSize);
    void clearPicture();
    bool hasPicture() const { return !shown_.isNull(); }
    core::PixelSize pictureSize() const { return pictureSize_; }

    void setFrame(const core::CropFrame& frame);
    const core::CropFrame& frame() const { return frame_; }
    void setProportion(const core::CropProportion& proportion);

    // false: the whole picture fits the view; true: the frame with its margin does.
    void setZoomToSelection(bool on);
    bool zoomToSelection() const { return zoomToSelection_; }

    core::CropViewMapping mapping() const;
    QRectF frameOnScreen() const { return mapping().toScreen(frame_); }
    // The frame's least size on screen at the current scale and proportion.
    core::PixelSize minimumOnScreen() const;
    // Where the frame may go on screen: the whole view, or while zoomed to the selection the part
    // of it the picture covers.
    core::PixelSize viewArea() const;

  signals:
    // The frame after a move or a resize, when the button is let go.
    void frameChanged(const core::CropFrame& frame);
    // A drag outside the frame turned by this much (degrees, a multiple of the step).
    void turnRequested(double degrees);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void rescale();
    void turnTick();
    core::PixelSize minimumInPicture(const core::CropViewMapping& m) const;

    QImage shown_;
    QImage scaled_;  // shown_ at the view's scale, made when the scale changes
    core::PixelSize pictureSize_;
    core::CropFrame frame_;
    core::CropProportion proportion_;
    bool zoomToSelection_ = false;

    // A drag in progress: the grip, where it began, and the view's mapping at its start (a view
    // zoomed to the selection keeps still while the frame moves).
    core::CropGrip grip_ = core::CropGrip::None;
    bool turning_ = false;
    QPointF pressAt_;
    QPointF pointer_;
    core::CropFrame startFrame_;
    core::CropViewMapping dragMapping_;
    double turned_ = 0;  // the snapped turn already asked for during this drag
    QTimer turnTimer_;   // samples the pointer every 100 ms while turning
};

}  // namespace app
