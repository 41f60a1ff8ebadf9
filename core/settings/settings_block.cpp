#include "core/settings/settings_block.h"

#include <algorithm>
#include <cassert>

#include "core/settings/byte_codec.h"
#include "core/settings/settings_fields.h"

namespace core {

SettingsBlock::SettingsBlock() {
    for (const SettingsField& f : settingsFields()) {
        if (f.type == FieldType::Text)
            *f.text(*this) = f.defaultText;
        else
            std::fill_n(f.ints(*this), f.count, f.defaultValue);
    }
}

SettingsBlock defaultSettingsBlock() {
    return SettingsBlock{};
}

void encodeSettingsBlock(const SettingsBlock& b, std::vector<uint8_t>& out) {
    const size_t start = out.size();
    ByteWriter w(out);
    for (const SettingsField& f : settingsFields()) {
        assert(out.size() - start == f.offset);
        if (f.type == FieldType::Text) {
            w.shortString(fieldText(f, b), f.count);
        } else {
            for (size_t i = 0; i < f.count; ++i)
                w.i32(fieldInt(f, b, i));
        }
    }
    assert(out.size() - start == SettingsBlock::kSize);
    (void)start;
}

std::vector<uint8_t> encodeSettingsBlock(const SettingsBlock& block) {
    std::vector<uint8_t> out;
    out.reserve(SettingsBlock::kSize);
    encodeSettingsBlock(block, out);
    return out;
}

SettingsBlock decodeSettingsBlock(const uint8_t* bytes) {
    ByteReader r(bytes, SettingsBlock::kSize);
    SettingsBlock b;
    for (const SettingsField& f : settingsFields()) {
        assert(r.position() == f.offset);
        if (f.type == FieldType::Text) {
            *f.text(b) = r.shortString(f.count);
        } else {
            int32_t* values = f.ints(b);
            for (size_t i = 0; i < f.count; ++i)
                values[i] = r.i32();
        }
    }
    assert(r.ok() && r.remaining() == 0);
    return b;
}

}  // namespace core
