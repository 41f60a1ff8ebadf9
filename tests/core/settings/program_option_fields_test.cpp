#include "core/settings/program_option_fields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using core::OptionType;
using core::ProgramOptionField;
using core::ProgramOptions;

uint64_t fingerprint(const std::vector<uint8_t>& bytes) {
    uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (uint8_t b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

// Each field of the table, changed through the table, changes exactly its own bytes of the
// encoded record and comes back from them.
TEST(ProgramOptionFields, TheTableWalksTheStoredLayout) {
    const std::vector<uint8_t> defaults = core::encodeProgramOptions(ProgramOptions{});
    ASSERT_EQ(defaults.size(), 1045u);
    std::set<std::string> names;
    size_t next = 0;
    for (const ProgramOptionField& f : core::programOptionFields()) {
        SCOPED_TRACE(f.name);
        EXPECT_TRUE(names.insert(f.name).second);
        EXPECT_EQ(f.offset, next);
        next += f.storedSize();
        ProgramOptions changed;
        std::vector<uint8_t> expected;
        switch (f.type) {
            case OptionType::Byte:
                EXPECT_EQ(defaults[f.offset], f.defaultValue);
                *f.bytes(changed) = 0xA5;
                expected = {0xA5};
                break;
            case OptionType::Int:
                EXPECT_EQ(*f.ints(changed), f.defaultValue);
                *f.ints(changed) = int32_t(0x71727374);
                expected = {0x74, 0x73, 0x72, 0x71};
                break;
            case OptionType::Text:
                EXPECT_EQ(*f.text(changed), f.defaultText);
                *f.text(changed) = std::string(f.capacity, 'q');
                expected.assign(1, uint8_t(f.capacity));
                expected.insert(expected.end(), f.capacity, 'q');
                break;
        }
        const auto bytes = core::encodeProgramOptions(changed);
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + f.offset,
                                       bytes.begin() + f.offset + f.storedSize()),
                  expected);
        for (size_t b = 0; b < bytes.size(); ++b) {
            if (b < f.offset || b >= f.offset + f.storedSize()) {
                ASSERT_EQ(bytes[b], defaults[b]) << "byte " << b;
            }
        }
        EXPECT_EQ(core::decodeProgramOptions(bytes.data()), changed);
    }
    EXPECT_EQ(next, ProgramOptions::kSize);
}

// The encoded bytes are those of the hand-written codec the table replaced.
TEST(ProgramOptionFields, TheEncodedBytesAreUnchanged) {
    EXPECT_EQ(fingerprint(core::encodeProgramOptions(core::defaultProgramOptions())),
              0x961d82d49b7a040cull);
    std::vector<uint8_t> pattern(ProgramOptions::kSize);
    for (size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = uint8_t(i * 7 + 3);
    EXPECT_EQ(fingerprint(core::encodeProgramOptions(core::decodeProgramOptions(pattern.data()))),
              0x725e46d911e4b649ull);
}

TEST(ProgramOptionFields, LookupByNameAndTheListedRanges) {
    const ProgramOptionField* accelerator = core::findProgramOptionField("Accelerator");
    ASSERT_NE(accelerator, nullptr);
    EXPECT_EQ(accelerator->offset, 356u);
    EXPECT_TRUE(accelerator->ranged);
    EXPECT_EQ(accelerator->minimum, 1);
    EXPECT_EQ(accelerator->maximum, 10);
    EXPECT_EQ(std::string(accelerator->preferenceKey), "ALS_PREFS_ACCELERATOR");
    const ProgramOptionField* expert = core::findProgramOptionField("expertMode");
    ASSERT_NE(expert, nullptr);
    EXPECT_EQ(expert->offset, 376u);
    const ProgramOptionField* shown = core::findProgramOptionField("floatingWindows[2].visible");
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->offset, 928u + 2 * 20 + 16);
    EXPECT_EQ(shown->defaultValue, 1);
    EXPECT_EQ(core::findProgramOptionField("noSuchOption"), nullptr);
}

}  // namespace
