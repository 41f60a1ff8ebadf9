// A settings file: one settings record (the queue's record of a picture with its settings and
// marks), written and read by the record file routines.
#pragma once

#include <QString>

#include "core/errors/result.h"
#include "core/queue/queue_file.h"
#include "core/queue/queue_params.h"
#include "core/settings/settings_block.h"

namespace core {

// The record of the current settings: the collected block, the mode, the picture (may be empty)
// and its marks. In simple mode the shadow and highlight factors are stored as -1: they follow the
// mid-tone factor wherever the file is loaded.
QueueParams settingsRecord(const SettingsBlock& collected, bool expertMode,
                           const QString& picturePath, const ImageMarks& marks);

// Replaces the file whole; a failed write leaves the previous file as it was.
Status writeSettingsFile(const QString& path, const QueueParams& record);

// The first record of the file. Fails with "ER_CANNOT_LOAD_SETTINGS" and the path in the
// detail. What happens to a file that yields nothing is the reader's rule: a file of an unknown
// version is never touched; with Delete a damaged one of the current version is removed.
Result<QueueParams> readSettingsRecord(const QString& path, UnreadableFile unreadable);

// "ER_CANNOT_LOAD_SETTINGS" or "ER_CANNOT_CREATE_FOLDER" as the window shows them: the text, a
// space, a line break and the path in double quotes.
QString pathMessage(const QString& text, const QString& path);

}  // namespace core
