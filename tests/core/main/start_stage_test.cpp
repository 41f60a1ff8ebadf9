// The start-up stage: the key and its normal-close marker, the two stored records, the plug-in
// entry files, and what the first activation opens.
#include "core/main/start_stage.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/main/program_registry.h"
#include "core/main/settings_saving.h"
#include "core/settings/record_file.h"
#include "imaging/file_io.h"

namespace {

class StartStageTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(QDir(dir.path()).mkpath("program/images")); }
    QString program() const { return dir.filePath("program"); }
    QString ini() const { return dir.filePath("VelmarFilter.ini"); }
    core::ProgramFolders folders() const { return core::ProgramFolders(program(), program()); }
    void touch(const QString& path, const QByteArray& content = {}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray contentOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
    const QDate today{2026, 12, 10};
};

TEST_F(StartStageTest, TheFirstStartCreatesTheKeyWithTheDialogFolders) {
    core::RegistryKey key = core::programRegistryKey(ini());
    auto opening = core::openProgramKey(key, program(), today);
    ASSERT_TRUE(opening);
    EXPECT_TRUE(opening->firstRun);
    EXPECT_FALSE(opening->previousCloseNormal);
    EXPECT_EQ(key.readString("openFolder", {}), program());
    EXPECT_EQ(key.readString("saveFolder", {}), program());
    EXPECT_EQ(key.readString("InstallDate", {}).toStdString(), "2026-12-10");
    EXPECT_EQ(key.readInt("NormalClose", -1), 0);
}

TEST_F(StartStageTest, NormalCloseIsZeroWhileRunningAndOneAfterAClose) {
    core::RegistryKey key = core::programRegistryKey(ini());
    ASSERT_TRUE(core::openProgramKey(key, program(), today));
    ASSERT_TRUE(core::markNormalClose(key));
    EXPECT_EQ(key.readInt("NormalClose", -1), 1);

    // The next start sees the normal close and writes 0 at once.
    auto second = core::openProgramKey(key, program(), today);
    ASSERT_TRUE(second);
    EXPECT_FALSE(second->firstRun);
    EXPECT_TRUE(second->previousCloseNormal);
    EXPECT_EQ(key.readInt("NormalClose", -1), 0);

    // Killed without a close: the start after it knows.
    auto third = core::openProgramKey(key, program(), today);
    ASSERT_TRUE(third);
    EXPECT_FALSE(third->previousCloseNormal);
}

TEST_F(StartStageTest, AKeyThatCannotBeCreatedFailsTheStart) {
    // The settings file's folder is a plain file: nothing can be written under it.
    touch(dir.filePath("blocked"));
    core::RegistryKey key = core::programRegistryKey(dir.filePath("blocked/VelmarFilter.ini"));
    auto opening = core::openProgramKey(key, program(), today);
    ASSERT_FALSE(opening);
    EXPECT_EQ(opening.failure().key.toStdString(), "ER_READ_REGISTRY");
}

TEST_F(StartStageTest, PluginFoldersEndWithASemicolon) {
    EXPECT_EQ(core::pluginFolders("/a;/b c;"), (QStringList{"/a", "/b c"}));
    EXPECT_EQ(core::pluginFolders("/a;/b"), (QStringList{"/a"}));
    EXPECT_EQ(core::pluginFolders("/a"), QStringList{});
    EXPECT_EQ(core::pluginFolders(""), QStringList{});
    EXPECT_EQ(core::pluginFolders(";;/a;"), (QStringList{"/a"}));
}

