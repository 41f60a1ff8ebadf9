// The caption drawn as white glyphs on black, with a margin of a fifth of the text's size on
// every side, in the layout the engine reads its caption mask in.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

#include "core/errors/result.h"
#include "dnr.h"

namespace core::caption {

struct CaptionMetrics {
    int textWidth = 0;   // tw
    int textHeight = 0;  // th
    int marginX = 0;     // ceil(0.2 x tw)
    int marginY = 0;     // ceil(0.2 x th)
    int maskWidth() const { return 2 * marginX + textWidth; }
    int maskHeight() const { return 2 * marginY + textHeight; }
};

// True when fonts can be drawn: a QGuiApplication exists (on the offscreen platform where no
// display is).
bool fontEngineAvailable();

// The text's advance width and line height in the font, and the margins.
Result<CaptionMetrics> measureCaption(const QString& text, const QFont& font);

// 8-bit blue-green-red rows padded to 4 bytes, bottom-up.
struct GlyphMask {
    std::vector<uint8_t> bytes;
    int width = 0;
    int height = 0;
    PixelView view() { return {bytes.data(), width, 1, height}; }
};

// Draws the text at (marginX, marginY) of the whole mask and keeps only the part inside window
// (mask coordinates, rows counted from the top); an empty window means the whole mask.
Result<GlyphMask> drawGlyphMask(const QString& text, const QFont& font,
                                const CaptionMetrics& metrics, const QRect& window = {});

}  // namespace core::caption
