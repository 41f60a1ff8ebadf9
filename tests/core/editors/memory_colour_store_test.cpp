#include "core/editors/memory_colour_store.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/editors/memory_colour_file.h"
#include "imaging/file_io.h"

namespace {

class MemoryColorStoreTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("mc.dat")); }
    std::vector<std::string> stored() const {
        std::vector<std::string> names;
        for (const auto& c : core::loadMemoryColors(path()).colors)
            names.push_back(c.ColorName);
        return names;
    }
    using Names = std::vector<std::string>;
};

TEST_F(MemoryColorStoreTest, EveryChangeIsWrittenAtOnce) {
    core::MemoryColorStore store(path());
    ASSERT_TRUE(store.load());
    EXPECT_TRUE(store.colors().empty());
    ASSERT_TRUE(store.add(QStringLiteral("Sky"), {20000, 30000, 60000}));
    ASSERT_TRUE(store.add(QStringLiteral("Skin"), {60000, 45000, 38000}));
    ASSERT_TRUE(store.add(QStringLiteral("Grass"), {9000, 40000, 7000}));
    EXPECT_EQ(stored(), (Names{"Sky", "Skin", "Grass"}));
    ASSERT_TRUE(store.rename(1, QStringLiteral("Face")));
    EXPECT_EQ(stored(), (Names{"Sky", "Face", "Grass"}));
    ASSERT_TRUE(store.move(0, core::RowMove::Down, false));
    EXPECT_EQ(stored(), (Names{"Face", "Sky", "Grass"}));
    ASSERT_TRUE(store.remove(2));
    EXPECT_EQ(stored(), (Names{"Face", "Sky"}));
    // Another store over the same file reads what was written.
    core::MemoryColorStore again(path());
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.colors(), store.colors());
    ASSERT_TRUE(store.remove(0));
    ASSERT_TRUE(store.remove(0));
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(MemoryColorStoreTest, AFileThatCouldNotBeReadIsNeverOverwritten) {
    ASSERT_TRUE(core::saveMemoryColors(path(), {{"Sky", 1, 2, 3}, {"Skin", 4, 5, 6}}));
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    core::MemoryColorStore store(path());
    {
        imaging::ScopedReadFailure failing(10);
        EXPECT_FALSE(store.load());
    }
    const core::Status s = store.add(QStringLiteral("Grass"), {7, 8, 9});
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.failure().key, QStringLiteral("ER_CANNOT_SAVE"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    // Read again once the disk answers: the stored colours are all there.
    ASSERT_TRUE(store.load());
    EXPECT_EQ(store.colors().size(), 2u);
}

TEST_F(MemoryColorStoreTest, ChangesThatDoNotApplyWriteNothing) {
    core::MemoryColorStore store(path());
    ASSERT_TRUE(store.load());
    EXPECT_TRUE(store.move(0, core::RowMove::Up, true));
    EXPECT_TRUE(store.remove(3));
    EXPECT_TRUE(store.rename(0, QStringLiteral("x")));
    EXPECT_FALSE(QFile::exists(path()));
}

}  // namespace