TEST_F(StartStageTest, WaitingPluginEntryFilesAreEnabled) {
    QDir d(dir.path());
    ASSERT_TRUE(d.mkpath("hostA"));
    ASSERT_TRUE(d.mkpath("hostB"));
    ASSERT_TRUE(d.mkpath("hostC"));
    touch(dir.filePath("hostA/VelmarFilter.000"), "new");
    touch(dir.filePath("hostA/VelmarFilter.8BF"), "old");
    touch(dir.filePath("hostB/VelmarFilter.000"), "new");
    touch(dir.filePath("hostC/VelmarFilter.8BF"), "kept");
    const QStringList done =
        core::enablePluginEntryFiles({dir.filePath("hostA"), dir.filePath("hostB"),
                                      dir.filePath("hostC"), dir.filePath("none")});
    EXPECT_EQ(done, (QStringList{dir.filePath("hostA"), dir.filePath("hostB")}));
    EXPECT_EQ(contentOf(dir.filePath("hostA/VelmarFilter.8BF")), "new");
    EXPECT_FALSE(QFile::exists(dir.filePath("hostA/VelmarFilter.000")));
    EXPECT_EQ(contentOf(dir.filePath("hostB/VelmarFilter.8BF")), "new");
    EXPECT_EQ(contentOf(dir.filePath("hostC/VelmarFilter.8BF")), "kept");
}

TEST_F(StartStageTest, StoredRecordsRoundTrip) {
    core::SettingsBlock block;
    block.SharpenAmount = 37;
    block.CaptionText = "holiday";
    core::ProgramOptions options;
    options.mainMaximized = 0;
    options.mainWidth = 1024;
    options.renamingTemplate = "[name]_x";
    ASSERT_TRUE(core::saveSettings(core::SaveMode::SettingsAndOptions, {}, folders(),
                                   {block, options, {}}));
    EXPECT_EQ(QFile(folders().settingsFile()).size(), 1271);
    EXPECT_EQ(QFile(folders().optionsFile()).size(), 1045);

    const core::StartRecords records = core::loadStartRecords(folders());
    EXPECT_TRUE(records.settingsFromFile);
    EXPECT_TRUE(records.optionsFromFile);
    EXPECT_EQ(records.settings, block);
    EXPECT_EQ(records.options, options);
}

TEST_F(StartStageTest, BadRecordsGiveTheDefaultsAndAreDeleted) {
    core::SettingsBlock old;
    old.SharpenAmount = 37;
    auto shortBlock = core::encodeSettingsBlock(old);
    shortBlock.resize(1270);
    old.Version = 30001;
    const auto oldVersion = core::encodeSettingsBlock(old);
    core::ProgramOptions options;
    options.version = 31006;
    const auto oldOptions = core::encodeProgramOptions(options);

    for (const auto& blockBytes : {shortBlock, oldVersion}) {
        touch(folders().settingsFile(), QByteArray(reinterpret_cast<const char*>(blockBytes.data()),
                                                   qsizetype(blockBytes.size())));
        touch(folders().optionsFile(), QByteArray(reinterpret_cast<const char*>(oldOptions.data()),
                                                  qsizetype(oldOptions.size())));
        const core::StartRecords records = core::loadStartRecords(folders());
        EXPECT_FALSE(records.settingsFromFile);
        EXPECT_FALSE(records.optionsFromFile);
        EXPECT_EQ(records.settings, core::defaultSettingsBlock());
        EXPECT_EQ(records.options, core::defaultProgramOptions());
        EXPECT_EQ(records.settings.Version, 31002);
        EXPECT_EQ(records.options.version, 31007);
        EXPECT_FALSE(QFile::exists(folders().settingsFile()));
        EXPECT_FALSE(QFile::exists(folders().optionsFile()));
    }
}

