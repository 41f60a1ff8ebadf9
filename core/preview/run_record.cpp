#include "core/preview/run_record.h"

namespace core {

namespace {

template <typename T>
std::vector<T> copyTable(const T* first, int32_t count) {
    if (!first || count <= 0) return {};
    return std::vector<T>(first, first + count);
}

}  // namespace

RunRecord::RunRecord() {
    params.Magic = DNR_IMAGE_MAGIC;
    params.BytesPerSample = -1;
    params.SelectedColorRange = -1;
}

RunRecord::RunRecord(const ProcessingParams& filled) : params(filled) {
    noiseAreas_ = copyTable(filled.NoiseAreas, filled.NoiseAreaCount);
    params.NoiseAreaCount = int32_t(noiseAreas_.size());
    params.NoiseAreas = noiseAreas_.empty() ? nullptr : noiseAreas_.data();

    redEyes_ = copyTable(filled.RedEyes, filled.RedEyeCount);
    params.RedEyeCount = int32_t(redEyes_.size());
    params.RedEyes = redEyes_.empty() ? nullptr : redEyes_.data();

    ranges_ = copyTable(filled.ColorRanges, filled.ColorRangeCount);
    rangeAreas_.resize(ranges_.size());
    for (std::size_t i = 0; i < ranges_.size(); ++i) {
        Colors_ColorRangeParams& r = ranges_[i];
        XcludedArea* areas = r.Areas;  // packed member: read it before use
        rangeAreas_[i] = copyTable(static_cast<const XcludedArea*>(areas), r.AreaCount);
        r.AreaCount = int32_t(rangeAreas_[i].size());
        r.Areas = rangeAreas_[i].empty() ? nullptr : rangeAreas_[i].data();
    }
    params.ColorRangeCount = int32_t(ranges_.size());
    params.ColorRanges = ranges_.empty() ? nullptr : ranges_.data();
}

}  // namespace core
