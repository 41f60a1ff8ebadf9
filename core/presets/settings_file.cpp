#include "core/presets/settings_file.h"

#include "core/queue/queue_model.h"

namespace core {

QueueParams settingsRecord(const SettingsBlock& collected, bool expertMode,
                           const QString& picturePath, const ImageMarks& marks) {
    QueueParams record = makeQueueItem(picturePath, expertMode, collected, &marks);
    if (!expertMode) {
        record.Settings.ShadowsNoiseFactor = -1;
        record.Settings.HighlightsNoiseFactor = -1;
    }
    return record;
}

Status writeSettingsFile(const QString& path, const QueueParams& record) {
    return writeRecordFile({record}, path);
}

Result<QueueParams> readSettingsRecord(const QString& path, UnreadableFile unreadable) {
    RecordFileContent content = readSettingsFile(path, unreadable);
    if (!content.success || content.items.empty()) return failure("ER_CANNOT_LOAD_SETTINGS", path);
    return std::move(content.items.front());
}

QString pathMessage(const QString& text, const QString& path) {
    return text + QStringLiteral(" \r\n\"") + path + QLatin1Char('"');
}

}  // namespace core
