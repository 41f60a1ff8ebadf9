// Checks shared by the stored records' layout tests: every field at its offset, little-endian,
// with its default, and a changed field coming back from its bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace core::testing {

inline int32_t intAt(const std::vector<uint8_t>& b, size_t offset) {
    return int32_t(uint32_t(b[offset]) | uint32_t(b[offset + 1]) << 8 |
                   uint32_t(b[offset + 2]) << 16 | uint32_t(b[offset + 3]) << 24);
}

template <typename Record>
struct RecordCodec {
    std::vector<uint8_t> (*encode)(const Record&);
    Record (*decode)(const uint8_t*);
    Record defaults;
};

template <typename Record>
struct IntField {
    const char* name;
    int32_t Record::*member;
    size_t offset;
    int32_t defaultValue;
};

template <typename Record>
struct StringField {
    const char* name;
    std::string Record::*member;
    size_t offset;
    size_t capacity;
    const char* defaultValue;
};

template <typename Record, size_t N>
void expectIntFields(const RecordCodec<Record>& codec, const IntField<Record> (&fields)[N]) {
    const auto defaults = codec.encode(codec.defaults);
    for (const IntField<Record>& f : fields) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(codec.defaults.*f.member, f.defaultValue);
        EXPECT_EQ(intAt(defaults, f.offset), f.defaultValue);
        Record changed = codec.defaults;
        changed.*f.member = int32_t(0x81020304);
        const auto bytes = codec.encode(changed);
        EXPECT_EQ(intAt(bytes, f.offset), int32_t(0x81020304));
        EXPECT_EQ(codec.decode(bytes.data()), changed);
    }
}

// Strings are a length byte and their capacity; longer text is cut to the capacity and the next
// field stays where it is.
template <typename Record, size_t N>
void expectStringFields(const RecordCodec<Record>& codec, const StringField<Record> (&fields)[N]) {
    const auto defaults = codec.encode(codec.defaults);
    for (const StringField<Record>& f : fields) {
        SCOPED_TRACE(f.name);
        const size_t n = std::strlen(f.defaultValue);
        EXPECT_EQ(defaults[f.offset], n);
        EXPECT_EQ(std::string(defaults.begin() + f.offset + 1, defaults.begin() + f.offset + 1 + n),
                  f.defaultValue);
        Record changed = codec.defaults;
        changed.*f.member = std::string(f.capacity + 7, 'x');
        const auto bytes = codec.encode(changed);
        ASSERT_EQ(bytes.size(), defaults.size());
        EXPECT_EQ(bytes[f.offset], f.capacity);
        changed.*f.member = std::string(f.capacity, 'x');
        EXPECT_EQ(codec.decode(bytes.data()), changed);
    }
}

}  // namespace core::testing
