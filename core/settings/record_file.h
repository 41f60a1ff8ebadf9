// Stored records ("vr.dat", "vri.dat"): read whole and accepted only at their own version;
// anything read is replaced by the defaults and the bad file deleted; a file that cannot be opened
// gives the defaults and is kept. Written whole.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/errors/result.h"
#include "core/settings/program_options.h"
#include "core/settings/settings_block.h"

namespace core {

// The first size bytes of the file, or nothing when the file is missing, cannot be read or is
// shorter.
std::optional<std::vector<uint8_t>> readFileBlock(const QString& path, size_t size);

// The record when the file holds size bytes starting with the version; otherwise nothing, and a
// file that was read (too short, another version) is deleted. One that cannot be opened is kept.
std::optional<std::vector<uint8_t>> readRecordFile(const QString& path, size_t size,
                                                   int32_t version);

// Writes the bytes as the whole file; a failed write keeps the previous file and says why.
Status writeRecordFile(const QString& path, const std::vector<uint8_t>& bytes);

// The stored block, or the defaults (and the file deleted); the version is always current.
SettingsBlock loadSettingsBlock(const QString& path);
Status saveSettingsBlock(const QString& path, const SettingsBlock& block);

ProgramOptions loadProgramOptions(const QString& path);
Status saveProgramOptions(const QString& path, const ProgramOptions& options);

}  // namespace core
