#include "core/navigator/navigator_model.h"

#include <QDir>
#include <QFileInfo>

#include "core/i18n/language.h"
#include "core/main/program_registry.h"
#include "core/main/registry_key.h"

namespace core {

namespace {

QString withSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString folderName(const QString& folder) {
    QString plain = folder;
    while (plain.size() > 1 && plain.endsWith(QLatin1Char('/')))
        plain.chop(1);
    const QString name = QFileInfo(plain).fileName();
    return name.isEmpty() ? plain : name;
}

QString sameFolderKey(const QString& folder) {
    QString plain = QDir::cleanPath(folder);
    return plain.toLower();
}

}  // namespace

void NavigatorModel::setListing(const QString& folder, const FolderListing& listing) {
    folder_ = folder;
    current_.clear();
    files_.clear();
    checks_.clear();
    relist(listing);
}

void NavigatorModel::relist(const FolderListing& listing) {
    const QStringList checkedBefore = checkedFiles();
    items_.clear();
    const QString parent = parentFolder();
    if (!parent.isEmpty())
        items_.push_back({NavigatorItemKind::Folder, withSlash(parent), QStringLiteral(".."), -1});
    // The listing's first folder is the folder itself: shown as the way into it again is of no
    // use, so it stands only for the list's head.
    for (int i = 0; i < listing.folders.size(); ++i) {
        if (i == 0) continue;
        items_.push_back(
            {NavigatorItemKind::Folder, listing.folders[i], folderName(listing.folders[i]), -1});
    }
    files_ = listing.files;
    checks_.assign(size_t(files_.size()), false);
    for (int i = 0; i < files_.size(); ++i) {
        items_.push_back({NavigatorItemKind::File, files_[i], QFileInfo(files_[i]).fileName(), i});
        if (checkedBefore.contains(files_[i])) checks_[size_t(i)] = true;
    }
    if (!current_.isEmpty() && !files_.contains(current_)) current_.clear();
}

QString NavigatorModel::parentFolder() const {
    if (folder_.isEmpty()) return {};
    QDir dir(folder_);
    if (!dir.cdUp()) return {};
    const QString parent = dir.absolutePath();
    return parent == QDir(folder_).absolutePath() ? QString() : parent;
}

bool NavigatorModel::checked(int fileIndex) const {
    return fileIndex >= 0 && size_t(fileIndex) < checks_.size() && checks_[size_t(fileIndex)];
}

void NavigatorModel::setChecked(int fileIndex, bool on) {
    if (fileIndex >= 0 && size_t(fileIndex) < checks_.size()) checks_[size_t(fileIndex)] = on;
}

void NavigatorModel::checkAll() {
    checks_.assign(checks_.size(), true);
}
void NavigatorModel::uncheckAll() {
    checks_.assign(checks_.size(), false);
}
void NavigatorModel::reverseChecks() {
    for (size_t i = 0; i < checks_.size(); ++i)
        checks_[i] = !checks_[i];
}

int NavigatorModel::checkedCount() const {
    int n = 0;
    for (bool on : checks_)
        n += on ? 1 : 0;
    return n;
}

QStringList NavigatorModel::checkedFiles() const {
    QStringList out;
    for (size_t i = 0; i < checks_.size(); ++i)
        if (checks_[i]) out << files_[int(i)];
    return out;
}

QStringList NavigatorModel::commandFiles() const {
    QStringList out;
    for (const QString& file : checkedFiles())
        if (QFileInfo(file).isFile()) out << file;
    if (checkedCount() > 0) return out;
    if (!current_.isEmpty() && QFileInfo(current_).isFile()) out << current_;
    return out;
}

QStringList NavigatorModel::queueFiles() const {
    QStringList out;
    for (const QString& file : checkedFiles())
        if (QFileInfo(file).isFile()) out << file;
    return out;
}

QString NavigatorModel::selectionText(const Language& texts) const {
    return QStringLiteral("%1: %2/%3")
        .arg(texts.message(QStringLiteral("ALS_SELECTION")))
        .arg(checkedCount())
        .arg(files_.size());
}

NavigatorMenuState navigatorMenuState(const NavigatorModel& model, const Language& texts) {
    NavigatorMenuState state;
    const bool anyChecked = model.checkedCount() > 0;
    state.fileCommands = anyChecked || !model.currentFile().isEmpty();
    state.uncheckAll = anyChecked;
    const auto caption = [&](const char* key, bool dots) {
        QString text = texts.message(QString::fromLatin1(key) +
                                     (anyChecked ? QStringLiteral("_SELECTED") : QString()));
        if (dots) text += QStringLiteral("...");
        return text;
    };
    state.queueCaption = caption("ALS_NAVPANEL_QUEUE", false);
    state.renameCaption = caption("ALS_NAVPANEL_RENAME", true);
    state.copyCaption = caption("ALS_NAVPANEL_COPY", true);
    state.moveCaption = caption("ALS_NAVPANEL_MOVE", true);
    state.deleteCaption = caption("ALS_NAVPANEL_DELETE", false);
    return state;
}

QStringList withoutRecentFolder(const QStringList& recent, const QString& folder) {
    QStringList out;
    const QString key = sameFolderKey(folder);
    for (const QString& entry : recent)
        if (!entry.isEmpty() && sameFolderKey(entry) != key) out << entry;
    return out;
}

QStringList withRecentFolder(const QStringList& recent, const QString& folder) {
    if (folder.isEmpty()) return withoutRecentFolder(recent, {});
    QStringList out = withoutRecentFolder(recent, folder);
    out.prepend(folder);
    while (out.size() > kRecentFolderCount)
        out.removeLast();
    return out;
}

QStringList readRecentFolders(const RegistryKey& key) {
    QStringList out;
    for (int i = 1; i <= kRecentFolderCount; ++i) {
        const QString folder = key.readString(lastFolderValueName(i), QString());
        if (!folder.isEmpty()) out << folder;
    }
    return out;
}

bool writeRecentFolders(RegistryKey& key, const QStringList& recent) {
    bool ok = true;
    for (int i = 1; i <= kRecentFolderCount; ++i)
        ok = key.writeString(lastFolderValueName(i),
                             i <= recent.size() ? recent[i - 1] : QString()) &&
             ok;
    return ok;
}

}  // namespace core
