#include "core/files/rename_template.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/files/file_renaming.h"
#include "core/files/path_bytes.h"
#include "core/files/rename_preview.h"
#include "imaging/imaging.h"

namespace {

using namespace core::renaming;

const QDateTime kShot(QDate(2024, 2, 3), QTime(14, 5, 9));

struct ExpansionCase {
    const char* pattern;
    const char* counter;
    const char* name;
    const char* expected;
};

TEST(RenameTemplate, TagsExpandInTheirOrder) {
    const ExpansionCase cases[] = {
        // The example of the default template at 14:05:09 on the third of February.
        {kDefaultTemplate, "1", "filename", "2024.02.03_14.05.09_filename"},
        {"[year4].[month].[day]_[hours][minutes][seconds]_[name]", "1", "x", "2024.02.03_140509_x"},
        {"[year2]", "1", "x", "24"},
        {"#[counter]", "07", "x", "#07"},
        {"[counter]_[name]", "12", "IMG_0001", "12_IMG_0001"},
        // Tags are found whatever their letter case.
        {"[NAME]-[Year4]-[MONTH]-[Day]-[HOURS]", "1", "p", "p-2024-02-03-14"},
        // Later tags are replaced inside an old name; the counter came first, so its tag stays.
        {"[name]", "5", "x[day]y", "x03y"},
        {"[name]", "5", "[counter]", "[counter]"},
        // The template is trimmed; inner blanks stay.
        {"  [name] copy  ", "1", "a", "a copy"},
        // Forbidden characters go.
        {"a:b?c", "1", "x", "abc"},
        {"1\"2'3*4/5:6<7>8?9\\0|!", "1", "x", "1234567890!"},
        {"plain", "1", "x", "plain"},
        {"", "1", "x", ""},
    };
    for (const ExpansionCase& c : cases) {
        EXPECT_EQ(exampleName(QString::fromUtf8(c.pattern), QString::fromUtf8(c.counter),
                              QString::fromUtf8(c.name), kShot),
                  QString::fromUtf8(c.expected))
            << c.pattern;
    }
}

TEST(RenameTemplate, TagListAndPredefinedTemplates) {
    const auto& tags = templateTags();
    ASSERT_EQ(tags.size(), 9u);
    EXPECT_STREQ(tags[0].tag, "[name]");
    EXPECT_STREQ(tags[0].descriptionKey, "ALS_ORIGINAL_NAME");
    EXPECT_STREQ(tags[1].tag, "[counter]");
    EXPECT_STREQ(tags[8].tag, "[seconds]");
    EXPECT_STREQ(tags[8].descriptionKey, "ALS_SECONDS");
    EXPECT_STREQ(predefinedTemplates()[0], kDefaultTemplate);
    EXPECT_STREQ(predefinedTemplates()[5], "#[counter]");
    EXPECT_STREQ(predefinedTemplates()[6], "[counter]_[name]");
}

TEST(RenameTemplate, CounterIsAsWideAsTheNumberOfFiles) {
    struct Case {
        int value, count;
        const char* text;
    };
    const Case cases[] = {{1, 1, "1"},     {3, 9, "3"},      {1, 12, "01"}, {12, 12, "12"},
                          {1, 100, "001"}, {42, 100, "042"}, {7, 0, "7"},   {100, 99, "100"}};
    for (const Case& c : cases)
        EXPECT_EQ(counterText(c.value, c.count), QLatin1String(c.text))
            << c.value << "/" << c.count;
}

TEST(RenameTemplate, NamesSplitAtTheirLastDot) {
    struct Case {
        const char* name;
        const char* stem;
        const char* extension;
    };
    const Case cases[] = {{"a.jpg", "a", ".jpg"},
                          {"a.b.JPG", "a.b", ".JPG"},
                          {"noext", "noext", ""},
                          {".hidden", ".hidden", ""},
                          {"trailing.", "trailing", "."}};
    for (const Case& c : cases) {
        const NameParts parts = splitName(QLatin1String(c.name));
        EXPECT_EQ(parts.stem, QLatin1String(c.stem)) << c.name;
        EXPECT_EQ(parts.extension, QLatin1String(c.extension)) << c.name;
    }
}

// Names are cut by their bytes on disk, at whole characters.
TEST(RenameTemplate, CutsByBytesAtWholeCharacters) {
    const QString e = QString::fromUtf8("\xC3\xA9");               // 2 bytes
    const QString euro = QString::fromUtf8("\xE2\x82\xAC");        // 3 bytes
    const QString camera = QString::fromUtf8("\xF0\x9F\x93\xB7");  // 4 bytes, 2 UTF-16 units
    const QString latin1 = core::decodePath("\xE9");               // 1 byte that is not UTF-8
    struct Case {
        QString text;
        int maxBytes;
        QString expected;
    };
    const Case cases[] = {
        {QString(300, u'x'), 255, QString(255, u'x')},
        {e.repeated(200), 255, e.repeated(127)},
        {QStringLiteral("a") + e.repeated(200), 255, QStringLiteral("a") + e.repeated(127)},
        {euro.repeated(100), 255, euro.repeated(85)},
        {euro.repeated(100), 254, euro.repeated(84)},
        {camera.repeated(70), 255, camera.repeated(63)},
        {latin1.repeated(300), 255, latin1.repeated(255)},
        {QStringLiteral("short"), 255, QStringLiteral("short")},
        {e, 1, QString()},
    };
    for (const Case& c : cases) {
        const QString cut = cutToBytes(c.text, c.maxBytes);
        EXPECT_EQ(cut, c.expected) << c.maxBytes;
        EXPECT_LE(nameBytes(cut), c.maxBytes);
        // Never half a character: the bytes read back as the same text.
        EXPECT_EQ(core::decodePath(core::encodePath(cut)), cut);
    }
}

// The 255-character cut of the template alone would give 500 bytes: the name is cut to what the
// file system takes, with the extension kept.
TEST(RenameTemplate, NewNameFitsTheFileSystemWithItsExtension) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString e = QString::fromUtf8("\xC3\xA9");
    const QString path = dir.filePath(QStringLiteral("a.jpeg"));
    const QString target =
        expandedPath(e.repeated(250), QStringLiteral("1"), path, true, dateToText(kShot));
    const QString name = target.mid(dir.path().size() + 1);
    EXPECT_EQ(name, e.repeated(125) + QStringLiteral(".jpeg"));
    EXPECT_EQ(nameBytes(name), 255);

