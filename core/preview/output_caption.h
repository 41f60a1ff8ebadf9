// The caption over the output preview (stxtOutput): which filters the shown result carries.
#pragma once

#include <QString>
#include <array>

#include "core/i18n/text_lookup.h"
#include "core/preview/preview_tabs.h"

namespace core {

// A tab's marker: the tab is shown (some are hidden by mode or plug-in use) and its stage is in
// use by the current settings.
struct TabMarker {
    bool visible = false;
    bool inUse = false;
};
using TabMarkers = std::array<TabMarker, kPreviewTabCount>;  // indexed by PreviewTab

// Whether the stage of stageTab shows in a preview made on activeTab (noise and sharpening only
// on their two tabs, red-eye also on the red-eye and CA tabs, brightness and colours everywhere
// but the red-eye tab, CA on noise, sharpening and CA, distortions on the whole-image tabs,
// crop on the crop and text tabs, frames and text on the text tab).
bool stageAppliedOnTab(PreviewTab stageTab, PreviewTab activeTab);

// "ALS_FILTERS_APPLIED", ": " and the in-effect stages' names joined by "; " (noise, red-eye,
// brightness, colours, CA, sharpening, distortions, crop and resize, frames and text), or the
// text of "ALS_NONE" after the colon when none is. Outside the tuning mode every visible stage in
// use counts; inside it only those applied on the active tab.
QString outputCaption(const TextLookup& texts, const TabMarkers& markers, bool tuningMode,
                      PreviewTab activeTab);

}  // namespace core
