#include "core/presets/presets_box.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/i18n/language.h"

namespace {

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

TEST(PresetNames, AreTheSettingsFilesOfTheFolderByName) {
    QTemporaryDir dir;
    for (const char* name : {"Portrait.vrs", "ALS_NR_ENABLE.vrs", "b.2.vrs", "notes.txt",
                             "UPPER.VRS", "landscape.vrs"})
        touch(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.vrs")));
    EXPECT_EQ(core::presetNames(dir.path()),
              (QStringList{"ALS_NR_ENABLE", "b.2", "landscape", "Portrait"}));
}

TEST(PresetNames, AFolderThatDoesNotExistHasNone) {
    QTemporaryDir dir;
    EXPECT_TRUE(core::presetNames(dir.filePath(QStringLiteral("tsSharpening"))).isEmpty());
}

TEST(PresetsBoxItems, FrameThePresetsBetweenLoadAndSaveWithTheNamesBeside) {
    core::Language english;
    english.setText(
        QStringLiteral("ALS_LOAD_OPT=Load settings\r\nALS_SAVE_OPT=Save settings\r\n"
                       "ALS_NR_ENABLE=Reduce noise"));
    const core::PresetsBoxItems items =
        core::presetsBoxItems({"ALS_NR_ENABLE", "Portrait"}, core::languageLookup(english));
    EXPECT_EQ(items.shown, (QStringList{"---- Load settings ----", "Reduce noise", "Portrait",
                                        "---- Save settings ----"}));
    EXPECT_EQ(items.names, (QStringList{"", "ALS_NR_ENABLE", "Portrait", ""}));
}

TEST(PresetsBoxItems, WithoutPresetsHoldOnlyTheTwoFrames) {
    const core::PresetsBoxItems items = core::presetsBoxItems({}, core::keyAsText);
    EXPECT_EQ(items.shown, (QStringList{"---- ALS_LOAD_OPT ----", "---- ALS_SAVE_OPT ----"}));
    EXPECT_EQ(items.names.size(), 2);
}

TEST(PresetFile, IsTheNameWithTheExtensionInTheGroupFolder) {
    EXPECT_EQ(core::presetFile(QStringLiteral("/d/presets/tsColor"), QStringLiteral("b.2")),
              QStringLiteral("/d/presets/tsColor/b.2.vrs"));
}

struct ActionCase {
    int index;
    int count;
    core::PresetsBoxAction action;
};

class PresetsBoxAction : public ::testing::TestWithParam<ActionCase> {};

TEST_P(PresetsBoxAction, FirstDoesNothingLastSavesTheRestLoad) {
    EXPECT_EQ(core::presetsBoxAction(GetParam().index, GetParam().count), GetParam().action);
}

using A = core::PresetsBoxAction;
INSTANTIATE_TEST_SUITE_P(Items, PresetsBoxAction,
                         ::testing::Values(ActionCase{0, 2, A::None}, ActionCase{1, 2, A::Save},
                                           ActionCase{0, 4, A::None}, ActionCase{1, 4, A::Load},
                                           ActionCase{2, 4, A::Load}, ActionCase{3, 4, A::Save},
                                           ActionCase{-1, 4, A::None}, ActionCase{4, 4, A::None},
                                           ActionCase{0, 0, A::None}));

}  // namespace
