#include "core/presets/settings_file_names.h"

#include <QStringList>

namespace core {

QString presetGroupFolder(const QString& presetsFolder, const QString& group) {
    return presetsFolder + QLatin1Char('/') + group;
}

QString withSettingsExtension(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > slash ? path.left(dot) : path;
    return stem + QString::fromLatin1(kSettingsExtension);
}

QString settingsFileNameOf(const QString& picturePath) {
    return withSettingsExtension(picturePath.mid(picturePath.lastIndexOf(QLatin1Char('/')) + 1));
}

QString dialogFilter(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString named = QStringLiteral("(%1)").arg(pattern);
        filters << (description.contains(named) ? description
                                                : QStringLiteral("%1 %2").arg(description, named));
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace core
