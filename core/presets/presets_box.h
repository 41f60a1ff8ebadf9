// The presets box of the tuning tabs (cbPresets): a first item that invites to load, one item per
// settings file of the active tab's preset folder shown through the language (a preset named
// after a language key shows its translation), and a last item that saves.
#pragma once

#include <QString>
#include <QStringList>

#include "core/i18n/text_lookup.h"

namespace core {

struct PresetsBoxItems {
    QStringList shown;  // what the box lists
    QStringList names;  // parallel to shown: the file names without extension; "" first and last
};

// The presets of a group folder, by file name (a folder that does not exist has none).
QStringList presetNames(const QString& groupFolder);

PresetsBoxItems presetsBoxItems(const QStringList& names, const TextLookup& lookup);

// The file of a preset: groupFolder + "/" + name + ".vrs".
QString presetFile(const QString& groupFolder, const QString& name);

enum class PresetsBoxAction { None, Load, Save };

// What choosing the item at index does in a box of count items.
PresetsBoxAction presetsBoxAction(int index, int count);

}  // namespace core
