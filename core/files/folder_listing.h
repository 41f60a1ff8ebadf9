// The pictures of one folder, as the previous/next commands and the navigator step through them:
// the picture files in natural order (numbers in names compare as numbers, case does not count)
// and the sub-folders whose tree holds at least one picture.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace core {

// Each list stops growing at this many names.
inline constexpr int kMaxListedNames = 1000000;

// Whether a file is a picture the program can open.
using PictureCheck = std::function<bool(const QString& path)>;

// The imaging layer's supported-file check, through a session of its own. Call it on the thread
// that does the program's image work.
PictureCheck imagingPictureCheck();

struct FolderListing {
    QStringList files;    // folder + "/" + name, sorted
    QStringList folders;  // folder + "/" first, then folder + "/" + name + "/" for each sub-folder
    int current = -1;     // position of the current file in files; -1 when absent or none given
    bool operator==(const FolderListing&) const = default;
};

// A file is listed when the check accepts it and its extension, in lower case, is neither "db" nor
// "thm" (the thumbnail and index files cameras and systems leave beside the pictures).
bool isListedPicture(const QString& path, const PictureCheck& check);

// Whether the folder's tree holds a listed picture. The search stops at the first one, never
// follows a symbolic link to a folder and visits each real folder once, so links and mounts
// that lead back up cannot loop.
bool treeHoldsPicture(const QString& folder, const PictureCheck& check);

// Natural order of names: digits compare as numbers, case-insensitive, ties broken by the
// names themselves so the order is total.
bool naturalLess(const QString& a, const QString& b);

// Lists the folder. currentFile (a path or a bare name) selects the current position: the entry
// of the same name, else the first whose name equals it ignoring case. A folder that does not
// exist gives empty lists and -1.
FolderListing listFolder(const QString& folder, const QString& currentFile,
                         const PictureCheck& check);

}  // namespace core
