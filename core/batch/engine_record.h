// The engine's parameter record for one queue item, with the arrays it points to.
#pragma once

#include <vector>

#include "core/queue/queue_params.h"
#include "dnr.h"

namespace core {

// Owns separate copies of the item's marks, so the engine never writes into the queue.
class EngineRecord {
  public:
    // Fills the record from the item as the batch run does; the auto-contrast darkest and
    // brightest come from the default settings, not from the item.
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
