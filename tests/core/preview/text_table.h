// A language table for the preview's text tests: each key's text, or the key in brackets.
#pragma once

#include <QHash>
#include <QString>

#include "core/preview/text_lookup.h"

namespace core {

inline TextLookup textTable(QHash<QString, QString> table) {
    return [table = std::move(table)](const char* key) {
        const QString k = QString::fromLatin1(key);
        return table.value(k, QStringLiteral("[") + k + QStringLiteral("]"));
    };
}

}  // namespace core
