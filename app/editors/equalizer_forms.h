// The four floating curve editors: EqBrightness, EqSaturation, EqNoiseReduction and EqSharpening.
// Each shows the panel the engine paints for its curve with a live (green) and a fixed (yellow)
// one-pixel marker over it. The window only turns mouse events into requests (a drag step at a
// point, a reset) under the busy rule; the steps themselves run on the engine thread, driven by
// the main window's Equalizers.
#pragma once

#include <QFrame>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include "core/editors/equalizer_curve.h"

namespace app {

// The engine's picture of the curve; mouse events go to its window.
class EqualizerImage : public QWidget {
    Q_OBJECT
  public:
    explicit EqualizerImage(QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

  signals:
    void pressed(QMouseEvent* event);
    void moved(QMouseEvent* event);
    void released(QMouseEvent* event);
    void resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QImage picture_;
};

class TEqualizerForm : public QWidget {
    Q_OBJECT
  public:
    TEqualizerForm(core::CurveType type, const QString& caption, QWidget* parent);

    core::CurveType type() const { return type_; }
    EqualizerImage* image() const { return image_; }
    QFrame* marker() const { return marker_; }
    QFrame* fixedMarker() const { return fixedMarker_; }

    // Set while a drag step runs; mouse events meanwhile are ignored.
    bool busy() const { return busy_; }
    void setBusy(bool busy) { busy_ = busy; }
    // The curve's name, the window's caption while no value is marked.
    void setCurveName(const QString& name);
    const QString& curveName() const { return curveName_; }
    // "Left click - set a point; / Right click - reset the curve" as the image's hint.
    void setHint(const QString& hint);

    // The live marker at a value (brightness 0..255, hue 0..359) with the caption saying it;
    // hidden by hideMarker (the caption goes back to the curve's name).
    void showValue(int value, const QString& caption);
    void hideMarker();
    // The fixed marker at a stored value; -1 hides it.
    void fixMarker(int value);
    int fixedValue() const { return fixedValue_; }

    QTimer& dragTimer() { return dragTimer_; }

  signals:
    // A drag step at a point of the panel (the panel's size goes with it).
    void dragStep(QPoint point, QSize panel);
    // The right button was released on the panel.
    void resetRequested();
    // The panel wants a new picture for this reason.
    void redrawRequested(core::RedrawReason reason);
    // The user closed the window.
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void mouse(QMouseEvent* event);
    void release(QMouseEvent* event);
    void checkPointerInside();
    void placeFixedMarker();

    core::CurveType type_;
    QString curveName_;
    EqualizerImage* image_ = nullptr;
    QFrame* marker_ = nullptr;
    QFrame* fixedMarker_ = nullptr;
    bool busy_ = false;
    int fixedValue_ = -1;
    QTimer dragTimer_;
};

// The windows under the names the rest of the program knows them by.
class TEqBrightness : public TEqualizerForm {
    Q_OBJECT
  public:
    TEqBrightness(const QString& caption, QWidget* parent)
        : TEqualizerForm(core::CurveType::Brightness, caption, parent) {}
};
class TEqSaturation : public TEqualizerForm {
    Q_OBJECT
  public:
    TEqSaturation(const QString& caption, QWidget* parent)
        : TEqualizerForm(core::CurveType::Saturation, caption, parent) {}
};
class TEqNoiseReduction : public TEqualizerForm {
    Q_OBJECT
  public:
    TEqNoiseReduction(const QString& caption, QWidget* parent)
        : TEqualizerForm(core::CurveType::Noise, caption, parent) {}
};
class TEqSharpening : public TEqualizerForm {
    Q_OBJECT
  public:
    TEqSharpening(const QString& caption, QWidget* parent)
        : TEqualizerForm(core::CurveType::Sharpness, caption, parent) {}
};

}  // namespace app
