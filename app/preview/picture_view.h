// Shows one picture: fitted into the widget (optionally a little smaller) or at a fixed zoom,
// centred. Only the visible part is scaled, so a 24-megapixel picture repaints quickly.
#pragma once

#include <QImage>
#include <QWidget>

namespace app {

class PictureView : public QWidget {
    Q_OBJECT
  public:
    explicit PictureView(QWidget* parent = nullptr);

    // The picture is shared, not copied (QImage is implicitly shared).
    void setPicture(const QImage& picture);
    void clearPicture();
    const QImage& picture() const { return picture_; }

    // 0 fits the picture into the widget; otherwise the zoom in per cent.
    void setZoom(int percent);
    // The fit leaves this share of the widget free (0.02 for the text and crop tabs).
    void setFitMargin(double share);

    // A rectangle drawn over the picture, in picture pixels (the previewed region on the
    // thumbnail); an empty one draws nothing.
    void setFrame(const QRect& frame);

    // Where the picture is drawn, in widget coordinates.
    QRect pictureRect() const;

    // How many times the widget was painted (the screenshot and responsiveness checks read it).
    int paintCount() const { return paintCount_; }

  signals:
    void pressed(QPoint picturePoint, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void dragged(QPoint picturePoint, Qt::MouseButtons buttons);
    void released(QPoint picturePoint);
    // The same in widget coordinates, for dragging the view's content.
    void pointerPressed(QPoint widgetPoint, Qt::MouseButtons buttons);
    void pointerMoved(QPoint widgetPoint);
    void pointerReleased(QPoint widgetPoint);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPoint toPicture(QPoint widgetPoint) const;

    QImage picture_;
    QRect frame_;
    int zoom_ = 0;
    double fitMargin_ = 0;
    int paintCount_ = 0;
};

}  // namespace app
