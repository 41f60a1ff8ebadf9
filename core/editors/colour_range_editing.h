// Editing the colour ranges of the current settings: the range being edited in the colour-range
// window (a working copy written back into the list after every change, and the range as it was
// when the editing began, for cancelling), the palette's zoom, and the rules of the range list:
// newest first, deleting one or all ranges while the current one keeps its place.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/editors/colour_range_display.h"
#include "core/queue/queue_params.h"

namespace core {

using ColourRangeList = std::vector<ColorRangeItem>;

// The palette's zoom, 1 .. 3, starting at 1; each button is disabled at its limit.
class PaletteZoom {
  public:
    int32_t value() const { return value_; }
    bool canZoomIn() const { return value_ < kMaxPaletteZoom; }
    bool canZoomOut() const { return value_ > kMinPaletteZoom; }
    // False at the limit: nothing changed.
    bool zoomIn();
    bool zoomOut();

  private:
    int32_t value_ = kMinPaletteZoom;
};

// The list's rows from the top down: the range indices, newest first.
std::vector<int32_t> rangeListOrder(size_t count);
// The number a row shows: index + 1.
inline int32_t rangeNumber(int32_t index) {
    return index + 1;
}

struct RangeListChange {
    int32_t current = -1;      // the current range's index afterwards; -1 for none
    bool editingEnds = false;  // no range is left to edit
};
// Deletes range `index`. The current index keeps pointing to the same range: one lower when a
// range below it went; when the current range itself went, the range that took its place (the
// next newer one, or the newest when it was the newest), clamped to the list. -1 stays -1: with
// no range being edited, deleting one starts no editing. Nothing for an index outside the list.
std::optional<RangeListChange> deleteRange(ColourRangeList& ranges, int32_t current, int32_t index);
// Deletes every range; the editing ends.
RangeListChange deleteAllRanges(ColourRangeList& ranges);

// The range being edited.
class ColourRangeEditing {
  public:
    bool active() const { return index_ >= 0; }
    // -1 while nothing is edited.
    int32_t index() const { return index_; }
    // The working copy; meaningful while active.
    const ColorRangeItem& range() const { return working_; }
    // Save is offered for a range made in this editing, and after any change.
    bool saveEnabled() const { return active() && (isNew_ || changed_); }

    // Begins editing ranges[index] (made just now when isNew); false for no such range.
    bool begin(const ColourRangeList& ranges, int32_t index, bool isNew);
    // Ends the editing; the list keeps what was stored.
    void end();
    // Ends the editing and takes its changes back: the range as it was when the editing began,
    // or, for a range made in this editing, no range. False when the list no longer holds the
    // range being edited (it was replaced meanwhile): then nothing is touched.
    bool cancel(ColourRangeList& ranges);
    // Whether the list still holds the range being edited, at its index, as last stored.
    bool matches(const ColourRangeList& ranges) const;
    // The list lost ranges below the edited one: the same range at its new index.
    void moveTo(int32_t index);

    // Changes of the working copy; each is stored into the list at once. False when nothing is
    // edited or the list no longer holds the range.
    bool setTarget(ColourRangeList& ranges, const Rgb16& target);
    bool resetTarget(ColourRangeList& ranges);  // back to the mean colour: no correction
    bool setTolerance(ColourRangeList& ranges, int32_t tolerance);
    bool setAreasInclude(ColourRangeList& ranges, bool include);
    // The whole range replaced (a colour included or excluded by the engine, an area added).
    bool replace(ColourRangeList& ranges, const ColorRangeItem& range);

  private:
    bool store(ColourRangeList& ranges, const ColorRangeItem& changed);

    int32_t index_ = -1;
    ColorRangeItem working_;
    ColorRangeItem original_;
    bool isNew_ = false;
    bool changed_ = false;
};

}  // namespace core
