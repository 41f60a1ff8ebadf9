// Which language the program starts in: the stored choice, or the system's language through the
// Windows language identifiers that the choice table was written for, then the file of that
// language with English as the fallback.
#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>
#include <span>

#include "core/errors/result.h"
#include "core/main/registry_key.h"
#include "core/paths/program_folders.h"

namespace core {

struct LanguageEntry {
    int index;
    const char* caption;   // the language menu's caption
    const char* fileName;  // "library/languages/<fileName>.lng", "help/<fileName>"
};

// The nine languages, English first.
std::span<const LanguageEntry> languageTable();

// The Windows language identifier (primary language | sub-language << 10) of a locale, for the
// languages the choice table knows and English; other languages give 0.
uint16_t windowsLanguageId(const QLocale& locale);

// The language index for a system language identifier; English for any language not listed.
int languageIndexForSystemLanguage(uint16_t languageId);

// The stored "Language" value as an index: 255, and any value outside the table, mean "choose
// from the system".
int startLanguageIndex(int32_t storedValue, uint16_t systemLanguageId);

struct LanguageChoice {
    int index = 0;
    QString languageFile;  // the file to load
    QString helpFolder;    // the language's help pages, or the English ones
};

// The text shown (not localised, nothing is loaded yet) when not even English is there.
inline constexpr const char* kLanguageMissingText =
    "Language library not found! Please reinstall application.";

// The language file to load for the index, falling back to English; fails with
// kLanguageMissingText as the key when neither file exists.
Result<LanguageChoice> chooseLanguageFile(const ProgramFolders& folders, int index);

// The start's choice: the stored "Language" value (or the system's language), then its file.
Result<LanguageChoice> chooseStartLanguage(const RegistryKey& key, uint16_t systemLanguageId,
                                           const ProgramFolders& folders);

}  // namespace core
