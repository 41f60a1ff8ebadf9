// VelmarFilter: the program window. The start: language, single instance, the stored records,
// the main window with its places, and the first picture.
#include <QApplication>
#include <QDate>
#include <QFileInfo>
#include <QLocale>
#include <QScreen>
#include <cstring>
#include <vector>

#include "app/main/file_chooser.h"
#include "app/main/main_form.h"
#include "app/main/message_form.h"
#include "core/i18n/language.h"
#include "core/main/first_activation.h"
#include "core/main/language_choice.h"
#include "core/main/program_registry.h"
#include "core/main/single_instance.h"
#include "core/main/start_stage.h"
#include "core/paths/program_folders.h"

namespace {

bool isSupportedPicture(const QString& path) {
    return QFileInfo(path).isFile();
}

}  // namespace

int main(int argc, char** argv) {
    // Qt reads "-plugin NAME" as a request for one of its own plug-ins and would take the "-q"
    // after it as the name: the program's two switches are kept out of Qt's sight.
    QStringList ownSwitches;
    std::vector<char*> qtArguments{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-plugin") == 0 || std::strcmp(argv[i], "-q") == 0)
            ownSwitches << QString::fromLatin1(argv[i]);
        else
            qtArguments.push_back(argv[i]);
    }
    int qtArgumentCount = int(qtArguments.size());
    qtArguments.push_back(nullptr);
    QApplication application(qtArgumentCount, qtArguments.data());
    QApplication::setApplicationName(QStringLiteral("Velmar Filter"));
    QApplication::setDesktopFileName(QStringLiteral("velmarfilter"));
    const core::ProgramFolders folders =
        core::ProgramFolders::forProgramFolder(QCoreApplication::applicationDirPath());
    const QString iniFile = core::RegistryKey::defaultIniFile();
    core::RegistryKey programKey = core::programRegistryKey(iniFile);

    core::Language language;
    const auto choice =
        core::chooseStartLanguage(programKey, core::windowsLanguageId(QLocale::system()), folders);
    if (!choice) {
        fprintf(stderr, "%s\n", qPrintable(choice.failure().key));
        return 1;
    }
    language.load(choice->languageFile);
    app::WindowAsker asker(language);

    // What Qt left of the command line (its own options taken out), with the program's switches.
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    arguments = ownSwitches + arguments;
    core::SingleInstance instance;
    if (!instance.acquire()) {
        instance.sendToRunning(arguments);
        return 0;
    }

    core::RegistryKey pluginKey = core::pluginPathRegistryKey(iniFile);
    const auto start =
        core::runStartStage(folders, programKey, pluginKey,
                            {arguments, QDate::currentDate(), [] { return core::Status{}; }});
    if (!start) {
        core::showError(asker, language, language.message(start.failure().key));
        return 1;
    }
    app::DialogFileChooser files;
    app::TMainForm window({language, asker, files, folders, start->records.settings,
                           start->records.options, iniFile, choice->index});
    const QScreen* screen = QGuiApplication::primaryScreen();
    const core::FirstActivationPlan plan = core::planFirstActivation(
        start.value(), programKey, screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800),
        QDate::currentDate(), folders.sampleImage(), isSupportedPicture);
    window.resize(plan.mainWindow.size);
    if (plan.mainWindow.topLeft) window.move(*plan.mainWindow.topLeft);
    if (plan.mainWindow.maximized)
        window.showMaximized();
    else
        window.show();
    QObject::connect(&instance, &core::SingleInstance::commandLineReceived, &window,
                     [&window, &folders](const QStringList& received) {
                         const core::CommandLine line =
                             core::parseCommandLine(received, folders.program());
                         window.raise();
                         window.activateWindow();
                         if (!line.fileName.isEmpty()) window.openFile(line.fileName);
                     });
    if (plan.askUpdateReminder)
        core::askMessage(asker, language, QStringLiteral("ALS_SEARCH_UPDATES_QUEST"),
                         QStringLiteral("ALS_UPDATES"), core::kButtonsYesNo | core::kIconQuestion);
    if (plan.open.what == core::OpenAtStart::ExchangeImage)
        window.openExchangeImage(start->commandLine.quiet);
    else if (!plan.open.path.isEmpty())
        window.openFile(plan.open.path);
    return QApplication::exec();
}
