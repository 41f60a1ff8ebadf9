// TMainForm: the program's one main window. It binds the widgets of its layout to the core's
// document, tuning state, preview scheduler and engine executor; what it decides lives there.
#pragma once

#include <QMainWindow>

#include "app/main/main_form_layout.h"

namespace core {
class Language;
}

namespace app {

class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    explicit TMainForm(const core::Language& language, QWidget* parent = nullptr);

    const MainFormLayout& ui() const { return ui_; }

    // Viewing mode shows the whole source and output; tuning mode the tabs and the preview.
    bool tuningMode() const { return ui_.layers->currentWidget() == ui_.layer1; }
    void setTuningMode(bool on);

  private:
    const core::Language& language_;
    MainFormLayout ui_;
};

}  // namespace app
