#include "core/settings/slider_operations.h"

#include <gtest/gtest.h>

#include "core/settings/tuning_apply.h"

namespace {

using core::SliderEffect;
using core::SliderKey;
using core::SliderState;
using core::TuningState;

SliderState slider(int32_t min, int32_t max, int32_t position) {
    SliderState s;
    core::setSliderRange(s, min, max, min);
    s.position = position;
    return s;
}

TEST(SliderOperations, SetPositionReplacesOutOfRangeValues) {
    struct Case {
        int32_t min, max, position, def, expected;
    };
    const Case cases[] = {
        {0, 200, 150, 100, 150},  // inside
        {0, 200, 250, 100, 100},  // outside: the default
        {0, 200, -1, 100, 100},
        {0, 200, 250, 300, 200},  // the default outside too: its nearest bound
        {1, 16, 0, -5, 1},
        {0, 200, 200, 100, 200},  // the bounds are inside
    };
    for (const Case& c : cases) {
        SliderState s = slider(c.min, c.max, 0);
        core::setSliderPosition(s, c.position, c.def);
        EXPECT_EQ(s.position, c.expected) << c.position << " " << c.def;
        EXPECT_EQ(s.remembered, c.expected);
    }
    SliderState s;
    core::setSliderRange(s, 0, 100, 150, 20);
    EXPECT_EQ(s.defaultMarker, 100);
    EXPECT_EQ(s.secondMarker, 20);
}

TEST(SliderOperations, Keys) {
    struct Case {
        int32_t min, max, position;
        SliderKey key;
        core::KeyModifiers mods;
        std::optional<int32_t> target;
    };
    const core::KeyModifiers none{}, shift{true, false, false}, ctrl{false, true, false},
        alt{false, false, true};
    const Case cases[] = {
        {0, 300, 100, SliderKey::PageUp, none, 115},  // 5 % of 300
        {0, 300, 290, SliderKey::PageUp, none, 300},  // stops at the maximum
        {0, 300, 10, SliderKey::PageDown, none, 0},
        {0, 200, 100, SliderKey::PageDown, shift, 90},
        {0, 6, 3, SliderKey::PageUp, none, 4},        // 5 % of 6 rounds to 0: at least 1
        {1, 16, 5, SliderKey::PageUp, none, 6},       // 0.75 rounds to 1
        {0, 255, 100, SliderKey::PageUp, none, 113},  // 12.75 rounds to 13
        {0, 200, 50, SliderKey::End, none, 200},
        {0, 200, 50, SliderKey::Home, none, 0},
        {0, 200, 50, SliderKey::Left, none, 49},
        {0, 200, 50, SliderKey::Down, none, 49},
        {0, 200, 50, SliderKey::Right, none, 51},
        {0, 200, 200, SliderKey::Up, none, 200},
        {0, 200, 50, SliderKey::Right, shift, std::nullopt},
        {0, 200, 50, SliderKey::PageUp, ctrl, std::nullopt},
        {0, 200, 50, SliderKey::Home, alt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(core::sliderKeyTarget(slider(c.min, c.max, c.position), c.key, c.mods, false),
                  c.target);
    }
    EXPECT_EQ(core::sliderKeyTarget(slider(0, 200, 50), SliderKey::PageUp, none, true),
              std::nullopt);
}

TEST(SliderOperations, PageUpOnSlideBar5MovesBy15) {
    TuningState s;
    s.sliders[5].position = s.sliders[5].remembered = 100;
    EXPECT_EQ(core::sliderKeyPressed(s, 5, SliderKey::PageUp, {}, false), SliderEffect::RequestNow);
    EXPECT_EQ(s.sliders[5].position, 115);
    EXPECT_EQ(s.sliders[5].labelText, "115%");
    EXPECT_FALSE(s.sliders[5].labelGrey);
    s.sliders[5].position = s.sliders[5].remembered = 300;
    EXPECT_EQ(core::sliderKeyPressed(s, 5, SliderKey::PageUp, {}, false), SliderEffect::Nothing);
}

TEST(SliderOperations, NoiseFactorArithmetic) {
    EXPECT_EQ(core::noisePositionForFactor(40, 1500), 60);
    EXPECT_EQ(core::noiseFactorForPosition(50, 40, 1500), 1250);
    EXPECT_EQ(core::noiseFactorForPosition(50, 0, 1500), 1500);  // no level: kept
    EXPECT_EQ(core::noisePositionForFactor(150, 2000), 200);     // clamped
    EXPECT_EQ(core::noisePositionForFactor(0, 2000), 0);
    EXPECT_EQ(core::noisePositionForFactor(40, -5), 0);
    EXPECT_EQ(core::noiseFactorForPosition(1, 3, 1000), 333);
    EXPECT_EQ(core::noiseFactorForPosition(2, 3, 1000), 667);
}

TEST(SliderOperations, MovingTheNoiseLevelSliderStoresItsFactor) {
    TuningState s;
    s.expertMode = true;
    s.detected.midtones = 40;
    s.block.NoiseLevelFactor = 1500;
    core::applySettings(s, core::ResetCode::All);
    EXPECT_EQ(s.sliders[1].position, 60);
    EXPECT_EQ(s.sliders[1].defaultMarker, 40);
    EXPECT_TRUE(s.sliders[1].labelGrey);

    EXPECT_EQ(core::sliderChanged(s, 1, 50, {}), SliderEffect::RequestNow);
    EXPECT_EQ(s.noiseFactors.midtones, 1250);
    EXPECT_EQ(s.sliders[1].labelText, "50");
    EXPECT_FALSE(s.sliders[1].labelGrey);

    s.detected.midtones = 0;
    core::sliderChanged(s, 1, 30, {});
    EXPECT_EQ(s.noiseFactors.midtones, 1250);  // a level of 0 leaves it
}

TEST(SliderOperations, SlideBar1LeadsSliders2And3WhileHeld) {
    TuningState s;
    s.expertMode = true;
    s.detected = {20, 40, 60, 0, 100};
    core::applySettings(s, core::ResetCode::All);
    ASSERT_EQ(s.sliders[1].position, 40);
    ASSERT_EQ(s.sliders[2].position, 20);
    ASSERT_EQ(s.sliders[3].position, 60);

    core::sliderPressed(s, 1);
    EXPECT_EQ(core::sliderChanged(s, 1, 60, {true, true}), SliderEffect::RequestOnRelease);
    EXPECT_EQ(s.sliders[2].position, 30);
    EXPECT_EQ(s.sliders[3].position, 90);
    EXPECT_EQ(s.noiseFactors.shadows, 1500);
    EXPECT_EQ(s.noiseFactors.highlights, 1500);
    core::sliderChanged(s, 1, 200, {true, true});
    EXPECT_EQ(s.sliders[3].position, 200);  // clamped to its range
    EXPECT_EQ(s.sliders[2].position, 100);
    EXPECT_EQ(core::sliderReleased(s, 1), SliderEffect::RequestNow);
    EXPECT_FALSE(s.following.active);

    // Not held: the others stay.
    core::sliderChanged(s, 1, 40, {});
    EXPECT_EQ(s.sliders[2].position, 100);

    // A start position of 0 leads nothing.
    s.sliders[1].position = 0;
    core::sliderPressed(s, 1);
    core::sliderChanged(s, 1, 80, {true, true});
    EXPECT_EQ(s.sliders[2].position, 100);
    core::sliderReleased(s, 1);

    // A key on SlideBar1 leads them for its step.
    s.sliders[1].position = s.sliders[1].remembered = 100;
    s.sliders[2].position = 50;
    core::sliderKeyPressed(s, 1, SliderKey::PageUp, {}, false);
    EXPECT_EQ(s.sliders[1].position, 110);
    EXPECT_EQ(s.sliders[2].position, 55);
    EXPECT_FALSE(s.following.active);
}

// What a counted change of each kind of slider asks for.
TEST(SliderOperations, EffectsOfAChange) {
    struct Case {
        int n;
        bool mouseHeld;
        SliderEffect effect;
    };
    const Case cases[] = {
        {4, false, SliderEffect::RequestNow},      {4, true, SliderEffect::RequestOnRelease},
        {6, true, SliderEffect::RequestOnRelease}, {16, true, SliderEffect::RequestOnRelease},
        {19, false, SliderEffect::RequestNow},     {36, true, SliderEffect::RequestOnRelease},
        {9, true, SliderEffect::RequestNow},       {15, true, SliderEffect::RequestNow},
        {24, true, SliderEffect::RequestNow},      {29, true, SliderEffect::RequestNow},
        {20, false, SliderEffect::RequestNow},     {26, false, SliderEffect::RerenderCaption},
        {27, true, SliderEffect::RerenderCaption}, {17, false, SliderEffect::UpdateLabel},
        {18, true, SliderEffect::UpdateLabel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        TuningState s;
        const int32_t moved = s.sliders[size_t(c.n)].position == 5 ? 6 : 5;
        EXPECT_EQ(core::sliderChanged(s, c.n, moved, {c.mouseHeld, true}), c.effect);
        EXPECT_EQ(s.sliders[size_t(c.n)].position, moved);
        const bool regionTab = c.n <= 7 || c.n == 16 || c.n == 19 || c.n == 36;
        EXPECT_EQ(core::sliderReleased(s, c.n),
                  regionTab ? SliderEffect::RequestNow : SliderEffect::Nothing);
    }
}

TEST(SliderOperations, RedEyeSlidersChangeTheNewestMark) {
    TuningState s;
    s.redEyes.push_back({1000, 2000, 0, 0, 50, 100});
    s.redEyes.push_back({3000, 4000, 0, 0, 50, 100});
    EXPECT_EQ(core::sliderChanged(s, 17, 80, {}), SliderEffect::RequestNow);
    EXPECT_EQ(core::sliderChanged(s, 18, 70, {}), SliderEffect::RequestNow);
    EXPECT_EQ(s.redEyes[1].Darkening, 80);
    EXPECT_EQ(s.redEyes[1].PupilSize, 70);
    EXPECT_EQ(s.redEyes[0].Darkening, 50);
    EXPECT_EQ(s.redEyes[0].PupilSize, 100);
}

TEST(SliderOperations, WhenAChangeCounts) {
    TuningState s;
    core::sliderEntered(s, 9);
    const int32_t entered = s.sliders[9].position;
    // The focused slider back at its remembered position: not a change.
    EXPECT_EQ(core::sliderChanged(s, 9, entered, {false, true}), SliderEffect::Nothing);
    EXPECT_EQ(core::sliderChanged(s, 9, entered + 3, {false, true}), SliderEffect::RequestNow);
    EXPECT_EQ(core::sliderChanged(s, 9, entered + 3, {false, true}), SliderEffect::Nothing);
    // Without the focus every change counts.
    EXPECT_EQ(core::sliderChanged(s, 9, entered + 3, {false, false}), SliderEffect::RequestNow);
    // While a block is applied nothing is requested and the factors stay.
    s.applying = true;
    s.detected.midtones = 40;
    const int32_t factor = s.noiseFactors.midtones;
    EXPECT_EQ(core::sliderChanged(s, 9, 10, {}), SliderEffect::Nothing);
    EXPECT_EQ(core::sliderChanged(s, 1, 10, {}), SliderEffect::Nothing);
    EXPECT_EQ(core::sliderReleased(s, 4), SliderEffect::Nothing);
    EXPECT_EQ(s.sliders[9].position, 10);
    EXPECT_EQ(s.noiseFactors.midtones, factor);
}

TEST(SliderOperations, StoredValues) {
    TuningState s;
    s.sliders[6].position = 250 - 100;
    EXPECT_EQ(core::sliderStoredValue(s, 6), 50);
    s.sliders[5].position = 200;
    EXPECT_EQ(core::sliderStoredValue(s, 5), 200);
    s.noiseFactors.shadows = 777;
    EXPECT_EQ(core::sliderStoredValue(s, 2), 777);
}

}  // namespace
