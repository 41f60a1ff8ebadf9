// A language table for the preview's text tests: each key's text, or the key in brackets.
#pragma once

#include <QHash>
#include <QString>

#include "core/i18n/text_lookup.h"

namespace core {

inline TextLookup textTable(QHash<QString, QString> table) {
    return [table = std::move(table)](const QString& key) {
        return table.value(key, QStringLiteral("[") + key + QStringLiteral("]"));
    };
}

}  // namespace core
