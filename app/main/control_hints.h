// Whether the controls show their hints (tool tips): the hint mode's "tool tips" and "both" show
// them, "status bar" and "none" keep them back, for every window of the program.
#pragma once

#include <QObject>
#include <cstdint>

namespace app {

class ControlHints : public QObject {
    Q_OBJECT
  public:
    // Watches the whole application while it lives.
    explicit ControlHints(int32_t hintMode, QObject* parent = nullptr);
    ~ControlHints() override;

    void setHintMode(int32_t hintMode);
    bool shown() const { return shown_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool shown_ = true;
};

}  // namespace app
