// The picture-saving helpers shared by the files of the screenshot program; each topic's window
// states live in a file of their own and are called from main in window_states.cpp.
#pragma once

#include <QString>

class QWidget;
namespace app {
class TMainForm;
}
namespace core {
class Language;
}

namespace shots {

// Lets pending events run, then saves the widget as FOLDER/NAME.png.
void save(QWidget& window, const QString& folder, const QString& name);
// The renaming window's states.
void saveRenamingStates(const core::Language& texts, const QString& folder,
                        const QString& language);
// The colour-range window and the range list, over the main window in the tuning mode.
void saveColourRangeStates(app::TMainForm& window, const QString& folder, const QString& language);
// The four curve editors, each with a shaped curve, alone and over the main window.
void saveEqualizerStates(app::TMainForm& window, const QString& folder, const QString& language);
// The navigator panel in the main window with a folder of photographs, and its pop-up menu.
void saveNavigatorStates(app::TMainForm& window, const QString& folder, const QString& language);

}  // namespace shots
