#include "core/fullscreen/full_screen_texts.h"

#include <gtest/gtest.h>

#include "preview/text_table.h"

namespace core {
namespace {

TextLookup texts() {
    return textTable({
        {QStringLiteral("ALS_WAIT"), QStringLiteral("please wait")},
        {QStringLiteral("ALS_FILE"), QStringLiteral("File")},
        {QStringLiteral("ALS_SOURCE"), QStringLiteral("Source")},
        {QStringLiteral("ALS_MODE_COLORS"), QStringLiteral("Colours")},
        {QStringLiteral("ALS_MODE_BRIGHTNESS"), QStringLiteral("Brightness")},
        {QStringLiteral("ALS_MODE_CROP_AND_RESIZE"), QStringLiteral("Crop and resize")},
        {QStringLiteral("ALS_DISTORTIONS"), QStringLiteral("Distortions")},
        {QStringLiteral("ALS_FILTERED"), QStringLiteral("Filtered")},
        {QStringLiteral("ALS_FRM_FS_KEYS_CHANGE"), QStringLiteral("PgUp/PgDn change")},
        {QStringLiteral("ALS_FRM_FS_KEYS_PREVNEXT"), QStringLiteral("Space/Backspace step")},
        {QStringLiteral("ALS_FRM_FS_KEYS_COMPARE"), QStringLiteral("Click to compare")},
        {QStringLiteral("ALS_SATURATION"), QStringLiteral("Saturation")},
    });
}

TEST(FullScreenStatus, WaitAndWhat) {
    EXPECT_EQ(fullScreenStatus(texts(), QStringLiteral("Preparing")),
              QStringLiteral("please wait... (Preparing)"));
}

struct HintCase {
    const char* name;
    HintInputs in;
    const char* expected;
};

HintInputs inputs(FullScreenMode mode, ShownKind shown) {
    HintInputs in;
    in.mode = mode;
    in.shown = shown;
    in.sourceLabel = QStringLiteral("Source: photo.jpg (4000x3000 px)");
    in.outputLabel = QStringLiteral("Output (1600x1200 px)");
    return in;
}

std::vector<HintCase> hintCases() {
    std::vector<HintCase> cases;
    {
        HintInputs in = inputs(FullScreenMode::Plain, ShownKind::Source);
        cases.push_back({"PlainSource", in, "File: photo.jpg (4000x3000 px)"});
        in.previousAndNext = true;
        cases.push_back(
            {"PlainSourceStepping", in, "File: photo.jpg (4000x3000 px), Space/Backspace step"});
        in.shown = ShownKind::Result;
        cases.push_back({"PlainResultStepping", in,
                         "File: photo.jpg (4000x3000 px) - FILTERED\r\nOutput (1600x1200 px), "
                         "Space/Backspace step\r\nClick to compare"});
    }
    {
        HintInputs in = inputs(FullScreenMode::Adjust, ShownKind::Result);
        in.tab = PreviewTab::Colors;
        in.sliderLabel = "ALS_SATURATION";
        in.sliderValue = QStringLiteral("25");
        cases.push_back({"ColoursWithSlider", in,
                         "File: photo.jpg (4000x3000 px) - COLOURS\r\nOutput (1600x1200 px), "
                         "PgUp/PgDn change Saturation (=25)\r\nClick to compare"});
        in.tab = PreviewTab::Brightness;
        in.sliderLabel = nullptr;
        cases.push_back({"BrightnessWithoutSlider", in,
                         "File: photo.jpg (4000x3000 px) - BRIGHTNESS\r\nOutput (1600x1200 px)"
                         "\r\nClick to compare"});
        in.shown = ShownKind::Source;
        in.previousAndNext = true;  // stepping keys are only offered in the viewing mode
        cases.push_back({"AdjustSource", in, "File: photo.jpg (4000x3000 px)"});
    }
    {
        HintInputs in = inputs(FullScreenMode::Distortion, ShownKind::Result);
        cases.push_back({"Distortions", in,
                         "File: photo.jpg (4000x3000 px) - DISTORTIONS\r\nOutput (1600x1200 px)"
                         "\r\nClick to compare"});
    }
    {
        HintInputs in = inputs(FullScreenMode::Crop, ShownKind::Source);
        cases.push_back({"Crop", in,
                         "File: photo.jpg (4000x3000 px) - CROP AND RESIZE\r\nOutput (1600x1200 "
                         "px)"});
    }
    {
        HintInputs in = inputs(FullScreenMode::Plain, ShownKind::Source);
        in.sourceLabel = QStringLiteral("  SOURCE: a.png  source: b ");
        cases.push_back({"PrefixRemovedInAnyCase", in, "File: a.png  b"});
    }
    return cases;
}

class FullScreenHint : public testing::TestWithParam<HintCase> {};

TEST_P(FullScreenHint, Builds) {
    EXPECT_EQ(fullScreenHint(texts(), GetParam().in), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, FullScreenHint, testing::ValuesIn(hintCases()),
                         [](const testing::TestParamInfo<HintCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace core
