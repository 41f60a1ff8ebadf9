// The memory-colour list's operations and name rules, and the order its window shows it in.
// Indices are stored-order indices (0 the oldest entry).
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "core/editors/memory_colour_record.h"

namespace core {

// The name dialog takes at most this many characters.
inline constexpr int kMaxColorNameLength = 29;

// True when no entry has exactly that name (letter case counts).
bool nameIsFree(const TMemoryColorsArray& colors, const QString& name);

enum class NameCheck { Ok, TooLong, Taken };
// A name of 30 or more characters, or one whose UTF-8 form does not fit the record's 50 bytes
// (it would come back cut), is too long; a name another entry has is taken. When renaming, the
// entry's own name counts as free.
NameCheck checkColorName(const TMemoryColorsArray& colors, const QString& name,
                         std::optional<size_t> renaming = std::nullopt);
// The text the name dialog shows for a refused name; empty for Ok.
QString nameCheckText(NameCheck check);

QString colorName(const MemoryColor& color);

void addMemoryColor(TMemoryColorsArray& colors, const QString& name, const Rgb16& rgb);
// False when there is no such entry.
bool renameMemoryColor(TMemoryColorsArray& colors, size_t index, const QString& name);
bool removeMemoryColor(TMemoryColorsArray& colors, size_t index);

// The list is shown newest first when opened from the colours tab, in stored order when opened
// for a colour picked in the picture. The stored indices from the top row down.
std::vector<size_t> displayOrder(size_t count, bool newestFirst);

// An arrow moves its row one place up or down on screen, whichever way the list is shown.
enum class RowMove { Up, Down };
// The stored index the entry moves to; nothing at the top or bottom of the list.
std::optional<size_t> moveTarget(size_t count, size_t index, RowMove move, bool newestFirst);
// Removes the entry and inserts it at the target; false when it cannot move.
bool moveMemoryColor(TMemoryColorsArray& colors, size_t index, RowMove move, bool newestFirst);

// The swatch's 8-bit colour: round(channel / 256), held to 255 (65535 / 256 rounds to 256).
std::array<int, 3> swatchRgb(const Rgb16& rgb);

}  // namespace core
