// The presets box of the tuning tabs: the panel PanelPresets holding cbPresets, shown under the
// tab pages in expert mode. Its items come from the core (presets_box.h).
#pragma once

#include "core/presets/presets_box.h"

class QComboBox;
class QWidget;

namespace app {

// The panel with its box; the box is its child named "cbPresets".
QWidget* buildPresetsPanel();

// Replaces the box's items, showing the first, without signalling a choice.
void showPresetsItems(QComboBox* box, const core::PresetsBoxItems& items);

}  // namespace app
