// The texts of the full-screen preview: its status line and the hint its picture carries (which
// file, which result, and the keys that apply).
#pragma once

#include <QString>
#include <optional>

#include "core/fullscreen/full_screen_mode.h"
#include "core/i18n/text_lookup.h"
#include "core/preview/preview_tabs.h"

namespace core {

// "<ALS_WAIT>... (<text>)".
QString fullScreenStatus(const TextLookup& texts, const QString& text);

struct HintInputs {
    FullScreenMode mode = FullScreenMode::Plain;
    ShownKind shown = ShownKind::Source;
    std::optional<PreviewTab> tab;  // the tuning view's tab (tells Colours from Brightness)
    QString sourceLabel;            // stxtSource in the tuning view, stxtRight in the viewing mode
    QString outputLabel;            // stxtOutput in the tuning view, stxtLeft in the viewing mode
    const char* sliderLabel = nullptr;  // the selected slider's label key; none: no slider
    QString sliderValue;
    bool previousAndNext = false;  // both stepping buttons of the main window are enabled
};

// "<ALS_FILE>: <name>", the source label without its "<ALS_SOURCE>: " prefix; for the result (or
// the crop mode's picture) " - <MODE>" and the output label on a new line; the slider keys or the
// stepping keys; and for the result the note that the mouse compares with the source.
QString fullScreenHint(const TextLookup& texts, const HintInputs& in);

}  // namespace core
