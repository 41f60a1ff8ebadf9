// The tab sheets' markers: whether each tab's stage is in use by the current settings (picture 0
// of ImageList_TabStatus) or not (picture 1), and the pictures of the noise, saturation and
// sharpening equalizer buttons (23 while their curve is not flat, 22 otherwise).
#pragma once

#include <array>

#include "core/preview/preview_tabs.h"
#include "core/settings/tuning_state.h"

namespace core {

using TabsInUse = std::array<bool, kPreviewTabCount>;  // indexed by PreviewTab

TabsInUse tabsInUse(const TuningState& state);
bool tabInUse(const TuningState& state, PreviewTab tab);

inline constexpr int kTabPictureInUse = 0;
inline constexpr int kTabPictureUnused = 1;
inline constexpr int kEqualizerPictureFlat = 22;
inline constexpr int kEqualizerPictureShaped = 23;

inline int tabMarkerPicture(bool inUse) {
    return inUse ? kTabPictureInUse : kTabPictureUnused;
}

enum class EqualizerButton { Noise, Saturation, Sharpening };

// A curve counts as shaped while its values do not sum to 0.
bool equalizerShaped(const EqualizerCurves& curves, EqualizerButton button);
int equalizerButtonPicture(const EqualizerCurves& curves, EqualizerButton button);

}  // namespace core
