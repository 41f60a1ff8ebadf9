#include "core/queue/queue_item_preview.h"

#include <QFile>
#include <QTransform>

#include "core/document/picture_image.h"
#include "imaging/imaging.h"

namespace core {

QueueItemPreview loadQueueItemPreview(const QString& path, int rotation, QSize box, bool ignoreExif,
                                      const TextLookup& lookup) {
    QueueItemPreview preview;
    const imaging::Handle session = imaging::cNewSession();
    if (!session) return preview;
    const int turns = ((rotation % 4) + 4) % 4;
    // A picture turned by a quarter is read into the box turned the same way.
    const QSize readBox = turns % 2 ? box.transposed() : box;
    if (imaging::cLoadThumbnailEx(session, QFile::encodeName(path).toStdString(), readBox.width(),
                                  readBox.height())) {
        QImage thumbnail = displayImage(session);
        if (turns != 0 && !thumbnail.isNull())
            thumbnail = thumbnail.transformed(QTransform().rotate(90.0 * turns));
        preview.thumbnail = thumbnail;
        ImageInformation information;
        if (describeFile(session, path, ignoreExif, information, lookup))
            preview.information = information;
    }
    imaging::cDestroySession(session);
    return preview;
}

}  // namespace core
