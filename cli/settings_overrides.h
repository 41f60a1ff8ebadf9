// The settings options of velmarfilter-cli: setting a field of the settings block by its name
// (--set NAME=VALUE) and listing the fields that differ from the defaults (--show-settings).
#pragma once

#include <QString>
#include <QStringList>

#include "core/errors/result.h"
#include "core/settings/settings_block.h"

namespace cli {

// Sets the field named in "NAME=VALUE" (names as in the settings table, case ignored). Numbers are
// checked against the field's range; a field of several numbers takes one value for all or one
// per element, separated by commas; text fields take the text up to their capacity in bytes, and
// colour fields a decimal colour. A failure's detail is the message for the user.
core::Status applySetting(core::SettingsBlock& settings, const QString& assignment);

// "NAME=VALUE" for every field whose value differs from defaults, in stored order.
QStringList settingsDifferences(const core::SettingsBlock& settings,
                                const core::SettingsBlock& defaults);

}  // namespace cli
