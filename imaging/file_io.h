// Whole-file reading, and the program's one way of replacing a file: the bytes go to a temporary
// file in the target's folder; every write, the fsync and the close are checked, and only then is
// the temporary renamed over the target. On any failure the target stays as it was, the temporary
// is removed and the error says why. A write that must not replace a file puts the finished
// temporary in place only when no file of that name exists at that moment, so two processes
// writing the same name never replace each other's file.
#pragma once

#include <cstddef>
#include <string>

#include "imaging/image.h"

namespace imaging {

// The whole file; false when it cannot be opened or a read fails, with the system's reason.
bool readWholeFile(const std::string& path, Bytes& out, std::string& error);
// Renames from to to unless anything of that name exists, in one step where the file system
// allows it: 0, or the system's error (EEXIST when the name is taken).
int renameWithoutReplacing(const std::string& from, const std::string& to);

enum class Existing { Replace, Keep };
// With Existing::Keep and a file at path, nothing changes and the error names the file; the
// caller tells that case from others by the file being there.
bool writeFileAtomically(const std::string& path, const Bytes& data, std::string& error,
                         Existing existing = Existing::Replace);

// For tests: while it lives, writeFileAtomically lets bytesBeforeFailure bytes through and then
// fails as a full disk does (ENOSPC). One at a time.
class ScopedWriteFailure {
  public:
    explicit ScopedWriteFailure(std::size_t bytesBeforeFailure);
    ~ScopedWriteFailure();
    ScopedWriteFailure(const ScopedWriteFailure&) = delete;
    ScopedWriteFailure& operator=(const ScopedWriteFailure&) = delete;
};

// For tests: while it lives, readWholeFile gets bytesBeforeFailure bytes and then fails as a
// failing disk does (EIO). One at a time.
class ScopedReadFailure {
  public:
    explicit ScopedReadFailure(std::size_t bytesBeforeFailure);
    ~ScopedReadFailure();
    ScopedReadFailure(const ScopedReadFailure&) = delete;
    ScopedReadFailure& operator=(const ScopedReadFailure&) = delete;
};

}  // namespace imaging
