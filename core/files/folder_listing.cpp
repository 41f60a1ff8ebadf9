#include "core/files/folder_listing.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <memory>

#include "imaging/imaging.h"

namespace core {

namespace {

// Every entry but "." and "..", hidden ones included, in no particular order.
QFileInfoList entriesOf(const QString& folder) {
    return QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
}

bool searchTree(const QString& folder, const PictureCheck& check, QSet<QString>& visited) {
    const QString real = QFileInfo(folder).canonicalFilePath();
    if (real.isEmpty() || visited.contains(real)) return false;
    visited.insert(real);
    QStringList subFolders;
    for (const QFileInfo& entry : entriesOf(folder)) {
        if (entry.isDir()) {
            if (!entry.isSymLink()) subFolders << entry.filePath();
        } else if (isListedPicture(entry.filePath(), check)) {
            return true;
        }
    }
    // The folder's own files first: a picture near the top ends the search soonest.
    for (const QString& sub : subFolders)
        if (searchTree(sub, check, visited)) return true;
    return false;
}

struct SessionHolder {
    SessionHolder() : handle(imaging::cNewSession()) {}
    ~SessionHolder() { imaging::cDestroySession(handle); }
    SessionHolder(const SessionHolder&) = delete;
    SessionHolder& operator=(const SessionHolder&) = delete;
    imaging::Handle handle;
};

QCollator textCollator() {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// The next run of digits or of other characters from position i.
QStringView runAt(const QString& s, qsizetype& i) {
    const qsizetype start = i;
    const bool digits = s[i].isDigit();
    while (i < s.size() && s[i].isDigit() == digits)
        ++i;
    return QStringView(s).mid(start, i - start);
}

// Digit runs compare by value however long they are: leading zeros dropped, then the longer
// number is the larger.
int compareNumbers(QStringView a, QStringView b) {
    while (a.size() > 1 && a.front() == u'0')
        a = a.mid(1);
    while (b.size() > 1 && b.front() == u'0')
        b = b.mid(1);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

// Numbers are compared here rather than by the collator's numeric mode, which not every
// collation backend offers; the text between them is the locale's.
int naturalCompare(const QString& a, const QString& b) {
    static thread_local const QCollator collator = textCollator();
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool digitsA = a[i].isDigit();
        const bool digitsB = b[j].isDigit();
        const QStringView runA = runAt(a, i);
        const QStringView runB = runAt(b, j);
        int order = 0;
        if (digitsA && digitsB)
            order = compareNumbers(runA, runB);
        else
            order = collator.compare(runA, runB);
        if (order != 0) return order;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

}  // namespace

PictureCheck imagingPictureCheck() {
    auto session = std::make_shared<SessionHolder>();
    return [session](const QString& path) {
        return session->handle != 0 && imaging::cIsSupportedImageFile(
                                           session->handle, QFile::encodeName(path).toStdString());
    };
}

bool isListedPicture(const QString& path, const PictureCheck& check) {
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("db") || extension == QLatin1String("thm")) return false;
    return check && check(path);
}

bool treeHoldsPicture(const QString& folder, const PictureCheck& check) {
    QSet<QString> visited;
    return searchTree(folder, check, visited);
}

bool naturalLess(const QString& a, const QString& b) {
    const int order = naturalCompare(a, b);
    if (order != 0) return order < 0;
    return a < b;
}

FolderListing listFolder(const QString& folder, const QString& currentFile,
                         const PictureCheck& check) {
    FolderListing listing;
    const QFileInfo folderInfo(folder);
    if (folder.isEmpty() || !folderInfo.isDir()) return listing;
    const QString base = QDir::cleanPath(folder);
    QStringList files, folders;
    for (const QFileInfo& entry : entriesOf(base)) {
        if (files.size() >= kMaxListedNames && folders.size() >= kMaxListedNames) break;
        if (entry.isDir()) {
            // A link to a folder is listed for what its target holds; the search below it
            // follows no further links.
            if (folders.size() < kMaxListedNames && treeHoldsPicture(entry.filePath(), check))
                folders << entry.fileName();
        } else if (files.size() < kMaxListedNames && isListedPicture(entry.filePath(), check)) {
            files << entry.fileName();
        }
    }
    std::sort(files.begin(), files.end(), naturalLess);
    std::sort(folders.begin(), folders.end(), naturalLess);

    const QString wanted = QFileInfo(currentFile).fileName();
    if (!wanted.isEmpty()) {
        listing.current = int(files.indexOf(wanted));
        if (listing.current < 0) {
            const QString lower = wanted.toLower();
            for (int i = 0; i < files.size(); ++i)
                if (files[i].toLower() == lower) {
                    listing.current = i;
                    break;
                }
        }
    }
    const QString prefix = base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/');
    listing.files.reserve(files.size());
    for (const QString& name : files)
        listing.files << prefix + name;
    listing.folders.reserve(folders.size() + 1);
    listing.folders << prefix;
    for (const QString& name : folders)
        listing.folders << prefix + name + QLatin1Char('/');
    return listing;
}

}  // namespace core
