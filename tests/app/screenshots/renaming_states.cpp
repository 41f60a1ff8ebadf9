// The renaming window over a few pictures: as it opens with the stored template, with a row
// clicked and with another template typed, and with its template list open.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "app/files/renaming_form.h"
#include "core/files/file_renaming.h"
#include "core/i18n/language.h"
#include "core/settings/program_options.h"
#include "shots.h"

namespace shots {

void saveRenamingStates(const core::Language& texts, const QString& folder,
                        const QString& language) {
    QTemporaryDir pictures;
    QStringList paths;
    // Photographs that carry their shooting date, and files dated by their modification time.
    const QString sample = QStringLiteral(VF_BUILD_FOLDER "/images/sample.jpg");
    for (const char* name : {"IMG_4711.JPG", "IMG_4712.JPG", "IMG_4713.JPG"}) {
        paths << pictures.filePath(QLatin1String(name));
        QFile::copy(sample, paths.back());
    }
    const QDateTime modified(QDate(2023, 8, 19), QTime(18, 42, 7));
    int minutes = 0;
    for (const char* name :
         {"harbour at dusk.png", "scan-0001.tif", "scan-0002.tif", "Großmutter 1962.jpg"}) {
        paths << pictures.filePath(QString::fromUtf8(name));
        QFile file(paths.back());
        if (file.open(QIODevice::WriteOnly)) file.write("x");
        file.close();
        core::setModificationTime(paths.back(),
                                  {modified.addSecs(60 * minutes++).toSecsSinceEpoch(), 0});
    }
    core::ProgramOptions options;
    app::TFormRenaming form(texts, options, paths);
    form.show();
    QApplication::processEvents();
    QApplication::processEvents();
    save(form, folder, language + QStringLiteral("-renaming-default"));

    form.cmbTemplate->setEditText(QStringLiteral("[year4]-[month]-[day] #[counter] [name]"));
    if (QTreeWidgetItem* row = form.ListView1->topLevelItem(3)) form.ListView1Click(row);
    save(form, folder, language + QStringLiteral("-renaming-row-chosen"));

    // The open list drawn over the window, as the user sees it.
    form.cmbTemplate->showPopup();
    QApplication::processEvents();
    // The list may reach past the window's right edge: the picture takes in both.
    const QPixmap window = form.grab();
    QPixmap shot = window;
    if (QWidget* popup = form.cmbTemplate->view()->window(); popup && popup->isVisible()) {
        const QPoint at = form.mapFromGlobal(popup->pos());
        const QRect both = QRect(QPoint(0, 0), window.size()).united(QRect(at, popup->size()));
        shot = QPixmap(both.size());
        shot.fill(Qt::darkGray);
        QPainter painter(&shot);
        painter.drawPixmap(0, 0, window);
        painter.drawPixmap(at, popup->grab());
    }
    shot.save(folder + QLatin1Char('/') + language + QStringLiteral("-renaming-template-list.png"));
    form.cmbTemplate->hidePopup();
}

}  // namespace shots
