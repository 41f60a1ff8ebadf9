// The caption of the output preview: the filters in effect for the shown result.
#include <gtest/gtest.h>

#include "core/preview/output_caption.h"
#include "text_table.h"

namespace core {
namespace {

TextLookup captionTexts() {
    return textTable({{"ALS_FILTERS_APPLIED", "Filters applied"},
                      {"ALS_NONE", "None"},
                      {"ALS_NOISE", " Noise "},
                      {"ALS_REDEYE", "Red eye"},
                      {"ALS_BRIGHTNESS", "Brightness"},
                      {"ALS_COLORS", "Colours"},
                      {"ALS_CHROMATIC_ABERATION", "Chromatic aberration"},
                      {"ALS_SHARPENING", "Sharpening"},
                      {"ALS_DISTORTIONS", "Distortions"},
                      {"ALS_CROP_AND_RESIZE", "Crop and resize"},
                      {"ALS_FRAMES_AND_TEXT", "Frames and text"}});
}

TabMarkers allInUse() {
    TabMarkers m;
    m.fill({true, true});
    return m;
}

struct CaptionCase {
    PreviewTab active;
    const char* expected;
};

class CaptionOnTab : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionOnTab, NamesOnlyTheStagesAppliedThere) {
    EXPECT_EQ(outputCaption(captionTexts(), allInUse(), true, GetParam().active),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, CaptionOnTab,
    ::testing::Values(
        CaptionCase{PreviewTab::Noise,
                    "Filters applied: Noise; Red eye; Brightness; Colours; Chromatic aberration; "
                    "Sharpening"},
        CaptionCase{PreviewTab::Sharpening,
                    "Filters applied: Noise; Red eye; Brightness; Colours; Chromatic aberration; "
                    "Sharpening"},
        CaptionCase{PreviewTab::RedEye, "Filters applied: Red eye"},
        CaptionCase{PreviewTab::CA,
                    "Filters applied: Red eye; Brightness; Colours; Chromatic aberration"},
        CaptionCase{PreviewTab::Colors, "Filters applied: Brightness; Colours; Distortions"},
        CaptionCase{PreviewTab::Brightness, "Filters applied: Brightness; Colours; Distortions"},
        CaptionCase{PreviewTab::Distortions, "Filters applied: Brightness; Colours; Distortions"},
        CaptionCase{PreviewTab::Crop,
                    "Filters applied: Brightness; Colours; Distortions; Crop and resize"},
        CaptionCase{PreviewTab::Text,
                    "Filters applied: Brightness; Colours; Distortions; Crop and resize; Frames "
                    "and text"}));

TEST(OutputCaption, HiddenOrUnusedStagesAreLeftOut) {
    TabMarkers m = allInUse();
    m[size_t(PreviewTab::CA)].visible = false;   // the expert tab is hidden
    m[size_t(PreviewTab::Noise)].inUse = false;  // noise reduction switched off
    m[size_t(PreviewTab::Colors)].inUse = false;
    EXPECT_EQ(outputCaption(captionTexts(), m, true, PreviewTab::Sharpening),
              QStringLiteral("Filters applied: Red eye; Brightness; Sharpening"));
    // Outside the tuning mode the active tab does not matter.
    EXPECT_EQ(outputCaption(captionTexts(), m, false, PreviewTab::RedEye),
              QStringLiteral("Filters applied: Red eye; Brightness; Sharpening; Distortions; Crop "
                             "and resize; Frames and text"));
}

TEST(OutputCaption, NoneWhenNothingIsInEffect) {
    TabMarkers m;
    EXPECT_EQ(outputCaption(captionTexts(), m, true, PreviewTab::Noise),
              QStringLiteral("Filters applied: None"));
    m[size_t(PreviewTab::Text)] = {true, true};
    EXPECT_EQ(outputCaption(captionTexts(), m, true, PreviewTab::Colors),
              QStringLiteral("Filters applied: None"));
}

}  // namespace
}  // namespace core
