// The shipped language files, checked against the English one: the same keys in the same order,
// the same placeholders, nothing left empty, and each packed file reads back to its source.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QStringList>

#include "core/i18n/language.h"
#include "core/i18n/language_file.h"

namespace {

// The language table: the file names the program looks for, English first.
const char* const kLanguages[] = {"english",   "russian", "german", "french", "spanish",
                                  "bulgarian", "polish",  "dutch",  "italian"};

QString sourceFolder() {
    return QStringLiteral(VF_LANGUAGE_SOURCES);
}

QString packedFolder() {
    return QStringLiteral(VF_LANGUAGE_FOLDER);
}

struct Line {
    int number;  // in the source file, from 1
    QString key;
    QString text;
};

struct Source {
    bool read = false;
    QByteArray bytes;
    QString text;
    bool validUtf8 = false;
    QList<Line> lines;
    QStringList faults;  // lines that are not "KEY=text"
};

// Reads a language source the way the packer does: blank lines are skipped, every other line is
// a key, an equals sign and the text.
Source readSource(const QString& name) {
    Source s;
    QFile f(QDir(sourceFolder()).filePath(name + QStringLiteral(".txt")));
    if (!f.open(QIODevice::ReadOnly)) return s;
    s.read = true;
    s.bytes = f.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    s.text = decoder(s.bytes);
    s.validUtf8 = !decoder.hasError();
    int number = 0;
    for (QString line : s.text.split(u'\n')) {
        ++number;
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0) {
            s.faults << QStringLiteral("line %1: %2").arg(number).arg(line);
            continue;
        }
        s.lines.push_back({number, line.left(eq), line.mid(eq + 1)});
    }
    return s;
}

// Format placeholders in order: "%s", "%d", "%5.2f", "%1", "%L2", and "%%" for a percent sign.
QStringList placeholders(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("%(?:%|L?[0-9]+|-?[0-9]*(?:\\.[0-9]+)?[sdiuxXcfgeEp])"));
    QStringList found;
    auto it = pattern.globalMatch(text);
    while (it.hasNext())
        found << it.next().captured(0);
    return found;
}

const QString kLineBreak = QStringLiteral(" \"*\" ");

const Source& englishSource() {
    static const Source english = readSource(QStringLiteral("english"));
    return english;
}

QString where(const QString& name, const Line& line) {
    return QStringLiteral("%1.txt:%2 %3").arg(name).arg(line.number).arg(line.key);
}

TEST(LanguageTable, TheEnglishSourceIsSound) {
    const Source& en = englishSource();
    ASSERT_TRUE(en.read);
    EXPECT_TRUE(en.validUtf8);
    EXPECT_TRUE(en.faults.isEmpty()) << qPrintable(en.faults.join(u'\n'));
    ASSERT_GT(en.lines.size(), 100);
    QSet<QString> keys;
    for (const Line& line : en.lines) {
        EXPECT_TRUE(line.key.startsWith(QStringLiteral("ALS_")) ||
                    line.key.startsWith(QStringLiteral("ER_")))
            << qPrintable(where("english", line));
        EXPECT_FALSE(keys.contains(line.key.toUpper())) << qPrintable(where("english", line));
        keys.insert(line.key.toUpper());
        EXPECT_FALSE(line.text.trimmed().isEmpty()) << qPrintable(where("english", line));
    }
}

// Every source beside the English one belongs to the table, so a misspelt file name, which the
// program would never find, does not pass unnoticed.
TEST(LanguageTable, TheSourceFolderHoldsTheNineLanguages) {
    QStringList expected;
    for (const char* name : kLanguages)
        expected << QString::fromLatin1(name) + QStringLiteral(".txt");
    QStringList found = QDir(sourceFolder()).entryList({QStringLiteral("*.txt")}, QDir::Files);
    expected.sort();
    found.sort();
    EXPECT_EQ(found.join(u' ').toStdString(), expected.join(u' ').toStdString());
}

class LanguageSource : public testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        name_ = QString::fromLatin1(GetParam());
        source_ = readSource(name_);
        ASSERT_TRUE(source_.read) << qPrintable(name_) << ".txt cannot be read";
        ASSERT_TRUE(englishSource().read);
    }

    QString name_;
    Source source_;
};

