// Controls to block: the tuning state's values written into its current settings block.
#pragma once

#include <string>

#include "core/settings/tuning_state.h"

namespace core {

// Collects the controls into state.block and returns it. Groups that simple mode hides are
// written with their defaults; the crop group too while the crop tab is hidden. Writing the block
// to "vr.dat" or a settings file is the caller's next step.
const SettingsBlock& collectSettings(TuningState& state);

// The stored font style: "1" or "0" for bold, then for italic.
std::string fontStyleText(bool bold, bool italic);

}  // namespace core
