#include "core/main/skin_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using core::SkinLookup;

void write(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

TEST(SkinFile, ReadsEveryKey) {
    const core::SkinFile skin = core::readSkinFile(
        core::IniFile::parse("[Headers]\r\nHeader_main=main.bmp\r\nHeader_main_color=255\r\n"
                             "Header_preview=preview.bmp\r\nHeader_preview_color=65280\r\n"
                             "[Buttons]\r\nStyle=2\r\nColor_r=10\r\nColor_g=20\r\nColor_b=30\r\n"
                             "ColorDown_r=1\r\nColorDown_g=2\r\nColorDown_b=3\r\n"
                             "LightColor_r=200\r\nLightColor_g=201\r\nLightColor_b=202\r\n"
                             "ShadowColor_r=50\r\nShadowColor_g=51\r\nShadowColor_b=52\r\n"
                             "HotColor_r=255\r\nHotColor_g=128\r\nHotColor_b=0\r\n"));
    EXPECT_EQ(skin.headerMain, QStringLiteral("main.bmp"));
    EXPECT_EQ(skin.headerMainColor, 255u);
    EXPECT_EQ(skin.headerPreview, QStringLiteral("preview.bmp"));
    EXPECT_EQ(skin.headerPreviewColor, 65280u);
    EXPECT_EQ(skin.buttons.style, 2);
    EXPECT_EQ(skin.buttons.drawingStyle(), 1);
    EXPECT_EQ(skin.buttons.color, 10u + 20u * 256 + 30u * 65536);
    EXPECT_EQ(skin.buttons.colorDown, 1u + 2u * 256 + 3u * 65536);
    EXPECT_EQ(skin.buttons.lightColor, 200u + 201u * 256 + 202u * 65536);
    EXPECT_EQ(skin.buttons.shadowColor, 50u + 51u * 256 + 52u * 65536);
    EXPECT_EQ(skin.buttons.hotColor, 255u + 128u * 256);
}

TEST(SkinFile, MissingAndDamagedKeysTakeTheirDefaults) {
    struct Case {
        const char* text;
        const char* what;
        core::SkinFile expected;
    };
    core::SkinFile defaults;
    core::SkinFile redOnly;
    redOnly.buttons.color = 255;
    core::SkinFile style3;
    style3.buttons.style = 3;
    core::SkinFile buttonsOnly;
    buttonsOnly.buttons.style = 4;
    buttonsOnly.buttons.hotColor = 65536 * 9;
    const Case cases[] = {
        {"", "empty file", defaults},
        {"[Buttons]\nColor_r=255\n", "one component", redOnly},
        {"[Buttons]\nStyle=3\n", "style only", style3},
        {"[Buttons]\nStyle=4\nHotColor_b=9\n", "no headers section", buttonsOnly},
        {"[Buttons]\nStyle=three\nColor_r=red\n", "words for numbers", defaults},
        {"[Headers]\nHeader_main_color=-16777201\nHeader_preview_color=16777216\n",
         "no plain colour value", defaults},
        {"Style=3\n[Buttons\nStyle=3\n", "keys outside a section", defaults},
        {"[Buttons]\nColor_r 255\n=255\n", "lines without key or equals", defaults},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::readSkinFile(core::IniFile::parse(c.text)), c.expected) << c.what;
    EXPECT_EQ(defaults.headerMain, QStringLiteral("Default"));
    EXPECT_EQ(defaults.headerMainColor, 16777215u);
    EXPECT_EQ(defaults.buttons.drawingStyle(), 3);
    EXPECT_EQ(style3.buttons.drawingStyle(), 5);
}

class SkinLookupTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString skins() const { return dir.filePath(QStringLiteral("skins")); }
    QString index() const { return dir.filePath(QStringLiteral("skins/style.ini")); }
    core::CurrentSkin find() const { return core::findSkin(index(), skins()); }
    QTemporaryDir dir;
};

