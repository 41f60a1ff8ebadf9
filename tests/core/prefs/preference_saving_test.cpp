// Saving the preferences: moved caches, switched-off caches and what the main window must redo.
#include "core/prefs/preference_saving.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/main/program_registry.h"
#include "core/main/registry_key.h"
#include "core/prefs/cache_clearing.h"

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
    file.write("x");
}

class PreferenceSavingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(key.create({{core::kValueReloadLastUsedSettings, "1"}}));
        // Each cache holds one file of its own and one of the user's.
        touch(thumbs + "/36/IMG_1_1234567835.jpg");
        touch(thumbs + "/36/mine.jpg");
        touch(fsets + "/1234567835_IMG_1.vrs");
        touch(fsets + "/notes.txt");
        opened = core::openingPreferences(options, thumbs, fsets);
        chosen = opened;
    }
    bool exists(const QString& path) const { return QFile::exists(path); }
    int reloadValue() const { return key.readInt(core::kValueReloadLastUsedSettings, -1); }

    QTemporaryDir dir;
    core::RegistryKey key = core::programRegistryKey(dir.filePath("settings.ini"));
    QString thumbs = dir.filePath("cache");
    QString fsets = dir.filePath("fsets");
    core::ProgramOptions options;
    core::PreferenceState opened;
    core::PreferenceState chosen;
};

TEST_F(PreferenceSavingTest, SavingUnchangedTouchesNothingAndRedoesNothing) {
    const core::ProgramOptions before = options;
    const core::PreferenceEffects effects = core::savePreferences(opened, chosen, options, &key);
    EXPECT_EQ(options, before);
    core::PreferenceEffects none;
    none.statusToDefault = false;  // the default hint mode shows both
    EXPECT_EQ(effects, none);
    EXPECT_TRUE(exists(thumbs + "/36/IMG_1_1234567835.jpg"));
    EXPECT_TRUE(exists(fsets + "/1234567835_IMG_1.vrs"));
    EXPECT_FALSE(key.hasValue(core::kValueImageCachePath));
    EXPECT_FALSE(key.hasValue(core::kValueFileSettingsCachePath));
    EXPECT_EQ(reloadValue(), 1);
}

TEST_F(PreferenceSavingTest, AMovedThumbnailCacheClearsTheOldFolderOnly) {
    const QString moved = dir.filePath("elsewhere");
    touch(moved + "/36/IMG_2_1234567835.jpg");
    chosen.thumbnailCacheFolder = moved + "/";
    const core::PreferenceEffects effects = core::savePreferences(opened, chosen, options, &key);
    EXPECT_TRUE(effects.thumbnailCacheCleared);
    EXPECT_FALSE(effects.fileSettingsCacheCleared);
    EXPECT_FALSE(exists(thumbs + "/36/IMG_1_1234567835.jpg"));
    EXPECT_TRUE(exists(thumbs + "/36/mine.jpg"));
    EXPECT_TRUE(exists(moved + "/36/IMG_2_1234567835.jpg"));
    EXPECT_EQ(key.readString(core::kValueImageCachePath, ""), moved);
    EXPECT_TRUE(exists(fsets + "/1234567835_IMG_1.vrs"));
    EXPECT_EQ(reloadValue(), 1);
}

TEST_F(PreferenceSavingTest, TheSameFolderWrittenDifferentlyIsNoMove) {
    chosen.thumbnailCacheFolder = thumbs + "//";
    chosen.fileSettingsCacheFolder = fsets + "/./";
    core::savePreferences(opened, chosen, options, &key);
    EXPECT_TRUE(exists(thumbs + "/36/IMG_1_1234567835.jpg"));
    EXPECT_TRUE(exists(fsets + "/1234567835_IMG_1.vrs"));
    EXPECT_FALSE(key.hasValue(core::kValueImageCachePath));
}