TEST_P(LanguageSource, IsUtf8WithKeyAndTextOnEveryLine) {
    EXPECT_TRUE(source_.validUtf8) << qPrintable(name_) << ".txt is not UTF-8";
    EXPECT_FALSE(source_.bytes.startsWith("\xEF\xBB\xBF"))
        << "a byte-order mark would become part of the first key";
    EXPECT_TRUE(source_.faults.isEmpty()) << qPrintable(source_.faults.join(u'\n'));
}

TEST_P(LanguageSource, HasTheEnglishKeysInTheEnglishOrder) {
    const QList<Line>& en = englishSource().lines;
    QStringList englishKeys, keys;
    for (const Line& line : en)
        englishKeys << line.key;
    for (const Line& line : source_.lines)
        keys << line.key;

    const QSet<QString> englishSet(englishKeys.begin(), englishKeys.end());
    const QSet<QString> set(keys.begin(), keys.end());
    for (const QString& key : englishKeys)
        EXPECT_TRUE(set.contains(key)) << qPrintable(name_) << " lacks " << qPrintable(key);
    for (const Line& line : source_.lines)
        EXPECT_TRUE(englishSet.contains(line.key))
            << qPrintable(where(name_, line)) << " is not an English key";
    EXPECT_EQ(set.size(), keys.size()) << qPrintable(name_) << " has a key twice";

    ASSERT_EQ(keys.size(), englishKeys.size());
    for (qsizetype i = 0; i < keys.size(); ++i)
        ASSERT_EQ(keys[i], englishKeys[i])
            << qPrintable(where(name_, source_.lines[i])) << ": out of order, English has "
            << qPrintable(englishKeys[i]) << " here";
}

// The same texts, key by key; only for files whose keys match (the test above reports the rest).
class TranslatedTexts : public LanguageSource {
  protected:
    void SetUp() override {
        LanguageSource::SetUp();
        const QList<Line>& en = englishSource().lines;
        ASSERT_EQ(source_.lines.size(), en.size()) << "the keys differ from the English ones";
        for (qsizetype i = 0; i < en.size(); ++i)
            ASSERT_EQ(source_.lines[i].key, en[i].key) << "the keys differ from the English ones";
    }

    template <typename Check>
    void eachText(Check check) const {
        const QList<Line>& en = englishSource().lines;
        for (qsizetype i = 0; i < en.size(); ++i)
            check(en[i], source_.lines[i], where(name_, source_.lines[i]));
    }
};

TEST_P(TranslatedTexts, NoTextIsEmpty) {
    eachText([](const Line& en, const Line& line, const QString& at) {
        EXPECT_FALSE(line.text.trimmed().isEmpty()) << qPrintable(at);
        // The written empty text ("_") only where the English text is written so, too.
        if (line.text.trimmed() == QStringLiteral("\"_\"")) {
            EXPECT_EQ(en.text.trimmed(), line.text.trimmed()) << qPrintable(at);
        }
        EXPECT_EQ(line.text, line.text.trimmed()) << qPrintable(at) << ": space at an end";
    });
}

TEST_P(TranslatedTexts, PlaceholdersMatchTheEnglishOnes) {
    eachText([](const Line& en, const Line& line, const QString& at) {
        EXPECT_EQ(placeholders(line.text).join(u' ').toStdString(),
                  placeholders(en.text).join(u' ').toStdString())
            << qPrintable(at) << ": " << qPrintable(line.text);
    });
}

// Line breaks and keyboard accelerators ("&") are where the English text has them: the English
// texts carry no accelerators, so a translation that brings one in could clash within its menu.
TEST_P(TranslatedTexts, LineBreaksAndAcceleratorsMatchTheEnglishOnes) {
    eachText([](const Line& en, const Line& line, const QString& at) {
        EXPECT_EQ(line.text.count(kLineBreak), en.text.count(kLineBreak)) << qPrintable(at);
        EXPECT_EQ(line.text.count(u'&'), en.text.count(u'&')) << qPrintable(at);
    });
}

// A message that asks ends with a question mark, a text followed by a file name ends with a
// colon, and so on: the closing punctuation is the English one.
TEST_P(TranslatedTexts, ClosingPunctuationMatchesTheEnglish) {
    static const QString closing = QStringLiteral(".?:!)");
    eachText([](const Line& en, const Line& line, const QString& at) {
        const QChar enLast = en.text.back();
        const QChar last = line.text.isEmpty() ? QChar() : line.text.back();
        if (closing.contains(enLast)) {
            EXPECT_EQ(last, enLast) << qPrintable(at) << ": " << qPrintable(line.text);
        } else {  // a full stop may end an abbreviation of a unit
            EXPECT_FALSE(QStringLiteral("?:!").contains(last))
                << qPrintable(at) << ": " << qPrintable(line.text);
        }
    });
}

