// Whether a picture job fits into memory, decided from the picture's size before it is decoded:
// a small file can announce a picture of billions of pixels, and decoding it first would exhaust
// the machine before anything could refuse it.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

#include "core/errors/result.h"

namespace core {

// The share of the machine's available memory one job may use when nothing else is said.
inline constexpr int64_t kDefaultBudgetPercent = 75;
// The environment variable that sets the budget in megabytes (MiB).
inline constexpr const char* kMemoryBudgetVariable = "VF_MEMORY_BUDGET_MB";
inline constexpr int64_t kMegabyte = 1024 * 1024;

// The bytes a job on a picture of this size needs: the decoder's rows, the decoded picture (with
// its 8-bit display copy for deep pictures) and the engine's working and cached planes.
int64_t pictureJobBytes(int64_t width, int64_t height, bool sixteenBit);

// "MemAvailable" of a /proc/meminfo text, in bytes; nothing when the line is missing.
std::optional<int64_t> parseMemAvailable(const QByteArray& meminfo);
// The machine's available memory, in bytes; nothing when the system does not say.
std::optional<int64_t> availableMemory();

// The budget in bytes: a megabyte count given by the user (the command line, else the
// environment variable), else the default share of the available memory. 0 means no limit is
// known. A value that is not a positive whole number is a failure naming it.
Result<int64_t> memoryBudget(const QString& megabytesGiven = {});
// The same with the environment read from the given value (for tests and the command line).
Result<int64_t> memoryBudgetFrom(const QString& megabytesGiven, const QString& environment,
                                 std::optional<int64_t> available);

// A failure naming the picture's size, the memory it needs and the budget, when the job does not
// fit; budget 0 admits everything.
Status checkMemoryBudget(int64_t width, int64_t height, bool sixteenBit, int64_t budget);

}  // namespace core
