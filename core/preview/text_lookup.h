// How the preview's texts reach the current language: a key in, its text out (markers removed,
// trimmed). Tests pass a table; the program passes its Language.
#pragma once

#include <QString>
#include <functional>

#include "core/i18n/language.h"

namespace core {

using TextLookup = std::function<QString(const char* key)>;

// The language's message text of each key; the language must outlive the lookup.
inline TextLookup languageLookup(const Language& texts) {
    return [&texts](const char* key) { return texts.message(QString::fromLatin1(key)); };
}

}  // namespace core
