// How texts reach the current language: a key in, its text out (markers removed, trimmed). Tests
// pass a table or the key itself; the program passes its Language.
#pragma once

#include <QString>
#include <functional>

#include "core/i18n/language.h"

namespace core {

using TextLookup = std::function<QString(const QString& key)>;

// The lookup that returns the key itself.
QString keyAsText(const QString& key);

// The language's message text of each key; the language must outlive the lookup.
inline TextLookup languageLookup(const Language& texts) {
    return [&texts](const QString& key) { return texts.message(key); };
}

}  // namespace core
