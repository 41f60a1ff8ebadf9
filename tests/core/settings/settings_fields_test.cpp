#include "core/settings/settings_fields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "record_layout.h"

namespace {

using core::FieldType;
using core::SettingsBlock;
using core::SettingsField;
using core::testing::intAt;

uint64_t fingerprint(const std::vector<uint8_t>& bytes) {
    uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (uint8_t b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

// Every field of the table walked against the stored block: it starts where the previous one
// ended, a value put in through the table lands at the field's offset in the encoded bytes and
// nowhere else, and comes back from them.
TEST(SettingsFields, TheTableWalksTheStoredLayout) {
    const auto fields = core::settingsFields();
    ASSERT_FALSE(fields.empty());
    EXPECT_EQ(std::string(fields.front().name), "Version");
    EXPECT_EQ(fields.front().defaultValue, 31002);
    std::set<std::string> names;
    size_t next = 0;
    const std::vector<uint8_t> defaults = core::encodeSettingsBlock(core::defaultSettingsBlock());
    ASSERT_EQ(defaults.size(), 1271u);
    for (const SettingsField& f : fields) {
        SCOPED_TRACE(f.name);
        EXPECT_TRUE(names.insert(f.name).second) << "the name is used twice";
        EXPECT_EQ(f.offset, next);
        next += f.storedSize();

        SettingsBlock changed;
        if (f.type == FieldType::Text) {
            const std::string text(f.count, 'q');
            ASSERT_TRUE(core::setFieldText(f, changed, text));
            const auto bytes = core::encodeSettingsBlock(changed);
            EXPECT_EQ(bytes[f.offset], f.count);
            EXPECT_EQ(
                std::string(bytes.begin() + f.offset + 1, bytes.begin() + f.offset + 1 + f.count),
                text);
            EXPECT_EQ(core::fieldText(f, core::decodeSettingsBlock(bytes.data())), text);
            EXPECT_EQ(core::fieldText(f, SettingsBlock{}), f.defaultText);
        } else {
            int32_t* values = f.ints(changed);
            for (size_t i = 0; i < f.count; ++i)
                values[i] = int32_t(0x70000000 + int32_t(i));
            const auto bytes = core::encodeSettingsBlock(changed);
            for (size_t i = 0; i < f.count; ++i)
                EXPECT_EQ(intAt(bytes, f.offset + 4 * i), int32_t(0x70000000 + int32_t(i)));
            const SettingsBlock back = core::decodeSettingsBlock(bytes.data());
            for (size_t i = 0; i < f.count; ++i) {
                EXPECT_EQ(core::fieldInt(f, back, i), int32_t(0x70000000 + int32_t(i)));
                EXPECT_EQ(intAt(defaults, f.offset + 4 * i), f.defaultValue);
            }
        }
        // Only this field's bytes moved.
        const auto bytes = core::encodeSettingsBlock(changed);
        for (size_t b = 0; b < bytes.size(); ++b) {
            if (b < f.offset || b >= f.offset + f.storedSize()) {
                ASSERT_EQ(bytes[b], defaults[b]) << "byte " << b;
            }
        }
    }
    EXPECT_EQ(next, SettingsBlock::kSize);
}

// The encoded bytes are those of the hand-written codec the table replaced: the block of
// defaults, and a block decoded from a pattern that fills every byte.
TEST(SettingsFields, TheEncodedBytesAreUnchanged) {
    EXPECT_EQ(fingerprint(core::encodeSettingsBlock(core::defaultSettingsBlock())),
              0xe64be89d2a6ae620ull);
    std::vector<uint8_t> pattern(SettingsBlock::kSize);
    for (size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = uint8_t(i * 7 + 3);
    EXPECT_EQ(fingerprint(core::encodeSettingsBlock(core::decodeSettingsBlock(pattern.data()))),
              0xa18ba38bce13957full);
}

TEST(SettingsFields, LookupByNameIgnoresCase) {
    const SettingsField* f = core::findSettingsField("sharpenamount");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(std::string(f->name), "SharpenAmount");
    EXPECT_EQ(f->offset, 44u);
    EXPECT_EQ(f->stored, core::StoredAs::SliderMinus100);
    EXPECT_EQ(std::string(f->control), "SlideBar6");
    EXPECT_EQ(f->tab, core::SettingsTab::Sharpening);
    ASSERT_NE(core::findSettingsField("CaptionText"), nullptr);
    EXPECT_EQ(core::findSettingsField("CaptionText")->count, 255u);
    EXPECT_EQ(core::findSettingsField("NoSuchField"), nullptr);
    EXPECT_EQ(core::findSettingsField(""), nullptr);
}

TEST(SettingsFields, ValuesAreCheckedAgainstTheirRanges) {
    const struct {
        const char* field;
        int32_t value;
        bool accepted;
    } cases[] = {
        {"SharpenAmount", -100, true},
        {"SharpenAmount", 100, true},
        {"SharpenAmount", 150, false},
        {"SharpenAmount", -101, false},
        {"NoiseRadius", 0, false},
        {"NoiseRadius", 16, true},
        {"EdgeContrast", 300, true},
        {"EdgeContrast", 301, false},
        {"HighNoise", 1, true},
        {"HighNoise", 2, false},
        {"ShadowsNoiseFactor", -1, true},
        {"AutoContrastDarkest", -1, true},
        {"AutoContrastDarkest", 101, false},
        {"CAThreshold", 255, true},
        {"CAColorRed", 65536, false},
        {"CropSizeKind", 3, false},
        {"CropUserWidth", 99999, true},
        {"CropUserWidth", 100000, false},
        {"TextPosX", 10000, true},
        {"NoiseLevelFactor", 5000, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " = " + std::to_string(c.value));
        const SettingsField* f = core::findSettingsField(c.field);
        ASSERT_NE(f, nullptr);
        SettingsBlock block;
        const core::Status set = core::setFieldValue(*f, block, c.value);
        EXPECT_EQ(set.ok(), c.accepted);
        EXPECT_EQ(core::fieldInt(*f, block), c.accepted ? c.value : f->defaultValue);
        if (!set.ok()) {
            EXPECT_EQ(set.failure().key, "ER_SETTING_VALUE");
            EXPECT_TRUE(set.failure().detail.startsWith(QLatin1String(c.field)));
        }
    }
    SettingsBlock block;
    EXPECT_FALSE(core::setFieldText(*core::findSettingsField("FontStyle"), block, "00000"));
    EXPECT_FALSE(core::setFieldValue(*core::findSettingsField("FontName"), block, 1));
    EXPECT_FALSE(core::setFieldText(*core::findSettingsField("FontSize"), block, "12"));
    EXPECT_TRUE(core::setFieldText(*core::findSettingsField("FontName"), block, "Sans"));
    EXPECT_EQ(block.FontName, "Sans");
}

// A stored block is checked field by field; the defaults are all within range.
TEST(SettingsFields, OutOfRangeFieldsOfAStoredBlockAreNamed) {
    EXPECT_TRUE(core::fieldsOutOfRange(core::defaultSettingsBlock()).empty());
    SettingsBlock stored;
    stored.SharpenAmount = 150;
    stored.HighNoise = 5;
    stored.ShadowsNoiseFactor = -1;
    stored.NoiseEqualizer[3] = 12345;  // curve points are checked by the curve editor
    std::vector<std::string> names;
    for (const SettingsField* f : core::fieldsOutOfRange(stored))
        names.push_back(f->name);
    EXPECT_EQ(names, (std::vector<std::string>{"HighNoise", "SharpenAmount"}));
}

}  // namespace
