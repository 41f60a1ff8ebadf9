#include "core/main/message_box.h"

#include <algorithm>

namespace core {

namespace {

struct StandardButton {
    const char* key;
    const char* fallback;
    int result;
};

constexpr StandardButton kOk{"ALS_MESSAGE_BUTTON_OK", "&OK", kResultOk};
constexpr StandardButton kCancel{"ALS_MESSAGE_BUTTON_CANCEL", "&Cancel", kResultCancel};
constexpr StandardButton kAbort{"ALS_MESSAGE_BUTTON_ABORT", "&Abort", kResultAbort};
constexpr StandardButton kRetry{"ALS_MESSAGE_BUTTON_RETRY", "&Retry", kResultRetry};
constexpr StandardButton kIgnore{"ALS_MESSAGE_BUTTON_IGNORE", "&Ignore", kResultIgnore};
constexpr StandardButton kYes{"ALS_MESSAGE_BUTTON_YES", "&Yes", kResultYes};
constexpr StandardButton kNo{"ALS_MESSAGE_BUTTON_NO", "&No", kResultNo};

std::vector<StandardButton> standardButtons(uint32_t set) {
    switch (set) {
        case kButtonsOkCancel:
            return {kOk, kCancel};
        case kButtonsAbortRetryIgnore:
            return {kAbort, kRetry, kIgnore};
        case kButtonsYesNoCancel:
            return {kYes, kNo, kCancel};
        case kButtonsYesNo:
            return {kYes, kNo};
        case kButtonsRetryCancel:
            return {kRetry, kCancel};
        default:  // 0, and sets the box does not know
            return {kOk};
    }
}

MessageIcon iconOf(uint32_t style) {
    switch (style & 0xF0) {
        case kIconError:
            return MessageIcon::Error;
        case kIconQuestion:
            return MessageIcon::Question;
        case kIconWarning:
            return MessageIcon::Warning;
        case kIconInformation:
            return MessageIcon::Information;
        default:
            return MessageIcon::None;
    }
}

std::vector<int> rowsOf(int count) {
    if (count == 4) return {2, 2};
    std::vector<int> rows;
    for (int left = count; left > 0; left -= 3)
        rows.push_back(std::min(left, 3));
    return rows;
}

}  // namespace

MessageBoxLayout layoutMessageBox(const MessageBoxRequest& request, const Language& texts) {
    MessageBoxLayout layout;
    layout.title = request.title;
    layout.text = request.text;
    layout.icon = iconOf(request.style);
    layout.stayOnTop = (request.style & kStayOnTop) != 0;
    layout.playSound = !request.silent;

    for (const StandardButton& b : standardButtons(request.style & 0xF)) {
        QString caption = texts.message(QString::fromLatin1(b.key));
        if (caption.isEmpty()) caption = QString::fromLatin1(b.fallback);
        layout.buttons.push_back({caption, b.result});
    }
    const size_t customCount = std::min(request.customButtons.size(), kMaxCustomButtons);
    double widest = 1.4;
    for (size_t i = 0; i < customCount; ++i) {
        const CustomButton& c = request.customButtons[i];
        layout.buttons.push_back({texts.lookup(c.captionKey), c.result});
        widest = std::max(widest, c.widthFactor);
    }
    layout.widthFactor = customCount == 1 ? request.customButtons[0].widthFactor : widest;
    layout.rowSizes = rowsOf(int(layout.buttons.size()));

    // A default beyond the last button falls back to the first.
    const int wanted = int((request.style >> 8) & 0x3);
    layout.defaultButton = wanted < int(layout.buttons.size()) ? wanted : 0;
    for (size_t i = 0; i < layout.buttons.size(); ++i) {
        if (layout.buttons[i].result == kResultCancel) {
            layout.cancelButton = int(i);
            break;
        }
    }
    return layout;
}

int askMessage(MessageAsker& asker, const Language& texts, const QString& textKey,
               const QString& titleKey, uint32_t style, std::vector<CustomButton> customButtons) {
    MessageBoxRequest request;
    request.text = texts.message(textKey);
    request.title = titleKey.isEmpty() ? QString() : texts.message(titleKey);
    request.style = style;
    request.customButtons = std::move(customButtons);
    return asker.ask(request);
}

void showError(MessageAsker& asker, const Language& texts, const QString& text) {
    if (text.isEmpty()) return;
    MessageBoxRequest request;
    request.text = text;
    request.title = texts.capitalised(QStringLiteral("ALS_ERROR"));
    request.style = kButtonsOk;
    asker.ask(request);
}

}  // namespace core
