#include "core/main/language_choice.h"

#include <QFileInfo>
#include <array>

#include "core/main/program_registry.h"

namespace core {

namespace {

constexpr std::array<LanguageEntry, 9> kLanguages = {{
    {0, "English", "english"},
    {1, "Russian", "russian"},
    {2, "German", "german"},
    {3, "French", "french"},
    {4, "Spanish", "spanish"},
    {5, "Bulgarian", "bulgarian"},
    {6, "Polish", "polish"},
    {7, "Dutch", "dutch"},
    {8, "Italian", "italian"},
}};

// Windows primary language identifiers.
constexpr uint16_t kLangBulgarian = 0x02;
constexpr uint16_t kLangGerman = 0x07;
constexpr uint16_t kLangEnglish = 0x09;
constexpr uint16_t kLangSpanish = 0x0A;
constexpr uint16_t kLangFrench = 0x0C;
constexpr uint16_t kLangItalian = 0x10;
constexpr uint16_t kLangDutch = 0x13;
constexpr uint16_t kLangPolish = 0x15;
constexpr uint16_t kLangRussian = 0x19;

struct Territory {
    QLocale::Territory territory;
    uint16_t subLanguage;
};

struct LanguageIds {
    QLocale::Language language;
    uint16_t primary;
    std::span<const Territory> territories;  // sub-languages other than the default (1)
};

constexpr Territory kGerman[] = {{QLocale::Switzerland, 2},
                                 {QLocale::Austria, 3},
                                 {QLocale::Luxembourg, 4},
                                 {QLocale::Liechtenstein, 5}};
// Spain is the modern sort (3); the traditional sort (1) has no locale of its own.
constexpr Territory kSpanish[] = {
    {QLocale::Mexico, 2},      {QLocale::Spain, 3},     {QLocale::Guatemala, 4},
    {QLocale::CostaRica, 5},   {QLocale::Panama, 6},    {QLocale::DominicanRepublic, 7},
    {QLocale::Venezuela, 8},   {QLocale::Colombia, 9},  {QLocale::Peru, 10},
    {QLocale::Argentina, 11},  {QLocale::Ecuador, 12},  {QLocale::Chile, 13},
    {QLocale::Uruguay, 14},    {QLocale::Paraguay, 15}, {QLocale::Bolivia, 16},
    {QLocale::ElSalvador, 17}, {QLocale::Honduras, 18}, {QLocale::Nicaragua, 19},
    {QLocale::PuertoRico, 20},
};
constexpr Territory kFrench[] = {{QLocale::Belgium, 2},
                                 {QLocale::Canada, 3},
                                 {QLocale::Switzerland, 4},
                                 {QLocale::Luxembourg, 5},
                                 {QLocale::Monaco, 6}};
constexpr Territory kItalian[] = {{QLocale::Switzerland, 2}};
constexpr Territory kDutch[] = {{QLocale::Belgium, 2}};
constexpr Territory kEnglish[] = {{QLocale::UnitedKingdom, 2},
                                  {QLocale::Australia, 3},
                                  {QLocale::Canada, 4},
                                  {QLocale::NewZealand, 5},
                                  {QLocale::Ireland, 6}};

const LanguageIds kLanguageIds[] = {
    {QLocale::Bulgarian, kLangBulgarian, {}},   {QLocale::German, kLangGerman, kGerman},
    {QLocale::English, kLangEnglish, kEnglish}, {QLocale::Spanish, kLangSpanish, kSpanish},
    {QLocale::French, kLangFrench, kFrench},    {QLocale::Italian, kLangItalian, kItalian},
    {QLocale::Dutch, kLangDutch, kDutch},       {QLocale::Polish, kLangPolish, {}},
    {QLocale::Russian, kLangRussian, {}},
};

constexpr uint16_t languageId(uint16_t primary, uint16_t subLanguage) {
    return uint16_t(primary | (subLanguage << 10));
}

}  // namespace

std::span<const LanguageEntry> languageTable() {
    return kLanguages;
}

uint16_t windowsLanguageId(const QLocale& locale) {
    for (const LanguageIds& ids : kLanguageIds) {
        if (ids.language != locale.language()) continue;
        for (const Territory& t : ids.territories)
            if (t.territory == locale.territory()) return languageId(ids.primary, t.subLanguage);
        return languageId(ids.primary, 1);
    }
    return 0;
}

int languageIndexForSystemLanguage(uint16_t languageId) {
    const uint16_t primary = languageId & 0x3FF;
    const uint16_t sub = languageId >> 10;
    switch (primary) {
        case kLangBulgarian:
            return sub == 1 ? 5 : 0;
        case kLangGerman:
            return sub >= 1 && sub <= 5 ? 2 : 0;
        case kLangSpanish:
            return sub >= 1 && sub <= 20 ? 4 : 0;
        case kLangFrench:
            return sub >= 1 && sub <= 6 ? 3 : 0;
        case kLangPolish:
            return sub == 1 ? 6 : 0;
        case kLangRussian:
            return sub == 1 ? 1 : 0;
        // Italian and Dutch systems get their own languages (the old table sent them to Polish).
        case kLangDutch:
            return sub == 1 || sub == 2 ? 7 : 0;
        case kLangItalian:
            return sub == 1 || sub == 2 ? 8 : 0;
        default:
            return 0;
    }
}

int startLanguageIndex(int32_t storedValue, uint16_t systemLanguageId) {
    if (storedValue >= 0 && storedValue < int32_t(kLanguages.size())) return storedValue;
    return languageIndexForSystemLanguage(systemLanguageId);
}

Result<LanguageChoice> chooseLanguageFile(const ProgramFolders& folders, int index) {
    if (index < 0 || index >= int(kLanguages.size())) index = 0;
    for (int candidate : {index, 0}) {
        const QString name = QString::fromLatin1(kLanguages[size_t(candidate)].fileName);
        const QString file = folders.languageFile(name);
        if (QFileInfo(file).isFile())
            return LanguageChoice{candidate, file, folders.helpFolder(name)};
    }
    return failure(kLanguageMissingText);
}

Result<LanguageChoice> chooseStartLanguage(const RegistryKey& key, uint16_t systemLanguageId,
                                           const ProgramFolders& folders) {
    const int32_t stored = key.readInt(QString::fromLatin1(kValueLanguage), kLanguageFromSystem);
    return chooseLanguageFile(folders, startLanguageIndex(stored, systemLanguageId));
}

}  // namespace core
