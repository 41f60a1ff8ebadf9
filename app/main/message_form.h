// The program's own message box: captions from the language, extra buttons with their own
// results, placed over the active window. It answers the core's questions (MessageAsker).
#pragma once

#include <QDialog>

#include "core/main/message_box.h"

namespace core {
class Language;
}

namespace app {

// Builds the box for a layout; its result (QDialog::result) is the pressed button's value, 0
// when it was closed otherwise.
class TMessageForm : public QDialog {
    Q_OBJECT
  public:
    TMessageForm(const core::MessageBoxLayout& layout, QWidget* owner);

    // Esc presses the Cancel button when there is one, and does nothing otherwise.
    void reject() override;

  private:
    int cancelResult_ = -1;
};

class WindowAsker : public core::MessageAsker {
  public:
    explicit WindowAsker(const core::Language& texts) : texts_(texts) {}
    int ask(const core::MessageBoxRequest& request) override;

  private:
    const core::Language& texts_;
};

}  // namespace app
