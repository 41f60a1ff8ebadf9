// One full view of the viewing mode: a pane that holds a scroll box sized and placed by the
// views' geometry. The scroll box only provides the scroll range; its visible area draws the
// visible part of the picture at the view's scale, so a zoomed picture is never built whole.
#pragma once

#include <QImage>
#include <QWidget>

#include "core/preview/full_views_state.h"

namespace app {

class FullViewArea;

class FullView : public QWidget {
    Q_OBJECT
  public:
    // paneName names the pane, areaName the scroll box, layerName its visible area.
    FullView(const QString& paneName, const QString& areaName, const QString& layerName,
             QWidget* parent = nullptr);

    // The picture is shared, not copied (QImage is implicitly shared).
    void setPicture(const QImage& picture);
    void clearPicture();
    const QImage& picture() const { return picture_; }

    // While set, this picture is drawn instead, at the same scale and place (comparing the
    // output with the source); a null image ends it.
    void setStandIn(const QImage& picture);
    bool showsStandIn() const { return !standIn_.isNull(); }

    // Places the scroll box, its bars and range as laid out and scrolls to the layout's place.
    void applyLayout(const core::ViewLayout& layout);
    double scale() const { return scale_; }
    // The pane's client size, in which the scroll box is laid out.
    core::PictureSize paneSize() const;
    // The thickness of a scroll bar in this style.
    int scrollBarRoom() const;

    QPoint scrollPosition() const;
    void setScrollPosition(QPoint position);
    // The visible area and the scroll box (tests and the screenshot run read them).
    QWidget* layer() const;
    QWidget* scrollBox() const;

    // Smooth resampling when the picture is scaled (the preference's bilinear and Mitchell).
    void setSmooth(bool smooth);
    // How many times the visible area was painted.
    int paintCount() const { return paintCount_; }

  signals:
    void pictureChanged();
    void paneResized();
    void scrolled(QPoint position);
    // Pointer events of the visible area, in its coordinates.
    void pointerPressed(QPoint point, Qt::MouseButtons buttons);
    void pointerMoved(QPoint point, Qt::MouseButtons buttons);
    void pointerReleased(QPoint point, Qt::MouseButton button);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    friend class FullViewArea;
    void paintLayer(QPaintEvent* event);

    FullViewArea* area_ = nullptr;
    QImage picture_;
    QImage standIn_;
    double scale_ = 1;
    core::PictureSize control_;
    bool smooth_ = true;
    int paintCount_ = 0;
};

}  // namespace app
