#include "core/paths/program_folders.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

TEST(ProgramFolders, AWritableProgramFolderHoldsTheProgramsFiles) {
    QTemporaryDir dir;
    const auto f = core::ProgramFolders::forProgramFolder(dir.path());
    EXPECT_EQ(f.data(), f.program());
    EXPECT_EQ(f.queueFile(), dir.filePath("vrq.dat"));
    EXPECT_EQ(f.settingsFile(), dir.filePath("vr.dat"));
    EXPECT_EQ(f.optionsFile(), dir.filePath("vri.dat"));
    EXPECT_EQ(f.languageFile("english"), dir.filePath("library/languages/english.lng"));
    EXPECT_EQ(f.sampleImage(), dir.filePath("images/sample.jpg"));
    EXPECT_EQ(f.defaultOutputFolder(), dir.filePath("images/filtered"));
}

TEST(ProgramFolders, OtherwiseTheUsersDataFolder) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    const auto f = core::ProgramFolders::forProgramFolder(home.filePath("not/there"));
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(f.data(), home.filePath("VelmarFilter"));
    EXPECT_EQ(f.queueFile(), home.filePath("VelmarFilter/vrq.dat"));
    EXPECT_EQ(f.languageFile("german"), home.filePath("not/there/library/languages/german.lng"));
}

TEST(ProgramFolders, HelpFallsBackToEnglish) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("help/german"));
    const core::ProgramFolders f(dir.path(), dir.path());
    EXPECT_EQ(f.helpFolder("german"), dir.filePath("help/german"));
    EXPECT_EQ(f.helpFolder("polish"), dir.filePath("help/english"));
}

}  // namespace
