// Where the caches live: a stored folder that exists, else the defaults under "temp".
#include "core/prefs/cache_folders.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/main/program_registry.h"
#include "core/main/registry_key.h"
#include "core/paths/program_folders.h"

namespace {

TEST(CacheFoldersTest, StoredFoldersAreUsedOnlyWhileTheyExist) {
    QTemporaryDir dir;
    const core::ProgramFolders folders(dir.filePath("program"), dir.filePath("data"));
    const QString thumbs = dir.filePath("data/temp/cache");
    const QString settings = dir.filePath("data/temp/fsets");
    EXPECT_EQ(core::defaultThumbnailCacheFolder(folders), thumbs);
    EXPECT_EQ(core::defaultFileSettingsCacheFolder(folders), settings);
    EXPECT_EQ(core::thumbnailCacheFolder(nullptr, folders), thumbs);
    EXPECT_EQ(core::fileSettingsCacheFolder(nullptr, folders), settings);

    core::RegistryKey key = core::programRegistryKey(dir.filePath("settings.ini"));
    ASSERT_TRUE(key.create({{core::kValueImageCachePath, dir.filePath("mine/thumbs/")},
                            {core::kValueFileSettingsCachePath, dir.filePath("gone")}}));
    // Neither exists yet.
    EXPECT_EQ(core::thumbnailCacheFolder(&key, folders), thumbs);
    EXPECT_EQ(core::fileSettingsCacheFolder(&key, folders), settings);
    ASSERT_TRUE(QDir().mkpath(dir.filePath("mine/thumbs")));
    EXPECT_EQ(core::thumbnailCacheFolder(&key, folders), dir.filePath("mine/thumbs"));
    EXPECT_EQ(core::fileSettingsCacheFolder(&key, folders), settings);
}

TEST(CacheFoldersTest, FoldersAreComparedAndShownInOneForm) {
    EXPECT_EQ(core::plainFolder("/a/b/"), "/a/b");
    EXPECT_EQ(core::plainFolder("/a//b/./"), "/a/b");
    EXPECT_EQ(core::plainFolder(""), "");
    EXPECT_EQ(core::shownFolder("/a/b"), "/a/b/");
    EXPECT_EQ(core::shownFolder("/a/b/"), "/a/b/");
    EXPECT_EQ(core::shownFolder("/"), "/");
    EXPECT_EQ(core::shownFolder(""), "");
}

}  // namespace
