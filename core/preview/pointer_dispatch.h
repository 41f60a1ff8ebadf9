// What a button press in a preview pane does: the pointer grammar of the tuning tabs (mouse
// button, modifier keys, the armed pick tool, expert mode and the colour-range window), and the
// tool buttons each tab offers. Plain decisions on values; the window performs the action.
#pragma once

#include <cstdint>
#include <vector>

#include "core/preview/preview_tabs.h"

namespace core {

enum class PointerButton { Left, Right, Other };

struct PointerModifiers {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
};

// The pick tools: the drag tool is the resting state, tools 1 .. 4 are the tab's sbPreview_1 ..
// sbPreview_4.
inline constexpr int32_t kDragTool = 0;

struct PointerSituation {
    PreviewTab tab = PreviewTab::Noise;
    PointerButton button = PointerButton::Left;
    PointerModifiers modifiers;
    bool expertMode = false;
    int32_t tool = kDragTool;            // the tool button that is down
    bool colourRangeWindowOpen = false;  // FWChangeColorRange is shown
    bool colourRangeSelected = false;    // a range is being edited in that window
    bool drawingArea = false;            // an area of the selected range is being drawn
    bool noiseReductionOn = true;        // cbEnableNR: the noise tools work only then
    bool chromaticAberrationOn = false;  // cbEnableCA: the CA colour tool works only then
    bool captionPartEnabled = false;     // text, date, time or shooting data is to be drawn
    bool outputPane = false;             // the press is in ImagePreviewOutput
};

enum class PointerAction {
    None,
    ContextMenu,
    Drag,  // the preview region follows the pointer (region tabs)
    // Noise tab.
    AdjustNoise,
    IncreaseNoisePick,
    DecreaseNoisePick,
    // CA tab.
    SetCAColour,
    // Red-eye tab.
    EyeBox,
    // Colour tab, colour-range window closed.
    WhitePoint,
    NewColourRange,
    MemoryColour,
    // Colour tab, colour-range window open.
    IncludeColour,
    ExcludeColour,
    StartRectangle,
    StartEllipse,
    FinishArea,
    CancelArea,
    // Text tab.
    PlaceCaption,
};

struct PointerDecision {
    PointerAction action = PointerAction::None;
    // The press used the armed tool: the drag tool is to be put down again first.
    bool toolUsed = false;
    // A press with the drag tool on the output pane shows the source there while held.
    bool startsComparison = false;
};

PointerDecision dispatchPress(const PointerSituation& situation);

// The action of tool n (1 .. 4) on a tab; None when the tab has no such tool.
PointerAction toolAction(PreviewTab tab, int32_t tool, bool colourRangeWindowOpen);

// A tool button of the panel: its hint (the key of the matching context-menu item's caption)
// and its glyph, an index of ImageList_Preview.
struct ToolButton {
    const char* objectName;  // "sbPreview_Drag", "sbPreview_1" ...
    const char* hintKey;
    int32_t imageIndex;
    PointerAction action;  // None for the drag tool
};
// The buttons shown on a tab, the drag tool first; the others are hidden.
std::vector<ToolButton> toolButtons(PreviewTab tab, bool colourRangeWindowOpen);

// The context-menu items shown for a press (the cancel item is always there).
struct ContextMenuItems {
    bool whiteBalance = false;
    bool colourRange = false;
    bool memoryColour = false;
    bool areaItems = false;  // add rectangle, add ellipse and the separator before them
    bool includeExclude = false;
    bool caColour = false;
    bool noiseItems = false;  // adjust noise, increase, decrease
};
ContextMenuItems contextMenuItems(PreviewTab tab, bool colourRangeWindowOpen,
                                  bool colourRangeSelected);

}  // namespace core
