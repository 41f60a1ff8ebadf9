#include "core/paths/program_folders.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

// Sets an environment variable for one scope and puts back what was there before.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

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
    const auto f = [&] {
        const ScopedEnv data("XDG_DATA_HOME", home.path().toUtf8());
        return core::ProgramFolders::forProgramFolder(home.filePath("not/there"));
    }();
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
