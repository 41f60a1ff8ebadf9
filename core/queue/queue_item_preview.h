// The queue window's picture of one item: a thumbnail of the source, turned as the item will be,
// and the file's information. It is read in an imaging session of its own, so it may be made
// while a batch run works on its picture.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

#include "core/document/image_information.h"
#include "core/i18n/text_lookup.h"

namespace core {

struct QueueItemPreview {
    QImage thumbnail;  // null when the file cannot be read
    std::optional<ImageInformation> information;
};

// The thumbnail fits box after rotation quarter turns clockwise.
QueueItemPreview loadQueueItemPreview(const QString& path, int rotation, QSize box, bool ignoreExif,
                                      const TextLookup& lookup = keyAsText);

}  // namespace core
