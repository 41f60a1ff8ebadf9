// A filled engine record together with its own copies of the tables it points to (noise areas,
// red eyes, colour ranges and their areas), so that a run on the engine thread never reads or
// writes arrays the window keeps changing.
#pragma once

#include <vector>

#include "dnr.h"

namespace core {

class RunRecord {
  public:
    RunRecord();
    // Copies the record and every table it points to.
    explicit RunRecord(const ProcessingParams& filled);
    RunRecord(RunRecord&&) noexcept = default;
    RunRecord& operator=(RunRecord&&) noexcept = default;
    RunRecord(const RunRecord&) = delete;
    RunRecord& operator=(const RunRecord&) = delete;

    ProcessingParams params{};

    // The red-eye entries as the engine left them (automatic sizes written back).
    const std::vector<RedEyeEntry>& redEyes() const { return redEyes_; }

  private:
    std::vector<NoiseAreaEntry> noiseAreas_;
    std::vector<RedEyeEntry> redEyes_;
    std::vector<Colors_ColorRangeParams> ranges_;
    std::vector<std::vector<XcludedArea>> rangeAreas_;
};

}  // namespace core
