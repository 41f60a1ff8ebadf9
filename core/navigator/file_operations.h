// The navigator's file commands on picture files: copy and move into another folder, delete to
// the trash and lossless quarter turns. A file of the same name in the target is never replaced
// unless the caller says the user agreed, and then in one step, so that no moment exists in which
// neither file is there.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace core {

class Language;
class MessageAsker;

enum class TransferKind { Copy, Move };

enum class TransferOutcome {
    Done,
    TargetExists,  // a file of the name is there and replacing it was not allowed
    SameFile,      // the target is the source itself (the same folder, or a link to it)
    Failed,
};

// Copies or moves one file into the folder under its own name. replaceExisting: the user agreed
// to replace a file of the name. The target gets the source's modification time.
TransferOutcome transferFile(TransferKind kind, const QString& source, const QString& targetFolder,
                             bool replaceExisting);

// Whether the folder is one the files can go to: it exists and is not their own folder (letter
// case not counting).
bool isTransferTarget(const QString& targetFolder, const QString& sourceFolder);

struct FileOperationReport {
    int done = 0;
    int skipped = 0;           // the user kept the existing file
    bool stopped = false;      // the user cancelled, or chose not to go on after a failure
    QStringList failed;        // sources that could not be handled
    QStringList changedFiles;  // the targets written
};

// Copies or moves the files in order, asking before replacing a file
// ("ALS_NAVPANEL_OVERWRITE_PROMPT": Yes, No, Cancel, "ALS_ALWAYS") and, when one fails, whether to
// go on. progress(done, total) is called before each file. Files that no longer exist are passed
// over. A target folder that is missing or the files' own does nothing.
FileOperationReport transferFiles(TransferKind kind, const QStringList& files,
                                  const QString& targetFolder, MessageAsker& asker,
                                  const Language& texts,
                                  const std::function<void(int, int)>& progress = {});

// Moves the files to the user's trash; each one that could not go is listed in failed.
FileOperationReport deleteToTrash(const QStringList& files,
                                  const std::function<void(int, int)>& progress = {});

// Turns a JPEG file in place by quarter turns clockwise (1 right, 3 left) without recompressing
// it, keeps its EXIF orientation and thumbnail true, and sets its modification time to the old
// one plus two seconds (one step of the packed date), so that its cached thumbnail is made anew.
bool rotateFileLossless(const QString& path, int quarterTurns, QString* error = nullptr);

FileOperationReport rotateFilesLossless(const QStringList& files, int quarterTurns,
                                        const std::function<void(int, int)>& progress = {});

}  // namespace core
