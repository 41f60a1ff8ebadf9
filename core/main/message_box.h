// The program's own message box as data: what a style value and a table of custom buttons ask
// for, and the captions, rows, default and cancel button that the box shows. The window draws it;
// callers ask through a MessageAsker, so tests and scripted runs give the answers.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "core/i18n/language.h"

namespace core {

// Results of the box's buttons; custom buttons return their own value.
enum MessageResult : int {
    kResultNone = 0,  // the box could not be shown: callers take it as "no" or "cancel"
    kResultOk = 1,
    kResultCancel = 2,
    kResultAbort = 3,
    kResultRetry = 4,
    kResultIgnore = 5,
    kResultYes = 6,
    kResultNo = 7,
};

// Parts of the style value, added together.
enum MessageStyle : uint32_t {
    kButtonsOk = 0,
    kButtonsOkCancel = 1,
    kButtonsAbortRetryIgnore = 2,
    kButtonsYesNoCancel = 3,
    kButtonsYesNo = 4,
    kButtonsRetryCancel = 5,
    kIconError = 16,
    kIconQuestion = 32,
    kIconWarning = 48,
    kIconInformation = 64,
    kDefaultButton2 = 256,
    kDefaultButton3 = 512,
    kDefaultButton4 = 768,
    kStayOnTop = 65536,
};

enum class MessageIcon { None, Error, Question, Warning, Information };

struct CustomButton {
    QString captionKey;  // looked up when the box is built ("ALS_ALWAYS")
    int result;
    double widthFactor;
    bool operator==(const CustomButton&) const = default;
};

inline constexpr size_t kMaxCustomButtons = 5;

struct MessageBoxRequest {
    QString text;   // already in the user's language
    QString title;  // empty: the caption of the active window
    bool silent = true;
    uint32_t style = kButtonsOk;
    std::vector<CustomButton> customButtons;  // appended after the standard ones; at most five
};

struct MessageButton {
    QString caption;
    int result;
    bool operator==(const MessageButton&) const = default;
};

// What the box shows.
struct MessageBoxLayout {
    QString title;  // empty: take the active window's caption
    QString text;
    MessageIcon icon = MessageIcon::None;
    std::vector<MessageButton> buttons;  // left to right, row after row
    std::vector<int> rowSizes;           // rows of three; four buttons make two rows of two
    int defaultButton = 0;               // takes the keyboard focus
    int cancelButton = -1;               // pressed by Esc; -1 when the box has no Cancel
    double heightFactor = 1.2;           // times the standard button height
    double widthFactor = 1.4;            // times the standard button width
    bool stayOnTop = false;              // bring the owner window to the front first
    bool playSound = false;              // the icon's sound (the default sound without icon)
};

// The layout for a request; captions come from the language ("&Yes" ... when a text is empty).
MessageBoxLayout layoutMessageBox(const MessageBoxRequest& request, const Language& texts);

// Who answers the program's questions: the window's box, or a script.
class MessageAsker {
  public:
    virtual ~MessageAsker() = default;
    // The result value of the pressed button, kResultNone when the box could not be shown.
    virtual int ask(const MessageBoxRequest& request) = 0;
};

// Asks with the text, title (looked up as messages) and style, silent.
int askMessage(MessageAsker& asker, const Language& texts, const QString& textKey,
               const QString& titleKey, uint32_t style,
               std::vector<CustomButton> customButtons = {});

// The error box: nothing for an empty text; otherwise OK only, no icon, silent, titled with the
// capitalised "ALS_ERROR". The text is shown as given.
void showError(MessageAsker& asker, const Language& texts, const QString& text);

}  // namespace core
