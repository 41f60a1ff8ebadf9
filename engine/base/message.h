// The engine's two user-facing warnings go through a hook the program installs; the library
// itself never opens a window.
#pragma once

namespace dnr {

inline constexpr const char* kNotEnoughMemory = "Not enough memory!";
inline constexpr const char* kErrorWhileDrawing = "Error while drawing";
inline constexpr const char* kErrorCaption = "Error";

// Passes text to the installed hook, or writes it to standard error.
void showWarning(const char* text);

}  // namespace dnr
