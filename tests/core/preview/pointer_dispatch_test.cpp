// The pointer grammar of the tuning tabs: which action a press in a preview pane takes.
#include <gtest/gtest.h>

#include "core/preview/pointer_dispatch.h"

namespace core {
namespace {

using A = PointerAction;
using B = PointerButton;

struct Case {
    const char* name;
    PreviewTab tab;
    B button;
    PointerModifiers modifiers;
    A expected;
};

PointerSituation expertRight(PreviewTab tab, PointerModifiers m) {
    PointerSituation s;
    s.tab = tab;
    s.button = B::Right;
    s.modifiers = m;
    s.expertMode = true;
    s.chromaticAberrationOn = true;
    return s;
}

constexpr PointerModifiers kNone{};
constexpr PointerModifiers kShift{true, false, false};
constexpr PointerModifiers kAlt{false, true, false};
constexpr PointerModifiers kCtrl{false, false, true};
constexpr PointerModifiers kShiftAlt{true, true, false};

TEST(PointerDispatchTest, RightButtonInExpertMode) {
    const Case cases[] = {
        {"colour plain", PreviewTab::Colors, B::Right, kNone, A::ContextMenu},
        {"colour shift", PreviewTab::Colors, B::Right, kShift, A::WhitePoint},
        {"colour alt", PreviewTab::Colors, B::Right, kAlt, A::NewColourRange},
        {"colour ctrl", PreviewTab::Colors, B::Right, kCtrl, A::MemoryColour},
        {"colour shift+alt", PreviewTab::Colors, B::Right, kShiftAlt, A::NewColourRange},
        {"noise plain", PreviewTab::Noise, B::Right, kNone, A::ContextMenu},
        {"noise shift", PreviewTab::Noise, B::Right, kShift, A::AdjustNoise},
        {"noise alt", PreviewTab::Noise, B::Right, kAlt, A::IncreaseNoisePick},
        {"noise ctrl", PreviewTab::Noise, B::Right, kCtrl, A::DecreaseNoisePick},
        {"noise shift+alt", PreviewTab::Noise, B::Right, kShiftAlt, A::IncreaseNoisePick},
        {"CA plain", PreviewTab::CA, B::Right, kNone, A::ContextMenu},
        {"CA shift", PreviewTab::CA, B::Right, kShift, A::SetCAColour},
        {"CA alt", PreviewTab::CA, B::Right, kAlt, A::ContextMenu},
        {"CA ctrl", PreviewTab::CA, B::Right, kCtrl, A::ContextMenu},
        {"CA shift+alt", PreviewTab::CA, B::Right, kShiftAlt, A::SetCAColour},
        {"red-eye plain", PreviewTab::RedEye, B::Right, kNone, A::EyeBox},
        {"red-eye ctrl", PreviewTab::RedEye, B::Right, kCtrl, A::EyeBox},
        {"sharpening", PreviewTab::Sharpening, B::Right, kShift, A::None},
        {"brightness", PreviewTab::Brightness, B::Right, kNone, A::None},
        {"text", PreviewTab::Text, B::Right, kNone, A::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dispatchPress(expertRight(c.tab, c.modifiers)).action, c.expected) << c.name;
}

TEST(PointerDispatchTest, ColourRangeWindowOpen) {
    const Case cases[] = {
        {"plain", PreviewTab::Colors, B::Right, kNone, A::ContextMenu},
        {"shift", PreviewTab::Colors, B::Right, kShift, A::StartRectangle},
        {"alt", PreviewTab::Colors, B::Right, kAlt, A::IncludeColour},
        {"ctrl", PreviewTab::Colors, B::Right, kCtrl, A::StartEllipse},
        {"shift+alt", PreviewTab::Colors, B::Right, kShiftAlt, A::ExcludeColour},
    };
    for (const auto& c : cases) {
        PointerSituation s = expertRight(c.tab, c.modifiers);
        s.colourRangeWindowOpen = true;
        s.colourRangeSelected = true;
        EXPECT_EQ(dispatchPress(s).action, c.expected) << c.name;
    }
    // While an area is drawn, a left press finishes it and any other press cancels it.
    PointerSituation s = expertRight(PreviewTab::Colors, kShift);
    s.colourRangeWindowOpen = true;
    s.drawingArea = true;
    EXPECT_EQ(dispatchPress(s).action, A::CancelArea);
    s.button = B::Left;
    s.modifiers = kNone;
    EXPECT_EQ(dispatchPress(s).action, A::FinishArea);
}

TEST(PointerDispatchTest, SimpleModeKeepsOnlyTheEyeBoxes) {
    for (PreviewTab tab : {PreviewTab::Noise, PreviewTab::Colors, PreviewTab::CA}) {
        for (PointerModifiers m : {kNone, kShift, kAlt, kCtrl, kShiftAlt}) {
            PointerSituation s = expertRight(tab, m);
            s.expertMode = false;
            EXPECT_EQ(dispatchPress(s).action, A::None) << int(tab);
        }
    }
    PointerSituation eye = expertRight(PreviewTab::RedEye, kNone);
    eye.expertMode = false;
    EXPECT_EQ(dispatchPress(eye).action, A::EyeBox);
    // A tool cannot be armed in simple mode: the left button drags.
    eye.button = B::Left;
    eye.tool = 1;
    EXPECT_EQ(dispatchPress(eye).action, A::Drag);
}

TEST(PointerDispatchTest, ArmedToolsActOnTheLeftButton) {
    struct ToolCase {
        PreviewTab tab;
        int32_t tool;
        bool windowOpen;
        A expected;
    };
    const ToolCase cases[] = {
        {PreviewTab::Noise, 1, false, A::AdjustNoise},
        {PreviewTab::Noise, 2, false, A::IncreaseNoisePick},
        {PreviewTab::Noise, 3, false, A::DecreaseNoisePick},
        {PreviewTab::Colors, 1, false, A::WhitePoint},
        {PreviewTab::Colors, 2, false, A::NewColourRange},
        {PreviewTab::Colors, 3, false, A::MemoryColour},
        {PreviewTab::Colors, 1, true, A::IncludeColour},
        {PreviewTab::Colors, 2, true, A::ExcludeColour},
        {PreviewTab::Colors, 3, true, A::StartRectangle},
        {PreviewTab::Colors, 4, true, A::StartEllipse},
        {PreviewTab::RedEye, 1, false, A::EyeBox},
        {PreviewTab::CA, 1, false, A::SetCAColour},
    };
    for (const auto& c : cases) {
        PointerSituation s = expertRight(c.tab, kNone);
        s.button = B::Left;
        s.tool = c.tool;
        s.colourRangeWindowOpen = c.windowOpen;
        const PointerDecision d = dispatchPress(s);
        EXPECT_EQ(d.action, c.expected) << int(c.tab) << " tool " << c.tool;
        EXPECT_TRUE(d.toolUsed);
    }
}

TEST(PointerDispatchTest, LeftButtonWithTheDragTool) {
    struct DragCase {
        PreviewTab tab;
        A expected;
    };
    const DragCase cases[] = {
        {PreviewTab::Noise, A::Drag},       {PreviewTab::Sharpening, A::Drag},
        {PreviewTab::RedEye, A::Drag},      {PreviewTab::CA, A::Drag},
        {PreviewTab::Colors, A::None},      {PreviewTab::Brightness, A::None},
        {PreviewTab::Distortions, A::None}, {PreviewTab::Crop, A::None},
    };
    for (const auto& c : cases) {
        PointerSituation s = expertRight(c.tab, kNone);
        s.button = B::Left;
        s.outputPane = true;
        const PointerDecision d = dispatchPress(s);
        EXPECT_EQ(d.action, c.expected) << int(c.tab);
        EXPECT_TRUE(d.startsComparison) << int(c.tab);
        EXPECT_FALSE(d.toolUsed);
    }
}

TEST(PointerDispatchTest, TextTabPlacesTheCaptionOnlyWithACaption) {
    PointerSituation s;
    s.tab = PreviewTab::Text;
    s.outputPane = true;
    EXPECT_EQ(dispatchPress(s).action, A::None);
    s.captionPartEnabled = true;
    const PointerDecision d = dispatchPress(s);
    EXPECT_EQ(d.action, A::PlaceCaption);
    EXPECT_FALSE(d.startsComparison);
    s.button = B::Right;
    EXPECT_EQ(dispatchPress(s).action, A::None);
}

TEST(PointerDispatchTest, SamplingNeedsItsFilterOn) {
    PointerSituation noise = expertRight(PreviewTab::Noise, kShift);
    noise.noiseReductionOn = false;
    EXPECT_EQ(dispatchPress(noise).action, A::None);
    noise.modifiers = kNone;
    EXPECT_EQ(dispatchPress(noise).action, A::ContextMenu);
    PointerSituation ca = expertRight(PreviewTab::CA, kShift);
    ca.chromaticAberrationOn = false;
    EXPECT_EQ(dispatchPress(ca).action, A::None);
}

TEST(PointerDispatchTest, ToolButtonsAndMenuItemsByTab) {
    const auto noise = toolButtons(PreviewTab::Noise, false);
    ASSERT_EQ(noise.size(), 4u);
    EXPECT_STREQ(noise[0].hintKey, "ALS_COMPARE_OR_DRAG");
    EXPECT_EQ(noise[0].imageIndex, 12);
    EXPECT_EQ(noise[3].imageIndex, 4);
    const auto text = toolButtons(PreviewTab::Text, false);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_STREQ(text[0].hintKey, "ALS_MOVE_TEXT");
    const auto colourOpen = toolButtons(PreviewTab::Colors, true);
    ASSERT_EQ(colourOpen.size(), 5u);
    EXPECT_EQ(colourOpen[4].imageIndex, 11);
    EXPECT_EQ(toolButtons(PreviewTab::RedEye, false)[1].imageIndex, 15);
    EXPECT_EQ(toolButtons(PreviewTab::Brightness, false).size(), 1u);

    const ContextMenuItems closed = contextMenuItems(PreviewTab::Colors, false, false);
    EXPECT_TRUE(closed.whiteBalance && closed.colourRange && closed.memoryColour);
    EXPECT_FALSE(closed.areaItems || closed.includeExclude || closed.noiseItems);
    const ContextMenuItems open = contextMenuItems(PreviewTab::Colors, true, true);
    EXPECT_TRUE(open.areaItems && open.includeExclude);
    EXPECT_FALSE(open.whiteBalance);
    EXPECT_TRUE(contextMenuItems(PreviewTab::Noise, false, false).noiseItems);
    EXPECT_TRUE(contextMenuItems(PreviewTab::CA, false, false).caColour);
}

}  // namespace
}  // namespace core
