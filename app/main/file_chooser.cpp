#include "app/main/file_chooser.h"

#include <QFileDialog>
#include <QStringList>
#include <algorithm>

#include "core/paths/output_formats.h"

namespace app {

QString DialogFileChooser::openPicture(QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(
        parent, QString(), folder,
        QStringLiteral("Pictures (*.jpg *.jpeg *.tif *.tiff *.png *.bmp *.gif *.jp2 *.j2k *.psd "
                       "*.dng *.cr2 *.nef *.arw *.orf *.rw2 *.pef *.raf);;All files (*)"));
}

std::optional<SaveChoice> DialogFileChooser::savePicture(QWidget* parent,
                                                         const QString& proposedPath,
                                                         int formatIndex) {
    QStringList filters;
    for (const core::OutputFormat& format : core::kOutputFormats)
        filters << QString::fromLatin1(format.text);
    QString selected = filters.value(core::validFormatIndex(formatIndex));
    const QString path = QFileDialog::getSaveFileName(parent, QString(), proposedPath,
                                                      filters.join(QStringLiteral(";;")), &selected,
                                                      QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return std::nullopt;
    return SaveChoice{path, std::max(0, static_cast<int>(filters.indexOf(selected)))};
}

}  // namespace app
