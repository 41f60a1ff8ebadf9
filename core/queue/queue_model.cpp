#include "core/queue/queue_model.h"

#include <QFile>
#include <QFileInfo>

#include "core/files/path_bytes.h"

namespace core {

QueueParams makeQueueItem(const QString& path, bool expertMode, const SettingsBlock& settings,
                          const ImageMarks* marks) {
    QueueParams item;
    item.ExpertMode = expertMode ? 1 : 0;
    item.SourcePath = encodePath(path.trimmed()).toStdString();
    item.Settings = settings;
    if (marks) {
        item.NoiseAreas = marks->noiseAreas;
        item.ColorRanges = marks->colorRanges;
        item.RedEyes = marks->redEyes;
        item.Rotation = marks->rotation;
    }
    return item;
}

QString itemSourcePath(const QueueParams& item) {
    return decodePath(QByteArray::fromStdString(item.SourcePath)).trimmed();
}

int findQueueItem(const std::vector<QueueParams>& queue, const QString& path) {
    for (size_t i = 0; i < queue.size(); ++i)
        if (itemSourcePath(queue[i]) == path) return int(i);
    return -1;
}

bool AddCommand::replaceDuplicate(const QString& path) {
    if (!answer_) answer_ = askReplace_ ? askReplace_(path) : false;
    return *answer_;
}

AddResult addQueueItem(std::vector<QueueParams>& queue, const QString& path, bool expertMode,
                       const SettingsBlock& settings, const ImageMarks* marks,
                       AddCommand& command) {
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty() || !QFileInfo(trimmed).isFile()) return AddResult::SkippedMissing;
    AddResult result = AddResult::Added;
    const int old = findQueueItem(queue, trimmed);
    if (old >= 0) {
        if (!command.replaceDuplicate(trimmed)) return AddResult::SkippedDuplicate;
        queue.erase(queue.begin() + old);
        result = AddResult::Replaced;
    }
    queue.push_back(makeQueueItem(trimmed, expertMode, settings, marks));
    return result;
}

}  // namespace core