    // The example (no extension) is cut the same way.
    EXPECT_EQ(exampleName(e.repeated(250), QStringLiteral("1"), QStringLiteral("f"), kShot),
              e.repeated(127));

    // With a " [1]" the cut leaves room for it too, and the name is still a valid one.
    QFile taken(target);
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.close();
    const QString second =
        expandedPath(e.repeated(250), QStringLiteral("1"), path, true, dateToText(kShot));
    const QString secondName = second.mid(dir.path().size() + 1);
    EXPECT_EQ(secondName, e.repeated(123) + QStringLiteral(" [1].jpeg"));
    EXPECT_LE(nameBytes(secondName), 255);
    QFile made(second);
    EXPECT_TRUE(made.open(QIODevice::WriteOnly));
}

TEST(RenameTemplate, CollisionsGetANumberBeforeTheExtension) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto touch = [&](const char* name) {
        QFile f(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    touch("a.jpg");
    touch("N.jpg");
    const QString date = dateToText(kShot);
    const QString a = dir.filePath(QStringLiteral("a.jpg"));
    EXPECT_EQ(expandedPath(QStringLiteral("N"), QStringLiteral("1"), a, false, date),
              dir.filePath(QStringLiteral("N.jpg")));
    EXPECT_EQ(expandedPath(QStringLiteral("N"), QStringLiteral("1"), a, true, date),
              dir.filePath(QStringLiteral("N [1].jpg")));
    touch("N [1].jpg");
    EXPECT_EQ(expandedPath(QStringLiteral("N"), QStringLiteral("1"), a, true, date),
              dir.filePath(QStringLiteral("N [2].jpg")));
    // Its own name is no collision, in any letter case.
    EXPECT_EQ(expandedPath(QStringLiteral("a"), QStringLiteral("1"), a, true, date), a);
    EXPECT_EQ(expandedPath(QStringLiteral("A"), QStringLiteral("1"), a, true, date),
              dir.filePath(QStringLiteral("A.jpg")));
    // A template that gives nothing keeps the old name.
    EXPECT_EQ(expandedPath(QStringLiteral(":?"), QStringLiteral("1"), a, true, date), a);
}

TEST(RenameTemplate, RememberedDatesComeBackToTheSecond) {
    const QDateTime moments[] = {kShot, QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)),
                                 QDateTime(QDate(2030, 1, 1), QTime(0, 0, 0))};
    for (const QDateTime& m : moments)
        EXPECT_EQ(dateFromText(dateToText(m)), m) << qPrintable(dateToText(m));
    EXPECT_FALSE(dateFromText(QStringLiteral("yesterday")).isValid());
}

