#include "core/navigator/file_operations.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

#include "core/i18n/language.h"
#include "core/main/message_box.h"
#include "imaging/imaging.h"

namespace core {

namespace {

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// A name beside the target no other file has, for a copy that replaces the target in one step.
QString partialName(const QString& target) {
    for (int i = 0;; ++i) {
        const QString name =
            target + QStringLiteral(".vf-part") + (i == 0 ? QString() : QString::number(i));
        if (!QFileInfo::exists(name)) return name;
    }
}

bool keepTime(const QString& target, const QDateTime& modified) {
    QFile file(target);
    if (!file.open(QIODevice::ReadWrite)) return false;
    return file.setFileTime(modified, QFileDevice::FileModificationTime);
}

// Copies to a new name beside the target, then renames it over the target: the old file stays
// whole until the new one is complete.
bool copyReplacing(const QString& source, const QString& target) {
    const QString partial = partialName(target);
    if (!QFile::copy(source, partial)) return false;
    std::error_code error;
    std::filesystem::rename(fsPath(partial), fsPath(target), error);
    if (error) {
        QFile::remove(partial);
        return false;
    }
    return true;
}

int ask(MessageAsker& asker, const Language& texts, const char* key, const QString& path,
        const char* title, uint32_t style, std::vector<CustomButton> buttons = {}) {
    MessageBoxRequest request;
    request.text = fillPlaceholders(texts.message(QString::fromLatin1(key)), {path});
    request.title = texts.message(QString::fromLatin1(title));
    request.style = style;
    request.customButtons = std::move(buttons);
    return asker.ask(request);
}

constexpr int kResultAlways = 100;

}  // namespace

bool isTransferTarget(const QString& targetFolder, const QString& sourceFolder) {
    if (targetFolder.isEmpty() || !QFileInfo(targetFolder).isDir()) return false;
    const QString a = QDir::cleanPath(QFileInfo(targetFolder).absoluteFilePath());
    const QString b = QDir::cleanPath(QFileInfo(sourceFolder).absoluteFilePath());
    return a.compare(b, Qt::CaseInsensitive) != 0;
}

TransferOutcome transferFile(TransferKind kind, const QString& source, const QString& targetFolder,
                             bool replaceExisting) {
    const QFileInfo from(source);
    if (!from.isFile()) return TransferOutcome::Failed;
    const QString target = QDir(targetFolder).filePath(from.fileName());
    const QFileInfo to(target);
    if (to.exists()) {
        // Through a link or the same folder named otherwise, the "other" file is the source.
        if (to.canonicalFilePath() == from.canonicalFilePath()) return TransferOutcome::SameFile;
        if (!replaceExisting) return TransferOutcome::TargetExists;
        if (!to.isFile()) return TransferOutcome::Failed;
    }
    const QDateTime modified = from.lastModified();
    bool ok = false;
    if (kind == TransferKind::Copy) {
        // QFile::copy never replaces an existing file.
        ok = to.exists() ? copyReplacing(source, target) : QFile::copy(source, target);
    } else if (!to.exists()) {
        // QFile::rename refuses an existing target (rename(2) alone would replace it) and
        // copies across file systems.
        ok = QFile::rename(source, target);
    } else {
        // Agreed replacement: rename(2) replaces the target in one step; across file systems
        // the copy replaces it and the source goes afterwards.
        std::error_code error;
        std::filesystem::rename(fsPath(source), fsPath(target), error);
        if (!error)
            ok = true;
        else if (error == std::errc::cross_device_link && copyReplacing(source, target))
            ok = QFile::remove(source);
    }
    if (!ok) return TransferOutcome::Failed;
    keepTime(target, modified);
    return TransferOutcome::Done;
}

FileOperationReport transferFiles(TransferKind kind, const QStringList& files,
                                  const QString& targetFolder, MessageAsker& asker,
                                  const Language& texts,
                                  const std::function<void(int, int)>& progress) {
    FileOperationReport report;
    const char* title = kind == TransferKind::Copy ? "ALS_FILE_COPYING" : "ALS_FILE_MOVING";
    const char* cannot = kind == TransferKind::Copy ? "ALS_NAVPANEL_CANNOT_COPY_QUEST"
                                                    : "ALS_NAVPANEL_CANNOT_MOVE_QUEST";
    bool always = false;
    const int total = int(files.size());
    for (int i = 0; i < total; ++i) {
        if (progress) progress(i, total);
        const QString& source = files[i];
        if (!QFileInfo(source).isFile()) continue;
        if (!isTransferTarget(targetFolder, QFileInfo(source).absolutePath())) {
            report.stopped = true;
            break;
        }
        const QString target = QDir(targetFolder).filePath(QFileInfo(source).fileName());
        TransferOutcome outcome = transferFile(kind, source, targetFolder, always);
        if (outcome == TransferOutcome::TargetExists) {
            const int answer =
                ask(asker, texts, "ALS_NAVPANEL_OVERWRITE_PROMPT", target, title,
                    kButtonsYesNoCancel | kIconQuestion, {{"ALS_ALWAYS", kResultAlways, 1.4}});
            if (answer == kResultNo) {
                ++report.skipped;
                continue;
            }
            if (answer == kResultAlways) always = true;
            if (answer != kResultYes && answer != kResultAlways) {
                report.stopped = true;
                break;
            }
            outcome = transferFile(kind, source, targetFolder, true);
        }
        if (outcome == TransferOutcome::Done) {
            ++report.done;
            report.changedFiles << target;
            continue;
        }
        if (outcome == TransferOutcome::SameFile) continue;
        report.failed << source;
        if (ask(asker, texts, cannot, source, title, kButtonsYesNo | kIconQuestion) != kResultYes) {
            report.stopped = true;
            break;
        }
    }
    if (progress) progress(total, total);
    return report;
}

FileOperationReport deleteToTrash(const QStringList& files,
                                  const std::function<void(int, int)>& progress) {
    FileOperationReport report;
    const int total = int(files.size());
    for (int i = 0; i < total; ++i) {
        if (progress) progress(i, total);
        if (!QFileInfo(files[i]).isFile()) continue;
        if (QFile::moveToTrash(files[i]))
            ++report.done;
        else
            report.failed << files[i];
    }
    if (progress) progress(total, total);
    return report;
}

bool rotateFileLossless(const QString& path, int quarterTurns, QString* error) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        if (error) *error = path;
        return false;
    }
    const QDateTime modified = info.lastModified();
    const imaging::Handle session = imaging::cNewSession();
    if (!session) return false;
    const std::string local = QFile::encodeName(path).toStdString();
    const bool turned = imaging::cRotateImageFile(session, local, local, quarterTurns);
    if (!turned && error) *error = QString::fromStdString(imaging::cGetLastError(session));
    imaging::cDestroySession(session);
    if (!turned) return false;
    // One step of the packed date further, so that the file's cache key changes.
    keepTime(path, modified.addSecs(2));
    return true;
}

FileOperationReport rotateFilesLossless(const QStringList& files, int quarterTurns,
                                        const std::function<void(int, int)>& progress) {
    FileOperationReport report;
    const int total = int(files.size());
    for (int i = 0; i < total; ++i) {
        if (progress) progress(i, total);
        if (!QFileInfo(files[i]).isFile()) continue;
        if (rotateFileLossless(files[i], quarterTurns)) {
            ++report.done;
            report.changedFiles << files[i];
        } else {
            report.failed << files[i];
        }
    }
    if (progress) progress(total, total);
    return report;
}

}  // namespace core
