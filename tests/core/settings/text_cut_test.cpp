// Text longer than its stored capacity is cut on a UTF-8 character boundary, never inside one.
#include <gtest/gtest.h>

#include "core/settings/byte_codec.h"
#include "core/settings/settings_block.h"

namespace {

TEST(TextCut, WholeCharactersOnly) {
    struct Case {
        std::string text;
        size_t cut, expected;
    };
    const Case cases[] = {
        {"abc", 2, 2},
        {"a\xC3\xA9", 2, 1},       // a, then half of "é"
        {"a\xC3\xA9", 3, 3},       // "é" whole
        {"ab\xE2\x82\xAC", 3, 2},  // one byte of "€"
        {"ab\xE2\x82\xAC", 4, 2},  // two bytes of "€"
        {"ab\xE2\x82\xAC", 5, 5},
        {"\xF0\x9F\x99\x82x", 3, 0},  // three bytes of a four-byte character
        {"\xF0\x9F\x99\x82x", 4, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::utf8WholeCharacters(c.text.data(), c.cut), c.expected)
            << c.text << " at " << c.cut;
}

TEST(TextCut, TheSettingsCodecCutsLongTextAtACharacterBoundary) {
    core::SettingsBlock b;
    b.CaptionText = std::string(254, 'a') + "\xC3\xA9";  // 256 bytes into 255
    b.FontName = std::string(49, 'x') + "\xE2\x82\xAC";  // 52 bytes into 50
    const core::SettingsBlock back = core::decodeSettingsBlock(core::encodeSettingsBlock(b).data());
    EXPECT_EQ(back.CaptionText, std::string(254, 'a'));
    EXPECT_EQ(back.FontName, std::string(49, 'x'));
    // Text that fits is stored as it is.
    b.CaptionText = std::string(253, 'a') + "\xC3\xA9";
    EXPECT_EQ(core::decodeSettingsBlock(core::encodeSettingsBlock(b).data()).CaptionText,
              b.CaptionText);
}

}  // namespace
