#include "app/main/file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include "app/files/picture_dialog.h"
#include "core/files/picture_filters.h"
#include "core/paths/output_formats.h"
#include "core/presets/settings_file_names.h"

namespace app {

QString DialogFileChooser::openPicture(QWidget* parent, const QString& folder) {
    if (language_ && options_) {
        TPictureDialog dialog(PictureDialogKind::Open, *language_, *options_, parent);
        dialog.setDirectory(folder);
        if (dialog.exec() != QDialog::Accepted) return {};
        return dialog.selectedFiles().value(0);
    }
    return QFileDialog::getOpenFileName(
        parent, QString(), folder,
        QStringLiteral("Pictures (*.jpg *.jpeg *.tif *.tiff *.png *.bmp *.gif *.jp2 *.j2k *.psd "
                       "*.dng *.cr2 *.nef *.arw *.orf *.rw2 *.pef *.raf);;All files (*)"));
}

std::optional<SaveChoice> DialogFileChooser::savePicture(QWidget* parent,
                                                         const QString& proposedPath,
                                                         int formatIndex) {
    if (language_ && options_) {
        TPictureDialog dialog(PictureDialogKind::Save, *language_, *options_, parent);
        const QFileInfo proposed(proposedPath);
        dialog.setDirectory(proposed.absolutePath());
        dialog.selectFile(proposed.fileName());
        dialog.setFilterIndex(core::saveFilterIndex(formatIndex));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return SaveChoice{dialog.selectedFiles().first(),
                          core::saveFormatIndex(dialog.filterIndex())};
    }
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

namespace {

QString settingsStart(const QString& folder, const QString& proposedName) {
    return proposedName.isEmpty() ? folder : folder + QLatin1Char('/') + proposedName;
}

QString settingsFilter() {
    return core::dialogFilter(QString::fromLatin1(core::kSettingsFileFilter));
}

}  // namespace

QString DialogFileChooser::openSettings(QWidget* parent, const QString& folder,
                                        const QString& proposedName) {
    return QFileDialog::getOpenFileName(parent, QString(), settingsStart(folder, proposedName),
                                        settingsFilter());
}

QString DialogFileChooser::saveSettings(QWidget* parent, const QString& folder,
                                        const QString& proposedName) {
    return QFileDialog::getSaveFileName(parent, QString(), settingsStart(folder, proposedName),
                                        settingsFilter());
}

}  // namespace app
