#include "core/preview/pointer_dispatch.h"

namespace core {

namespace {

using A = PointerAction;

// The modifier column of a right press. Shift and Alt together have a column of their own;
// otherwise Shift wins over Alt, and Alt over Ctrl.
enum class Column { Plain, Shift, Alt, Ctrl, ShiftAlt };

Column columnOf(const PointerModifiers& m) {
    if (m.shift && m.alt) return Column::ShiftAlt;
    if (m.shift) return Column::Shift;
    if (m.alt) return Column::Alt;
    if (m.ctrl) return Column::Ctrl;
    return Column::Plain;
}

A rightAction(const PointerSituation& s) {
    const Column c = columnOf(s.modifiers);
    switch (s.tab) {
        case PreviewTab::Colors:
            if (!s.colourRangeWindowOpen) {
                switch (c) {
                    case Column::Plain:
                        return A::ContextMenu;
                    case Column::Shift:
                        return A::WhitePoint;
                    case Column::Alt:
                    case Column::ShiftAlt:
                        return A::NewColourRange;
                    case Column::Ctrl:
                        return A::MemoryColour;
                }
            }
            switch (c) {
                case Column::Plain:
                    return A::ContextMenu;
                case Column::Shift:
                    return A::StartRectangle;
                case Column::Ctrl:
                    return A::StartEllipse;
                case Column::Alt:
                    return s.colourRangeSelected ? A::IncludeColour : A::None;
                case Column::ShiftAlt:
                    return s.colourRangeSelected ? A::ExcludeColour : A::None;
            }
            return A::None;
        case PreviewTab::Noise:
            switch (c) {
                case Column::Plain:
                    return A::ContextMenu;
                case Column::Shift:
                    return A::AdjustNoise;
                case Column::Alt:
                case Column::ShiftAlt:
                    return A::IncreaseNoisePick;
                case Column::Ctrl:
                    return A::DecreaseNoisePick;
            }
            return A::None;
        case PreviewTab::CA:
            return c == Column::Shift || c == Column::ShiftAlt ? A::SetCAColour : A::ContextMenu;
        default:
            return A::None;
    }
}

// A sampling action needs its tab's filter switched on.
A whenEnabled(A action, const PointerSituation& s) {
    switch (action) {
        case A::AdjustNoise:
        case A::IncreaseNoisePick:
        case A::DecreaseNoisePick:
            return s.noiseReductionOn ? action : A::None;
        case A::SetCAColour:
            return s.chromaticAberrationOn ? action : A::None;
        default:
            return action;
    }
}

bool isRegionDragTab(PreviewTab tab) {
    return tab == PreviewTab::Noise || tab == PreviewTab::CA || tab == PreviewTab::RedEye ||
           tab == PreviewTab::Sharpening;
}

}  // namespace

PointerAction toolAction(PreviewTab tab, int32_t tool, bool colourRangeWindowOpen) {
    switch (tab) {
        case PreviewTab::Noise:
            if (tool == 1) return A::AdjustNoise;
            if (tool == 2) return A::IncreaseNoisePick;
            if (tool == 3) return A::DecreaseNoisePick;
            return A::None;
        case PreviewTab::Colors:
            if (colourRangeWindowOpen) {
                if (tool == 1) return A::IncludeColour;
                if (tool == 2) return A::ExcludeColour;
                if (tool == 3) return A::StartRectangle;
                if (tool == 4) return A::StartEllipse;
                return A::None;
            }
            if (tool == 1) return A::WhitePoint;
            if (tool == 2) return A::NewColourRange;
            if (tool == 3) return A::MemoryColour;
            return A::None;
        case PreviewTab::RedEye:
            return tool == 1 ? A::EyeBox : A::None;
        case PreviewTab::CA:
            return tool == 1 ? A::SetCAColour : A::None;
        default:
            return A::None;
    }
}

PointerDecision dispatchPress(const PointerSituation& s) {
    PointerDecision d;
    // An area being drawn on the colour tab takes the next press whatever it is.
    if (s.tab == PreviewTab::Colors && s.drawingArea) {
        d.action = s.button == PointerButton::Left ? A::FinishArea : A::CancelArea;
        return d;
    }
    if (s.tab == PreviewTab::Text) {
        if (s.button == PointerButton::Left && s.captionPartEnabled) d.action = A::PlaceCaption;
        return d;
    }
    if (s.button == PointerButton::Left) {
        const bool armed = s.expertMode && s.tool != kDragTool;
        const A tool = armed ? toolAction(s.tab, s.tool, s.colourRangeWindowOpen) : A::None;
        if (tool != A::None) {
            d.action = whenEnabled(tool, s);
            d.toolUsed = true;
            return d;
        }
        if (isRegionDragTab(s.tab)) d.action = A::Drag;
        d.startsComparison = s.outputPane;
        return d;
    }
    if (s.button != PointerButton::Right) return d;
    // Eye boxes take every right press, in both modes.
    if (s.tab == PreviewTab::RedEye) {
        d.action = A::EyeBox;
        return d;
    }
    if (!s.expertMode) return d;
    d.action = whenEnabled(rightAction(s), s);
    return d;
}

std::vector<ToolButton> toolButtons(PreviewTab tab, bool colourRangeWindowOpen) {
    if (tab == PreviewTab::Text) return {{"sbPreview_Drag", "ALS_MOVE_TEXT", 13, A::None}};
    std::vector<ToolButton> buttons{{"sbPreview_Drag", "ALS_COMPARE_OR_DRAG", 12, A::None}};
    switch (tab) {
        case PreviewTab::Noise:
            buttons.push_back({"sbPreview_1", "ALS_PM_ADJUSTNOISE_SMALL", 2, A::AdjustNoise});
            buttons.push_back({"sbPreview_2", "ALS_PM_INCREASENOISE", 3, A::IncreaseNoisePick});
            buttons.push_back({"sbPreview_3", "ALS_PM_DECREASENOISE", 4, A::DecreaseNoisePick});
            break;
        case PreviewTab::Colors:
            if (colourRangeWindowOpen) {
                buttons.push_back({"sbPreview_1", "ALS_PM_INCLUDECCR", 8, A::IncludeColour});
                buttons.push_back({"sbPreview_2", "ALS_PM_EXCLUDECCR", 9, A::ExcludeColour});
                buttons.push_back({"sbPreview_3", "ALS_PM_ADDRECTANGLE", 10, A::StartRectangle});
                buttons.push_back({"sbPreview_4", "ALS_PM_ADDELLIPCE", 11, A::StartEllipse});
            } else {
                buttons.push_back({"sbPreview_1", "ALS_PM_WHITEBALANCE", 5, A::WhitePoint});
                buttons.push_back({"sbPreview_2", "ALS_PM_CCR", 6, A::NewColourRange});
                buttons.push_back({"sbPreview_3", "ALS_PM_MEMORYCOLOR", 7, A::MemoryColour});
            }
            break;
        case PreviewTab::RedEye:
            buttons.push_back({"sbPreview_1", "ALS_SELECT_RE_AREA", 15, A::EyeBox});
            break;
        case PreviewTab::CA:
            buttons.push_back({"sbPreview_1", "ALS_PM_SETCACOLOR", 2, A::SetCAColour});
            break;
        default:
            break;
    }
    return buttons;
}

ContextMenuItems contextMenuItems(PreviewTab tab, bool colourRangeWindowOpen,
                                  bool colourRangeSelected) {
    ContextMenuItems items;
    if (tab == PreviewTab::Colors) {
        items.whiteBalance = items.colourRange = items.memoryColour = !colourRangeWindowOpen;
        items.areaItems = colourRangeWindowOpen;
        items.includeExclude = colourRangeWindowOpen && colourRangeSelected;
    }
    items.caColour = tab == PreviewTab::CA;
    items.noiseItems = tab == PreviewTab::Noise;
    return items;
}

}  // namespace core
