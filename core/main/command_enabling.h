// Which main-window commands are available for the window's current situation: a picture open or
// not, its name, the plug-in start, the mode and tab, the undo copy, the folder's file count, the
// busy and running flags and what the clipboard offers. One plain function, so that the menu, the
// tool bars and the tests read the same answer.
#pragma once

#include <optional>

#include <QString>

#include "core/preview/preview_tabs.h"

namespace core {

enum class UndoSlot { None = 0, Source = 1, Output = 2 };

struct CommandInputs {
    bool image = false;             // the source slot holds a picture
    QString name;                   // the current file name; "clipboard" and "plugin" are special
    bool pluginMode = false;        // started with "-plugin"
    bool tuningMode = false;        // else the viewing mode
    std::optional<PreviewTab> tab;  // the active tab sheet (meaningful in the tuning mode)
    UndoSlot undoSlot = UndoSlot::None;
    int fileCount = 0;  // files in the current folder listing
    bool busy = false;
    bool running = false;  // a processing run is executing
    bool clipboardHasPicture = false;
};

struct CommandEnabling {
    bool open = false;
    bool reopen = false;
    bool close = false;
    bool save = false;
    bool apply = false;  // "ALS_APPLY" (menuRebuild)
    bool abort = false;
    bool resetOptions = false;  // menu and tbResetOptions
    bool mergeImages = false;
    bool fullScreen = false;  // the conditions hold; the window may still lack the command
    bool zoom = false;        // cmbZoom, the zoom buttons and menuScale
    bool rotate = false;
    bool plugins = false;
    bool queueAdd = false;  // the queue's add commands and tbQAdd
    bool queueMenu = false;
    bool previousNext = false;
    bool demo = false;
    bool copy = false;
    bool paste = false;
    bool undo = false;
    bool expertMode = false;  // tbExpMode and menuExpertMode
    bool navigatorPanels = false;
    bool framesMode = false;

    bool operator==(const CommandEnabling&) const = default;
};

// While busy only abort stays available (during a run); every picture command waits.
CommandEnabling commandEnabling(const CommandInputs& in);

}  // namespace core
