// Whole-file reading, and the program's one way of replacing a file: the bytes go to a temporary
// file in the target's folder; every write, the fsync and the close are checked, and only then is
// the temporary renamed over the target. On any failure the target stays as it was, the temporary
// is removed and the error says why.
#pragma once

#include <cstddef>
#include <string>

#include "imaging/image.h"

namespace imaging {

// The whole file; false when it cannot be opened or a read fails, with the system's reason.
bool readWholeFile(const std::string& path, Bytes& out, std::string& error);
bool writeFileAtomically(const std::string& path, const Bytes& data, std::string& error);

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
