#include "core/queue/shared_queue_file.h"

#include <QFile>
#include <QLockFile>
#include <algorithm>
#include <chrono>

#include "core/queue/queue_file.h"

namespace core {

namespace {

// Why a small file cannot be made at path (QLockFile does not say): the system's reason.
QString fileCreationProblem(const QString& path) {
    QFile probe(path);
    QString problem;
    if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        problem = probe.errorString();
    else if (probe.write("0", 1) != 1 || !probe.flush())
        problem = probe.errorString();
    if (probe.isOpen()) {
        probe.close();
        probe.remove();
    }
    return problem.isEmpty() ? QStringLiteral("the lock file cannot be made") : problem;
}

}  // namespace

void removeFinishedItems(std::vector<QueueParams>& items,
                         const std::vector<QueueParams>& finished) {
    for (const QueueParams& done : finished) {
        const auto it = std::find(items.begin(), items.end(), done);
        if (it != items.end()) items.erase(it);
    }
}

Status updateQueueFile(const QString& path,
                       const std::function<void(std::vector<QueueParams>&)>& change) {
    const QString lockPath = path + QStringLiteral(".writing");
    QLockFile writing(lockPath);
    // One change takes milliseconds; a lock older than this was left by a writer that died.
    writing.setStaleLockTime(std::chrono::seconds(30));
    if (!writing.tryLock(std::chrono::seconds(10))) {
        if (writing.error() == QLockFile::LockFailedError)
            return failure("ER_CANNOT_SAVE",
                           QStringLiteral("\"%1\" is being written by another process").arg(path));
        // A full disk or a folder we may not write in, not another writer.
        return failure(
            "ER_CANNOT_SAVE",
            QStringLiteral("Cannot write \"%1\": %2").arg(lockPath, fileCreationProblem(lockPath)));
    }
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
