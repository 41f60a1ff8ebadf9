#include "core/editors/colour_range_editing.h"

#include <gtest/gtest.h>

namespace {

using core::ColourRangeList;

// Ranges told apart by their tolerance: range i has tolerance 10 + i.
ColourRangeList numbered(int count) {
    ColourRangeList ranges;
    ranges.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        ranges[size_t(i)].Tolerance = 10 + i;
        ranges[size_t(i)].Colors = {40000, 40000, 40000, 20000, 20000, 20000, 30000, 30000, 30000};
    }
    return ranges;
}

std::vector<int32_t> tolerances(const ColourRangeList& ranges) {
    std::vector<int32_t> t;
    for (const auto& r : ranges)
        t.push_back(r.Tolerance);
    return t;
}

TEST(PaletteZoom, RunsFromOneToThreeAndStopsAtEachEnd) {
    core::PaletteZoom zoom;
    EXPECT_EQ(zoom.value(), 1);
    EXPECT_FALSE(zoom.canZoomOut());  // the minus button is disabled at 1
    EXPECT_TRUE(zoom.canZoomIn());
    EXPECT_FALSE(zoom.zoomOut());
    EXPECT_EQ(zoom.value(), 1);
    EXPECT_TRUE(zoom.zoomIn());
    EXPECT_TRUE(zoom.canZoomOut());
    EXPECT_TRUE(zoom.canZoomIn());
    EXPECT_TRUE(zoom.zoomIn());
    EXPECT_EQ(zoom.value(), 3);
    EXPECT_FALSE(zoom.canZoomIn());  // the plus button is disabled at 3
    EXPECT_FALSE(zoom.zoomIn());
    EXPECT_EQ(zoom.value(), 3);
    EXPECT_TRUE(zoom.zoomOut());
    EXPECT_EQ(zoom.value(), 2);
}

TEST(ColourRangeList, RowsShowTheNewestRangeFirst) {
    EXPECT_EQ(core::rangeListOrder(0), std::vector<int32_t>{});
    EXPECT_EQ(core::rangeListOrder(1), std::vector<int32_t>{0});
    EXPECT_EQ(core::rangeListOrder(4), (std::vector<int32_t>{3, 2, 1, 0}));
    EXPECT_EQ(core::rangeNumber(0), 1);
}

TEST(ColourRangeList, DeletingKeepsTheCurrentIndexOnTheSameRange) {
    struct Case {
        const char* what;
        int count, current, deleted;
        int32_t expectedCurrent;
        int32_t currentTolerance;  // which range is current afterwards (0: none)
        bool editingEnds;
    };
    const Case cases[] = {
        {"a range below: one lower", 5, 2, 0, 1, 12, false},
        {"the range just below", 5, 2, 1, 1, 12, false},
        {"a range above: unchanged", 5, 2, 3, 2, 12, false},
        {"the newest range above", 5, 2, 4, 2, 12, false},
        {"the current one: the next newer takes its place", 5, 2, 2, 2, 13, false},
        {"the current newest: clamped to the new newest", 5, 4, 4, 3, 13, false},
        {"the current oldest", 5, 0, 0, 0, 11, false},
        {"none current stays none", 5, -1, 1, -1, 0, false},
        {"the only range: the editing ends", 1, 0, 0, -1, 0, true},
        {"the only range with none current", 1, -1, 0, -1, 0, true},
    };
    for (const Case& c : cases) {
        ColourRangeList ranges = numbered(c.count);
        const auto change = core::deleteRange(ranges, c.current, c.deleted);
        ASSERT_TRUE(change.has_value()) << c.what;
        EXPECT_EQ(int(ranges.size()), c.count - 1) << c.what;
        EXPECT_EQ(change->current, c.expectedCurrent) << c.what;
        EXPECT_EQ(change->editingEnds, c.editingEnds) << c.what;
        if (change->current >= 0) {
            EXPECT_EQ(ranges[size_t(change->current)].Tolerance, c.currentTolerance) << c.what;
        }
        // The deleted range is gone, the others keep their order.
        for (size_t i = 0; i < ranges.size(); ++i)
            EXPECT_NE(ranges[i].Tolerance, 10 + c.deleted) << c.what;
    }
    // No such range: nothing changes.
    for (const int index : {-1, 3}) {
        ColourRangeList ranges = numbered(3);
        EXPECT_FALSE(core::deleteRange(ranges, 1, index).has_value());
        EXPECT_EQ(tolerances(ranges), (std::vector<int32_t>{10, 11, 12}));
    }
    ColourRangeList ranges = numbered(3);
    const core::RangeListChange all = core::deleteAllRanges(ranges);
    EXPECT_TRUE(ranges.empty());
    EXPECT_EQ(all.current, -1);
    EXPECT_TRUE(all.editingEnds);
}

