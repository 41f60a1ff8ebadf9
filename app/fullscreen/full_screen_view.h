// ImageFSView: the full-screen preview's picture, stretched over the widget; smoothly scaled in
// the viewing mode, pixel for pixel otherwise (that copy is already made for the screen).
#pragma once

#include <QImage>
#include <QWidget>

namespace app {

class FullScreenView : public QWidget {
    Q_OBJECT
  public:
    explicit FullScreenView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture, bool smooth);
    void clearPicture();
    const QImage& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
    bool smooth_ = false;
};

}  // namespace app
