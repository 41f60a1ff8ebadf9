// Renaming a list of files by a name template, in order: the running number advances only for a
// file that really got a new name, a name already taken gets " [n]", and a file that cannot be
// renamed is reported and the user decides whether the others go on.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "core/errors/result.h"
#include "core/files/rename_template.h"

namespace core {
class Language;
class MessageAsker;
}  // namespace core

namespace core::renaming {

struct RenamedFile {
    QString oldPath;
    QString newPath;
    bool operator==(const RenamedFile&) const = default;
};

struct RenameFailure {
    QString oldPath;
    QString newPath;
    Failure why;
};

struct RenameReport {
    std::vector<RenamedFile> renamed;  // in the order of the list
    QStringList unchanged;             // the template gave them their own names
    QStringList missing;               // no longer there when their turn came
    std::vector<RenameFailure> failures;
    bool stopped = false;  // the user ended the run after a failure; later files were not touched
};

struct RenameHooks {
    // After a failure: true goes on with the next file. None: go on.
    std::function<bool(const RenameFailure&)> goOn;
    // After each file: files handled so far and the number of files.
    std::function<void(int handled, int total)> progress;
};

// Renames each file of paths under the template (an empty template renames nothing). The
// counter starts at 1 and is as wide as the number of files. A renamed file keeps its
// modification time.
RenameReport renameFiles(const QStringList& paths, const QString& pattern,
                         const RenameHooks& hooks = {}, const Dating& dating = {});

// The question after a failure: the file's path in "ALS_NAVPANEL_CANNOT_RENAME_QUEST", with the
// new name and the reason on a line of their own.
QString cannotRenameText(const Language& texts, const RenameFailure& failure);
// Asks it (Yes/No, titled "ALS_FILE_RENAMING"); true for Yes.
bool askGoOnAfterFailure(MessageAsker& asker, const Language& texts, const RenameFailure& failure);

}  // namespace core::renaming
