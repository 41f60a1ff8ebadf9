// The main window's settings files: general settings saved and loaded, presets of a tab, the
// switch to expert mode, the presets box's items and the per-file settings cache.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSlider>

#include "app/main/settings_files.h"
#include "app/settings/tuning_pages.h"
#include "app_fixture.h"
#include "core/main/program_registry.h"
#include "core/presets/file_settings_cache.h"
#include "core/presets/settings_file.h"
#include "core/queue/queue_model.h"
#include "core/settings/settings_fields.h"
#include "core/settings/tuning_collect.h"

namespace {

using apptest::kWaitMs;

class SettingsFilesTest : public apptest::WindowTest {
  protected:
    // A window made with these options (the fixture's has the defaults).
    void remake(const core::ProgramOptions& options) {
        form.reset();
        core::ProgramFolders folders(QStringLiteral(VF_BUILD_FOLDER), data.path());
        form = std::make_unique<app::TMainForm>(app::MainFormSetup{
            language, asker, files, folders, core::SettingsBlock{}, options, iniFile(), 0});
        form->resize(1200, 800);
        form->show();
    }
    void remakeExpert() {
        core::ProgramOptions options;
        options.expertMode = 1;
        remake(options);
    }
    void remakeSimple() {
        core::ProgramOptions options;
        options.expertMode = 0;
        remake(options);
    }
    QString presets(const QString& group) const {
        return data.filePath(QStringLiteral("presets/") + group);
    }
    void writePreset(const QString& group, const QString& name, const core::QueueParams& record) {
        ASSERT_TRUE(QDir().mkpath(presets(group)));
        ASSERT_TRUE(core::writeSettingsFile(
                        presets(group) + QLatin1Char('/') + name + QStringLiteral(".vrs"), record)
                        .ok());
    }
    void trigger(const char* action) { form->ui().menu[QString::fromLatin1(action)]->trigger(); }
    void showTab(const char* sheet) {
        form->ui().pages->setCurrentWidget(form->ui().pages->page(QString::fromLatin1(sheet)));
    }
    QComboBox* box() const { return form->settingsFiles()->presetsBox(); }
    void choose(int index) {
        box()->setCurrentIndex(index);
        emit box()->activated(index);
    }
    QSlider* slider(int n) const { return form->ui().pages->slider(n); }
};

// A block with every sharpening field and some of every other group away from the defaults.
core::SettingsBlock storedBlock() {
    core::SettingsBlock b;
    b.SharpenAmount = 35;
    b.EdgeWidth = 6;
    b.EdgeContrast = 180;
    b.WhiteHalo = 70;
    b.NoiseLevelFactor = 1400;
    b.ShadowsNoiseFactor = 1400;
    b.HighlightsNoiseFactor = 1400;
    b.Contrast = 25;
    b.Saturation = -30;
    b.RedShift = 12;
    b.CARadius = 9;
    b.Barrel = 15;
    b.CaptionText = "Stored";
    return b;
}

TEST_F(SettingsFilesTest, SavedSettingsLoadOnAnotherPicture) {
    remakeSimple();
    open(apptest::smallPicture());
    slider(6)->setValue(100 + 42);  // sharpening intensity 42
    slider(9)->setValue(100 - 20);  // contrast -20
    files.settingsSaveAnswer = data.filePath(QStringLiteral("mine"));
    trigger("menuSaveOptions");
    EXPECT_EQ(files.settingsSaveAsked, 1);
    EXPECT_EQ(files.settingsFolder, presets(QStringLiteral("common")));
    EXPECT_EQ(files.settingsProposedName, QStringLiteral("My settings"));
    const QString saved = data.filePath(QStringLiteral("mine.vrs"));
    ASSERT_TRUE(QFile::exists(saved));
    const auto record = core::readSettingsRecord(saved, core::UnreadableFile::Keep);
    ASSERT_TRUE(record.ok());
    EXPECT_EQ(record.value().Settings.SharpenAmount, 42);
    EXPECT_EQ(record.value().Settings.Contrast, -20);
    EXPECT_EQ(core::itemSourcePath(record.value()), apptest::smallPicture());
    // Simple mode: shadow and highlight follow the mid-tone factor.
    EXPECT_EQ(record.value().Settings.ShadowsNoiseFactor, -1);

    slider(6)->setValue(100);
    slider(9)->setValue(100);
    open(apptest::samplePicture());
    files.settingsOpenAnswer = saved;
    trigger("menuLoadOptions");
    EXPECT_EQ(files.settingsOpenAsked, 1);
    EXPECT_EQ(files.settingsFolder, presets(QStringLiteral("common")));
    EXPECT_EQ(form->tuning().block.SharpenAmount, 42);
    EXPECT_EQ(form->tuning().block.Contrast, -20);
    EXPECT_EQ(slider(6)->value(), 142);
    EXPECT_EQ(slider(9)->value(), 80);
    EXPECT_TRUE(asker.requests().empty());
}

TEST_F(SettingsFilesTest, TheSettingsOfThePictureAreProposedBesideIt) {
    const QString picture = data.filePath(QStringLiteral("holiday.jpg"));
    ASSERT_TRUE(QFile::copy(apptest::smallPicture(), picture));
    open(picture);
    files.settingsSaveAnswer = data.filePath(QStringLiteral("holiday.txt"));
    trigger("menuSaveFileOptions");
    EXPECT_EQ(files.settingsFolder, data.path());
    EXPECT_EQ(files.settingsProposedName, QStringLiteral("holiday.vrs"));
    // The written file always gets the settings extension.
    EXPECT_TRUE(QFile::exists(data.filePath(QStringLiteral("holiday.vrs"))));
    EXPECT_FALSE(QFile::exists(data.filePath(QStringLiteral("holiday.txt"))));

    files.settingsOpenAnswer = data.filePath(QStringLiteral("holiday.vrs"));
    trigger("menuLoadFileOptions");
    EXPECT_EQ(files.settingsFolder, data.path());
    EXPECT_EQ(files.settingsProposedName, QStringLiteral("holiday.vrs"));
    EXPECT_TRUE(asker.requests().empty());
}

TEST_F(SettingsFilesTest, TheFileCommandsNeedAPicture) {
    EXPECT_TRUE(form->ui().menu[QStringLiteral("menuSaveOptions")]->isEnabled());
    EXPECT_TRUE(form->ui().menu[QStringLiteral("menuLoadOptions")]->isEnabled());
    EXPECT_FALSE(form->ui().menu[QStringLiteral("menuSaveFileOptions")]->isEnabled());
    EXPECT_FALSE(form->ui().menu[QStringLiteral("menuLoadFileOptions")]->isEnabled());
    open(apptest::smallPicture());
    EXPECT_TRUE(form->ui().menu[QStringLiteral("menuSaveFileOptions")]->isEnabled());
    EXPECT_TRUE(form->ui().menu[QStringLiteral("menuLoadFileOptions")]->isEnabled());
}

TEST_F(SettingsFilesTest, AFileThatIsNoSettingsFileIsReportedWithItsPathAndKept) {
    const QString path = data.filePath(QStringLiteral("notes.vrs"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("no settings here");
    f.close();
    const core::SettingsBlock before = form->tuning().block;
    files.settingsOpenAnswer = path;
    trigger("menuLoadOptions");
    ASSERT_EQ(asker.requests().size(), 1u);
    EXPECT_EQ(asker.requests()[0].text,
              QStringLiteral("Cannot load the settings file \r\n\"%1\"").arg(path));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(form->tuning().block, before);
}

TEST_F(SettingsFilesTest, ExpertSettingsSwitchASimpleModeWindowToExpertMode) {
    remakeSimple();
    ASSERT_FALSE(form->tuning().expertMode);
    ASSERT_TRUE(form->settingsFiles()->presetsPanel()->isHidden());
    core::SettingsBlock block = storedBlock();
    block.NoiseRadius = 11;  // an expert-only value
    const QString path = data.filePath(QStringLiteral("expert.vrs"));
    ASSERT_TRUE(
        core::writeSettingsFile(path, core::settingsRecord(block, true, QString(), {})).ok());
    files.settingsOpenAnswer = path;
    trigger("menuLoadOptions");
    EXPECT_TRUE(form->tuning().expertMode);
    EXPECT_EQ(form->options().expertMode, 1);
    EXPECT_TRUE(form->ui().menu[QStringLiteral("menuExpertMode")]->isChecked());
    EXPECT_EQ(form->tuning().block.NoiseRadius, 11);
    EXPECT_EQ(form->tuning().block.SharpenAmount, 35);
    EXPECT_FALSE(form->settingsFiles()->presetsPanel()->isHidden());
    EXPECT_TRUE(form->ui().menu[QStringLiteral("menuCommonPresets")]->isVisible());
}

TEST_F(SettingsFilesTest, SimpleSettingsLeaveTheModeAlone) {
    remakeSimple();
    const QString path = data.filePath(QStringLiteral("simple.vrs"));
    ASSERT_TRUE(
        core::writeSettingsFile(path, core::settingsRecord(storedBlock(), false, QString(), {}))
            .ok());
    files.settingsOpenAnswer = path;
    trigger("menuLoadOptions");
    EXPECT_FALSE(form->tuning().expertMode);
    EXPECT_EQ(form->tuning().block.SharpenAmount, 35);
}

TEST_F(SettingsFilesTest, APresetOnTheSharpeningTabChangesOnlyTheSharpeningFields) {
    writePreset(QStringLiteral("tsSharpening"), QStringLiteral("Crisp"),
                core::settingsRecord(storedBlock(), true, QString(), {}));
    remakeExpert();
    open(apptest::smallPicture());
    showTab("tsSharpening");
    ASSERT_FALSE(form->settingsFiles()->presetsPanel()->isHidden());
    ASSERT_EQ(box()->count(), 3);
    EXPECT_EQ(box()->itemText(1), QStringLiteral("Crisp"));
    const core::SettingsBlock before = core::collectSettings(form->tuning());
    choose(1);
    EXPECT_TRUE(asker.requests().empty());
    const core::SettingsBlock after = form->tuning().block;
    EXPECT_EQ(after.SharpenAmount, 35);
    EXPECT_EQ(after.EdgeWidth, 6);
    EXPECT_EQ(after.EdgeContrast, 180);
    EXPECT_EQ(after.WhiteHalo, 70);
    EXPECT_EQ(slider(6)->value(), 135);
    core::SettingsBlock rest = after;
    for (const char* name :
         {"SharpenAmount", "EdgeWidth", "EdgeContrast", "SuppressHalos", "ShowSharpenMap",
          "WhiteHalo", "SharpnessEqualizerCount", "SharpnessEqualizer"}) {
        const core::SettingsField* f = core::findSettingsField(name);
        std::copy_n(core::fieldInts(*f, before), f->count, f->ints(rest));
    }
    EXPECT_EQ(rest, before);
    // The box shows the preset until a preview has been shown after it.
    EXPECT_EQ(box()->currentIndex(), 1);
}

TEST_F(SettingsFilesTest, SavingFromTheBoxAddsThePresetToTheTabsList) {
    remakeExpert();
    showTab("tsColor");
    ASSERT_EQ(box()->count(), 2);
    files.settingsSaveAnswer = presets(QStringLiteral("tsColor")) + QStringLiteral("/Warm");
    choose(1);
    EXPECT_EQ(files.settingsFolder, presets(QStringLiteral("tsColor")));
    EXPECT_TRUE(QFile::exists(presets(QStringLiteral("tsColor")) + QStringLiteral("/Warm.vrs")));
    ASSERT_EQ(box()->count(), 3);
    EXPECT_EQ(box()->itemText(1), QStringLiteral("Warm"));
    EXPECT_EQ(box()->currentIndex(), 0);
}

TEST_F(SettingsFilesTest, APresetNamedAfterAKeyIsListedTranslated) {
    writePreset(QStringLiteral("tsNoiseReduction"), QStringLiteral("ALS_NR_ENABLE"),
                core::settingsRecord(storedBlock(), true, QString(), {}));
    writePreset(QStringLiteral("tsNoiseReduction"), QStringLiteral("Night shots"),
                core::settingsRecord(storedBlock(), true, QString(), {}));
    remakeExpert();
    showTab("tsNoiseReduction");
    ASSERT_EQ(box()->count(), 4);
    EXPECT_EQ(box()->itemText(0), QStringLiteral("---- Load settings ----"));
    EXPECT_EQ(box()->itemText(1), QStringLiteral("Reduce noise"));
    EXPECT_EQ(box()->itemText(2), QStringLiteral("Night shots"));
    EXPECT_EQ(box()->itemText(3), QStringLiteral("---- Save settings ----"));
    EXPECT_EQ(form->settingsFiles()->presetNames().value(1), QStringLiteral("ALS_NR_ENABLE"));
    // Chosen, the untranslated name finds the file.
    choose(1);
    EXPECT_TRUE(asker.requests().empty());
    EXPECT_EQ(form->tuning().block.NoiseLevelFactor, 1400);
}

TEST_F(SettingsFilesTest, ThePresetsBoxIsForExpertModeOnly) {
    remakeSimple();
    EXPECT_TRUE(form->settingsFiles()->presetsPanel()->isHidden());
    // The switch is offered in the tuning mode.
    open(apptest::smallPicture());
    QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
    form->menuRebuildClick();
    ASSERT_TRUE(shown.wait(kWaitMs));
    apptest::settle(*form);
    ASSERT_TRUE(form->ui().menu[QStringLiteral("menuExpertMode")]->isEnabled());
    form->ui().menu[QStringLiteral("menuExpertMode")]->trigger();
    ASSERT_TRUE(form->tuning().expertMode);
    EXPECT_FALSE(form->settingsFiles()->presetsPanel()->isHidden());
    form->ui().menu[QStringLiteral("menuExpertMode")]->trigger();
    ASSERT_FALSE(form->tuning().expertMode);
    EXPECT_TRUE(form->settingsFiles()->presetsPanel()->isHidden());
}

// A preset of a newer version is somebody's settings: reported, never deleted.
TEST_F(SettingsFilesTest, APresetOfAnUnknownVersionIsReportedAndKept) {
    writePreset(QStringLiteral("tsSharpening"), QStringLiteral("Future"),
                core::settingsRecord(storedBlock(), true, QStringLiteral("ab"), {}));
    const QString path = presets(QStringLiteral("tsSharpening")) + QStringLiteral("/Future.vrs");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(1 + 4 + 2);  // the settings version after the mode and the path
        f.write("\x40\x9c", 2);
    }
    remakeExpert();
    showTab("tsSharpening");
    ASSERT_EQ(box()->count(), 3);
    choose(1);
    ASSERT_EQ(asker.requests().size(), 1u);
    EXPECT_EQ(asker.requests()[0].text,
              QStringLiteral("Cannot load the settings file \r\n\"%1\"").arg(path));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(box()->currentIndex(), 0);
    EXPECT_EQ(box()->count(), 3);
    EXPECT_EQ(form->tuning().block.SharpenAmount, core::SettingsBlock{}.SharpenAmount);
}

// A damaged preset of the current version cannot be mended: it leaves the list.
TEST_F(SettingsFilesTest, ADamagedPresetIsRemovedFromTheList) {
    writePreset(QStringLiteral("tsSharpening"), QStringLiteral("Cut"),
                core::settingsRecord(storedBlock(), true, QString(), {}));
    const QString path = presets(QStringLiteral("tsSharpening")) + QStringLiteral("/Cut.vrs");
    ASSERT_TRUE(QFile::resize(path, 600));
    remakeExpert();
    showTab("tsSharpening");
    ASSERT_EQ(box()->count(), 3);
    choose(1);
    EXPECT_EQ(asker.requests().size(), 1u);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(box()->count(), 2);
}

class FileSettingsCacheTest : public SettingsFilesTest {
  protected:
    void SetUp() override {
        SettingsFilesTest::SetUp();
        ASSERT_TRUE(
            core::programRegistryKey(iniFile()).create({{QStringLiteral("Language"), "0"}}));
        core::ProgramOptions options;
        options.useFileSettingsCache = 1;
        remake(options);
        picture = data.filePath(QStringLiteral("cups.jpg"));
        ASSERT_TRUE(QFile::copy(apptest::smallPicture(), picture));
    }
    QString cacheFile() const {
        return *core::fileSettingsCacheFile(data.filePath(QStringLiteral("temp/fsets")), picture);
    }
    void storeCached(int32_t sharpen) {
        core::SettingsBlock b;
        b.SharpenAmount = sharpen;
        ASSERT_TRUE(core::storeFileSettings(data.filePath(QStringLiteral("temp/fsets")), picture,
                                            core::settingsRecord(b, false, picture, {}))
                        .ok());
    }
    int32_t reloadChoice() const {
        return core::programRegistryKey(iniFile()).readInt(
            QString::fromLatin1(core::kValueReloadLastUsedSettings), -7);
    }
    QString picture;
};

TEST_F(FileSettingsCacheTest, AFullRunKeepsTheSettingsOfThePicture) {
    open(picture);
    slider(6)->setValue(100 + 27);
    QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
    form->menuRebuildClick();
    ASSERT_TRUE(shown.wait(kWaitMs));
    apptest::settle(*form);
    QSignalSpy ended(form.get(), &app::TMainForm::fullRunEnded);
    form->menuRebuildClick();
    ASSERT_TRUE(ended.wait(kWaitMs));
    ASSERT_EQ(ended.first().first().value<core::RunEnd>(), core::RunEnd::Done);
    EXPECT_EQ(form->settingsFiles()->fileSettingsCacheFolder(),
              data.filePath(QStringLiteral("temp/fsets")));
    const auto record = core::readSettingsRecord(cacheFile(), core::UnreadableFile::Keep);
    ASSERT_TRUE(record.ok());
    EXPECT_EQ(record.value().Settings.SharpenAmount, 27);
    EXPECT_EQ(core::itemSourcePath(record.value()), picture);
}

TEST_F(FileSettingsCacheTest, OpeningAgainAsksAndAlwaysAppliesAndIsRemembered) {
    storeCached(33);
    asker.answer(core::kResultAlways);
    open(picture);
    ASSERT_EQ(asker.requests().size(), 1u);
    EXPECT_EQ(asker.requests()[0].text,
              picture + QStringLiteral("\r\n") +
                  language.message(QStringLiteral("ALS_RESTORE_FILE_SETTINGS_QUEST")));
    EXPECT_EQ(asker.requests()[0].title, language.message(QStringLiteral("ALS_OPEN_NEW_IMAGE")));
    EXPECT_EQ(form->tuning().block.SharpenAmount, 33);
    EXPECT_EQ(slider(6)->value(), 133);
    EXPECT_EQ(reloadChoice(), core::kReloadAlways);
    // From now on without asking.
    slider(6)->setValue(100);
    open(picture);
    EXPECT_EQ(asker.requests().size(), 1u);
    EXPECT_EQ(form->tuning().block.SharpenAmount, 33);
}

TEST_F(FileSettingsCacheTest, NeverAppliesNothingAndIsRemembered) {
    storeCached(33);
    asker.answer(core::kResultNever);
    open(picture);
    EXPECT_EQ(asker.requests().size(), 1u);
    EXPECT_EQ(form->tuning().block.SharpenAmount, 0);
    EXPECT_EQ(reloadChoice(), core::kReloadNever);
    open(picture);
    EXPECT_EQ(asker.requests().size(), 1u);
}

TEST_F(FileSettingsCacheTest, NoAppliesNothingAndAsksAgainNextTime) {
    storeCached(33);
    asker.answer(core::kResultNo);
    open(picture);
    EXPECT_EQ(form->tuning().block.SharpenAmount, 0);
    EXPECT_EQ(reloadChoice(), -7);
    asker.answer(core::kResultYes);
    open(picture);
    EXPECT_EQ(asker.requests().size(), 2u);
    EXPECT_EQ(form->tuning().block.SharpenAmount, 33);
}

TEST_F(FileSettingsCacheTest, ATouchedPictureIsNotOffered) {
    storeCached(33);
    {
        QFile f(picture);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(-3),
                                  QFileDevice::FileModificationTime));
    }
    open(picture);
    EXPECT_TRUE(asker.requests().empty());
    EXPECT_EQ(form->tuning().block.SharpenAmount, 0);
}

}  // namespace
