#include "core/caption/caption_moves.h"

#include <Qt>
#include <algorithm>
#include <cmath>

namespace core::caption {

namespace {

int32_t clampPosition(double v) {
    return std::clamp(int32_t(std::lround(v)), 0, kMaxPosition);
}

}  // namespace

CaptionPosition draggedCaption(CaptionPosition start, double dx, double dy, int32_t width,
                               int32_t height) {
    CaptionPosition p = start;
    if (width > 1) p.x = clampPosition(start.x + dx * kMaxPosition / (width - 1));
    if (height > 1) p.y = clampPosition(start.y - dy * kMaxPosition / (height - 1));
    return p;
}

std::optional<CaptionNudge> captionNudgeForKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left:
            return CaptionNudge{-kPositionStep, 0, 0};
        case Qt::Key_Right:
            return CaptionNudge{kPositionStep, 0, 0};
        case Qt::Key_Down:
            return CaptionNudge{0, -kPositionStep, 0};
        case Qt::Key_Up:
            return CaptionNudge{0, kPositionStep, 0};
        case Qt::Key_PageUp:
            return CaptionNudge{0, 0, 1};
        case Qt::Key_PageDown:
            return CaptionNudge{0, 0, -1};
        default:
            return std::nullopt;
    }
}

CaptionPosition nudgedCaption(CaptionPosition p, const CaptionNudge& n) {
    return {std::clamp(p.x + n.dx, 0, kMaxPosition), std::clamp(p.y + n.dy, 0, kMaxPosition)};
}

int32_t nudgedFontSize(int32_t size, int32_t step) {
    return std::clamp(size + step, kMinFontSize, kMaxFontSize);
}

}  // namespace core::caption
