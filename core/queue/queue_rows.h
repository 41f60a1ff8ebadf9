// What the queue window shows and allows, as data: one row per item with its output path, the
// buttons a state enables, the JPEG quality box's rule, the texts of the preview memo and where
// the item's thumbnail sits in its panel.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <vector>

#include "core/queue/queue_params.h"
#include "core/settings/program_options.h"

namespace core {

class Language;
struct ImageInformation;

struct QueueRow {
    QString name;    // the source's file name
    QString output;  // empty when no output path can be formed
    QString source;  // the whole source path
    int rotation = 0;
    // The options would have the result replace the source itself; the run refuses such an item.
    bool outputIsSource = false;
};

std::vector<QueueRow> queueRows(const std::vector<QueueParams>& items,
                                const ProgramOptions& options, const QString& defaultUserFolder);

// True when any row's result would replace its source.
bool anyOutputIsSource(const std::vector<QueueRow>& rows);

struct QueueButtons {
    bool remove = false, edit = false, start = false, removeAll = false;
    bool close = true, stop = false;
};

// Idle: remove and edit need a selected row, start and remove-all a row at all. Running: only
// stop.
QueueButtons queueButtons(int rowCount, bool rowSelected, bool running);

// The JPEG quality box is shown for the JPEG formats only.
bool jpegQualityShown(int formatIndex);

// The stored output options as the window shows them: the format a valid row, the folder kind
// 0..2, the quality index within the list. Texts are cut to the lengths the record keeps.
ProgramOptions shownOutputOptions(const ProgramOptions& stored);

// The memo while nothing is selected: "< Select a picture of the queue >".
QString queueSelectItemText(const Language& texts);
// The memo while an item's picture is read.
QString queueReadingText(const Language& texts);
// The memo for an item: its source and output, then its information and EXIF summary when the
// file gives them.
QString queueItemText(const QueueRow& row, const ImageInformation* information,
                      const Language& texts);
// The memo when the item's picture cannot be read.
QString queueItemFailedText(const QString& sourcePath, const Language& texts);
// The thumbnail's hint: "In the queue #3 - /photos/a.jpg" (numbers from 1).
QString queueThumbnailHint(int index, const QString& sourcePath, const Language& texts);

// The box a thumbnail is fitted into: the panel less 10 pixels each way.
QSize queueThumbnailBox(QSize panel);
// The thumbnail's top left corner, centred in the panel.
QPoint queueThumbnailPlace(QSize panel, QSize thumbnail);

}  // namespace core
