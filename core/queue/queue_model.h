// Making queue items and adding them to a queue.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "core/queue/queue_params.h"

namespace core {

// An item for the picture at path (trimmed) with a copy of the settings; with marks, the picture's
// marks and rotation are copied too, otherwise the item carries none and no rotation.
QueueParams makeQueueItem(const QString& path, bool expertMode, const SettingsBlock& settings,
                          const ImageMarks* marks);

// The index of the first item whose trimmed path equals path exactly, or -1.
int findQueueItem(const std::vector<QueueParams>& queue, const QString& path);

// The path of an item as text.
QString itemSourcePath(const QueueParams& item);

// One add command: the answer to "replace the queued item?" is asked at most once and then holds
// for every duplicate of the command.
class AddCommand {
  public:
    explicit AddCommand(std::function<bool(const QString& path)> askReplace)
        : askReplace_(std::move(askReplace)) {}
    bool replaceDuplicate(const QString& path);

  private:
    std::function<bool(const QString&)> askReplace_;
    std::optional<bool> answer_;
};

enum class AddResult { Added, Replaced, SkippedMissing, SkippedDuplicate };

// Appends an item for the picture unless its path is empty or names no file; a picture already
// queued is replaced (the old item removed) or skipped as the command answers.
AddResult addQueueItem(std::vector<QueueParams>& queue, const QString& path, bool expertMode,
                       const SettingsBlock& settings, const ImageMarks* marks, AddCommand& command);

}  // namespace core
