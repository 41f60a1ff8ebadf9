#include "core/presets/settings_file_names.h"

#include <gtest/gtest.h>

namespace {

struct ExtensionCase {
    const char* path;
    const char* expected;
};

class SettingsExtension : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(SettingsExtension, ReplacesTheFileNamesLastExtension) {
    EXPECT_EQ(core::withSettingsExtension(QString::fromUtf8(GetParam().path)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Names, SettingsExtension,
    ::testing::Values(ExtensionCase{"/p/My settings", "/p/My settings.vrs"},
                      ExtensionCase{"/p/My settings.vrs", "/p/My settings.vrs"},
                      ExtensionCase{"/p/portrait.txt", "/p/portrait.vrs"},
                      ExtensionCase{"/p/holiday.2005.jpg", "/p/holiday.2005.vrs"},
                      // A dot in a folder name is no extension.
                      ExtensionCase{"/photos.old/IMG_1", "/photos.old/IMG_1.vrs"},
                      ExtensionCase{"IMG_0001.JPG", "IMG_0001.vrs"},
                      ExtensionCase{"/p/Übersicht.tif", "/p/Übersicht.vrs"}));

TEST(SettingsFileName, IsThePicturesNameWithoutItsFolder) {
    EXPECT_EQ(core::settingsFileNameOf(QStringLiteral("/home/ann/photos.2005/IMG_0001.JPG")),
              QStringLiteral("IMG_0001.vrs"));
    EXPECT_EQ(core::settingsFileNameOf(QStringLiteral("/home/ann/scan")),
              QStringLiteral("scan.vrs"));
}

TEST(PresetGroupFolder, IsTheGroupInsideThePresetsFolder) {
    EXPECT_EQ(core::presetGroupFolder(QStringLiteral("/data/presets"),
                                      QString::fromLatin1(core::kCommonPresetGroup)),
              QStringLiteral("/data/presets/common"));
    EXPECT_EQ(
        core::presetGroupFolder(QStringLiteral("/data/presets"), QStringLiteral("tsSharpening")),
        QStringLiteral("/data/presets/tsSharpening"));
}

struct FilterCase {
    const char* pairs;
    const char* expected;
};

class DialogFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(DialogFilter, BecomesQtsForm) {
    EXPECT_EQ(core::dialogFilter(QString::fromUtf8(GetParam().pairs)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Filters, DialogFilter,
    ::testing::Values(FilterCase{core::kSettingsFileFilter, "Velmar Filter settings (*.vrs)"},
                      FilterCase{"Settings|*.vrs", "Settings (*.vrs)"},
                      FilterCase{"Settings (*.vrs)|*.vrs|All files|*.*",
                                 "Settings (*.vrs);;All files (*.*)"},
                      FilterCase{"Pictures|*.jpg;*.tif", "Pictures (*.jpg *.tif)"},
                      // A description without its pattern is dropped rather than shown with none.
                      FilterCase{"Lonely", ""}));

}  // namespace
