// Block to controls: a settings block applied to the tuning state, with the per-tab resets, and
// the switch between simple and expert mode.
#pragma once

#include <array>
#include <cstdint>

#include "core/settings/tuning_state.h"

namespace core {

struct ApplyResult {
    // Whether the reset calls for a processing run (the reset buttons request one afterwards;
    // the CA reset only when CAOn changed or is on).
    bool requestProcessing = true;
};

// Makes block the current one, copies defaults into the group the code names (and clears the
// list that goes with it: noise colour picks for 253 and for 0/200 in simple mode, red-eye marks
// for 250, colour ranges for 252), sets the controls of the groups the code refreshes, and
// collects the controls back so that block and controls agree. state.applying is set while it
// runs, so the widgets' change signals request nothing.
ApplyResult applySettings(TuningState& state, const SettingsBlock& block, ResetCode code);
// The same with the current block.
ApplyResult applySettings(TuningState& state, ResetCode code);

// Switches between simple and expert mode: the controls are collected in the old mode first; in
// expert mode cbEqBrightness is checked; in simple mode it is unchecked, the noise, saturation and
// sharpening equalizer buttons are released (the window closes their windows) and, when the user
// switched, the three noise factors go back to their defaults; then the block is applied with
// reset code 0.
void setExpertMode(TuningState& state, bool expert, bool userSwitched);

// The CA colour swatch (ImgCAColor): each 16-bit component / 256, rounded, clamped to 0..255;
// red, green, blue.
std::array<uint8_t, 3> caSwatchColour(const SettingsBlock& block);

}  // namespace core
