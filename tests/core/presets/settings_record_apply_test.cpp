#include "core/presets/settings_record_apply.h"

#include <gtest/gtest.h>

#include "changed_block.h"
#include "core/crop/crop_values.h"
#include "core/presets/settings_file.h"
#include "core/presets/settings_groups.h"
#include "core/settings/tuning_collect.h"

namespace {

using core::PreviewTab;
using core::QueueParams;
using core::SettingsBlock;
using core::TuningState;

TuningState expertState(const SettingsBlock& block) {
    TuningState s;
    s.expertMode = true;
    s.detected = {20, 40, 60, 3, 97};
    core::applySettings(s, block, core::ResetCode::All);
    return s;
}

// Another block, every field different from changedBlock and from the defaults where the
// controls allow it.
SettingsBlock otherBlock() {
    SettingsBlock b = presettest::changedBlock();
    b.SharpenAmount = -30;
    b.EdgeWidth = 7;
    b.EdgeContrast = 250;
    b.SuppressHalos = 0;
    b.ShowSharpenMap = 0;
    b.WhiteHalo = 80;
    b.SharpnessEqualizer.fill(5);
    b.NoiseLevelFactor = 700;
    b.ChromaNoise = 1;
    b.Contrast = -50;
    b.RedShift = 44;
    b.CAThreshold = 100;
    b.Barrel = -5;
    b.CaptionText = "Other";
    return b;
}

core::ImageMarks marks() {
    core::ImageMarks m;
    m.noiseAreas.push_back(NoiseAreaEntry{30000, 33000, 31000, 20});
    core::ColorRangeItem range;
    range.Tolerance = 44;
    m.colorRanges.push_back(range);
    m.redEyes.push_back(RedEyeEntry{100, 200, 30, 20, 50, 90});
    return m;
}

TEST(ApplyRecord, ASharpeningPresetChangesOnlyTheSharpeningFields) {
    TuningState s = expertState(presettest::changedBlock());
    s.noiseAreas = {NoiseAreaEntry{1, 2, 3, 4}};
    const SettingsBlock before = s.block;
    const QueueParams record = core::settingsRecord(otherBlock(), true, QString(), marks());
    core::applySettingsRecord(s, record, PreviewTab::Sharpening);

    SettingsBlock expected = before;
    const SettingsBlock other = otherBlock();
    expected.SharpenAmount = other.SharpenAmount;
    expected.EdgeWidth = other.EdgeWidth;
    expected.EdgeContrast = other.EdgeContrast;
    expected.SuppressHalos = other.SuppressHalos;
    expected.ShowSharpenMap = other.ShowSharpenMap;
    expected.WhiteHalo = other.WhiteHalo;
    expected.SharpnessEqualizer = other.SharpnessEqualizer;
    EXPECT_EQ(presettest::differingFields(s.block, expected), std::set<std::string>{});
    EXPECT_EQ(s.curves.SharpnessEqualizer, other.SharpnessEqualizer);
    // The lists of other tabs stay.
    ASSERT_EQ(s.noiseAreas.size(), 1u);
    EXPECT_EQ(s.noiseAreas[0].Luma, 1);
    EXPECT_TRUE(s.redEyes.empty());
    EXPECT_TRUE(s.colorRanges.empty());
}

struct ListCase {
    PreviewTab tab;
    size_t picks;
    size_t ranges;
    size_t eyes;
};

class ApplyRecordLists : public ::testing::TestWithParam<ListCase> {};

TEST_P(ApplyRecordLists, ATabTakesOnlyItsOwnList) {
    TuningState s = expertState(SettingsBlock{});
    core::applySettingsRecord(s, core::settingsRecord(otherBlock(), true, QString(), marks()),
                              GetParam().tab);
    EXPECT_EQ(s.noiseAreas.size(), GetParam().picks);
    EXPECT_EQ(s.colorRanges.size(), GetParam().ranges);
    EXPECT_EQ(s.redEyes.size(), GetParam().eyes);
}

INSTANTIATE_TEST_SUITE_P(Tabs, ApplyRecordLists,
                         ::testing::Values(ListCase{PreviewTab::Noise, 1, 0, 0},
                                           ListCase{PreviewTab::RedEye, 0, 0, 1},
                                           ListCase{PreviewTab::Colors, 0, 1, 0},
                                           ListCase{PreviewTab::Sharpening, 0, 0, 0},
                                           ListCase{PreviewTab::Brightness, 0, 0, 0},
                                           ListCase{PreviewTab::Text, 0, 0, 0}));

// Saved in simple mode on one picture, loaded on the noise tab of another: the factors, not the
// levels, travel, and shadow and highlight follow the mid-tone factor.
TEST(ApplyRecord, ANoisePresetFromSimpleModeFollowsTheMidtoneFactorOnAnotherPicture) {
    TuningState saving;
    saving.detected = {10, 20, 30, 0, 100};
    SettingsBlock block;
    block.NoiseLevelFactor = 1500;
    core::applySettings(saving, block, core::ResetCode::All);
    const QueueParams record =
        core::settingsRecord(core::collectSettings(saving), false, QString(), {});
    ASSERT_EQ(record.Settings.ShadowsNoiseFactor, -1);

    TuningState loading = expertState(presettest::changedBlock());
    loading.detected = {30, 50, 70, 3, 97};
    core::applySettingsRecord(loading, record, PreviewTab::Noise);
    EXPECT_EQ(loading.noiseFactors, (core::NoiseFactors{1500, 1500, 1500}));
    EXPECT_EQ(loading.block.NoiseLevelFactor, 1500);
    EXPECT_EQ(loading.block.ShadowsNoiseFactor, 1500);
    EXPECT_EQ(loading.block.HighlightsNoiseFactor, 1500);
}

TEST(ApplyRecord, AllGroupsTakeTheWholeBlockAndEveryList) {
    TuningState s = expertState(SettingsBlock{});
    SettingsBlock other = otherBlock();
    // Set only for queue items; the window's crop tab always stores 0.
    other.CropFitEachImage = 0;
    core::applySettingsRecord(s, core::settingsRecord(other, true, QString(), marks()),
                              std::nullopt);
    EXPECT_EQ(presettest::differingFields(s.block, other), std::set<std::string>{});
    EXPECT_EQ(s.noiseAreas.size(), 1u);
    EXPECT_EQ(s.colorRanges.size(), 1u);
    EXPECT_EQ(s.redEyes.size(), 1u);
    EXPECT_EQ(s.crop.CropRect, other.CropRect);
    EXPECT_EQ(s.crop.CropImageWidth, other.CropImageWidth);
}

TEST(ApplyRecord, AllGroupsResolveDarkestBrightestAndDerivedFactors) {
    TuningState s = expertState(SettingsBlock{});
    SettingsBlock stored = otherBlock();
    stored.ShadowsNoiseFactor = -1;
    stored.HighlightsNoiseFactor = -1;
    stored.AutoContrastDarkest = -1;
    stored.AutoContrastBrightest = -1;
    QueueParams record;
    record.ExpertMode = 1;
    record.Settings = stored;
    core::applySettingsRecord(s, record, std::nullopt);
    EXPECT_EQ(s.block.ShadowsNoiseFactor, stored.NoiseLevelFactor);
    EXPECT_EQ(s.block.HighlightsNoiseFactor, stored.NoiseLevelFactor);
    EXPECT_EQ(s.block.AutoContrastDarkest, 3);
    EXPECT_EQ(s.block.AutoContrastBrightest, 97);
}

TEST(ApplyRecord, ACropPresetTakesTheStoredCropValues) {
    TuningState s = expertState(SettingsBlock{});
    const SettingsBlock other = otherBlock();
    core::applySettingsRecord(s, core::settingsRecord(other, true, QString(), {}),
                              PreviewTab::Crop);
    EXPECT_EQ(s.crop, core::cropValuesOf(other));
    EXPECT_EQ(s.block.CropRect, other.CropRect);
    EXPECT_EQ(s.block.SharpenAmount, SettingsBlock{}.SharpenAmount);
}

struct ModeCase {
    uint8_t stored;
    bool expert;
    bool switches;
};

class ExpertSwitch : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ExpertSwitch, OnlyExpertSettingsInSimpleModeSwitch) {
    QueueParams record;
    record.ExpertMode = GetParam().stored;
    EXPECT_EQ(core::recordNeedsExpertMode(record, GetParam().expert), GetParam().switches);
}

