#include "core/files/rename_preview.h"

namespace core::renaming {

RenamePreview::RenamePreview(const QStringList& paths, const Dating& dating) : dating_(dating) {
    const int count = std::min<int>(int(paths.size()), kMaxPreviewRows);
    rows_.reserve(count);
    for (int i = 0; i < count; ++i) {
        PreviewRow row;
        row.path = paths[i];
        row.fileName = row.path.mid(row.path.lastIndexOf(u'/') + 1);
        row.newName = row.fileName;
        rows_.push_back(std::move(row));
    }
}

void RenamePreview::update(const QString& pattern) {
    const int count = int(rows_.size());
    for (int i = 0; i < count; ++i) {
        PreviewRow& row = rows_[i];
        if (!row.dateText) row.dateText = dateToText(fileDate(row.path, dating_));
        const QString path = expandedPath(pattern, counterText(i + 1, count), row.path, false,
                                          row.dateText, dating_);
        row.newName = path.mid(path.lastIndexOf(u'/') + 1);
    }
}

QStringList RenamePreview::paths() const {
    QStringList out;
    out.reserve(qsizetype(rows_.size()));
    for (const PreviewRow& row : rows_)
        out << row.path;
    return out;
}

QString templateExample(const QString& pattern, const QDateTime& now) {
    return exampleName(pattern, QStringLiteral("1"), QStringLiteral("filename"), now);
}

QString templateListEntry(const QString& pattern, const QString& exampleWord,
                          const QDateTime& now) {
    return QStringLiteral("%1 (%2: %3)").arg(pattern, exampleWord, templateExample(pattern, now));
}

QString addTagToTemplate(const QString& pattern, const QString& tag) {
    QString s = pattern.trimmed();
    s.remove(QLatin1Char(' ') + tag, Qt::CaseInsensitive);
    s.remove(tag + QLatin1Char(' '), Qt::CaseInsensitive);
    s.remove(tag, Qt::CaseInsensitive);
    return s + tag;
}

}  // namespace core::renaming
