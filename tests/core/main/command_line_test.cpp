// The command line: a picture, "-plugin" and "-q"; a named file wins over the switches.
#include "core/main/command_line.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class CommandLineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(dir.path()).mkpath("program/images"));
        ASSERT_TRUE(QDir(dir.path()).mkpath("photos/Trip 2024"));
        touch("program/images/sample.jpg");
        touch("photos/Trip 2024/Beach Day.JPG");
        touch("photos/a.jpg");
    }
    void touch(const QString& name) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QString program() const { return dir.filePath("program"); }
    QString at(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

struct ArgumentCase {
    const char* name;
    QStringList arguments;  // "@" stands for the temporary folder
    const char* fileName;   // relative to the temporary folder; empty: none
    bool pluginMode;
    bool quiet;
};

TEST_F(CommandLineTest, ArgumentsGiveTheFileAndTheSwitches) {
    const ArgumentCase cases[] = {
        {"nothing", {}, "", false, false},
        {"quiet alone", {"-q"}, "", false, true},
        {"plug-in alone", {"-plugin"}, "", true, false},
        {"plug-in and quiet", {"-plugin", "-q"}, "", true, true},
        {"switches are exact", {"-Q", "-PlugIn"}, "", false, false},
        {"a picture", {"@/photos/a.jpg"}, "photos/a.jpg", false, false},
        {"a picture with spaces",
         {"@/photos/Trip 2024/Beach Day.JPG"},
         "photos/Trip 2024/Beach Day.JPG",
         false,
         false},
        {"quiet with a picture", {"-q", "@/photos/a.jpg"}, "photos/a.jpg", false, false},
        {"a picture before the switches",
         {"@/photos/a.jpg", "-plugin", "-q"},
         "photos/a.jpg",
         false,
         false},
        {"relative to the program folder",
         {"images/sample.jpg"},
         "program/images/sample.jpg",
         false,
         false},
        {"a missing file", {"@/photos/b.jpg", "-q"}, "", false, true},
        {"the letter case must match", {"@/photos/A.JPG"}, "", false, false},
        {"a folder is no file", {"@/photos"}, "", false, false},
    };
    for (const ArgumentCase& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList arguments;
        for (QString a : c.arguments)
            arguments << a.replace("@", dir.path());
        const core::CommandLine line = core::parseCommandLine(arguments, program());
        const QString expected = *c.fileName ? at(c.fileName) : QString();
        EXPECT_EQ(line.fileName.toStdString(), expected.toStdString());
        EXPECT_EQ(line.pluginMode, c.pluginMode);
        EXPECT_EQ(line.quiet, c.quiet);
    }
}

TEST_F(CommandLineTest, ANamedFileComesBackAbsoluteAndClean) {
    const QString messy = dir.path() + "/photos/../photos/./a.jpg";
    EXPECT_EQ(core::parseCommandLine({messy}, program()).fileName, at("photos/a.jpg"));
}

TEST_F(CommandLineTest, TheRawFormLosesTheExecutableAndOnePairOfQuotes) {
    const QString exe = program() + "/VelmarFilter";
    const QString picture = at("photos/Trip 2024/Beach Day.JPG");
    struct RawCase {
        QString raw;
        QString fileName;
        bool plugin;
        bool quiet;
    };
    const RawCase cases[] = {
        {'"' + exe + "\" \"" + picture + '"', picture, false, false},
        {exe + " " + picture, picture, false, false},
        {'"' + exe.toUpper() + "\" -plugin", {}, true, false},
        {exe + "  -plugin -q  ", {}, true, true},
        {'"' + exe + '"', {}, false, false},
        {'"' + exe + "\" images/sample.jpg", at("program/images/sample.jpg"), false, false},
    };
    for (const RawCase& c : cases) {
        SCOPED_TRACE(c.raw.toStdString());
        const core::CommandLine line = core::parseRawCommandLine(c.raw, exe, program());
        EXPECT_EQ(line.fileName.toStdString(), c.fileName.toStdString());
        EXPECT_EQ(line.pluginMode, c.plugin);
        EXPECT_EQ(line.quiet, c.quiet);
    }
}

}  // namespace
