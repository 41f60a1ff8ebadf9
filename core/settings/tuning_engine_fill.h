// The engine record of an interactive run, filled from the tuning state. The run then points the
// image fields at its working picture, sets the view geometry and the progress callback, and
// switches stages off for the active tab.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "core/settings/settings_fields.h"
#include "core/settings/tuning_state.h"
#include "dnr.h"

namespace core {

// A red, green, blue colour converted through the source picture's colour profile.
using ColourConversion = std::function<std::array<uint16_t, 3>(const std::array<uint16_t, 3>&)>;

struct FillContext {
    SettingsTab activeTab = SettingsTab::Noise;
    bool tuningMode = true;
    bool caTabShown = false;
    bool distortionsTabShown = true;
    bool colourRangeWindowOpen = false;
    int32_t editedColourRange = -1;  // the range being edited in that window
    ColourConversion convertColour;  // empty: the colours as they are
};

// The record, with the image fields, progress callback and view geometry cleared and FinalRun 0.
// NoiseAreas and RedEyes point into state.noiseAreas and state.redEyes (the engine writes the
// sizes of automatically sized eyes back into them), ColorRanges into state.engineColorRanges;
// the record is valid until those lists change or the next fill.
ProcessingParams fillEngineRecord(TuningState& state, const FillContext& context);

// A shadow or highlight level in simple mode: the tone's detected level scaled as the midtone
// slider scales its own, round(tone * noiseLevel / midtones). Without a detected midtone level
// (no picture yet) the shared factor scales the tone's level directly, as a batch run scales the
// stored factors; the two agree whenever the midtone level is known.
int32_t simpleModeToneLevel(int32_t detectedTone, int32_t detectedMidtones, int32_t noiseLevel,
                            int32_t midtoneFactor);

}  // namespace core
