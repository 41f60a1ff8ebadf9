#include "core/files/rename_loop.h"

#include "core/errors/failure_text.h"
#include "core/files/file_renaming.h"
#include "core/files/path_bytes.h"
#include "core/i18n/language.h"
#include "core/main/message_box.h"

namespace core::renaming {

RenameReport renameFiles(const QStringList& paths, const QString& pattern, const RenameHooks& hooks,
                         const Dating& dating) {
    RenameReport report;
    const int total = int(paths.size());
    if (pattern.trimmed().isEmpty()) return report;
    int counter = 1;
    int handled = 0;
    for (const QString& path : paths) {
        ++handled;
        if (!pathExists(path)) {
            report.missing << path;
        } else {
            const std::optional<FileTime> time = modificationTime(path);
            const QString target = expandedPath(pattern, counterText(counter, total), path, true,
                                                std::nullopt, dating);
            if (samePath(target, path)) {
                // The counter keeps its value for the next file.
                report.unchanged << path;
            } else if (const Status renamed = renameNoReplace(path, target)) {
                ++counter;
                if (time) setModificationTime(target, *time);
                report.renamed.push_back({path, target});
            } else {
                report.failures.push_back({path, target, renamed.failure()});
                if (hooks.goOn && !hooks.goOn(report.failures.back())) {
                    report.stopped = true;
                    if (hooks.progress) hooks.progress(handled, total);
                    break;
                }
            }
        }
        if (hooks.progress) hooks.progress(handled, total);
    }
    return report;
}

QString cannotRenameText(const Language& texts, const RenameFailure& failure) {
    const QString question = fillPlaceholders(
        texts.message(QStringLiteral("ALS_NAVPANEL_CANNOT_RENAME_QUEST")), {failure.oldPath});
    const QString newName = failure.newPath.mid(failure.newPath.lastIndexOf(u'/') + 1);
    return question + QStringLiteral("\r\n\r\n") + newName + QStringLiteral(": ") +
           failureText(texts, failure.why);
}

bool askGoOnAfterFailure(MessageAsker& asker, const Language& texts, const RenameFailure& failure) {
    MessageBoxRequest request;
    request.text = cannotRenameText(texts, failure);
    request.title = texts.message(QStringLiteral("ALS_FILE_RENAMING"));
    request.style = kButtonsYesNo | kIconQuestion;
    return asker.ask(request) == kResultYes;
}

}  // namespace core::renaming
