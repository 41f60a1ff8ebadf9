// The main window's four curve editors: made with the main window and hidden, shown while their
// opener on the tuning tabs is down and its tab is the current one in the tuning mode, placed
// where they were last (the places are kept with the stored window state). A drag step and each
// drawing of a panel run on the engine thread with a copy of the current engine record; a step
// that changed the curve puts it into the tuning state and asks for one preview.
#pragma once

#include <QObject>
#include <QPointer>
#include <array>

#include "core/editors/equalizer_curve.h"

namespace app {

class TMainForm;
class TEqualizerForm;

class Equalizers : public QObject {
    Q_OBJECT
  public:
    explicit Equalizers(TMainForm& form);

    TEqualizerForm* window(core::CurveType type) const;
    // The values the markers last showed; the fixed markers take them on request.
    core::MarkerValues& markerValues() { return markerValues_; }
    void fixMarkers();
    // The pointer over a preview: the open windows' live markers show the brightness (0..255) or
    // the hue (0..359) there, and their captions say it; hidden again once it leaves.
    bool anyShown() const;
    void showValues(int32_t brightness, int32_t hue);
    void hideValueMarkers();
    // The main window's 500 ms tick: while no mouse button is down, an open window that sticks
    // out of the screen's work area moves back in.
    void keepInside();

  signals:
    // A drag step or a reset changed the curve; one preview was requested for it.
    void curveChanged(core::CurveType type);
    // A panel received a new picture from the engine.
    void panelDrawn(core::CurveType type);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool& opener(core::CurveType type);
    void follow();
    void place(TEqualizerForm* window);
    void storePlace(TEqualizerForm* window);
    void step(core::CurveType type, QPoint point, QSize panel);
    void reset(core::CurveType type);
    void redraw(core::CurveType type, core::RedrawReason reason);
    void curveTaken(core::CurveType type);
    ProcessingParams record();

    TMainForm& form_;
    std::array<QPointer<TEqualizerForm>, 4> windows_;
    core::MarkerValues markerValues_;
};

}  // namespace app
