// Which help page belongs to what the user is doing: the F1 page and the help panel's page, per
// state of the main window, relative to the language's help folder.
#pragma once

#include <QString>

namespace core {

enum class HelpState {
    Viewing,  // outside the tuning view
    ColoursTab,
    ChromaticAberrationTab,
    BrightnessTab,
    NoiseTab,
    RedEyeTab,
    SharpeningTab,
    TextTab,
    CropTab,
    DistortionsTab,
    PluginCommands,
    NavigatorCommands,
};

enum class HelpVariant { F1, Panel };

// The page of a state, e.g. "shortcuts/index_tab_noise.html" or "tab_noise.html".
QString helpPage(HelpState state, HelpVariant variant);

// The state of the tuning view with the tab sheet of that name active ("tsNoiseReduction"); the
// viewing state outside it or for an unknown sheet.
HelpState helpStateFor(bool tuningView, const QString& activeSheet);

// The panel page with the anchor of a control's help keyword ("#ALS_NR_ENABLE") or a command's
// key; the browser is sent there only when its current location does not hold that anchor yet.
bool helpNeedsNavigation(const QString& currentLocation, const QString& keyword);

}  // namespace core
