// Clearing the disk caches deletes the cache's own files only: a cache folder the user chose may
// hold other files, and those stay.
#include "core/prefs/cache_clearing.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/main/program_registry.h"
#include "core/main/registry_key.h"

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
    file.write("x");
}

TEST(CacheNamesTest, ThumbnailNamesAndSubfolders) {
    EXPECT_EQ(core::thumbnailCacheName(QStringLiteral("IMG_1.JPG"), 1234567835u),
              QStringLiteral("IMG_1_1234567835.jpg"));
    // A stamp that leaves 35 when divided by 50 goes to sub-folder 36.
    EXPECT_EQ(core::thumbnailCacheSubfolder(1234567835u), 36);
    EXPECT_EQ(core::thumbnailCacheSubfolder(50u), 1);
    EXPECT_EQ(core::thumbnailCacheSubfolder(49u), 50);
    EXPECT_EQ(core::thumbnailCacheName(QStringLiteral("a.b.tif"), 7u), QStringLiteral("a.b_7.jpg"));
    EXPECT_EQ(core::thumbnailCacheName(QStringLiteral("raw"), 7u), QStringLiteral("raw_7.jpg"));
}

TEST(CacheNamesTest, OnlyTheCachesOwnNamesAreRecognised) {
    const struct {
        const char* name;
        int subfolder;
        bool cached;
    } thumbnails[] = {
        {"IMG_1_1234567835.jpg", 36, true},
        {"IMG_1_1234567835.jpg", 35, false},  // a stamp that belongs elsewhere
        {"IMG_1_1234567835.JPG", 36, false},  // the cache writes ".jpg"
        {"IMG_1_1234567835.jpeg", 36, false},
        {"holiday.jpg", 1, false},        // no stamp
        {"_50.jpg", 1, false},            // no name before the stamp
        {"x_0.jpg", 1, false},            // a missing file has no cache
        {"x_4294967295.jpg", 46, true},   // the largest stamp
        {"x_4294967296.jpg", 47, false},  // more than 32 bits
        {"x_12345678901.jpg", 2, false},
        {"a_b_101.jpg", 2, true},
    };
    for (const auto& t : thumbnails)
        EXPECT_EQ(core::isThumbnailCacheName(QString::fromLatin1(t.name), t.subfolder), t.cached)
            << t.name << " in " << t.subfolder;

    const struct {
        const char* name;
        bool cached;
    } settings[] = {
        {"1234567835_IMG_1.vrs", true},  {"0_a.vrs", true},
        {"1234567835_IMG_1.VRS", false}, {"IMG_1.vrs", false},
        {"_IMG_1.vrs", false},           {"1234567835_.vrs", false},
        {"12345678901_a.vrs", false},    {"4294967296_a.vrs", false},
        {"1234567835_IMG_1.jpg", false}, {"my presets.vrs", false},
    };
    for (const auto& s : settings)
        EXPECT_EQ(core::isFileSettingsCacheName(QString::fromLatin1(s.name)), s.cached) << s.name;
}

TEST(CacheClearingTest, ThumbnailCacheKeepsForeignFilesAndTheirFolders) {
    QTemporaryDir dir;
    const QString cache = dir.path();
    touch(cache + "/36/IMG_1_1234567835.jpg");
    touch(cache + "/1/b_50.jpg");
    touch(cache + "/1/c_100.jpg");
    touch(cache + "/2/holiday.jpg");  // the user's picture
    touch(cache + "/3/d_51.jpg");     // a name of the cache, in the wrong folder
    touch(cache + "/photo_7.jpg");    // beside the sub-folders
    touch(cache + "/51/e_50.jpg");    // no sub-folder of the cache
    touch(cache + "/4/sub/f_3.jpg");  // below a sub-folder

    const core::CacheClearing result = core::clearThumbnailCache(cache);
    EXPECT_EQ(result.removedFiles, 3);
    EXPECT_EQ(result.failedFiles, 0);
    EXPECT_EQ(result.removedFolders, 2);  // 36 and 1
    EXPECT_EQ(result.keptFiles, 3);       // holiday.jpg, d_51.jpg, the folder "sub"
    EXPECT_FALSE(QFileInfo::exists(cache + "/36"));
    EXPECT_FALSE(QFileInfo::exists(cache + "/1"));
    for (const char* kept :
         {"/2/holiday.jpg", "/3/d_51.jpg", "/photo_7.jpg", "/51/e_50.jpg", "/4/sub/f_3.jpg"})
        EXPECT_TRUE(QFile::exists(cache + kept)) << kept;
    EXPECT_TRUE(QFileInfo(cache).isDir());
}

