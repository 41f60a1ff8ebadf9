#include "core/main/ini_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using core::IniFile;

TEST(IniFile, FindsSectionsAndKeysWithoutRegardToCase) {
    const IniFile ini = IniFile::parse(
        "\xEF\xBB\xBF; a comment\r\n[Headers]\r\n  Header_Main = top.png \r\n\r\n[buttons]\r\n"
        "style=3\r\nColor_r=\"255\"\r\n");
    EXPECT_EQ(ini.text(QStringLiteral("HEADERS"), QStringLiteral("header_main"), QString()),
              QStringLiteral("top.png"));
    EXPECT_EQ(ini.integer(QStringLiteral("Buttons"), QStringLiteral("Style"), 0), 3);
    EXPECT_EQ(ini.integer(QStringLiteral("Buttons"), QStringLiteral("Color_r"), 0), 255);
    EXPECT_EQ(ini.sections(), (QStringList{QStringLiteral("Headers"), QStringLiteral("buttons")}));
    EXPECT_TRUE(ini.skippedLines().empty());
}

TEST(IniFile, DamagedLinesCostOnlyThemselves) {
    const IniFile ini = IniFile::parse(
        "orphan=1\n"              // 1: before any section
        "[Buttons]\n"             // 2
        "Style 3\n"               // 3: no equals sign
        "=4\n"                    // 4: no key
        "Color_g=12\n"            // 5
        "Color_g=99\n"            // 6: the first occurrence wins
        "[Headers\n"              // 7: broken header
        "Header_main=lost.png\n"  // 8: belongs to no section
        "[Headers]\n"             // 9
        "Header_main=kept.png\n");
    EXPECT_EQ(ini.skippedLines(), (std::vector<int>{1, 3, 4, 7, 8}));
    EXPECT_FALSE(ini.has(QStringLiteral("Buttons"), QStringLiteral("Style")));
    EXPECT_FALSE(ini.has(QStringLiteral("Buttons"), QStringLiteral("Header_main")));
    EXPECT_EQ(ini.integer(QStringLiteral("Buttons"), QStringLiteral("Color_g"), 0), 12);
    EXPECT_EQ(ini.text(QStringLiteral("Headers"), QStringLiteral("Header_main"), QString()),
              QStringLiteral("kept.png"));
}

TEST(IniFile, IntegersTakeTheDefaultWhenUnreadable) {
    struct Case {
        const char* text;
        std::optional<int32_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"16777215", 16777215},
        {"-5", -5},
        {"+7", 7},
        {"$FF", 255},
        {"0x00FF00", 65280},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"3.5", std::nullopt},
        {"0x-1", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(core::parseIniInteger(QString::fromLatin1(c.text)), c.value) << c.text;
        const IniFile ini = IniFile::parse(QByteArray("[S]\nK=") + c.text + "\n");
        EXPECT_EQ(ini.integer(QStringLiteral("S"), QStringLiteral("K"), -42), c.value.value_or(-42))
            << c.text;
    }
}

TEST(IniFile, MissingFileIsNoFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(IniFile::read(dir.filePath(QStringLiteral("none.ini"))).has_value());
    EXPECT_FALSE(IniFile::read(dir.path()).has_value());  // a folder is no file
}

}  // namespace
