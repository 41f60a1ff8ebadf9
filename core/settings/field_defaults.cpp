#include "core/settings/field_defaults.h"

#include <cassert>

#include "core/settings/settings_fields.h"

namespace core {

namespace {

const SettingsBlock& defaults() {
    static const SettingsBlock kDefaults = defaultSettingsBlock();
    return kDefaults;
}

void resetField(const SettingsField& f, SettingsBlock& block) {
    if (f.type == FieldType::Text) {
        *f.text(block) = fieldText(f, defaults());
        return;
    }
    const int32_t* from = fieldInts(f, defaults());
    int32_t* to = f.ints(block);
    for (size_t i = 0; i < f.count; ++i)
        to[i] = from[i];
}

}  // namespace

void resetFieldsToDefaults(SettingsBlock& block, std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) {
        const SettingsField* f = findSettingsField(name);
        assert(f && "not a settings field");
        if (f) resetField(*f, block);
    }
}

void resetOffsetsToDefaults(SettingsBlock& block, size_t first, size_t last) {
    for (const SettingsField& f : settingsFields())
        if (f.offset >= first && f.offset <= last) resetField(f, block);
}

}  // namespace core