TEST_F(SkinLookupTest, StopsAtTheFirstMissingPiece) {
    EXPECT_EQ(find().lookup, SkinLookup::NoIndexFile);

    write(index(), "[Current]\nDir_path=Blue\n");
    EXPECT_EQ(find().lookup, SkinLookup::NoSkinFolder);
    EXPECT_EQ(find().name, QStringLiteral("Blue"));

    QDir().mkpath(dir.filePath(QStringLiteral("skins/Blue")));
    EXPECT_EQ(find().lookup, SkinLookup::NoSkinFile);

    write(dir.filePath(QStringLiteral("skins/Blue/style.ini")), "[Buttons]\nStyle=1\n");
    const core::CurrentSkin skin = find();
    ASSERT_EQ(skin.lookup, SkinLookup::Found);
    EXPECT_TRUE(skin.found());
    EXPECT_EQ(skin.folder, QDir::cleanPath(dir.filePath(QStringLiteral("skins/Blue"))));
    EXPECT_EQ(skin.file.buttons.drawingStyle(), 2);
    // Only buttons: the headers stay as they are.
    EXPECT_TRUE(skin.headerMainPicture().isEmpty());
    EXPECT_TRUE(skin.headerPreviewPicture().isEmpty());
}

TEST_F(SkinLookupTest, WithoutDirPathTheDefaultFolderIsUsed) {
    write(index(), "[Current]\n");
    write(dir.filePath(QStringLiteral("skins/Default/style.ini")), "");
    const core::CurrentSkin skin = find();
    EXPECT_EQ(skin.lookup, SkinLookup::Found);
    EXPECT_EQ(skin.name, QStringLiteral("Default"));
}

TEST_F(SkinLookupTest, NamesThatLeaveTheSkinsFolderAreRefused) {
    // A skin file placed above "skins" must not be reachable through the index.
    write(dir.filePath(QStringLiteral("style.ini")), "[Buttons]\nStyle=1\n");
    write(dir.filePath(QStringLiteral("outside/style.ini")), "[Buttons]\nStyle=1\n");
    for (const char* name : {"..", ".", "", "../outside", "a/b", "..\\outside"}) {
        write(index(), QByteArray("[Current]\nDir_path=") + name + "\n");
        EXPECT_EQ(find().lookup, SkinLookup::NoSkinFolder) << name;
    }
}

TEST_F(SkinLookupTest, HeaderPicturesCountOnlyWhenTheSkinFolderHoldsThem) {
    write(index(), "[Current]\nDir_path=Blue\n");
    write(dir.filePath(QStringLiteral("skins/Blue/style.ini")),
          "[Headers]\nHeader_main=top.png\nHeader_preview=../top.png\n");
    write(dir.filePath(QStringLiteral("skins/Blue/top.png")), "not checked here");
    write(dir.filePath(QStringLiteral("skins/top.png")), "outside the skin");
    const core::CurrentSkin skin = find();
    ASSERT_TRUE(skin.found());
    EXPECT_EQ(skin.headerMainPicture(), QDir(skin.folder).filePath(QStringLiteral("top.png")));
    EXPECT_TRUE(skin.headerPreviewPicture().isEmpty());
}

TEST(ShippedSkins, EveryShippedSkinReadsWithPictures) {
    const QString skins = QStringLiteral(VF_SKINS_FOLDER);
    const core::CurrentSkin current = core::findSkin(skins + QStringLiteral("/style.ini"), skins);
    ASSERT_TRUE(current.found());
    EXPECT_EQ(current.name, QStringLiteral("Default"));
    for (const char* name : {"Default", "Graphite"}) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        write(dir.filePath(QStringLiteral("style.ini")),
              QByteArray("[Current]\nDir_path=") + name + "\n");
        const core::CurrentSkin skin =
            core::findSkin(dir.filePath(QStringLiteral("style.ini")), skins);
        ASSERT_TRUE(skin.found()) << name;
        EXPECT_FALSE(skin.headerMainPicture().isEmpty()) << name;
        EXPECT_FALSE(skin.headerPreviewPicture().isEmpty()) << name;
        EXPECT_NE(skin.file.buttons.color, skin.file.buttons.colorDown) << name;
    }
}

}  // namespace
