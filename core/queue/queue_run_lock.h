// One batch run per queue file: the run holds a lock beside the file ("vrq.dat.lock") for as long
// as it lasts, so a second run on the same queue refuses instead of processing every item again.
// The lock names the process that holds it; one left by a process that died is taken over.
#pragma once

#include <QLockFile>
#include <QString>
#include <chrono>
#include <memory>

#include "core/errors/result.h"

namespace core {

class QueueRunLock {
  public:
    // The lock of the queue file at path, waiting up to wait for another run to end. A failure
    // names the process that holds it, or the system's reason the lock cannot be made.
    static Result<std::unique_ptr<QueueRunLock>> acquire(
        const QString& queuePath, std::chrono::milliseconds wait = std::chrono::milliseconds(0));

    static QString lockPath(const QString& queuePath);

  private:
    explicit QueueRunLock(const QString& lockPath) : lock_(lockPath) {}
    QLockFile lock_;  // released (and its file removed) with the object
};

}  // namespace core
