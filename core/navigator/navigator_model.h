// What the navigator panel shows and what its commands act on, without a window: the items of a
// folder (the folder itself, its sub-folders, its pictures), the check marks of the pictures, the
// file last right-clicked, the selection line, and the pop-up menu's captions and enabling.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "core/files/folder_listing.h"

namespace core {

class Language;

enum class NavigatorItemKind { Folder, File };

struct NavigatorItem {
    NavigatorItemKind kind = NavigatorItemKind::File;
    QString path;        // folders end with "/"
    QString caption;     // the name; ".." for the folder above
    int fileIndex = -1;  // position in the file list, for files
};

// Item colours, packed the Windows way (red in the low byte).
inline constexpr uint32_t kFolderItemColour = 9361663;
inline constexpr uint32_t kFileItemColour = 8421504;

class NavigatorModel {
  public:
    // Takes a folder's listing: the folder, its parent ("..", unless at the top), its sub-folders
    // and its pictures. The check marks and the current file start afresh.
    void setListing(const QString& folder, const FolderListing& listing);
    // The same folder listed again (after a file command): marks of files still listed are kept.
    void relist(const FolderListing& listing);

    const QString& folder() const { return folder_; }
    const std::vector<NavigatorItem>& items() const { return items_; }
    const QStringList& files() const { return files_; }
    // The folder above, empty at the top of the file system.
    QString parentFolder() const;

    bool checked(int fileIndex) const;
    void setChecked(int fileIndex, bool on);
    void checkAll();
    void uncheckAll();
    void reverseChecks();
    int checkedCount() const;
    QStringList checkedFiles() const;

    // The file last right-clicked; empty for none.
    void setCurrentFile(const QString& path) { current_ = path; }
    const QString& currentFile() const { return current_; }

    // What a file command acts on: the checked files that exist, in list order, else the current
    // file (when it exists); empty when neither.
    QStringList commandFiles() const;
    // The queue command takes checked files only.
    QStringList queueFiles() const;

    // "ALS_SELECTION: checked/count".
    QString selectionText(const Language& texts) const;

  private:
    QString folder_;
    std::vector<NavigatorItem> items_;
    QStringList files_;
    std::vector<bool> checks_;
    QString current_;
};

// The pop-up menu's commands as the menu shows them before it opens.
struct NavigatorMenuState {
    bool fileCommands = false;  // queue, rename, copy, move, delete, rotations
    bool uncheckAll = false;
    QString queueCaption, renameCaption, copyCaption, moveCaption, deleteCaption;
};
NavigatorMenuState navigatorMenuState(const NavigatorModel& model, const Language& texts);

// The seven recent folders ("LastFolder1" ... "LastFolder7"), most recent first.
inline constexpr int kRecentFolderCount = 7;
// The folder moves to the front; an entry of the same folder (letter case and a trailing "/" not
// counting) is removed first and the list keeps seven entries at most. Empty entries drop out.
QStringList withRecentFolder(const QStringList& recent, const QString& folder);
QStringList withoutRecentFolder(const QStringList& recent, const QString& folder);

class RegistryKey;
QStringList readRecentFolders(const RegistryKey& key);
// Writes all seven values, empty ones for missing entries.
bool writeRecentFolders(RegistryKey& key, const QStringList& recent);

}  // namespace core
