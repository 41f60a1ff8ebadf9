#include "core/files/picture_preview.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

#include "core/document/picture_image.h"
#include "imaging/imaging.h"
#include "imaging/scoped_session.h"

namespace core {

QStringList previewMemoLines(const ImageInformation& information) {
    QStringList lines;
    if (!information.sizeLine.isEmpty()) lines << QLatin1Char(' ') + information.sizeLine;
    if (!information.metadataLine.isEmpty()) {
        // The metadata's entries stand on lines of their own.
        QString metadata = information.metadataLine;
        metadata.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        lines << QLatin1Char(' ') + metadata;
    }
    return lines;
}

QSize thumbnailBox(QSize panel) {
    return QSize(std::max(0, panel.width() - 10), std::max(0, panel.height() - 10));
}

QPoint thumbnailPlace(QSize panel, QSize picture) {
    const auto place = [](int panelSide, int side) {
        return static_cast<int>(std::floor((panelSide - side - 10) / 2.0 + 5));
    };
    return QPoint(place(panel.width(), picture.width()), place(panel.height(), picture.height()));
}

PicturePreview loadPicturePreview(const QString& path, QSize box, bool withThumbnail,
                                  bool ignoreExif, const TextLookup& lookup) {
    PicturePreview preview;
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile() || !file.isReadable()) return preview;
    const imaging::ScopedSession session;
    if (!session.get()) return preview;
    const std::string name = QFile::encodeName(path).toStdString();
    if (!imaging::cIsSupportedImageFile(session.get(), name)) return preview;
    ImageInformation information;
    if (!describeFile(session.get(), path, ignoreExif, information, lookup)) return preview;
    preview.qualifies = true;
    preview.memoLines = previewMemoLines(information);
    if (withThumbnail && !box.isEmpty() &&
        imaging::cLoadThumbnailEx(session.get(), name, box.width(), box.height()))
        preview.thumbnail = displayImage(session.get());
    return preview;
}

}  // namespace core
