// Settings blocks for the preset tests: one with every field away from its default, and the fields
// two blocks differ in.
#pragma once

#include <set>
#include <string>

#include "core/settings/settings_block.h"
#include "core/settings/settings_fields.h"
#include "settings/changed_block.h"

namespace presettest {

// The controls' block, and a queue item's fit-each-picture flag, which the controls never set.
inline core::SettingsBlock changedBlock() {
    core::SettingsBlock b = settingstest::changedBlock();
    b.CropFitEachImage = 1;
    return b;
}

// The names of the fields whose stored values differ.
inline std::set<std::string> differingFields(const core::SettingsBlock& a,
                                             const core::SettingsBlock& b) {
    std::set<std::string> names;
    for (const core::SettingsField& f : core::settingsFields()) {
        bool same = true;
        if (f.type == core::FieldType::Text) {
            same = core::fieldText(f, a) == core::fieldText(f, b);
        } else {
            for (size_t i = 0; i < f.count; ++i)
                same = same && core::fieldInt(f, a, i) == core::fieldInt(f, b, i);
        }
        if (!same) names.insert(f.name);
    }
    return names;
}

}  // namespace presettest
