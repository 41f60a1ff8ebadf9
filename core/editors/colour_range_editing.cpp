#include "core/editors/colour_range_editing.h"

#include <algorithm>

namespace core {

bool PaletteZoom::zoomIn() {
    if (!canZoomIn()) return false;
    ++value_;
    return true;
}

bool PaletteZoom::zoomOut() {
    if (!canZoomOut()) return false;
    --value_;
    return true;
}

std::vector<int32_t> rangeListOrder(size_t count) {
    std::vector<int32_t> order;
    order.reserve(count);
    for (size_t i = count; i > 0; --i)
        order.push_back(int32_t(i - 1));
    return order;
}

std::optional<RangeListChange> deleteRange(ColourRangeList& ranges, int32_t current,
                                           int32_t index) {
    if (index < 0 || index >= int32_t(ranges.size())) return std::nullopt;
    ranges.erase(ranges.begin() + index);
    RangeListChange change;
    if (ranges.empty()) {
        change.editingEnds = true;
        return change;
    }
    if (current < 0) return change;
    if (index < current) --current;
    change.current = std::clamp(current, 0, int32_t(ranges.size()) - 1);
    return change;
}

RangeListChange deleteAllRanges(ColourRangeList& ranges) {
    ranges.clear();
    return RangeListChange{-1, true};
}

bool ColourRangeEditing::begin(const ColourRangeList& ranges, int32_t index, bool isNew) {
    if (index < 0 || index >= int32_t(ranges.size())) return false;
    index_ = index;
    working_ = ranges[size_t(index)];
    original_ = working_;
    isNew_ = isNew;
    changed_ = false;
    return true;
}

void ColourRangeEditing::end() {
    index_ = -1;
    working_ = {};
    original_ = {};
    isNew_ = changed_ = false;
}

bool ColourRangeEditing::cancel(ColourRangeList& ranges) {
    const bool held = matches(ranges);
    if (held) {
        if (isNew_)
            ranges.erase(ranges.begin() + index_);
        else
            ranges[size_t(index_)] = original_;
    }
    end();
    return held;
}

bool ColourRangeEditing::matches(const ColourRangeList& ranges) const {
    return active() && index_ < int32_t(ranges.size()) && ranges[size_t(index_)] == working_;
}

void ColourRangeEditing::moveTo(int32_t index) {
    if (active()) index_ = index;
}

bool ColourRangeEditing::store(ColourRangeList& ranges, const ColorRangeItem& changed) {
    if (!matches(ranges)) return false;
    working_ = changed;
    working_.AreaCount = int32_t(working_.Areas.size());
    ranges[size_t(index_)] = working_;
    changed_ = true;
    return true;
}

bool ColourRangeEditing::setTarget(ColourRangeList& ranges, const Rgb16& target) {
    ColorRangeItem r = working_;
    setTargetColour(r, target);
    return store(ranges, r);
}

bool ColourRangeEditing::resetTarget(ColourRangeList& ranges) {
    return setTarget(ranges, meanColour(working_));
}

bool ColourRangeEditing::setTolerance(ColourRangeList& ranges, int32_t tolerance) {
    ColorRangeItem r = working_;
    r.Tolerance = std::clamp(tolerance, 0, 100);
    return store(ranges, r);
}

bool ColourRangeEditing::setAreasInclude(ColourRangeList& ranges, bool include) {
    ColorRangeItem r = working_;
    r.AreasInclude = include ? 1 : 0;
    return store(ranges, r);
}

bool ColourRangeEditing::replace(ColourRangeList& ranges, const ColorRangeItem& range) {
    return store(ranges, range);
}

}  // namespace core
