// Giving a file a new name in its folder without ever taking the place of another file, and the
// modification time a renamed file keeps.
#pragma once

#include <QString>
#include <optional>

#include "core/errors/result.h"

namespace core {

// Renames from to to. When a file (or anything else) of the name to exists, fails with
// "ER_NAME_TAKEN" and leaves both files as they were; other failures give "ER_CANNOT_RENAME" and
// the system's reason. Paths may hold names that are not UTF-8 (see path_bytes.h).
Status renameNoReplace(const QString& from, const QString& to);

// A file's modification time to the nanosecond, none when it cannot be read.
struct FileTime {
    long long seconds = 0;
    long nanoseconds = 0;
};
std::optional<FileTime> modificationTime(const QString& path);
// Gives the file that modification time back (its access time stays); false on failure.
bool setModificationTime(const QString& path, const FileTime& time);

}  // namespace core
