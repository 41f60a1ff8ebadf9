// One queue item: a source picture with the settings and marks it was queued with. Also the
// content of a settings file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/settings/settings_block.h"
#include "dnr.h"

namespace core {

// A colour range as the queue keeps it: the engine record's values with its own array of
// excluded areas.
struct ColorRangeItem {
    std::array<uint16_t, 9> Colors{};  // Color1, Color2, TargetColor (red, green, blue each)
    int32_t Tolerance = 0;
    int32_t AreaCount = 0;  // as stored; writing takes the length of Areas
    std::vector<XcludedArea> Areas;
    int32_t AreasInclude = 0;
};

struct QueueParams {
    uint8_t ExpertMode = 0;
    std::string SourcePath;  // the path's bytes; its length is SourcePathLength
    SettingsBlock Settings;
    std::vector<NoiseAreaEntry> NoiseAreas;
    std::vector<ColorRangeItem> ColorRanges;
    std::vector<RedEyeEntry> RedEyes;
    uint8_t Rotation = 0;  // quarter turns clockwise

    int32_t SourcePathLength() const { return int32_t(SourcePath.size()); }
    int32_t NoiseAreaCount() const { return int32_t(NoiseAreas.size()); }
    int32_t ColorRangeCount() const { return int32_t(ColorRanges.size()); }
    int32_t RedEyeCount() const { return int32_t(RedEyes.size()); }
};

bool operator==(const ColorRangeItem& a, const ColorRangeItem& b);
bool operator==(const QueueParams& a, const QueueParams& b);

// The marks of one open picture that a queue item can carry.
struct ImageMarks {
    std::vector<NoiseAreaEntry> noiseAreas;
    std::vector<ColorRangeItem> colorRanges;
    std::vector<RedEyeEntry> redEyes;
    uint8_t rotation = 0;
};

// The engine's view of an item's colour ranges: a separate copy whose records point into arrays
// this object owns, so the engine never sees the queue's own storage.
class EngineColorRanges {
  public:
    explicit EngineColorRanges(const std::vector<ColorRangeItem>& ranges);
    EngineColorRanges(const EngineColorRanges&) = delete;
    EngineColorRanges& operator=(const EngineColorRanges&) = delete;

    int32_t count() const { return int32_t(records_.size()); }
    Colors_ColorRangeParams* data() { return records_.empty() ? nullptr : records_.data(); }

  private:
    std::vector<std::vector<XcludedArea>> areas_;
    std::vector<Colors_ColorRangeParams> records_;
};

}  // namespace core
