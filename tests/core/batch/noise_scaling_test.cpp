#include "core/batch/noise_scaling.h"

#include <gtest/gtest.h>

namespace {

TEST(NoiseScaling, Examples) {
    const struct {
        const char* what;
        int32_t stored, shadows, highlights;
        std::array<int32_t, 3> detected;
        int32_t level, shadowLevel, highlightLevel, relative, midtones;
    } cases[] = {
        {"120 % on level 10", 1200, -1, -1, {8, 10, 12}, 12, 10, 14, 1200, 10},
        {"100 % on level 250: capped, the applied share is 80 %",
         1000,
         -1,
         -1,
         {300, 250, 100},
         200,
         200,
         80,
         800,
         250},
        {"stored 0", 0, 1000, 1000, {20, 30, 40}, 0, 0, 0, 0, 30},
        {"detected 0 counts as 1", 1000, -1, -1, {0, 0, 0}, 1, 1, 1, 1000, 1},
        {"own shadow and highlight shares", 1000, 500, 1500, {40, 30, 20}, 30, 20, 30, 1000, 30},
        {"a half rounds to even", 1250, 1000, 1000, {1, 2, 3}, 2, 1, 3, 1250, 2},
        {"a half rounds to even, upwards", 1500, -1, -1, {5, 5, 5}, 8, 8, 8, 1500, 5},
        {"shadow level capped at 200", 1000, 3000, 1000, {100, 50, 50}, 50, 200, 50, 1000, 50},
        {"detected levels above 10000 are clamped",
         10,
         -1,
         -1,
         {20000, 20000, 5},
         100,
         100,
         0,
         10,
         10000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const core::ScaledNoise s =
            core::scaleNoiseLevels(c.stored, c.shadows, c.highlights, c.detected);
        EXPECT_EQ(s.noiseLevel, c.level);
        EXPECT_EQ(s.shadowsNoiseLevel, c.shadowLevel);
        EXPECT_EQ(s.highlightsNoiseLevel, c.highlightLevel);
        EXPECT_EQ(s.relative, c.relative);
        EXPECT_EQ(s.midtones, c.midtones);
    }
}

TEST(NoiseScaling, RoundsHalvesToEven) {
    const std::pair<double, int32_t> cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},   {-0.5, 0},
                                                {-1.5, -2}, {2.4999, 2}, {2.5001, 3}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(core::roundHalfEven(value), expected) << value;
}

}  // namespace
