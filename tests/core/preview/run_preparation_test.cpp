// The record's overrides for preview and full runs.
#include <gtest/gtest.h>

#include "core/preview/run_preparation.h"

namespace core {
namespace {

// A record with every stage and every display on, as a fill might leave it.
ProcessingParams everythingOn() {
    ProcessingParams p{};
    p.NoiseReductionOn = 1;
    p.SharpenAmount = 40;
    p.RedEyeOn = 1;
    p.ColorAdjustOn = 1;
    p.CAOn = 1;
    p.DistortionsOn = 1;
    p.ShowNoiseMap = p.ShowSharpenMap = p.ShowCAMap = 1;
    p.ShowGrid = p.CompareMode = p.ShowOverExposed = 1;
    p.FinalRun = 1;
    return p;
}

struct TabCase {
    PreviewTab tab;
    StagesOn stages;  // noise, sharpening, red-eye, colour, CA, distortions
};

class StageSwitchOffs : public ::testing::TestWithParam<TabCase> {};

TEST_P(StageSwitchOffs, PerTab) {
    ProcessingParams p = everythingOn();
    switchOffStagesForTab(p, GetParam().tab);
    EXPECT_EQ(stagesOn(p), GetParam().stages) << sheetNameOf(GetParam().tab);
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, StageSwitchOffs,
    ::testing::Values(TabCase{PreviewTab::Noise, {true, true, true, true, true, false}},
                      TabCase{PreviewTab::Sharpening, {true, true, true, true, true, false}},
                      TabCase{PreviewTab::RedEye, {false, false, true, false, false, false}},
                      TabCase{PreviewTab::CA, {false, false, true, true, true, false}},
                      TabCase{PreviewTab::Colors, {false, false, false, true, false, true}},
                      TabCase{PreviewTab::Brightness, {false, false, false, true, false, true}},
                      TabCase{PreviewTab::Distortions, {false, false, false, true, false, true}},
                      TabCase{PreviewTab::Text, {false, false, false, true, false, true}},
                      TabCase{PreviewTab::Crop, {false, false, false, true, false, true}}));

struct DisplayCase {
    PreviewTab tab;
    int32_t noiseMap, sharpenMap, caMap, grid, compare, overExposed;
};

class DiagnosticDisplays : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DiagnosticDisplays, StayOnlyOnTheirOwnTab) {
    const DisplayCase& c = GetParam();
    ProcessingParams p = everythingOn();
    keepDiagnosticsOfTab(p, c.tab);
    EXPECT_EQ(p.ShowNoiseMap, c.noiseMap);
    EXPECT_EQ(p.ShowSharpenMap, c.sharpenMap);
    EXPECT_EQ(p.ShowCAMap, c.caMap);
    EXPECT_EQ(p.ShowGrid, c.grid);
    EXPECT_EQ(p.CompareMode, c.compare);
    EXPECT_EQ(p.ShowOverExposed, c.overExposed);
    EXPECT_EQ(p.FinalRun, 0);
}

INSTANTIATE_TEST_SUITE_P(Tabs, DiagnosticDisplays,
                         ::testing::Values(DisplayCase{PreviewTab::Noise, 1, 0, 0, 0, 0, 0},
                                           DisplayCase{PreviewTab::Sharpening, 0, 1, 0, 0, 0, 0},
                                           DisplayCase{PreviewTab::CA, 0, 0, 1, 0, 0, 0},
                                           DisplayCase{PreviewTab::Distortions, 0, 0, 0, 1, 1, 0},
                                           DisplayCase{PreviewTab::Colors, 0, 0, 0, 0, 0, 1},
                                           DisplayCase{PreviewTab::Brightness, 0, 0, 0, 0, 0, 1},
                                           DisplayCase{PreviewTab::RedEye, 0, 0, 0, 0, 0, 0},
                                           DisplayCase{PreviewTab::Text, 0, 0, 0, 0, 0, 0},
                                           DisplayCase{PreviewTab::Crop, 0, 0, 0, 0, 0, 0}));

TEST(PreviewRunPreparation, RegionTabsCarryTheRegionAndTheSourceSize) {
    ProcessingParams p = everythingOn();
    PreviewRegion r;
    r.left = 120;
    r.top = 45;
    r.width = 333;
    r.height = 266;
    preparePreviewRun(p, PreviewTab::Noise, r, {5000, 3000}, {333, 266});
    EXPECT_EQ(p.ViewLeft, 120);
    EXPECT_EQ(p.ViewTop, 45);
    EXPECT_EQ(p.ViewWidth, 333);
    EXPECT_EQ(p.ViewHeight, 266);
    EXPECT_EQ(p.FullWidth, 5000);
    EXPECT_EQ(p.ScaledFullWidth, 5000);
    EXPECT_EQ(p.FullHeight, 3000);
    EXPECT_EQ(p.ScaledFullHeight, 3000);
    EXPECT_EQ(p.FinalRun, 0);
    EXPECT_EQ(p.DistortionsOn, 0);
}

TEST(PreviewRunPreparation, WholeImageTabsCarryTheWholeWorkingPicture) {
    ProcessingParams p = everythingOn();
    PreviewRegion r;
    r.left = 120;
    r.top = 45;
    r.width = 333;
    r.height = 266;
    preparePreviewRun(p, PreviewTab::Colors, r, {5000, 3000}, {1666, 1000});
    EXPECT_EQ(p.ViewLeft, 0);
    EXPECT_EQ(p.ViewTop, 0);
    EXPECT_EQ(p.ViewWidth, 1666);
    EXPECT_EQ(p.ViewHeight, 1000);
    EXPECT_EQ(p.FullWidth, 1666);
    EXPECT_EQ(p.ScaledFullHeight, 1000);
    EXPECT_EQ(p.NoiseReductionOn, 0);
    EXPECT_EQ(p.ShowOverExposed, 1);
}

TEST(FullRunPreparation, NoPreviewDisplaysAFinalRunOverTheWholePicture) {
    ProcessingParams p = everythingOn();
    p.FinalRun = 0;
    p.ViewLeft = 7;
    prepareFullRun(p, {4000, 2500});
    EXPECT_EQ(p.ShowNoiseMap + p.ShowSharpenMap + p.ShowCAMap + p.ShowGrid + p.CompareMode +
                  p.ShowOverExposed,
              0);
    EXPECT_EQ(p.FinalRun, DNR_FINAL_RUN);
    EXPECT_EQ(p.ViewLeft, 0);
    EXPECT_EQ(p.ViewTop, 0);
    EXPECT_EQ(p.ViewWidth, 4000);
    EXPECT_EQ(p.ViewHeight, 2500);
    EXPECT_EQ(p.FullWidth, 4000);
    EXPECT_EQ(p.FullHeight, 2500);
    // The stages stay as filled.
    EXPECT_EQ(stagesOn(p), (StagesOn{true, true, true, true, true, true}));
}

TEST(RunPreparation, AttachPointsTheRecordAtThePixels) {
    ProcessingParams p{};
    p.Reserved484 = 9;
    uint8_t pixels[12 * 2] = {};
    attachPixels(p, PixelView{pixels, 3, 1, 2});
    EXPECT_EQ(p.Magic, DNR_IMAGE_MAGIC);
    EXPECT_EQ(p.Bits, pixels);
    EXPECT_EQ(p.Width, 3);
    EXPECT_EQ(p.Height, 2);
    EXPECT_EQ(p.BytesPerSample, 1);
    EXPECT_EQ(p.Reserved484, 0);
}

TEST(PreviewTabs, SheetNamesAndKinds) {
    for (std::size_t i = 0; i < kPreviewTabCount; ++i) {
        const auto tab = static_cast<PreviewTab>(i);
        EXPECT_EQ(tabOfSheet(QString::fromLatin1(sheetNameOf(tab))), tab);
    }
    EXPECT_EQ(tabOfSheet(QStringLiteral("tsColor")), PreviewTab::Colors);
    EXPECT_EQ(tabOfSheet(QStringLiteral("tsNoise")), std::nullopt);
    EXPECT_FALSE(isWholeImageTab(PreviewTab::RedEye));
    EXPECT_TRUE(isWholeImageTab(PreviewTab::Crop));
    EXPECT_TRUE(showsPreviewProgress(false, PreviewTab::RedEye));
    EXPECT_FALSE(showsPreviewProgress(true, PreviewTab::RedEye));
    EXPECT_TRUE(showsPreviewProgress(true, PreviewTab::CA));
}

}  // namespace
}  // namespace core