INSTANTIATE_TEST_SUITE_P(Modes, ExpertSwitch,
                         ::testing::Values(ModeCase{1, false, true}, ModeCase{1, true, false},
                                           ModeCase{0, false, false}, ModeCase{0, true, false}));

TEST(EqualizerToShow, OnlyAShapedCurveOfTheTabsOwnEqualizer) {
    core::EqualizerCurves flat;
    core::EqualizerCurves shaped;
    shaped.NoiseEqualizer.fill(3);
    shaped.SharpnessEqualizer.fill(-2);
    shaped.SaturationEqualizer[5] = 9;
    shaped.BrightnessEqualizer.fill(4);
    using core::EqualizerButton;
    EXPECT_EQ(core::equalizerToShow(PreviewTab::Noise, shaped), EqualizerButton::Noise);
    EXPECT_EQ(core::equalizerToShow(PreviewTab::Sharpening, shaped), EqualizerButton::Sharpening);
    EXPECT_EQ(core::equalizerToShow(PreviewTab::Colors, shaped), EqualizerButton::Saturation);
    EXPECT_EQ(core::equalizerToShow(PreviewTab::Brightness, shaped), std::nullopt);
    EXPECT_EQ(core::equalizerToShow(PreviewTab::Text, shaped), std::nullopt);
    for (PreviewTab tab : {PreviewTab::Noise, PreviewTab::Sharpening, PreviewTab::Colors})
        EXPECT_EQ(core::equalizerToShow(tab, flat), std::nullopt);
}

}  // namespace
