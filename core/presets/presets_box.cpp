#include "core/presets/presets_box.h"

#include <QDir>
#include <QFileInfo>

#include "core/i18n/language.h"
#include "core/presets/settings_file_names.h"

namespace core {

namespace {

QString framed(const QString& text) {
    return fillPlaceholders(QStringLiteral("---- %s ----"), {text});
}

}  // namespace

QStringList presetNames(const QString& groupFolder) {
    // The system lists a folder in no fixed order; by name the box reads the same everywhere.
    const QFileInfoList files =
        QDir(groupFolder)
            .entryInfoList({QStringLiteral("*") + QString::fromLatin1(kSettingsExtension)},
                           QDir::Files | QDir::CaseSensitive, QDir::Name | QDir::IgnoreCase);
    QStringList names;
    for (const QFileInfo& file : files)
        names << file.completeBaseName();
    return names;
}

PresetsBoxItems presetsBoxItems(const QStringList& names, const TextLookup& lookup) {
    PresetsBoxItems items;
    items.shown << framed(lookup(QStringLiteral("ALS_LOAD_OPT")));
    items.names << QString();
    for (const QString& name : names) {
        items.shown << lookup(name);
        items.names << name;
    }
    items.shown << framed(lookup(QStringLiteral("ALS_SAVE_OPT")));
    items.names << QString();
    return items;
}

QString presetFile(const QString& groupFolder, const QString& name) {
    return groupFolder + QLatin1Char('/') + name + QString::fromLatin1(kSettingsExtension);
}

PresetsBoxAction presetsBoxAction(int index, int count) {
    if (count < 2 || index <= 0 || index >= count) return PresetsBoxAction::None;
    return index == count - 1 ? PresetsBoxAction::Save : PresetsBoxAction::Load;
}

}  // namespace core
