// The caption's font: rebuilt from a settings block, then scaled to the picture so the caption
// keeps its size relative to the picture (the size is meant for a larger side of 1024 pixels).
#pragma once

#include <QFont>

#include "core/settings/settings_block.h"

namespace core::caption {

// The pixels per inch fonts are sized by when there is no screen (the command line, the tests).
inline constexpr double kPixelsPerInchWithoutScreen = 96.0;

// The primary screen's logical pixels per inch, else kPixelsPerInchWithoutScreen.
double screenPixelsPerInch();

// floor(pixelsPerInch x -points / 72): negative, a character height as Windows fonts give it.
int fontHeightFromPoints(int points, double pixelsPerInch);

// floor(max(width - 1, height - 1) x fontHeight / 1023).
int maskFontHeight(int width, int height, int fontHeight);

// The font for a (possibly negative) height in pixels: the block's name trimmed ("Arial" and
// other missing families are substituted by fontconfig), bold and italic from the first two
// characters of its style. Its character set has no meaning for Qt's fonts and is not read.
QFont blockFont(const SettingsBlock& block, int height);

}  // namespace core::caption