// A number sign or an at sign as the second character is a case marker that the lookup removes.
// Translations use only the number sign, to keep a capital letter where the program would make
// the first letter small (nouns in German); an at sign there would be a slip.
TEST_P(TranslatedTexts, CaseMarkersAreDeliberate) {
    eachText([](const Line&, const Line& line, const QString& at) {
        if (line.text.size() < 2) return;
        EXPECT_NE(line.text[1], u'@') << qPrintable(at);
        if (line.text[1] == u'#') {
            EXPECT_TRUE(line.text[0].isUpper()) << qPrintable(at);
        }
    });
}

// A translation is more than the English copied over: only a few texts (names, "OK", units,
// words the language took from English) may stay as they are.
TEST_P(TranslatedTexts, IsTranslated) {
    int same = 0;
    QStringList samples;
    eachText([&](const Line& en, const Line& line, const QString&) {
        if (line.text == en.text) {
            ++same;
            samples << line.key + u'=' + line.text;
        }
    });
    const qsizetype total = englishSource().lines.size();
    EXPECT_LE(same * 10, total) << same << " of " << total << " texts are the English ones:\n"
                                << qPrintable(samples.join(u'\n'));
}

// The packed file in the build tree's language folder reads back through the program's reader
// to the very texts of its source.
TEST_P(LanguageSource, PackedFileReadsBackToTheSource) {
    const QString path = QDir(packedFolder()).filePath(name_ + QStringLiteral(".lng"));
    QFile packed(path);
    ASSERT_TRUE(packed.open(QIODevice::ReadOnly)) << qPrintable(path) << " is missing";
    const QByteArray content = packed.readAll();
    ASSERT_FALSE(content.isEmpty());
    EXPECT_EQ(content[0], char(1));

    // The plain text is the source's lines separated by CR LF.
    QByteArray expected;
    for (const Line& line : source_.lines)
        expected += (line.key + u'=' + line.text).toUtf8() + "\r\n";
    EXPECT_TRUE(core::unscrambleLanguageFile(content) == expected)
        << qPrintable(path) << " is older than or differs from its source";

    core::Language language;
    ASSERT_TRUE(language.load(path));
    ASSERT_TRUE(language.loaded());
    for (const Line& line : source_.lines) {
        EXPECT_EQ(language.lookup(line.key, false), line.text.trimmed())
            << qPrintable(where(name_, line));
        EXPECT_NE(language.lookup(line.key), line.key) << qPrintable(where(name_, line));
    }
    // Every English key is found, with its punctuation kept.
    for (const Line& line : englishSource().lines)
        EXPECT_NE(language.lookup(line.key + QStringLiteral(":")), line.key + QStringLiteral(":"))
            << qPrintable(where(name_, line));
}

// German nouns stay capitalised where the program lower-cases a text that continues a sentence
// (the log line's "[Rauschen=12]", the rotation status "(Original)").
TEST(GermanTexts, NounsKeepTheirCapitalInLowerCaseLookups) {
    core::Language german;
    ASSERT_TRUE(german.load(QDir(packedFolder()).filePath(QStringLiteral("german.lng"))));
    EXPECT_EQ(german.lowerCase("ALS_NOISE").toStdString(), "Rauschen");
    EXPECT_EQ(german.lowerCase("ALS_SOURCE").toStdString(), "Original");
    EXPECT_EQ(german.lookup("ALS_NOISE:").toStdString(), "Rauschen:");
    EXPECT_EQ(german.capitalised("ALS_NOISE").toStdString(), "Rauschen");
    // Words that are not nouns are lower-cased as usual.
    EXPECT_EQ(german.lowerCase("ALS_FLASH_FORCED").toStdString(), "erzwungen");
    EXPECT_EQ(german.capitalised("ALS_FLASH_FORCED").toStdString(), "Erzwungen");
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageSource, testing::ValuesIn(kLanguages),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

INSTANTIATE_TEST_SUITE_P(Translated, TranslatedTexts,
                         testing::ValuesIn(kLanguages + 1, std::end(kLanguages)),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

}  // namespace
