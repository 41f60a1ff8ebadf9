// The engine's parameter record for one picture, with the arrays it points to.
//
// Both fills of the record start the same way: every settings field that the table of settings
// fields maps to an engine field is copied as stored (fillStoredFields). What differs between the
// batch's fill and the interactive one is written in one place each: applyBatchRules here, and
// the interactive rules with the tuning state that will hold the controls' values (it does not
// exist yet). The interactive fill takes the noise levels as
// absolute slider positions, shows the maps and the over-exposure marks the buttons ask for,
// switches CA and distortions on only while their tabs are shown, takes the darkest and brightest
// from their sliders, and makes preview runs; the batch's rules are listed at applyBatchRules.
#pragma once

#include <vector>

#include "core/queue/queue_params.h"
#include "dnr.h"

namespace core {

// Copies every field the engine takes as stored; the rest of the record is left as it is.
void fillStoredFields(const SettingsBlock& settings, ProcessingParams& params);

// The batch's own rules, applied after fillStoredFields:
// - the noise levels are the stored relative factors until the run scales them to the picture;
// - noise reduction is on only while the level factor is above 0 and the switch is on;
// - HighNoise 1 selects the high-noise method (mode 6), any other value the normal one (mode 2);
// - the auto-contrast darkest and brightest come from the default settings, not from the item;
// - preview-only switches (maps, over-exposure, grid, compare) are off; it is a final run.
void applyBatchRules(const SettingsBlock& settings, const SettingsBlock& defaults,
                     ProcessingParams& params);

// Owns separate copies of the item's marks, so the engine never writes into the queue.
class EngineRecord {
  public:
    // Fills the record from the item as the batch run does.
    EngineRecord(const QueueParams& item, const SettingsBlock& defaults);
    EngineRecord(const EngineRecord&) = delete;
    EngineRecord& operator=(const EngineRecord&) = delete;

    ProcessingParams params{};

  private:
    std::vector<NoiseAreaEntry> noiseAreas_;
    std::vector<RedEyeEntry> redEyes_;
    EngineColorRanges colorRanges_;
};

}  // namespace core
