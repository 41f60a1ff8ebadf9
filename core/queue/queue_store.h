// The program window's queue: the items in memory, mirrored in the queue file after every change.
// A change is applied to what the file holds at that moment as well, so that items a command-line
// run finished meanwhile are not brought back and items another writer added are not lost.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "core/errors/result.h"
#include "core/queue/queue_file.h"
#include "core/queue/queue_params.h"

namespace core {

class QueueStore {
  public:
    explicit QueueStore(QString path) : path_(std::move(path)) {}

    // Reads the file with the queue's own reader; a damaged file gives the items before the
    // damage and is left as it is until the next change rewrites it.
    RecordFileContent load();

    const std::vector<QueueParams>& items() const { return items_; }
    const QString& path() const { return path_; }

    // Applies change to the items, then the same removals and additions to the file, and takes
    // what the file then holds. When the file cannot be written the items still change and the
    // failure says why.
    Status change(const std::function<void(std::vector<QueueParams>&)>& change);
    Status removeAt(int index);
    // Empties the queue; the file is deleted.
    Status clear();
    // The items a batch run left; the run's own writer has already stored them.
    void setItems(std::vector<QueueParams> items) { items_ = std::move(items); }

  private:
    QString path_;
    std::vector<QueueParams> items_;
};

}  // namespace core
