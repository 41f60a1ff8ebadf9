#include "core/navigator/thumbnail_cache.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/presets/file_settings_cache.h"
#include "gui_application.h"
#include "navigator/navigator_fixtures.h"

namespace {

using core::NavigatorThumbnail;

// The key is the packed local date and time; its remainder by 50 picks the sub-folder.
TEST(NavigatorThumbnailCache, KeyAndCacheFileFollowThePackedDate) {
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("IMG_1.JPG"));
    ASSERT_TRUE(navtest::writeText(picture, QByteArray(300, 'x')));
    // Two-second steps from a fixed time until the packed number leaves 35 over 50.
    QDateTime time(QDate(2021, 6, 14), QTime(10, 20, 0));
    while (uint32_t(core::packedFileDate(time)) % 50 != 35)
        time = time.addSecs(2);
    ASSERT_TRUE(navtest::setModified(picture, time));
    const uint32_t key = core::thumbnailCacheKey(picture);
    EXPECT_EQ(key, uint32_t(core::packedFileDate(time)));
    EXPECT_EQ(key % 50, 35u);
    // 2021-06-14: (41 << 9 | 6 << 5 | 14) in the high half.
    EXPECT_EQ(key >> 16, (41u << 9) | (6u << 5) | 14u);
    EXPECT_EQ(core::thumbnailCacheFile(QStringLiteral("/c"), picture, key),
              QStringLiteral("/c/36/IMG_1_") + QString::number(key) + QStringLiteral(".jpg"));

    struct Case {
        QString name;
        QString expected;
    };
    const Case cases[] = {{"a.b.jpeg", "/c/1/a.b_100.jpg"},
                          {"noext", "/c/1/noext_100.jpg"},
                          {"IMG.tif", "/c/1/IMG_100.jpg"}};
    for (const Case& c : cases)
        EXPECT_EQ(core::thumbnailCacheFile(QStringLiteral("/c"), dir.filePath(c.name), 100),
                  c.expected)
            << c.name.toStdString();
    EXPECT_EQ(core::thumbnailCacheKey(dir.filePath(QStringLiteral("missing.jpg"))), 0u);
    EXPECT_EQ(core::thumbnailCacheKey(dir.path()), 0u);
}

TEST(NavigatorThumbnailCache, MadeOnceThenReadFromTheCache) {
    coretest::ensureGuiApplication();
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("wide.jpg"));
    ASSERT_TRUE(navtest::writeJpeg(picture, 600, 300));
    const core::ThumbnailSettings settings{dir.filePath(QStringLiteral("cache")), true, true};

    const NavigatorThumbnail first = core::loadNavigatorThumbnail(picture, settings);
    EXPECT_EQ(first.source, NavigatorThumbnail::Source::Decoded);
    EXPECT_TRUE(first.stored);
    EXPECT_EQ(first.image.size(), QSize(250, 125));
    EXPECT_TRUE(navtest::near(first.image, 0.25, 0.25, Qt::red));
    EXPECT_TRUE(navtest::near(first.image, 0.75, 0.75, Qt::yellow));
    const QString cacheFile =
        core::thumbnailCacheFile(settings.cacheFolder, picture, core::thumbnailCacheKey(picture));
    ASSERT_TRUE(QFileInfo(cacheFile).isFile());

    const NavigatorThumbnail second = core::loadNavigatorThumbnail(picture, settings);
    EXPECT_EQ(second.source, NavigatorThumbnail::Source::Cache);
    EXPECT_FALSE(second.stored);
    EXPECT_EQ(second.image.size(), QSize(250, 125));
    EXPECT_TRUE(navtest::near(second.image, 0.75, 0.25, Qt::green));
}

TEST(NavigatorThumbnailCache, NothingIsStoredWhenTheCacheIsOffOrTheFileTiny) {
    coretest::ensureGuiApplication();
    QTemporaryDir dir;
    const QString cache = dir.filePath(QStringLiteral("cache"));
    const QString picture = dir.filePath(QStringLiteral("p.jpg"));
    ASSERT_TRUE(navtest::writeJpeg(picture));
    const NavigatorThumbnail off = core::loadNavigatorThumbnail(picture, {cache, false, true});
    EXPECT_EQ(off.source, NavigatorThumbnail::Source::Decoded);
    EXPECT_FALSE(off.stored);
    EXPECT_FALSE(QFileInfo::exists(cache));

    // A picture under 200 bytes: a 1 x 1 GIF is 35.
    const QString tiny = dir.filePath(QStringLiteral("tiny.gif"));
    ASSERT_TRUE(navtest::writeText(
        tiny, QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c0000000"
                                  "0010001000002024401003b")));
    const NavigatorThumbnail small = core::loadNavigatorThumbnail(tiny, {cache, true, true});
    EXPECT_EQ(small.source, NavigatorThumbnail::Source::Decoded);
    EXPECT_FALSE(small.stored);

    // Unreadable: no image (drawn grey), nothing stored.
    const QString broken = dir.filePath(QStringLiteral("broken.jpg"));
    ASSERT_TRUE(navtest::writeText(broken, QByteArray(500, '\x01')));
    const NavigatorThumbnail bad = core::loadNavigatorThumbnail(broken, {cache, true, true});
    EXPECT_EQ(bad.source, NavigatorThumbnail::Source::Failed);
    EXPECT_TRUE(bad.image.isNull());
    EXPECT_FALSE(QFileInfo::exists(cache));
}

// A cache file that cannot be written is skipped: the thumbnail is still shown.
TEST(NavigatorThumbnailCache, AnUnwritableCacheFolderIsSkipped) {
    coretest::ensureGuiApplication();
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("p.jpg"));
    ASSERT_TRUE(navtest::writeJpeg(picture));
    // A file where the cache folder would be.
    const QString blocked = dir.filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(navtest::writeText(blocked, "x"));
    const NavigatorThumbnail t = core::loadNavigatorThumbnail(picture, {blocked, true, true});
    EXPECT_EQ(t.source, NavigatorThumbnail::Source::Decoded);
    EXPECT_FALSE(t.stored);
    EXPECT_FALSE(t.image.isNull());
}

}  // namespace
