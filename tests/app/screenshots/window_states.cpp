// Saves a picture of each state of the program window, for people to look at: run it under a
// display (tools/screenshots.sh uses Xvfb) with the folder for the pictures and the language as
// its arguments. The window opens the sample photograph, shows every tuning tab with a preview,
// runs in full and shows the result, shows itself in each skin, and shows its message box.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include "app/main/file_chooser.h"
#include "app/main/main_form.h"
#include "app/main/message_form.h"
#include "core/i18n/language.h"
#include "core/main/scripted_asker.h"
#include "core/main/skin_choice.h"

namespace {

class NoFiles : public app::FileChooser {
  public:
    QString openPicture(QWidget*, const QString&) override { return {}; }
    std::optional<app::SaveChoice> savePicture(QWidget*, const QString&, int) override {
        return {};
    }
};

void save(QWidget& window, const QString& folder, const QString& name) {
    QApplication::processEvents();
    window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// Lets the engine thread finish what it was given.
void settle(app::TMainForm& form) {
    QElapsedTimer clock;
    clock.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    } while (
        (form.busy() || form.scheduler().restartPending() || form.scheduler().requestPending()) &&
        clock.elapsed() < 60000);
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    const QString language = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("english");
    core::Language texts;
    texts.load(QStringLiteral(VF_BUILD_FOLDER "/library/languages/") + language +
               QStringLiteral(".lng"));
    QTemporaryDir data;
    core::ScriptedAsker asker;
    NoFiles files;
    core::ProgramOptions options;
    options.expertMode = 1;  // every control shows
    app::TMainForm window({texts, asker, files,
                           core::ProgramFolders(QStringLiteral(VF_BUILD_FOLDER), data.path()),
                           core::SettingsBlock{}, options, QString(), 0});
    window.resize(1280, 800);
    window.show();
    save(window, folder, language + QStringLiteral("-viewing-empty"));
    window.openFile(QStringLiteral(VF_BUILD_FOLDER "/images/sample.jpg"));
    settle(window);
    save(window, folder, language + QStringLiteral("-viewing-source"));
    window.menuRebuildClick();
    for (int i = 0; i < window.ui().pages->count(); ++i) {
        if (!window.ui().pages->isTabVisible(i)) continue;
        window.ui().pages->setCurrentIndex(i);
        settle(window);
        QApplication::processEvents();
        settle(window);
        save(window, folder,
             language + QStringLiteral("-tuning-") + window.ui().pages->currentSheet());
    }
    window.ui().pages->setCurrentIndex(0);
    settle(window);
    window.menuRebuildClick();
    settle(window);
    save(window, folder, language + QStringLiteral("-viewing-result"));

    // The window in each shipped skin and in the plain look: viewing, then tuning.
    const QStringList skins =
        core::availableSkins(core::ProgramFolders(QStringLiteral(VF_BUILD_FOLDER), data.path()));
    for (const QString& skin : skins + QStringList{QString()}) {
        if (!window.chooseSkin(skin).ok()) return 1;
        const QString name =
            language + QStringLiteral("-skin-") + (skin.isEmpty() ? QStringLiteral("plain") : skin);
        save(window, folder, name + QStringLiteral("-viewing"));
        window.menuRebuildClick();
        settle(window);
        save(window, folder, name + QStringLiteral("-tuning"));
        window.menuRebuildClick();
        settle(window);
    }

    core::MessageBoxRequest question;
    question.text = texts.message(QStringLiteral("ALS_SAVE_RESULTS_IF_EXIT_QUEST"));
    question.title = texts.message(QStringLiteral("ALS_SAVING_RESULT"));
    question.style = core::kButtonsYesNoCancel | core::kIconQuestion;
    app::TMessageForm box(core::layoutMessageBox(question, texts), &window);
    box.show();
    QApplication::processEvents();
    box.grab().save(folder + QLatin1Char('/') + language + QStringLiteral("-message-box.png"));
    return 0;
}
