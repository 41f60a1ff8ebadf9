// A main window over a temporary data folder and INI file, with every question and file choice
// scripted, and helpers that wait for the engine thread's answers.
#pragma once

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>

#include "app/main/file_chooser.h"
#include "app/main/main_form.h"
#include "core/i18n/language.h"
#include "core/main/scripted_asker.h"

namespace apptest {

// How long a test waits for one answer of the engine thread before it fails.
constexpr int kWaitMs = 60000;

class ScriptedFiles : public app::FileChooser {
  public:
    QString openPicture(QWidget*, const QString& folder) override {
        ++openAsked;
        openFolder = folder;
        return openAnswer;
    }
    std::optional<app::SaveChoice> savePicture(QWidget*, const QString& proposed,
                                               int format) override {
        ++saveAsked;
        proposedPath = proposed;
        if (saveAnswer.isEmpty()) return std::nullopt;
        return app::SaveChoice{saveAnswer, saveFormat < 0 ? format : saveFormat};
    }
    QString openSettings(QWidget*, const QString& folder, const QString& proposed) override {
        ++settingsOpenAsked;
        settingsFolder = folder;
        settingsProposedName = proposed;
        return settingsOpenAnswer;
    }
    QString saveSettings(QWidget*, const QString& folder, const QString& proposed) override {
        ++settingsSaveAsked;
        settingsFolder = folder;
        settingsProposedName = proposed;
        return settingsSaveAnswer;
    }
    QString openAnswer;
    QString saveAnswer;
    int saveFormat = -1;
    // Settings files: the answers, and where the last dialog started.
    QString settingsOpenAnswer;
    QString settingsSaveAnswer;
    int settingsOpenAsked = 0;
    int settingsSaveAsked = 0;
    QString settingsFolder;
    QString settingsProposedName;
    int openAsked = 0;
    QString openFolder;
    int saveAsked = 0;
    QString proposedPath;
};

// Waits until no preview is running or pending any more.
inline void settle(app::TMainForm& form) {
    for (int i = 0; i < 400 && (form.scheduler().running() || form.scheduler().restartPending() ||
                                form.scheduler().requestPending());
         ++i)
        QTest::qWait(25);
}

inline QString samplePicture() {
    return QStringLiteral(VF_BUILD_FOLDER "/images/sample.jpg");
}
inline QString smallPicture() {
    return QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg");
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(data.isValid());
        language.load(QStringLiteral(VF_BUILD_FOLDER "/library/languages/english.lng"));
        form = makeForm();
    }
    void TearDown() override { form.reset(); }

    std::unique_ptr<app::TMainForm> makeForm() {
        core::ProgramFolders folders(QStringLiteral(VF_BUILD_FOLDER), data.path());
        auto f = std::make_unique<app::TMainForm>(
            app::MainFormSetup{language, asker, files, folders, core::SettingsBlock{},
                               core::ProgramOptions{}, iniFile(), 0});
        f->resize(1200, 800);
        f->show();
        return f;
    }
    QString iniFile() const { return data.filePath(QStringLiteral("settings.ini")); }

    // Opens a picture and waits until it is shown.
    void open(const QString& path) {
        QSignalSpy opened(form.get(), &app::TMainForm::pictureOpened);
        ASSERT_TRUE(form->openFile(path));
        ASSERT_TRUE(opened.wait(kWaitMs));
        ASSERT_TRUE(opened.first().first().toBool()) << qPrintable(path);
    }

    QTemporaryDir data;
    core::Language language;
    core::ScriptedAsker asker;
    ScriptedFiles files;
    std::unique_ptr<app::TMainForm> form;
};

}  // namespace apptest
