// Replacing a whole file: the one way core writes its record files. The new content is complete
// on disk before it takes the file's name; on any failure the previous file stays as it was.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "core/errors/result.h"

namespace core {

// Fails with "ER_CANNOT_SAVE" and the system's reason.
Status replaceFile(const QString& path, const std::vector<uint8_t>& bytes);

// Deletes the file when it exists; the same failure when it cannot be deleted.
Status removeFile(const QString& path);

}  // namespace core
