// Saves a picture of each state of the program window, for people to look at: run it under a
// display (tools/screenshots.sh uses Xvfb) with the folder for the pictures as its argument.
#include <QApplication>
#include <QDir>
#include <QTimer>

#include "app/main/main_form.h"
#include "core/i18n/language.h"

namespace {

void save(QWidget& window, const QString& folder, const QString& name) {
    QApplication::processEvents();
    window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
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
    app::TMainForm window(texts);
    window.resize(1280, 800);
    window.show();
    save(window, folder, language + QStringLiteral("-viewing-empty"));
    window.setTuningMode(true);
    for (int i = 0; i < window.ui().pages->count(); ++i) {
        window.ui().pages->setCurrentIndex(i);
        save(window, folder,
             language + QStringLiteral("-tuning-") + window.ui().pages->currentSheet());
    }
    return 0;
}
