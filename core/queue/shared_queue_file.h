// Writing a queue file that other writers change at the same time: the program window adds items
// while a batch run removes the ones it finished. Each change re-reads the file and applies only
// itself to what the file holds now, so nothing another writer added is lost. A short lock beside
// the file ("vrq.dat.writing") keeps the read and the write of one change together.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "core/errors/result.h"
#include "core/queue/queue_params.h"

namespace core {

// Applies change to the file's current items and writes the result (an empty result deletes the
// file). A failure when the file cannot be locked or written; the file is then unchanged.
Status updateQueueFile(const QString& path,
                       const std::function<void(std::vector<QueueParams>&)>& change);

// Removes from items the first record equal to each of finished.
void removeFinishedItems(std::vector<QueueParams>& items, const std::vector<QueueParams>& finished);

// The batch run's writer: told the items still to do after each finished one, it removes from
// the file just the items that left the run's list since the last store.
class RunQueueWriter {
  public:
    RunQueueWriter(QString path, std::vector<QueueParams> atStart)
        : path_(std::move(path)), known_(std::move(atStart)) {}
    Status store(const std::vector<QueueParams>& remaining);

  private:
    QString path_;
    std::vector<QueueParams> known_;  // the run's list as last stored
};

}  // namespace core