TEST_F(PreferenceSavingTest, AMovedSettingsCacheClearsTheOldFolderAndAsksAgain) {
    const QString moved = dir.filePath("settings here");
    chosen.fileSettingsCacheFolder = moved;
    const core::PreferenceEffects effects = core::savePreferences(opened, chosen, options, &key);
    EXPECT_TRUE(effects.fileSettingsCacheCleared);
    EXPECT_FALSE(exists(fsets + "/1234567835_IMG_1.vrs"));
    EXPECT_TRUE(exists(fsets + "/notes.txt"));
    EXPECT_EQ(key.readString(core::kValueFileSettingsCachePath, ""), moved);
    EXPECT_EQ(reloadValue(), 2);
}

TEST_F(PreferenceSavingTest, ASettingsCacheSwitchedOffIsClearedAndAsksAgain) {
    chosen.controls.useFileSettingsCache = false;
    const core::PreferenceEffects effects = core::savePreferences(opened, chosen, options, &key);
    EXPECT_EQ(options.useFileSettingsCache, 0);
    EXPECT_TRUE(effects.fileSettingsCacheCleared);
    EXPECT_FALSE(exists(fsets + "/1234567835_IMG_1.vrs"));
    EXPECT_TRUE(exists(fsets + "/notes.txt"));
    EXPECT_EQ(reloadValue(), 2);
    EXPECT_TRUE(exists(thumbs + "/36/IMG_1_1234567835.jpg"));
}

TEST_F(PreferenceSavingTest, AThumbnailCacheSwitchedOffIsCleared) {
    chosen.controls.useThumbnailCache = false;
    const core::PreferenceEffects effects = core::savePreferences(opened, chosen, options, &key);
    EXPECT_EQ(options.useThumbnailCache, 0);
    EXPECT_TRUE(effects.thumbnailCacheCleared);
    EXPECT_FALSE(exists(thumbs + "/36/IMG_1_1234567835.jpg"));
    EXPECT_TRUE(exists(thumbs + "/36/mine.jpg"));
    EXPECT_EQ(reloadValue(), 1);
}

TEST_F(PreferenceSavingTest, WithoutAKeyTheCachesAreStillClearedButNoFolderIsStored) {
    chosen.thumbnailCacheFolder = dir.filePath("other");
    chosen.controls.useFileSettingsCache = false;
    core::savePreferences(opened, chosen, options, nullptr);
    EXPECT_FALSE(exists(thumbs + "/36/IMG_1_1234567835.jpg"));
    EXPECT_FALSE(exists(fsets + "/1234567835_IMG_1.vrs"));
    EXPECT_FALSE(key.hasValue(core::kValueImageCachePath));
    EXPECT_EQ(reloadValue(), 1);
}

// Which changes the main window must follow.
TEST_F(PreferenceSavingTest, EffectsFollowTheChangedControls) {
    const struct {
        const char* name;
        void (*change)(core::PreferenceControls&);
        core::PreferenceEffects expected;
    } cases[] = {
        {"template",
         [](core::PreferenceControls& c) { c.captionTemplate += "!"; },
         {.captionChanged = true}},
        {"curve",
         [](core::PreferenceControls& c) { c.brightnessControlRow = 1; },
         {.brightnessControlChanged = true}},
        {"opacity",
         [](core::PreferenceControls& c) { c.opacityRow = 3; },
         {.overlaysChanged = true}},
        {"histogram",
         [](core::PreferenceControls& c) { c.histogramColourRow = 0; },
         {.overlaysChanged = true}},
        {"resampling",
         [](core::PreferenceControls& c) { c.resamplingRow = 2; },
         {.resamplingChanged = true}},
        {"tool tips only",
         [](core::PreferenceControls& c) { c.hintModeRow = 0; },
         {.statusToDefault = true}},
        {"status bar only", [](core::PreferenceControls& c) { c.hintModeRow = 1; }, {}},
        {"no hints",
         [](core::PreferenceControls& c) { c.hintModeRow = 3; },
         {.statusToDefault = true}},
        {"accelerator", [](core::PreferenceControls& c) { c.acceleratorRow = 9; }, {}},
        {"sound", [](core::PreferenceControls& c) { c.playSound = false; }, {}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        core::ProgramOptions saved;
        core::PreferenceState now = opened;
        test.change(now.controls);
        EXPECT_EQ(core::savePreferences(opened, now, saved, &key), test.expected);
        EXPECT_EQ(core::preferenceControls(saved), now.controls);
    }
}

}  // namespace
