#include "core/queue/shared_queue_file.h"

#include <QFile>
#include <QLockFile>
#include <algorithm>
#include <chrono>

#include "core/queue/queue_file.h"

namespace core {

void removeFinishedItems(std::vector<QueueParams>& items,
                         const std::vector<QueueParams>& finished) {
    for (const QueueParams& done : finished) {
        const auto it = std::find(items.begin(), items.end(), done);
        if (it != items.end()) items.erase(it);
    }
}

Status updateQueueFile(const QString& path,
                       const std::function<void(std::vector<QueueParams>&)>& change) {
    QLockFile writing(path + QStringLiteral(".writing"));
    // One change takes milliseconds; a lock older than this was left by a writer that died.
    writing.setStaleLockTime(std::chrono::seconds(30));
    if (!writing.tryLock(std::chrono::seconds(10)))
        return failure("ER_CANNOT_SAVE",
                       QStringLiteral("\"%1\" is being written by another process").arg(path));
    // A file that cannot be read is kept: writing over it would lose what it holds.
    if (QFile probe(path); probe.exists() && !probe.open(QIODevice::ReadOnly))
        return failure("ER_CANNOT_SAVE",
                       QStringLiteral("Cannot read \"%1\": %2").arg(path, probe.errorString()));
    RecordFileContent now = readQueueFile(path, UnreadableFile::Keep);
    change(now.items);
    return writeRecordFile(now.items, path);
}

Status RunQueueWriter::store(const std::vector<QueueParams>& remaining) {
    std::vector<QueueParams> finished = known_;
    for (const QueueParams& item : remaining) {
        const auto it = std::find(finished.begin(), finished.end(), item);
        if (it != finished.end()) finished.erase(it);
    }
    const Status s = updateQueueFile(
        path_, [&](std::vector<QueueParams>& items) { removeFinishedItems(items, finished); });
    if (s) known_ = remaining;
    return s;
}

}  // namespace core