TEST(ColourRangeEditing, EveryChangeIsStoredIntoTheListAtOnce) {
    ColourRangeList ranges = numbered(3);
    core::ColourRangeEditing e;
    EXPECT_FALSE(e.active());
    EXPECT_FALSE(e.setTarget(ranges, {1, 2, 3}));  // nothing edited
    EXPECT_FALSE(e.begin(ranges, 3, false));
    ASSERT_TRUE(e.begin(ranges, 1, false));
    EXPECT_EQ(e.index(), 1);
    EXPECT_FALSE(e.saveEnabled());  // an existing range, unchanged

    EXPECT_TRUE(e.setTarget(ranges, {50000, 10000, 20000}));
    EXPECT_TRUE(e.saveEnabled());
    EXPECT_EQ(core::targetColour(ranges[1]), (core::Rgb16{50000, 10000, 20000}));
    EXPECT_TRUE(core::RangeIsCorrected(ranges[1]));
    EXPECT_TRUE(e.setTolerance(ranges, 150));
    EXPECT_EQ(ranges[1].Tolerance, 100);
    EXPECT_TRUE(e.setAreasInclude(ranges, true));
    EXPECT_EQ(ranges[1].AreasInclude, 1);
    core::ColorRangeItem withArea = e.range();
    withArea.Areas.push_back({0, 10, 20, 30, 40});
    EXPECT_TRUE(e.replace(ranges, withArea));
    EXPECT_EQ(ranges[1].AreaCount, 1);
    EXPECT_TRUE(e.resetTarget(ranges));
    EXPECT_EQ(core::targetColour(ranges[1]), core::meanColour(ranges[1]));
    EXPECT_FALSE(core::RangeIsCorrected(ranges[1]));
    EXPECT_EQ(ranges[0].Tolerance, 10);  // the others stay
    EXPECT_EQ(ranges[2].Tolerance, 12);
    EXPECT_TRUE(e.matches(ranges));

    // The list replaced behind the editing (another picture, loaded settings): nothing is stored.
    ColourRangeList other = numbered(3);
    EXPECT_FALSE(e.matches(other));
    EXPECT_FALSE(e.setTarget(other, {1, 2, 3}));
    EXPECT_EQ(other[1], numbered(3)[1]);
    other.resize(1);
    EXPECT_FALSE(e.matches(other));
    EXPECT_FALSE(e.cancel(other));
    EXPECT_EQ(other.size(), 1u);
    EXPECT_FALSE(e.active());
}

TEST(ColourRangeEditing, CancelTakesTheChangesBack) {
    // An existing range returns to how it was.
    ColourRangeList ranges = numbered(3);
    core::ColourRangeEditing e;
    ASSERT_TRUE(e.begin(ranges, 0, false));
    e.setTarget(ranges, {1, 2, 3});
    e.setTolerance(ranges, 99);
    EXPECT_TRUE(e.cancel(ranges));
    EXPECT_FALSE(e.active());
    EXPECT_EQ(ranges, numbered(3));

    // A range made in this editing goes again; save is offered for it from the start.
    ranges = numbered(3);
    ASSERT_TRUE(e.begin(ranges, 2, true));
    EXPECT_TRUE(e.saveEnabled());
    e.setTarget(ranges, {1, 2, 3});
    EXPECT_TRUE(e.cancel(ranges));
    EXPECT_EQ(tolerances(ranges), (std::vector<int32_t>{10, 11}));

    // Ending keeps what was stored.
    ranges = numbered(2);
    ASSERT_TRUE(e.begin(ranges, 1, true));
    e.setTarget(ranges, {7, 8, 9});
    e.end();
    EXPECT_FALSE(e.active());
    EXPECT_EQ(e.index(), -1);
    EXPECT_EQ(core::targetColour(ranges[1]), (core::Rgb16{7, 8, 9}));
}

TEST(ColourRangeEditing, AfterALowerRangeWasDeletedTheEditingFollowsItsRange) {
    ColourRangeList ranges = numbered(4);
    core::ColourRangeEditing e;
    ASSERT_TRUE(e.begin(ranges, 2, false));
    const auto change = core::deleteRange(ranges, e.index(), 0);
    ASSERT_TRUE(change);
    e.moveTo(change->current);
    EXPECT_TRUE(e.matches(ranges));
    EXPECT_TRUE(e.setTarget(ranges, {4, 5, 6}));
    EXPECT_EQ(core::targetColour(ranges[1]), (core::Rgb16{4, 5, 6}));
}

}  // namespace
