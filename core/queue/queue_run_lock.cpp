#include "core/queue/queue_run_lock.h"

#include <QFileInfo>

namespace core {

QString QueueRunLock::lockPath(const QString& queuePath) {
    return queuePath + QStringLiteral(".lock");
}

Result<std::unique_ptr<QueueRunLock>> QueueRunLock::acquire(const QString& queuePath,
                                                            std::chrono::milliseconds wait) {
    std::unique_ptr<QueueRunLock> run(new QueueRunLock(lockPath(queuePath)));
    // A run may last for hours: the lock is stale only when its process is gone, never by age.
    run->lock_.setStaleLockTime(std::chrono::milliseconds(0));
    if (run->lock_.tryLock(wait)) return run;
    switch (run->lock_.error()) {
        case QLockFile::LockFailedError: {
            qint64 pid = 0;
            QString host, application;
            run->lock_.getLockInfo(&pid, &host, &application);
            return failure(
                "ER_UNKNOWN",
                QStringLiteral("the queue \"%1\" is being run by another process "
                               "(%2, process %3 on %4); wait until it ends")
                    .arg(queuePath, application.isEmpty() ? QStringLiteral("?") : application)
                    .arg(pid)
                    .arg(host.isEmpty() ? QStringLiteral("?") : host));
        }
        case QLockFile::PermissionError:
            return failure("ER_UNKNOWN",
                           QStringLiteral("the queue \"%1\" cannot be locked: no permission to "
                                          "create \"%2\"")
                               .arg(queuePath, lockPath(queuePath)));
        default:
            return failure("ER_UNKNOWN",
                           QStringLiteral("the queue \"%1\" cannot be locked (\"%2\")")
                               .arg(queuePath, lockPath(queuePath)));
    }
}

}  // namespace core
