#include "core/files/folder_listing.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "document/document_fixtures.h"

namespace core {
namespace {

class FolderListingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(
            test::writePatternFile(dir.filePath(QStringLiteral("seed.png")), 12, 12, false));
        picture = test::readAll(dir.filePath(QStringLiteral("seed.png")));
        ASSERT_FALSE(picture.isEmpty());
        ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("seed.png"))));
        root = dir.filePath(QStringLiteral("root"));
        ASSERT_TRUE(QDir().mkpath(root));
    }
    // A real picture under the name, whatever its extension says.
    void addPicture(const QString& relative) {
        const QString path = root + QLatin1Char('/') + relative;
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        ASSERT_TRUE(test::writeAll(path, picture)) << qPrintable(path);
    }
    void addText(const QString& relative) {
        const QString path = root + QLatin1Char('/') + relative;
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        ASSERT_TRUE(test::writeAll(path, QByteArrayLiteral("not a picture")));
    }
    QStringList names(const QStringList& paths) const {
        QStringList out;
        for (const QString& p : paths)
            out << p.mid(root.size() + 1);
        return out;
    }

    QTemporaryDir dir;
    QByteArray picture;
    QString root;
    PictureCheck check = imagingPictureCheck();
};

TEST_F(FolderListingTest, FilesInNaturalOrderWithNumbersAndMixedCase) {
    for (const char* name :
         {"img10.png", "IMG2.png", "img1.png", "Beach.PNG", "apple.png", "img2b.png", "img100.png"})
        addPicture(QString::fromLatin1(name));
    addText(QStringLiteral("notes.txt"));
    addText(QStringLiteral("fake.jpg"));
    const FolderListing listing = listFolder(root, QString(), check);
    EXPECT_EQ(names(listing.files), QStringList({"apple.png", "Beach.PNG", "img1.png", "IMG2.png",
                                                 "img2b.png", "img10.png", "img100.png"}));
    EXPECT_EQ(listing.current, -1);
    EXPECT_EQ(listing.folders, QStringList{root + QLatin1Char('/')});
}

TEST_F(FolderListingTest, CurrentFileFoundByNameThenIgnoringCase) {
    for (const char* name : {"a1.png", "a2.png", "a3.png"})
        addPicture(QString::fromLatin1(name));
    struct Case {
        QString current;
        int expected;
    };
    const Case cases[] = {
        {root + QStringLiteral("/a2.png"), 1},
        {QStringLiteral("a3.png"), 2},
        {QStringLiteral("/elsewhere/A1.PNG"), 0},
        {QStringLiteral("a4.png"), -1},
        {QString(), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(listFolder(root, c.current, check).current, c.expected) << qPrintable(c.current);
}

TEST_F(FolderListingTest, ThumbnailAndIndexFilesAreNotPictures) {
    addPicture(QStringLiteral("onlythumbs/Thumbs.db"));
    addPicture(QStringLiteral("onlythumbs/IMG_0001.THM"));
    addPicture(QStringLiteral("onlythumbs/deeper/x.thm"));
    addPicture(QStringLiteral("photos/deep/er/IMG_0001.JPG.png"));
    addText(QStringLiteral("texts/readme.txt"));
    QDir().mkpath(root + QStringLiteral("/empty"));
    addPicture(QStringLiteral("top.db"));
    addPicture(QStringLiteral("top.png"));
    const FolderListing listing = listFolder(root, QStringLiteral("top.png"), check);
    EXPECT_EQ(names(listing.files), QStringList{"top.png"});
    EXPECT_EQ(listing.current, 0);
    EXPECT_EQ(listing.folders,
              QStringList({root + QLatin1Char('/'), root + QStringLiteral("/photos/")}));
}

TEST_F(FolderListingTest, SubFoldersSortedNaturally) {
    for (const char* name : {"day 10/a.png", "Day 9/a.png", "day 1/a.png"})
        addPicture(QString::fromLatin1(name));
    const FolderListing listing = listFolder(root + QLatin1Char('/'), QString(), check);
    EXPECT_TRUE(listing.files.isEmpty());
    EXPECT_EQ(listing.folders, QStringList({root + QLatin1Char('/'), root + "/day 1/",
                                            root + "/Day 9/", root + "/day 10/"}));
}

TEST_F(FolderListingTest, SymbolicLinkLoopsEndAndLinkedTreesAreNotEntered) {
    addText(QStringLiteral("loop/inner/readme.txt"));
    // inner/up leads back to loop, and loop/self to itself: following them never ends.
    ASSERT_TRUE(
        QFile::link(root + QStringLiteral("/loop"), root + QStringLiteral("/loop/inner/up")));
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/loop"), root + QStringLiteral("/loop/self")));
    addPicture(QStringLiteral("elsewhere/p.png"));
    // A link inside a tree is not followed, so the picture behind it does not count for "loop".
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/elsewhere"),
                            root + QStringLiteral("/loop/inner/pictures")));
    const FolderListing listing = listFolder(root, QString(), check);
    EXPECT_EQ(listing.folders,
              QStringList({root + QLatin1Char('/'), root + QStringLiteral("/elsewhere/")}));
    EXPECT_FALSE(treeHoldsPicture(root + QStringLiteral("/loop"), check));
    EXPECT_TRUE(treeHoldsPicture(root, check));
}

TEST_F(FolderListingTest, MissingFolderGivesEmptyLists) {
    const FolderListing listing =
        listFolder(root + QStringLiteral("/gone"), QStringLiteral("x.png"), check);
    EXPECT_TRUE(listing.files.isEmpty());
    EXPECT_TRUE(listing.folders.isEmpty());
    EXPECT_EQ(listing.current, -1);
    addPicture(QStringLiteral("file.png"));
    EXPECT_TRUE(listFolder(root + QStringLiteral("/file.png"), QString(), check).folders.isEmpty());
}

TEST_F(FolderListingTest, SearchStopsAtTheFirstPicture) {
    for (int i = 0; i < 5; ++i)
        addPicture(QStringLiteral("many/p%1.png").arg(i));
    addPicture(QStringLiteral("many/sub/q.png"));
    int asked = 0;
    const PictureCheck counting = [&](const QString& path) {
        ++asked;
        return check(path);
    };
    EXPECT_TRUE(treeHoldsPicture(root + QStringLiteral("/many"), counting));
    EXPECT_EQ(asked, 1);
}

TEST(NaturalOrder, NumbersCompareAsNumbersAndCaseDoesNotCount) {
    struct Case {
        const char* a;
        const char* b;
    };
    // Each pair in order.
    const Case cases[] = {{"a2", "a10"}, {"A2", "a10"}, {"a2", "A10"},      {"x9y", "x10y"},
                          {"b", "C"},    {"a", "ab"},   {"IMG_9", "img_10"}};
    for (const Case& c : cases) {
        EXPECT_TRUE(naturalLess(QString::fromLatin1(c.a), QString::fromLatin1(c.b)))
            << c.a << " " << c.b;
        EXPECT_FALSE(naturalLess(QString::fromLatin1(c.b), QString::fromLatin1(c.a)))
            << c.a << " " << c.b;
    }
    // Names equal but for case still have one order.
    EXPECT_NE(naturalLess(QStringLiteral("a.png"), QStringLiteral("A.png")),
              naturalLess(QStringLiteral("A.png"), QStringLiteral("a.png")));
}

}  // namespace
}  // namespace core