// Writes a small JPEG whose EXIF names dateTime as the moment it was taken (empty: no EXIF).
bool writePhoto(const QString& path, const std::string& dateTime) {
    const imaging::Handle s = imaging::cNewSession();
    bool ok = imaging::cLoadImage8(s, nullptr, 16 * 48, 16, 16);
    if (ok && !dateTime.empty()) {
        // One ASCII entry (0x0132, DateTime) in the first directory, little-endian.
        std::vector<std::uint8_t> b = {'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x32, 0x01, 2, 0};
        const auto put32 = [&](std::uint32_t v) {
            for (int i = 0; i < 4; ++i)
                b.push_back((v >> (8 * i)) & 0xFF);
        };
        put32(static_cast<std::uint32_t>(dateTime.size() + 1));
        put32(8 + 2 + 12 + 4);
        put32(0);
        b.insert(b.end(), dateTime.begin(), dateTime.end());
        b.push_back(0);
        ok = imaging::cPutImageEXIF_Info(s, b);
    }
    ok = ok && imaging::cSave(s, core::encodePath(path).toStdString(), imaging::kCodeJpeg);
    imaging::cDestroySession(s);
    return ok;
}

// The shooting date first, else the file's time (also for a date of all zeros), else now.
TEST(RenameTemplate, FilesAreDatedByExifThenModificationTime) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString shot = dir.filePath(QStringLiteral("shot.jpg"));
    const QString zero = dir.filePath(QStringLiteral("zero.jpg"));
    const QString plain = dir.filePath(QStringLiteral("plain.jpg"));
    ASSERT_TRUE(writePhoto(shot, "2019:07:14 16:30:05"));
    ASSERT_TRUE(writePhoto(zero, "0000:00:00 00:00:00"));
    ASSERT_TRUE(writePhoto(plain, ""));
    const QDateTime modified(QDate(2021, 5, 6), QTime(7, 8, 9));
    for (const QString& p : {shot, zero, plain})
        ASSERT_TRUE(core::setModificationTime(p, {modified.toSecsSinceEpoch(), 0}));
    const QDateTime now(QDate(2030, 1, 2), QTime(3, 4, 5));
    const Dating withExif{false, now};
    const Dating withoutExif{true, now};

    EXPECT_EQ(fileDate(shot, withExif), QDateTime(QDate(2019, 7, 14), QTime(16, 30, 5)));
    EXPECT_EQ(fileDate(shot, withoutExif), modified);
    EXPECT_EQ(fileDate(zero, withExif), modified);
    EXPECT_EQ(fileDate(plain, withExif), modified);
    EXPECT_EQ(fileDate(dir.filePath(QStringLiteral("gone.jpg")), withExif), now);

    const QString pattern = QStringLiteral("[year4]-[month]-[day] [hours].[minutes].[seconds]");
    EXPECT_EQ(expandedPath(pattern, QStringLiteral("1"), shot, false, std::nullopt, withExif),
              dir.filePath(QStringLiteral("2019-07-14 16.30.05.jpg")));
    EXPECT_EQ(expandedPath(pattern, QStringLiteral("1"), zero, false, std::nullopt, withExif),
              dir.filePath(QStringLiteral("2021-05-06 07.08.09.jpg")));
    // A remembered date wins; one that is no date is ignored.
    EXPECT_EQ(expandedPath(pattern, QStringLiteral("1"), shot, false, dateToText(now), withExif),
              dir.filePath(QStringLiteral("2030-01-02 03.04.05.jpg")));
    EXPECT_EQ(
        expandedPath(pattern, QStringLiteral("1"), shot, false, QStringLiteral("?"), withExif),
        dir.filePath(QStringLiteral("2019-07-14 16.30.05.jpg")));
}

TEST(RenamePreview, AddingATagMovesItToTheEnd) {
    struct Case {
        const char* pattern;
        const char* tag;
        const char* expected;
    };
    const Case cases[] = {
        {"", "[name]", "[name]"},
        {"[year4]_", "[name]", "[year4]_[name]"},
        {"[name] [year4]", "[name]", "[year4][name]"},
        {"a [NAME] b [name]", "[name]", "a b[name]"},
        {"  x  ", "[day]", "x[day]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(addTagToTemplate(QLatin1String(c.pattern), QLatin1String(c.tag)),
                  QLatin1String(c.expected))
            << c.pattern;
}

TEST(RenamePreview, ListEntriesShowTheirExample) {
    EXPECT_EQ(templateListEntry(QStringLiteral("#[counter]"), QStringLiteral("example"), kShot),
              QStringLiteral("#[counter] (example: #1)"));
    EXPECT_EQ(templateExample(QLatin1String(kDefaultTemplate), kShot),
              QStringLiteral("2024.02.03_14.05.09_filename"));
}

// The preview numbers every row in turn (it cannot know which names will stay), with the width of
// the row count, and keeps each row's date once found.
TEST(RenamePreview, RowsShowTheirNewNames) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList paths;
    for (int i = 0; i < 12; ++i) {
        paths << dir.filePath(QStringLiteral("f%1.jpg").arg(i));
        QFile f(paths.back());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        ASSERT_TRUE(core::setModificationTime(paths.back(), {kShot.toSecsSinceEpoch(), 0}));
    }
    RenamePreview preview(paths, Dating{true, kShot.addDays(1)});
    preview.update(QStringLiteral("#[counter]"));
    ASSERT_EQ(preview.rows().size(), 12u);
    EXPECT_EQ(preview.rows()[0].fileName, QStringLiteral("f0.jpg"));
    EXPECT_EQ(preview.rows()[0].newName, QStringLiteral("#01.jpg"));
    EXPECT_EQ(preview.rows()[11].newName, QStringLiteral("#12.jpg"));
    // Dates are remembered: a later change of the file does not move the preview.
    ASSERT_TRUE(core::setModificationTime(paths[3], {kShot.addYears(-3).toSecsSinceEpoch(), 0}));
    preview.update(QStringLiteral("[year4]_[name]"));
    EXPECT_EQ(preview.rows()[3].newName, QStringLiteral("2024_f3.jpg"));
    EXPECT_EQ(preview.paths(), paths);
}

}  // namespace
