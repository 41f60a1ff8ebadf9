// Binds the tab pages' widgets to the core's tuning state: the state's values are shown in the
// widgets, and every change of a widget goes through the state's operations, which say whether
// processing is to be requested. The binder keeps nothing of its own.
#pragma once

#include <QObject>

#include "core/settings/settings_fields.h"
#include "core/settings/slider_operations.h"
#include "core/settings/tuning_state.h"

namespace app {

class TuningPages;

class TuningBinder : public QObject {
    Q_OBJECT
  public:
    TuningBinder(core::TuningState& state, TuningPages* pages, QObject* parent = nullptr);

    // Shows the whole state in the widgets (after apply, reset, opening a picture).
    void refresh();
    core::SettingsTab activeTab() const;
    void setTuningMode(bool on) { tuningMode_ = on; }
    void setProcessingRuns(bool runs) { processingRuns_ = runs; }

  signals:
    void processingRequested();
    void captionChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void connectSliders();
    void connectChecks();
    void connectButtons();
    void connectLists();
    void refreshSlider(int n);
    void refreshEnabling();
    void act(core::SliderEffect effect);
    void reset(core::ResetCode code);

    core::TuningState& state_;
    TuningPages* pages_;
    bool tuningMode_ = false;
    bool processingRuns_ = false;
    bool refreshing_ = false;
};

}  // namespace app
