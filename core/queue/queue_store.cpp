#include "core/queue/queue_store.h"

#include <algorithm>

#include "core/queue/shared_queue_file.h"

namespace core {

namespace {

// The records of from that have no equal in to, each equal record counted once.
std::vector<QueueParams> missingFrom(const std::vector<QueueParams>& from,
                                     std::vector<QueueParams> to) {
    std::vector<QueueParams> missing;
    for (const QueueParams& item : from) {
        const auto it = std::find(to.begin(), to.end(), item);
        if (it == to.end())
            missing.push_back(item);
        else
            to.erase(it);
    }
    return missing;
}

}  // namespace

RecordFileContent QueueStore::load() {
    RecordFileContent content = readQueueFile(path_);
    items_ = content.items;
    return content;
}

Status QueueStore::change(const std::function<void(std::vector<QueueParams>&)>& change) {
    std::vector<QueueParams> changed = items_;
    change(changed);
    const std::vector<QueueParams> removed = missingFrom(items_, changed);
    const std::vector<QueueParams> added = missingFrom(changed, items_);
    items_ = std::move(changed);
    if (removed.empty() && added.empty()) return {};
    std::vector<QueueParams> stored;
    const Status written = updateQueueFile(path_, [&](std::vector<QueueParams>& file) {
        removeFinishedItems(file, removed);
        file.insert(file.end(), added.begin(), added.end());
        stored = file;
    });
    if (written) items_ = std::move(stored);
    return written;
}

Status QueueStore::removeAt(int index) {
    if (index < 0 || index >= int(items_.size())) return {};
    return change([index](std::vector<QueueParams>& items) { items.erase(items.begin() + index); });
}

Status QueueStore::clear() {
    items_.clear();
    return updateQueueFile(path_, [](std::vector<QueueParams>& file) { file.clear(); });
}

}  // namespace core
