// The design of the nine tuning tabs: which controls each tab holds, in order, with their
// object names, kinds and caption keys. The pages are built from it; ranges and defaults come
// from the core's slider table.
#pragma once

#include <span>

namespace app {

enum class ControlKind {
    Slider,       // SlideBarN with its help label Label_hlpM and value label Label_valN
    Check,        // a check box
    Radio,        // a radio button; consecutive radios form one group
    SpeedButton,  // a button that stays down
    Button,       // a push button
    Combo,        // a list to choose from
    LineEdit,     // one line of text
    Number,       // a whole number 0..99999
    Swatch,       // a colour sample
};

struct ControlDesign {
    ControlKind kind;
    const char* name;                    // object name
    const char* caption;                 // language key of the caption; empty for none
    int helpLabel = 0;                   // sliders: the number of their help label, 0 for none
    const char* const* items = nullptr;  // combo items (language keys), null-terminated
};

struct TabDesign {
    const char* sheet;    // tab sheet name, e.g. "tsNoiseReduction"
    const char* caption;  // language key of the tab's caption
    std::span<const ControlDesign> controls;
};

// The tabs in the order the tab bar shows them.
std::span<const TabDesign> tabDesigns();

}  // namespace app
