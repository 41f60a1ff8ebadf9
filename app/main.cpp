// VelmarFilter: the program window.
#include <QApplication>

#include "app/main/main_form.h"
#include "core/i18n/language.h"
#include "core/paths/program_folders.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmar Filter"));
    core::Language language;
    language.load(QCoreApplication::applicationDirPath() +
                  QStringLiteral("/library/languages/english.lng"));
    app::TMainForm window(language);
    window.resize(1200, 800);
    window.show();
    return QApplication::exec();
}
