#include "core/queue/queue_params.h"

#include <cstring>

namespace core {

namespace {

// The C records of the engine have no comparison; their fields are plain integers without
// padding, so comparing the bytes compares the fields.
template <typename T>
bool sameEntries(const std::vector<T>& a, const std::vector<T>& b) {
    static_assert(std::has_unique_object_representations_v<T>);
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

}  // namespace

bool operator==(const ColorRangeItem& a, const ColorRangeItem& b) {
    return a.Colors == b.Colors && a.Tolerance == b.Tolerance && a.AreaCount == b.AreaCount &&
           sameEntries(a.Areas, b.Areas) && a.AreasInclude == b.AreasInclude;
}

bool operator==(const QueueParams& a, const QueueParams& b) {
    return a.ExpertMode == b.ExpertMode && a.SourcePath == b.SourcePath &&
           a.Settings == b.Settings && sameEntries(a.NoiseAreas, b.NoiseAreas) &&
           a.ColorRanges == b.ColorRanges && sameEntries(a.RedEyes, b.RedEyes) &&
           a.Rotation == b.Rotation;
}

EngineColorRanges::EngineColorRanges(const std::vector<ColorRangeItem>& ranges) {
    areas_.reserve(ranges.size());
    records_.reserve(ranges.size());
    for (const ColorRangeItem& r : ranges) {
        areas_.push_back(r.Areas);
        Colors_ColorRangeParams p{};
        for (int c = 0; c < 3; ++c) {
            p.Color1[c] = r.Colors[c];
            p.Color2[c] = r.Colors[3 + c];
            p.TargetColor[c] = r.Colors[6 + c];
        }
        p.Tolerance = r.Tolerance;
        p.AreaCount = int32_t(areas_.back().size());
        p.Areas = areas_.back().empty() ? nullptr : areas_.back().data();
        p.AreasInclude = r.AreasInclude;
        records_.push_back(p);
    }
}

}  // namespace core
