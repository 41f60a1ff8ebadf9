#include "core/queue/queue_rows.h"

#include <QFileInfo>
#include <algorithm>

#include "core/document/image_information.h"
#include "core/i18n/language.h"
#include "core/paths/output_formats.h"
#include "core/paths/output_path.h"
#include "core/queue/queue_model.h"

namespace core {

namespace {

std::string cut(const std::string& text, qsizetype characters) {
    return QString::fromStdString(text).left(characters).toStdString();
}

}  // namespace

std::vector<QueueRow> queueRows(const std::vector<QueueParams>& items,
                                const ProgramOptions& options, const QString& defaultUserFolder) {
    std::vector<QueueRow> rows;
    rows.reserve(items.size());
    for (const QueueParams& item : items) {
        QueueRow row;
        row.source = itemSourcePath(item);
        row.name = QFileInfo(row.source).fileName();
        row.output = outputPath(row.source, options, defaultUserFolder);
        row.rotation = item.Rotation;
        row.outputIsSource = !row.output.isEmpty() && outputIsSource(row.source, row.output);
        rows.push_back(std::move(row));
    }
    return rows;
}

bool anyOutputIsSource(const std::vector<QueueRow>& rows) {
    return std::any_of(rows.begin(), rows.end(),
                       [](const QueueRow& row) { return row.outputIsSource; });
}

QueueButtons queueButtons(int rowCount, bool rowSelected, bool running) {
    QueueButtons b;
    if (running) {
        b.close = false;
        b.stop = true;
        return b;
    }
    b.remove = b.edit = rowSelected && rowCount > 0;
    b.start = b.removeAll = rowCount > 0;
    return b;
}

bool jpegQualityShown(int formatIndex) {
    return formatIndex >= 1 && formatIndex <= 3;
}

ProgramOptions shownOutputOptions(const ProgramOptions& stored) {
    ProgramOptions o = stored;
    if (o.outputFormat >= kProgramFormatCount) o.outputFormat = kDefaultFormatIndex;
    o.outputFolderKind = std::min(o.outputFolderKind, ProgramOptions::kOutputToUserFolder);
    o.jpegQualityIndex = std::clamp(o.jpegQualityIndex, 0, int32_t(kJpegQualities.size()) - 1);
    o.outputPrefix = cut(o.outputPrefix, 5);
    o.outputSuffix = cut(o.outputSuffix, 5);
    o.outputSubfolder = cut(o.outputSubfolder, 60);
    o.outputFolder = cut(o.outputFolder, 255);
    return o;
}

QString queueSelectItemText(const Language& texts) {
    return QStringLiteral("< ") + texts.message(QStringLiteral("ALS_FRM_Q_SELECT_ITEM")) +
           QStringLiteral(" >");
}

QString queueReadingText(const Language& texts) {
    return QStringLiteral("< ") + texts.message(QStringLiteral("ALS_READING_IMAGE_DATA")) +
           QStringLiteral("... ") + texts.message(QStringLiteral("ALS_WAIT")) +
           QStringLiteral(" >");
}

QString queueItemText(const QueueRow& row, const ImageInformation* information,
                      const Language& texts) {
    QString text = texts.message(QStringLiteral("ALS_SOURCE_FILE")) + QStringLiteral(": ") +
                   row.source + QStringLiteral("\n\n") +
                   texts.message(QStringLiteral("ALS_OUTPUT_FILE")) + QStringLiteral(": ") +
                   row.output;
    if (information) {
        text += QStringLiteral("\n\n") + texts.message(QStringLiteral("ALS_INFO")) +
                QStringLiteral(": ") + information->sizeLine;
        QString exif = information->metadataLine;
        exif.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (!exif.isEmpty()) text += QStringLiteral("\n\nEXIF:\n") + exif;
    }
    return text;
}

QString queueItemFailedText(const QString& sourcePath, const Language& texts) {
    return fillPlaceholders(
        QStringLiteral("%s%s%s"),
        {texts.message(QStringLiteral("ER_Q_CANNOT_LOAD")), QStringLiteral("\n"), sourcePath});
}

QString queueThumbnailHint(int index, const QString& sourcePath, const Language& texts) {
    return texts.message(QStringLiteral("ALS_FRM_Q_INQUEUE")) + QStringLiteral(" #") +
           QString::number(index + 1) + QStringLiteral(" - ") + sourcePath;
}

QSize queueThumbnailBox(QSize panel) {
    return {std::max(panel.width() - 10, 1), std::max(panel.height() - 10, 1)};
}

QPoint queueThumbnailPlace(QSize panel, QSize thumbnail) {
    // floor((panel - 10 - thumbnail) / 2 + 5), that is floor((panel - thumbnail) / 2), also for a
    // thumbnail larger than the panel.
    const auto place = [](int p, int t) {
        const int d = p - t;
        return d >= 0 ? d / 2 : -((-d + 1) / 2);
    };
    return {place(panel.width(), thumbnail.width()), place(panel.height(), thumbnail.height())};
}

}  // namespace core
