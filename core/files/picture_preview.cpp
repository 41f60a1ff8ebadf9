#include "core/files/picture_preview.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

#include "core/document/picture_image.h"
#include "imaging/imaging.h"

namespace core {

namespace {

// A session that is freed however the reading ends.
class Session {
  public:
    Session() : handle_(imaging::cNewSession()) {}
    ~Session() {
        if (handle_) imaging::cDestroySession(handle_);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    imaging::Handle handle() const { return handle_; }

  private:
    imaging::Handle handle_;
};

}  // namespace

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
    const Session session;
    if (!session.handle()) return preview;
    const std::string name = QFile::encodeName(path).toStdString();
    if (!imaging::cIsSupportedImageFile(session.handle(), name)) return preview;
    ImageInformation information;
    if (!describeFile(session.handle(), path, ignoreExif, information, lookup)) return preview;
    preview.qualifies = true;
    preview.memoLines = previewMemoLines(information);
    if (withThumbnail && !box.isEmpty() &&
        imaging::cLoadThumbnailEx(session.handle(), name, box.width(), box.height()))
        preview.thumbnail = displayImage(session.handle());
    return preview;
}

}  // namespace core
