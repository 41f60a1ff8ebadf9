// Putting groups of a settings block back to their defaults, by field name or by stored offsets.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>

#include "core/settings/settings_block.h"

namespace core {

// Every name must be a field of the settings table.
void resetFieldsToDefaults(SettingsBlock& block, std::initializer_list<std::string_view> names);
// The fields whose stored offset lies in first..last (inclusive).
void resetOffsetsToDefaults(SettingsBlock& block, size_t first, size_t last);

}  // namespace core
