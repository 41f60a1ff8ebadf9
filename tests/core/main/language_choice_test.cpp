// The start's language: the stored choice, or the system language through the Windows language
// identifiers, then the file of that language with English as the fallback.
#include "core/main/language_choice.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/main/program_registry.h"

namespace {

struct SystemCase {
    uint16_t languageId;
    int index;
};

TEST(SystemLanguage, IdentifiersMapToTheLanguageTable) {
    const SystemCase cases[] = {
        {1026, 5},
        {1031, 2},
        {2055, 2},
        {3079, 2},
        {4103, 2},
        {5127, 2},
        {1034, 4},
        {2058, 4},
        {3082, 4},
        {11274, 4},
        {20490, 4},
        {1036, 3},
        {2060, 3},
        {3084, 3},
        {4108, 3},
        {5132, 3},
        {6156, 3},
        {1045, 6},
        {1049, 1},
        {1033, 0},
        {2057, 0},
        {1041, 0},
        {0, 0},
        {6151, 0},
        {21514, 0},
        {2049, 0},
        // Italian and Dutch systems get their own files.
        {1040, 8},
        {2064, 8},
        {1043, 7},
        {2067, 7},
    };
    for (const SystemCase& c : cases)
        EXPECT_EQ(core::languageIndexForSystemLanguage(c.languageId), c.index) << c.languageId;
}

struct LocaleCase {
    QLocale::Language language;
    QLocale::Territory territory;
    uint16_t languageId;
    int index;
};

TEST(SystemLanguage, LocalesGiveTheirWindowsIdentifiers) {
    const LocaleCase cases[] = {
        {QLocale::German, QLocale::Germany, 1031, 2},
        {QLocale::German, QLocale::Austria, 3079, 2},
        {QLocale::German, QLocale::Switzerland, 2055, 2},
        {QLocale::Spanish, QLocale::Spain, 3082, 4},
        {QLocale::Spanish, QLocale::Mexico, 2058, 4},
        {QLocale::Spanish, QLocale::PuertoRico, 20490, 4},
        {QLocale::French, QLocale::France, 1036, 3},
        {QLocale::French, QLocale::Canada, 3084, 3},
        {QLocale::Russian, QLocale::Russia, 1049, 1},
        {QLocale::Bulgarian, QLocale::Bulgaria, 1026, 5},
        {QLocale::Polish, QLocale::Poland, 1045, 6},
        {QLocale::Italian, QLocale::Italy, 1040, 8},
        {QLocale::Italian, QLocale::Switzerland, 2064, 8},
        {QLocale::Dutch, QLocale::Netherlands, 1043, 7},
        {QLocale::Dutch, QLocale::Belgium, 2067, 7},
        {QLocale::English, QLocale::UnitedStates, 1033, 0},
        {QLocale::English, QLocale::UnitedKingdom, 2057, 0},
        {QLocale::Japanese, QLocale::Japan, 0, 0},
    };
    for (const LocaleCase& c : cases) {
        const QLocale locale(c.language, c.territory);
        SCOPED_TRACE(locale.name().toStdString());
        EXPECT_EQ(core::windowsLanguageId(locale), c.languageId);
        EXPECT_EQ(core::languageIndexForSystemLanguage(core::windowsLanguageId(locale)), c.index);
    }
}

TEST(SystemLanguage, StoredValuesOutsideTheTableChooseFromTheSystem) {
    EXPECT_EQ(core::startLanguageIndex(255, 1031), 2);  // German system
    EXPECT_EQ(core::startLanguageIndex(255, 1041), 0);  // not in the mapping: English
    EXPECT_EQ(core::startLanguageIndex(3, 1031), 3);
    EXPECT_EQ(core::startLanguageIndex(0, 1049), 0);
    EXPECT_EQ(core::startLanguageIndex(8, 1031), 8);
    EXPECT_EQ(core::startLanguageIndex(9, 1049), 1);
    EXPECT_EQ(core::startLanguageIndex(-1, 1049), 1);
}

TEST(LanguageTable, HoldsTheNineLanguagesInOrder) {
    const auto table = core::languageTable();
    ASSERT_EQ(table.size(), 9u);
    const char* const files[] = {"english",   "russian", "german", "french", "spanish",
                                 "bulgarian", "polish",  "dutch",  "italian"};
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].index, int(i));
        EXPECT_STREQ(table[i].fileName, files[i]);
    }
    EXPECT_STREQ(table[7].caption, "Dutch");
    EXPECT_STREQ(table[8].caption, "Italian");
}

class LanguageFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(QDir(dir.path()).mkpath("library/languages")); }
    void addLanguage(const char* name) {
        QFile f(dir.filePath(QStringLiteral("library/languages/%1.lng").arg(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\x01");
    }
    void addHelp(const char* name) {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QString("help/") + name));
    }
    core::ProgramFolders folders() const { return core::ProgramFolders(dir.path(), dir.path()); }
    QTemporaryDir dir;
};

TEST_F(LanguageFileTest, TheChosenFileAndItsHelpFolder) {
    addLanguage("english");
    addLanguage("german");
    addHelp("english");
    addHelp("german");
    auto choice = core::chooseLanguageFile(folders(), 2);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->index, 2);
    EXPECT_EQ(choice->languageFile, dir.filePath("library/languages/german.lng"));
    EXPECT_EQ(choice->helpFolder, dir.filePath("help/german"));
}

TEST_F(LanguageFileTest, AMissingFileFallsBackToEnglishAndItsHelp) {
    addLanguage("english");
    addHelp("english");
    addHelp("french");  // help without its language file does not count
    auto choice = core::chooseLanguageFile(folders(), 3);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->index, 0);
    EXPECT_EQ(choice->languageFile, dir.filePath("library/languages/english.lng"));
    EXPECT_EQ(choice->helpFolder, dir.filePath("help/english"));
}

TEST_F(LanguageFileTest, AHelpFolderThatIsMissingFallsBackToTheEnglishOne) {
    addLanguage("russian");
    addHelp("english");
    auto choice = core::chooseLanguageFile(folders(), 1);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->index, 1);
    EXPECT_EQ(choice->helpFolder, dir.filePath("help/english"));
}

TEST_F(LanguageFileTest, WithoutEvenEnglishTheStartFailsWithTheFixedText) {
    addLanguage("german");
    auto choice = core::chooseLanguageFile(folders(), 0);
    ASSERT_FALSE(choice);
    EXPECT_EQ(choice.failure().key.toStdString(),
              "Language library not found! Please reinstall application.");
}

TEST_F(LanguageFileTest, TheStartReadsTheStoredLanguage) {
    addLanguage("english");
    addLanguage("german");
    addLanguage("italian");
    core::RegistryKey key = core::programRegistryKey(dir.filePath("settings.ini"));
    // No key yet: 255, the system language decides.
    auto choice = core::chooseStartLanguage(key, 1031, folders());
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->index, 2);
    ASSERT_TRUE(key.create({{"Language", "8"}}));
    choice = core::chooseStartLanguage(key, 1031, folders());
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->index, 8);
    // An Italian system with "Language" 255 gets Italian, not Polish.
    ASSERT_TRUE(key.writeInt("Language", 255));
    choice = core::chooseStartLanguage(key, 1040, folders());
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->index, 8);
    EXPECT_EQ(choice->languageFile, dir.filePath("library/languages/italian.lng"));
}

}  // namespace