TEST(CacheClearingTest, FileSettingsCacheKeepsForeignFilesAndResetsTheQuestion) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("settings.ini");
    core::RegistryKey key = core::programRegistryKey(ini);
    ASSERT_TRUE(key.create({{core::kValueReloadLastUsedSettings, "1"}}));

    const QString cache = dir.filePath("mine");
    touch(cache + "/1234567835_IMG_1.vrs");
    touch(cache + "/99_b.vrs");
    touch(cache + "/notes.txt");
    touch(cache + "/my settings.vrs");

    const core::CacheClearing result = core::clearFileSettingsCache(cache, &key);
    EXPECT_EQ(result.removedFiles, 2);
    EXPECT_EQ(result.keptFiles, 2);
    EXPECT_EQ(result.removedFolders, 0);
    EXPECT_TRUE(QFile::exists(cache + "/notes.txt"));
    EXPECT_TRUE(QFile::exists(cache + "/my settings.vrs"));
    EXPECT_FALSE(QFile::exists(cache + "/99_b.vrs"));
    EXPECT_EQ(core::programRegistryKey(ini).readInt(core::kValueReloadLastUsedSettings, -1), 2);
}

TEST(CacheClearingTest, AFileSettingsCacheOfItsOwnIsRemoved) {
    QTemporaryDir dir;
    const QString cache = dir.filePath("temp/fsets");
    touch(cache + "/1234567835_IMG_1.vrs");
    touch(cache + "/5_x.vrs");
    const core::CacheClearing result = core::clearFileSettingsCache(cache, nullptr);
    EXPECT_EQ(result.removedFiles, 2);
    EXPECT_EQ(result.removedFolders, 1);
    EXPECT_FALSE(QFileInfo::exists(cache));
    EXPECT_TRUE(QFileInfo(dir.filePath("temp")).isDir());
}

TEST(CacheClearingTest, MissingOrEmptyFoldersAreNoCache) {
    QTemporaryDir dir;
    // An empty path must not be taken for the working folder.
    touch(dir.filePath("1/a_1.jpg"));
    touch(dir.filePath("5_x.vrs"));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_EQ(core::clearThumbnailCache(QString()), core::CacheClearing{});
    EXPECT_EQ(core::clearFileSettingsCache(QString(), nullptr), core::CacheClearing{});
    QDir::setCurrent(before);
    EXPECT_TRUE(QFile::exists(dir.filePath("1/a_1.jpg")));
    EXPECT_TRUE(QFile::exists(dir.filePath("5_x.vrs")));

    EXPECT_EQ(core::clearThumbnailCache(dir.filePath("none")), core::CacheClearing{});
    EXPECT_EQ(core::clearFileSettingsCache(dir.filePath("none"), nullptr), core::CacheClearing{});
}

TEST(CacheClearingTest, TheQuestionIsResetEvenWithoutACacheFolder) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("settings.ini");
    core::RegistryKey key = core::programRegistryKey(ini);
    ASSERT_TRUE(key.create({{core::kValueReloadLastUsedSettings, "0"}}));
    core::clearFileSettingsCache(dir.filePath("none"), &key);
    EXPECT_EQ(key.readInt(core::kValueReloadLastUsedSettings, -1), 2);
}

}  // namespace
