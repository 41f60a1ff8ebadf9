// Moving the caption about: dragging it in the preview, the Ctrl keys of the Text tab, and the
// font size keys and buttons. Positions are in 1/10 000 of (width - 1) across and of
// (height - 1) upwards from the bottom.
#pragma once

#include <cstdint>
#include <optional>

namespace core::caption {

inline constexpr int32_t kPositionStep = 50;  // Ctrl and an arrow key
inline constexpr int32_t kMaxPosition = 10000;
inline constexpr int32_t kMinFontSize = 1;
inline constexpr int32_t kMaxFontSize = 10000;

struct CaptionPosition {
    int32_t x = 0;  // TextPosX
    int32_t y = 0;  // TextPosY

    bool operator==(const CaptionPosition&) const = default;
};

// The position after the caption was dragged by (dx, dy) pixels (rows downwards) on a shown
// picture of width x height pixels; clamped to 0 .. 10 000.
CaptionPosition draggedCaption(CaptionPosition start, double dx, double dy, int32_t width,
                               int32_t height);

// What a Ctrl key does to the caption: Left and Right move it across, Down and Up move it down
// and up, Page Up and Page Down make the font larger and smaller.
struct CaptionNudge {
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t fontStep = 0;
};
// The nudge of a Qt key code pressed with Ctrl; none for other keys.
std::optional<CaptionNudge> captionNudgeForKey(int qtKey);

CaptionPosition nudgedCaption(CaptionPosition position, const CaptionNudge& nudge);
int32_t nudgedFontSize(int32_t size, int32_t step);

}  // namespace core::caption