TEST_F(StartStageTest, AFailedWriteKeepsTheOldFile) {
    core::SettingsBlock block;
    block.SharpenAmount = 11;
    core::ProgramOptions options;
    options.accelerator = 7;
    ASSERT_TRUE(core::saveSettings(core::SaveMode::SettingsAndOptions, {}, folders(),
                                   {block, options, {}}));
    const QByteArray oldBlock = contentOf(folders().settingsFile());
    const QByteArray oldOptions = contentOf(folders().optionsFile());

    core::SettingsBlock changed = block;
    changed.SharpenAmount = 99;
    core::ProgramOptions changedOptions = options;
    changedOptions.accelerator = 2;
    {
        // The disk fills up half-way through each record.
        imaging::ScopedWriteFailure full(600);
        const core::Status saved = core::saveSettings(core::SaveMode::SettingsAndOptions, {},
                                                      folders(), {changed, changedOptions, {}});
        ASSERT_FALSE(saved);
        EXPECT_EQ(saved.failure().key.toStdString(), "ER_CANNOT_SAVE");
    }
    EXPECT_EQ(contentOf(folders().settingsFile()), oldBlock);
    EXPECT_EQ(contentOf(folders().optionsFile()), oldOptions);
    EXPECT_EQ(core::loadStartRecords(folders()).settings, block);
    EXPECT_EQ(QDir(program()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "no half-written file is left behind";
}

TEST_F(StartStageTest, SaveModesWriteWhatTheySay) {
    struct Case {
        core::SaveMode mode;
        bool block;
        bool options;
        bool folders;
    };
    const Case cases[] = {
        {core::SaveMode::SettingsAndOptions, true, true, false},
        {core::SaveMode::SettingsOnly, true, false, false},
        {core::SaveMode::Nothing, false, false, false},
        {core::SaveMode::OptionsAndRecentFolders, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        QFile::remove(folders().settingsFile());
        QFile::remove(folders().optionsFile());
        bool recentSaved = false;
        ASSERT_TRUE(core::saveSettings(
            c.mode, {}, folders(),
            {core::SettingsBlock{}, core::ProgramOptions{}, [&] { recentSaved = true; }}));
        EXPECT_EQ(QFile::exists(folders().settingsFile()), c.block);
        EXPECT_EQ(QFile::exists(folders().optionsFile()), c.options);
        EXPECT_EQ(recentSaved, c.folders);
    }
    // Mode 1 with a path writes the block there.
    const QString elsewhere = dir.filePath("other.dat");
    ASSERT_TRUE(core::saveSettings(core::SaveMode::SettingsOnly, elsewhere, folders(),
                                   {core::SettingsBlock{}, core::ProgramOptions{}, {}}));
    EXPECT_EQ(QFile(elsewhere).size(), 1271);
}

TEST_F(StartStageTest, TheWholeStageInItsOrder) {
    core::RegistryKey key = core::programRegistryKey(ini());
    core::RegistryKey plugins = core::pluginPathRegistryKey(ini());
    ASSERT_TRUE(QDir(dir.path()).mkpath("host"));
    ASSERT_TRUE(plugins.create({{"PathesToPlugins", dir.filePath("host") + ";"}}));
    touch(dir.filePath("host/VelmarFilter.000"), "entry");

    bool sessionsMade = false;
    bool keyBeforeSessions = true;
    core::StartInputs inputs{{"-plugin"}, today, [&]() -> core::Status {
                                 keyBeforeSessions = key.exists();
                                 sessionsMade = true;
                                 return {};
                             }};
    auto state = core::runStartStage(folders(), key, plugins, inputs);
    ASSERT_TRUE(state);
    EXPECT_TRUE(sessionsMade);
    EXPECT_FALSE(keyBeforeSessions) << "the key is opened only after the sessions";
    EXPECT_TRUE(state->commandLine.pluginMode);
    EXPECT_TRUE(state->key.firstRun);
    EXPECT_EQ(state->records.settings, core::defaultSettingsBlock());
    // In plug-in mode the host's entry files are left alone.
    EXPECT_TRUE(QFile::exists(dir.filePath("host/VelmarFilter.000")));

    inputs.arguments = {};
    state = core::runStartStage(folders(), key, plugins, inputs);
    ASSERT_TRUE(state);
    EXPECT_FALSE(state->key.firstRun);
    EXPECT_TRUE(QFile::exists(dir.filePath("host/VelmarFilter.8BF")));
}

TEST_F(StartStageTest, FailedSessionsEndTheStartBeforeTheKey) {
    core::RegistryKey key = core::programRegistryKey(ini());
    core::RegistryKey plugins = core::pluginPathRegistryKey(ini());
    core::StartInputs inputs{
        {}, today, [] { return core::Status(core::failure("ER_CREATE_GRAPH_SESSION")); }};
    auto state = core::runStartStage(folders(), key, plugins, inputs);
    ASSERT_FALSE(state);
    EXPECT_EQ(state.failure().key.toStdString(), "ER_CREATE_GRAPH_SESSION");
    EXPECT_FALSE(key.exists());
}

struct OpenCase {
    const char* name;
    bool firstRun;
    bool previousCloseNormal;
    bool plugin;
    bool commandLineFile;
    bool lastFileExists;
    bool sampleExists;
    core::OpenAtStart what;
};

TEST_F(StartStageTest, WhatTheFirstActivationOpens) {
    using core::OpenAtStart;
    const OpenCase cases[] = {
        {"plug-in mode", false, true, true, false, true, true, OpenAtStart::ExchangeImage},
        {"plug-in mode on the first run", true, false, true, false, false, true,
         OpenAtStart::ExchangeImage},
        {"a named picture", false, true, false, true, true, true, OpenAtStart::CommandLineFile},
        {"a named picture on the first run", true, false, false, true, false, true,
         OpenAtStart::CommandLineFile},
        {"the last file after a normal close", false, true, false, false, true, true,
         OpenAtStart::LastFile},
        {"nothing after a crash", false, false, false, false, true, true, OpenAtStart::Nothing},
        {"the last file is gone", false, true, false, false, false, true, OpenAtStart::Nothing},
        {"the sample on the first run", true, false, false, false, false, true,
         OpenAtStart::SampleImage},
        {"no sample", true, false, false, false, false, false, OpenAtStart::Nothing},
    };
    const QString picture = dir.filePath("named.jpg");
    const QString last = dir.filePath("last.jpg");
    const QString sample = dir.filePath("program/images/sample.jpg");
    touch(picture);
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(last);
        QFile::remove(sample);
        if (c.lastFileExists) touch(last);
        if (c.sampleExists) touch(sample);
        core::StartState state;
        state.key = {c.firstRun, c.previousCloseNormal};
        state.commandLine.pluginMode = c.plugin;
        if (c.commandLineFile) state.commandLine.fileName = picture;
        const core::FirstOpen open =
            core::decideFirstOpen(state, last, sample, [](const QString&) { return true; });
        EXPECT_EQ(open.what, c.what);
        switch (c.what) {
            case OpenAtStart::CommandLineFile:
                EXPECT_EQ(open.path, picture);
                EXPECT_EQ(open.navigatorFolder, dir.path());
                break;
            case OpenAtStart::LastFile:
                EXPECT_EQ(open.path, last);
                break;
            case OpenAtStart::SampleImage:
                EXPECT_EQ(open.path, sample);
                EXPECT_EQ(open.navigatorFolder, program() + "/images");
                break;
            default:
                EXPECT_TRUE(open.path.isEmpty());
        }
    }
}

TEST_F(StartStageTest, ANamedFileTheImagingLibraryCannotReadFallsBackToTheLastFile) {
    const QString named = dir.filePath("notes.txt");
    const QString last = dir.filePath("last.jpg");
    touch(named);
    touch(last);
    core::StartState state;
    state.key = {false, true};
    state.commandLine.fileName = named;
    const auto open = core::decideFirstOpen(
        state, last, {}, [](const QString& path) { return path.endsWith(".jpg"); });
    EXPECT_EQ(open.what, core::OpenAtStart::LastFile);
    EXPECT_EQ(open.path, last);
}

}  // namespace
