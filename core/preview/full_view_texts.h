// The caption over the source's full view.
#pragma once

#include <QString>

#include "core/i18n/text_lookup.h"

namespace core {

// "ALS_SOURCE", ": ", the file name and " (" size line ")", then ", " and
// "ALS_MODIFIED_BY_PLUGIN" while the source holds a plug-in's result.
QString sourceViewCaption(const QString& fileName, const QString& sizeLine, bool modifiedByPlugin,
                          const TextLookup& lookup);

}  // namespace core
