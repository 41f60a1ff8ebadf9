// The marks drawn over a preview pane: the sampling frame around a picked block and the marking
// shape (an eye box or an area being drawn). Positions are pane pixels, the pane being the
// picture as the view shows it; the overlay follows the view's size and lets the pointer through.
#pragma once

#include <QRect>
#include <QWidget>
#include <optional>

namespace app {

class PictureView;

class PreviewOverlay : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewOverlay(PictureView* view);

    void setSamplingFrame(const QRect& frame);
    void hideSamplingFrame();
    // ellipse: an ellipse in the rectangle, else the rectangle itself.
    void setShape(const QRect& shape, bool ellipse);
    void hideShape();
    void hideAll();

    const std::optional<QRect>& samplingFrame() const { return frame_; }
    const std::optional<QRect>& shape() const { return shape_; }
    bool shapeIsEllipse() const { return ellipse_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    PictureView* view_;
    std::optional<QRect> frame_;
    std::optional<QRect> shape_;
    bool ellipse_ = true;
};

}  // namespace app
