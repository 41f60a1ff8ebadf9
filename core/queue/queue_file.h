// Record files: "vrq.dat" (the queue) and ".vrs" settings files hold a plain sequence of encoded
// QueueParams records, little-endian, with no header, count or trailer.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "core/errors/result.h"
#include "core/queue/queue_params.h"

namespace core {

// Appends one encoded record.
void encodeQueueRecord(const QueueParams& item, std::vector<uint8_t>& out);
std::vector<uint8_t> encodeQueueRecords(const std::vector<QueueParams>& items);

struct RecordFileContent {
    std::vector<QueueParams> items;  // the whole records before any damage
    bool success = false;
    // Empty when the file was read to its end (or did not exist); otherwise what stopped the
    // reading, for the user.
    QString problem;
};

// What happens to a file that was read and yields no record: the program deletes its own files;
// a file the user named is kept. A file that cannot be opened is always kept.
enum class UnreadableFile { Delete, Keep };

// Reads the records of a file. With requireCurrentVersion a record of another settings version
// ends the reading. A missing file is an empty success; a damaged one is left as it is.
RecordFileContent readRecordFile(const QString& path, bool requireCurrentVersion,
                                 UnreadableFile unreadable = UnreadableFile::Delete);

// The queue's own reader: records of the current version only.
RecordFileContent readQueueFile(const QString& path,
                                UnreadableFile unreadable = UnreadableFile::Delete);

// The settings version of the first record, or 0 when it cannot be read.
int32_t probeRecordFileVersion(const QString& path);

// The reader of settings files: a file of the previous version is upgraded (in place for the
// program's own files, Delete; only in memory for a file the user named, Keep); one of an unknown
// version is left alone and fails. A file that cannot be opened fails with the system's reason.
RecordFileContent readSettingsFile(const QString& path,
                                   UnreadableFile unreadable = UnreadableFile::Delete);

// Replaces the file by one holding every item; an empty list deletes it. When the file cannot be
// written the previous file stays as it was, no partial file is left, and the failure says why.
Status writeRecordFile(const std::vector<QueueParams>& items, const QString& path);

}  // namespace core
