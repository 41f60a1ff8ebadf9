// How the values of a skin file become what the windows draw: the tool-button drawing style
// chosen by the "Style" number, and colours packed the Windows way (red in the low byte).
#pragma once

#include <QColor>
#include <cstdint>

namespace core {

// The tool buttons know six drawing styles, 0 to 5.
inline constexpr int kButtonDrawingStyles = 6;

// "Style" 1 -> 2, 2 -> 1, 3 -> 5, 4 -> 0, anything else (0 included) -> 3.
int buttonDrawingStyle(int32_t styleValue);

// red + green * 256 + blue * 65536; each component is kept within 0..255 first, so a component
// out of range cannot spill into its neighbour.
uint32_t packColour(int32_t red, int32_t green, int32_t blue);

// The largest packed colour value; larger values (system colours, palette indexes) are no
// plain colour.
inline constexpr uint32_t kMaxColourValue = 0xFFFFFF;

// The colour of a packed value (only the low 24 bits count).
QColor colourOfValue(uint32_t value);

}  // namespace core
