// Where the caption mask goes on the picture: the position in 1/10 000 of (size - 1), the
// alignment, and the clamps that keep the text inside the picture.
#pragma once

#include <QRect>

#include "core/caption/glyph_mask.h"

namespace core::caption {

enum CaptionAlignment : int { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };

// The values the alignment buttons give the horizontal position.
inline constexpr int kLeftPosition = 100;
inline constexpr int kCentrePosition = 5000;
inline constexpr int kRightPosition = 9900;

struct CaptionPlacement {
    int x = 0;      // the text's left column
    int y = 0;      // the text's bottom row, counted upward from the bottom
    int textX = 0;  // the mask's left column (x - marginX)
    int textY = 0;  // H + marginY - y - 1: the engine puts the mask's bottom row on row y - marginY
    // The whole mask in picture coordinates, rows counted from the top.
    QRect maskRect;
};

// A text larger than the picture, for which a clamp's lower bound exceeds its upper bound, is
// placed at the lower bound. An alignment outside 0..2 counts as left.
CaptionPlacement placeCaption(int width, int height, const CaptionMetrics& metrics, int posX,
                              int posY, int alignment);

}  // namespace core::caption
