#include "core/document/save_names.h"

#include <QFileInfo>

#include "core/paths/output_formats.h"

namespace core {

namespace {

QString formatExtension(int formatIndex) {
    return QString::fromLatin1(kOutputFormats[size_t(validFormatIndex(formatIndex))].extension);
}

}  // namespace

QString proposedSaveName(const QString& currentFile) {
    if (currentFile.isEmpty()) return QStringLiteral("_dnr");
    return QFileInfo(currentFile).completeBaseName() + QStringLiteral("_dnr");
}

QString withFormatExtension(const QString& path, int formatIndex) {
    const QString ending = QLatin1Char('.') + formatExtension(formatIndex);
    if (path.endsWith(ending) || path.endsWith(ending.toLower())) return path;
    return path + ending;
}

QString chosenSavePath(const QString& chosen, int formatIndex) {
    const QFileInfo info(chosen);
    if (!info.exists()) return withFormatExtension(chosen, formatIndex);
    const QString suffix = info.suffix();
    if (suffix.compare(formatExtension(formatIndex), Qt::CaseInsensitive) == 0) return chosen;
    QString stem = chosen;
    if (!suffix.isEmpty()) stem.chop(suffix.size() + 1);
    return withFormatExtension(stem, formatIndex);
}

}  // namespace core
