// The table of the preferences record's fields: offset, stored type, default, range and the
// language key of the preference that edits it. The record's codec and its defaults walk it; the
// preferences window is generated from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/settings/program_options.h"

namespace core {

enum class OptionType {
    Byte,  // one unsigned byte
    Int,   // a 32-bit signed integer
    Text,  // a length byte and capacity bytes
};

struct ProgramOptionField {
    const char* name;  // the member's name; floating windows as "floatingWindows[1].top"
    size_t offset;
    OptionType type;
    size_t capacity;  // Text only
    int32_t defaultValue;
    const char* defaultText;  // Text only
    bool ranged;              // false: any stored value is taken
    int32_t minimum;
    int32_t maximum;
    const char* preferenceKey;  // the language key of its preference; empty when none
    int32_t* (*ints)(ProgramOptions&);
    uint8_t* (*bytes)(ProgramOptions&);
    std::string* (*text)(ProgramOptions&);

    constexpr size_t storedSize() const {
        return type == OptionType::Byte ? 1 : type == OptionType::Int ? 4 : 1 + capacity;
    }
};

// Every field, in stored order.
std::span<const ProgramOptionField> programOptionFields();

// The field of that name (ASCII case ignored), or null.
const ProgramOptionField* findProgramOptionField(std::string_view name);

}  // namespace core
