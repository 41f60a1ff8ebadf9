// The program's memory colours: the list and its file. Every change is written at once; a file
// that exists but could not be read is never overwritten, so a passing read error cannot cost
// the stored colours (changes then stay in memory and each save says why it was refused).
#pragma once

#include <QString>

#include "core/editors/memory_colour_list.h"
#include "core/errors/result.h"

namespace core {

class MemoryColorStore {
  public:
    MemoryColorStore() = default;
    explicit MemoryColorStore(QString path) : path_(std::move(path)) {}

    // Reads the file (a missing one is an empty list); false when it could not be read.
    bool load();
    const TMemoryColorsArray& colors() const { return colors_; }
    const QString& path() const { return path_; }

    // Each change is saved; the status is the save's. A change that does not apply (no such
    // entry, no room to move) changes nothing and saves nothing.
    Status add(const QString& name, const Rgb16& srgb);
    Status rename(size_t index, const QString& name);
    Status move(size_t index, RowMove move, bool newestFirst);
    Status remove(size_t index);

  private:
    Status save();

    QString path_;
    TMemoryColorsArray colors_;
    bool unreadable_ = false;
};

}  // namespace core
