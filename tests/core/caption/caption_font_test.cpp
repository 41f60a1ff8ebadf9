#include "core/caption/caption_font.h"

#include <gtest/gtest.h>

#include <QFontInfo>

#include "gui_application.h"

namespace {

TEST(CaptionFont, PointsBecomeANegativeCharacterHeight) {
    EXPECT_EQ(core::caption::fontHeightFromPoints(14, 96), -19);  // floor(-18.67)
    EXPECT_EQ(core::caption::fontHeightFromPoints(12, 96), -16);
    EXPECT_EQ(core::caption::fontHeightFromPoints(14, 120), -24);  // floor(-23.33)
}

TEST(CaptionFont, TheMaskFontScalesWithTheLargerSide) {
    // floor(3999 x -19 / 1023) = floor(-74.27)
    EXPECT_EQ(core::caption::maskFontHeight(4000, 3000, -19), -75);
    EXPECT_EQ(core::caption::maskFontHeight(3000, 4000, -19), -75);
    // Made for a larger side of 1024 pixels: the size as it is.
    EXPECT_EQ(core::caption::maskFontHeight(1024, 768, -19), -19);
    // Large sizes need 64 bits on the way.
    EXPECT_EQ(core::caption::maskFontHeight(60000, 40000, -13334), -782040);
}

TEST(CaptionFont, WithoutAScreenFontsAreSizedAt96PixelsPerInch) {
    coretest::ensureGuiApplication();
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        EXPECT_DOUBLE_EQ(core::caption::screenPixelsPerInch(), 96.0);
    }
    EXPECT_GT(core::caption::screenPixelsPerInch(), 0.0);
}

TEST(CaptionFont, TheBlockGivesNameStyleAndHeight) {
    coretest::ensureGuiApplication();
    core::SettingsBlock b;
    b.FontName = "Arial" + std::string(45, ' ');
    b.FontStyle = "1100";
    const QFont f = core::caption::blockFont(b, -75);
    EXPECT_EQ(f.family(), QStringLiteral("Arial"));
    EXPECT_EQ(f.pixelSize(), 75);
    EXPECT_TRUE(f.bold());
    EXPECT_TRUE(f.italic());
    b.FontStyle = "0000";
    EXPECT_FALSE(core::caption::blockFont(b, 10).bold());
    EXPECT_FALSE(core::caption::blockFont(b, 10).italic());
    b.FontStyle = "1";
    EXPECT_TRUE(core::caption::blockFont(b, 10).bold());
    EXPECT_FALSE(core::caption::blockFont(b, 10).italic());
}

// The install script's font package stands in for "Arial" with the same metrics.
TEST(CaptionFont, ArialFindsItsMetricCompatibleSubstitute) {
    coretest::ensureGuiApplication();
    core::SettingsBlock b;
    const QFontInfo info(core::caption::blockFont(b, 40));
    EXPECT_EQ(info.family(), QStringLiteral("Liberation Sans"));
}

}  // namespace
