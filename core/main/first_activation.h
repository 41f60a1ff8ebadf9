// What the main window does when it is first activated, decided in one place: its size and
// place, the floating tool windows' places, the help page, the update reminder and the picture
// to open. The window carries it out in this order.
#pragma once

#include <QDate>
#include <QRect>
#include <array>
#include <functional>
#include <optional>

#include "core/main/registry_key.h"
#include "core/main/start_stage.h"
#include "core/main/window_placement.h"

namespace core {

struct FirstActivationPlan {
    MainWindowPlacement mainWindow;
    // The colour-range window, then the brightness, saturation, noise and sharpening
    // equalizers; none: not placed yet.
    std::array<std::optional<QRect>, 5> floatingWindows;
    bool showHelpPage = false;       // the help panel is on: show the page of the current state
    bool askUpdateReminder = false;  // "ALS_SEARCH_UPDATES_QUEST", "ALS_UPDATES", Yes/No
    FirstOpen open;
    // Plug-in mode: when the exchange image cannot be opened the window closes itself at the
    // next tick of Timer_counter.
    bool closeWhenOpenFails = false;
};

// Reads "LastFile" and runs the update reminder on the key (which stores "Update_search").
FirstActivationPlan planFirstActivation(
    const StartState& state, RegistryKey& key, const QRect& availableScreen, const QDate& today,
    const QString& sampleImage, const std::function<bool(const QString&)>& isSupportedPicture);

}  // namespace core
