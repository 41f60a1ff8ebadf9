// The tab sheets' "in use" markers and the equalizer buttons' pictures.
#include <gtest/gtest.h>

#include <functional>

#include "core/settings/slider_table.h"
#include "core/settings/tab_markers.h"

namespace core {
namespace {

// The controls at their defaults, noise reduction switched off so that nothing is in use.
TuningState quiet() {
    TuningState s;
    for (int n = kFirstSlider; n <= kLastSlider; ++n)
        s.sliders[n].position = sliderConfig(n).defaultPosition;
    s.checks.cbEnableNR = false;
    s.checks.cbEnableFrame = false;
    return s;
}

struct MarkerCase {
    const char* what;
    PreviewTab tab;
    std::function<void(TuningState&)> change;
    bool inUse;
};

class TabMarkerCases : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(TabMarkerCases, MarksOnlyItsOwnTab) {
    const MarkerCase& c = GetParam();
    TuningState s = quiet();
    c.change(s);
    const TabsInUse marks = tabsInUse(s);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const bool expected = static_cast<PreviewTab>(i) == c.tab && c.inUse;
        EXPECT_EQ(marks[i], expected) << c.what << ", tab " << i;
    }
}

using T = PreviewTab;
INSTANTIATE_TEST_SUITE_P(
    Cases, TabMarkerCases,
    ::testing::Values(
        MarkerCase{"noise on at a level", T::Noise,
                   [](TuningState& s) {
                       s.checks.cbEnableNR = true;
                       s.sliders[1].position = 5;
                   },
                   true},
        MarkerCase{"noise on at 0", T::Noise,
                   [](TuningState& s) {
                       s.checks.cbEnableNR = true;
                       s.sliders[1].position = 0;
                   },
                   false},
        MarkerCase{"noise level but off", T::Noise,
                   [](TuningState& s) { s.sliders[1].position = 5; }, false},
        MarkerCase{"a red eye", T::RedEye,
                   [](TuningState& s) { s.redEyes.push_back(RedEyeEntry{}); }, true},
        MarkerCase{"sharpening amount", T::Sharpening,
                   [](TuningState& s) { s.sliders[6].position = 130; }, true},
        MarkerCase{"sharpening curve", T::Sharpening,
                   [](TuningState& s) { s.curves.SharpnessEqualizer[3] = 12; }, true},
        MarkerCase{"sharpening curve summing to 0", T::Sharpening,
                   [](TuningState& s) {
                       s.curves.SharpnessEqualizer[3] = 12;
                       s.curves.SharpnessEqualizer[4] = -12;
                   },
                   false},
        MarkerCase{"blue slider", T::Colors, [](TuningState& s) { s.sliders[13].position = 90; },
                   true},
        MarkerCase{"saturation slider", T::Colors,
                   [](TuningState& s) { s.sliders[15].position = 120; }, true},
        MarkerCase{"saturation curve", T::Colors,
                   [](TuningState& s) { s.curves.SaturationEqualizer[0] = -4; }, true},
        MarkerCase{"black and white", T::Colors,
                   [](TuningState& s) { s.checks.cbBWConversion = true; }, true},
        MarkerCase{"a colour range", T::Colors,
                   [](TuningState& s) { s.colorRanges.push_back(ColorRangeItem{}); }, true},
        MarkerCase{"CA on", T::CA, [](TuningState& s) { s.checks.cbEnableCA = true; }, true},
        MarkerCase{"gamma", T::Brightness, [](TuningState& s) { s.sliders[10].position = 110; },
                   true},
        MarkerCase{"shadows", T::Brightness, [](TuningState& s) { s.sliders[22].position = 140; },
                   true},
        MarkerCase{"brightness curve", T::Brightness,
                   [](TuningState& s) { s.curves.BrightnessEqualizer[8] = 7; }, true},
        MarkerCase{"auto contrast", T::Brightness,
                   [](TuningState& s) { s.checks.cbAutoContrast = true; }, true},
        MarkerCase{"distortions on and barrel", T::Distortions,
                   [](TuningState& s) {
                       s.checks.cbEnableDistortions = true;
                       s.sliders[28].position = 120;
                   },
                   true},
        MarkerCase{"distortions on at defaults", T::Distortions,
                   [](TuningState& s) { s.checks.cbEnableDistortions = true; }, false},
        MarkerCase{"vignetting but distortions off", T::Distortions,
                   [](TuningState& s) { s.sliders[32].position = 40; }, false},
        MarkerCase{"frame with a width", T::Text,
                   [](TuningState& s) { s.checks.cbEnableFrame = true; }, true},
        MarkerCase{"frame without widths", T::Text,
                   [](TuningState& s) {
                       s.checks.cbEnableFrame = true;
                       s.combos.Edit_frame_width = 0;
                       s.combos.Edit_frame_innerwidth = 0;
                   },
                   false},
        MarkerCase{"caption text", T::Text,
                   [](TuningState& s) {
                       s.checks.cbInsertText = true;
                       s.editTextCaption = "Harbour";
                   },
                   true},
        MarkerCase{"blank caption text", T::Text,
                   [](TuningState& s) {
                       s.checks.cbInsertText = true;
                       s.editTextCaption = "   ";
                   },
                   false},
        MarkerCase{"date", T::Text, [](TuningState& s) { s.checks.cbInsertDate = true; }, true},
        MarkerCase{"shooting data", T::Text, [](TuningState& s) { s.checks.cbInsertInfo = true; },
                   true},
        MarkerCase{"crop on", T::Crop, [](TuningState& s) { s.crop.CropOn = 1; }, true}));

TEST(TabMarkers, DefaultsMarkOnlyTheNoiseTabWhenALevelIsSet) {
    TuningState s = quiet();
    EXPECT_EQ(tabsInUse(s), TabsInUse{});
    EXPECT_EQ(tabMarkerPicture(true), 0);
    EXPECT_EQ(tabMarkerPicture(false), 1);
}

TEST(TabMarkers, EqualizerButtonPictures) {
    EqualizerCurves c;
    for (EqualizerButton b :
         {EqualizerButton::Noise, EqualizerButton::Saturation, EqualizerButton::Sharpening})
        EXPECT_EQ(equalizerButtonPicture(c, b), 22);
    c.NoiseEqualizer[10] = 3;
    EXPECT_EQ(equalizerButtonPicture(c, EqualizerButton::Noise), 23);
    EXPECT_EQ(equalizerButtonPicture(c, EqualizerButton::Saturation), 22);
    c.SharpnessEqualizer[39] = -1;
    EXPECT_EQ(equalizerButtonPicture(c, EqualizerButton::Sharpening), 23);
    c.SharpnessEqualizerCount = 39;  // values past the curve's count do not belong to it
    EXPECT_EQ(equalizerButtonPicture(c, EqualizerButton::Sharpening), 22);
}

}  // namespace
}  // namespace core
