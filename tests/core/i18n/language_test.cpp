#include "core/i18n/language.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "core/i18n/language_file.h"

namespace {

core::Language english(const char* text) {
    core::Language l;
    l.setText(QString::fromUtf8(text));
    return l;
}

TEST(LanguageLookup, WithoutALanguageEveryTextIsItsOwn) {
    core::Language none;
    EXPECT_FALSE(none.loaded());
    EXPECT_EQ(none.lookup("ALS_NOISE_LEVEL:"), "ALS_NOISE_LEVEL:");
    EXPECT_EQ(none.message("ER_CANNOT_SAVE"), "ER_CANNOT_SAVE");
}

TEST(LanguageLookup, DecorationIsRemovedFromTheKeyAndTheEndingKept) {
    const auto l = english(
        "ALS_PREFS_OPACITY=Opacity\r\nALS_PREFERENCES=Preferences\r\nALS_NOISE_LEVEL=Noise "
        "level\r\nALS_EMPTY=\r\n");
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"ALS_PREFS_OPACITY, %:", "Opacity, %:"},
        {"ALS_PREFERENCES...", "Preferences..."},
        {"ALS_NOISE_LEVEL:", "Noise level:"},
        {"als_noise_level", "Noise level"},  // keys are found without regard to case
        {"&Close", "&Close"},                // no line for "Close"
        {"ALS_EMPTY:", "ALS_EMPTY:"},        // an empty translation counts as none
        {"  ALS_UNKNOWN  ", "ALS_UNKNOWN"},  // unchanged, then trimmed
        {"(ALS_NOISE_LEVEL)", "Noise level)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(l.lookup(c.text), c.expected) << c.text;
}

TEST(LanguageLookup, MarkersAndTheEmptyText) {
    const auto l = english(
        "K_AT=e@Mail address\r\nK_HASH=i#Pod\r\nK_EMPTY=\"_\"\r\nK_LOWER=click here\r\n"
        "K_UPPER=Click Here\r\nK_ONE=x\r\n");
    EXPECT_EQ(l.lookup("K_AT"), "eMail address");
    EXPECT_EQ(l.lookup("K_AT", false), "e@Mail address");
    EXPECT_EQ(l.lookup("K_HASH"), "iPod");
    EXPECT_EQ(l.lookup("K_EMPTY"), "");
    EXPECT_EQ(l.message("K_EMPTY"), "");

    // Capitalised: an at sign keeps the first letter as written.
    EXPECT_EQ(l.capitalised("K_AT"), "eMail address");
    EXPECT_EQ(l.capitalised("K_HASH"), "IPod");
    EXPECT_EQ(l.capitalised("K_LOWER"), "Click here");
    EXPECT_EQ(l.capitalised("K_ONE"), "X");
    // Lower case: both markers keep the first letter.
    EXPECT_EQ(l.lowerCase("K_UPPER"), "click Here");
    EXPECT_EQ(l.lowerCase("K_HASH"), "iPod");
    EXPECT_EQ(l.lowerCase("K_AT"), "eMail address");
    EXPECT_EQ(l.lowerCase("K_MISSING"), "k_MISSING");
}

TEST(LanguageLookup, TheLineBreakSequenceSplitsAMessage) {
    const auto l = english("ALS_TWO=First sentence. \"*\" Second sentence.  \r\n");
    EXPECT_EQ(l.message("ALS_TWO"), "First sentence.\r\nSecond sentence.");
    EXPECT_EQ(l.lookup("ALS_TWO"), "First sentence. \"*\" Second sentence.");
}

TEST(LanguageFile, ScrambledTextLoadsBack) {
    QTemporaryDir dir;
    const QByteArray text = "ALS_OK=Fine\r\nALS_ERROR=Error\r\n" + QByteArray(3000, 'x') + "=y\r\n";
    const QByteArray content = core::scrambleLanguageText(text);
    ASSERT_EQ(content.size(), text.size() + 1);
    EXPECT_EQ(content[0], char(1));
    // Each text byte is combined with the key byte of its position counted from offset 1.
    for (int i : {0, 31, 32, 2047, 2048, 2049})
        EXPECT_EQ(uint8_t(content[i + 1]), uint8_t(text[i]) ^ core::kLanguageKey[i % 32]) << i;
    EXPECT_EQ(core::unscrambleLanguageFile(content), text);

    QFile f(dir.filePath("english.lng"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    core::Language l;
    ASSERT_TRUE(l.load(f.fileName()));
    EXPECT_TRUE(l.loaded());
    EXPECT_EQ(l.lookup("ALS_OK"), "Fine");
}

TEST(LanguageFile, AFileWithAnotherMarkerIsIgnored) {
    QTemporaryDir dir;
    QByteArray content = core::scrambleLanguageText("ALS_OK=Fine\r\n");
    content[0] = 2;
    QFile f(dir.filePath("odd.lng"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    core::Language l;
    EXPECT_FALSE(l.load(f.fileName()));
    EXPECT_FALSE(l.loaded());
    EXPECT_EQ(l.lookup("ALS_OK"), "ALS_OK");
    EXPECT_FALSE(l.load(dir.filePath("none.lng")));
}

// Every text key written in the program's sources has an English text.
TEST(EnglishTexts, EveryKeyTheCodeUsesHasALine) {
    const QDir root(QStringLiteral(VF_TEST_DATA "/../.."));
    QFile source(root.filePath("data/languages/english.txt"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(source.readAll());
    core::Language l;
    l.setText(text);
    ASSERT_TRUE(l.loaded());

    const QRegularExpression keyPattern(QStringLiteral("\"((?:ALS|ER)_[A-Z0-9_]+)"));
    QSet<QString> used;
    for (const char* folder : {"core", "cli"}) {
        QDirIterator it(root.filePath(folder), {"*.cpp", "*.h"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            auto matches = keyPattern.globalMatch(QString::fromUtf8(f.readAll()));
            while (matches.hasNext())
                used.insert(matches.next().captured(1));
        }
    }
    EXPECT_GT(used.size(), 10);
    for (const QString& key : used) {
        const QString found = l.lookup(key);
        EXPECT_NE(found, key) << qPrintable(key) << " has no English text";
        EXPECT_FALSE(found.isEmpty()) << qPrintable(key);
    }
}

}  // namespace
