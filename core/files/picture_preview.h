// The preview of the picture dialogs: whether a chosen file is a picture, its information as the
// memo's lines, and a thumbnail fitting the preview panel. Read in an imaging session of its own,
// made and freed for each file, so that nothing stays loaded between two selections.
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include "core/document/image_information.h"
#include "core/i18n/text_lookup.h"

namespace core {

struct PicturePreview {
    bool qualifies = false;  // an existing, readable file of a supported kind
    QStringList memoLines;   // " " and the size line, then " " and each metadata line
    QImage thumbnail;        // null when not asked for or when it could not be made
};

// The memo's lines for the information: one space before the size line and before the metadata.
QStringList previewMemoLines(const ImageInformation& information);

// The thumbnail is fitted into the panel less 10 pixels and centred in it, 5 pixels in.
QSize thumbnailBox(QSize panel);
QPoint thumbnailPlace(QSize panel, QSize picture);

// Reads the file's information and, with withThumbnail, a thumbnail fitting box.
PicturePreview loadPicturePreview(const QString& path, QSize box, bool withThumbnail,
                                  bool ignoreExif, const TextLookup& lookup = keyAsText);

}  // namespace core
