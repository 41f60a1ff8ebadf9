#include "core/main/skin_choice.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void write(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

class SkinChoiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(program.isValid());
        ASSERT_TRUE(data.isValid());
        write(program.filePath(QStringLiteral("skins/style.ini")), "[Current]\nDir_path=Blue\n");
        write(program.filePath(QStringLiteral("skins/Blue/style.ini")), "[Buttons]\nStyle=1\n");
        write(program.filePath(QStringLiteral("skins/Dark/style.ini")), "[Buttons]\nStyle=3\n");
        QDir().mkpath(program.filePath(QStringLiteral("skins/Empty")));  // no skin file
    }
    core::ProgramFolders folders() const { return {program.path(), data.path()}; }
    QTemporaryDir program;
    QTemporaryDir data;
};

TEST_F(SkinChoiceTest, ListsTheFoldersThatHoldASkinFile) {
    EXPECT_EQ(core::availableSkins(folders()),
              (QStringList{QStringLiteral("Blue"), QStringLiteral("Dark")}));
}

TEST_F(SkinChoiceTest, TheShippedIndexHoldsUntilAChoiceIsStored) {
    EXPECT_EQ(core::skinIndexFile(folders()), program.filePath(QStringLiteral("skins/style.ini")));
    EXPECT_EQ(core::currentSkin(folders()).name, QStringLiteral("Blue"));

    ASSERT_TRUE(core::storeSkinChoice(folders(), QStringLiteral("Dark")).ok());
    EXPECT_EQ(core::skinIndexFile(folders()), data.filePath(QStringLiteral("skins/style.ini")));
    const core::CurrentSkin dark = core::currentSkin(folders());
    ASSERT_TRUE(dark.found());
    EXPECT_EQ(dark.name, QStringLiteral("Dark"));
    EXPECT_EQ(dark.file.buttons.drawingStyle(), 5);

    // The plain look: an index that names no skin, so nothing is changed.
    ASSERT_TRUE(core::storeSkinChoice(folders(), QString()).ok());
    EXPECT_EQ(core::currentSkin(folders()).lookup, core::SkinLookup::NoSkinFolder);
    // The shipped index is left as it was.
    EXPECT_EQ(core::findSkin(program.filePath(QStringLiteral("skins/style.ini")),
                             core::skinsFolder(folders()))
                  .name,
              QStringLiteral("Blue"));
}

TEST_F(SkinChoiceTest, RefusesNamesThatLeaveTheSkinsFolder) {
    const core::Status stored = core::storeSkinChoice(folders(), QStringLiteral("../Blue"));
    ASSERT_FALSE(stored.ok());
    EXPECT_EQ(stored.failure().key, QStringLiteral("ER_CANNOT_SAVE"));
    EXPECT_FALSE(QFileInfo::exists(data.filePath(QStringLiteral("skins/style.ini"))));
}

TEST_F(SkinChoiceTest, AFolderThatCannotBeWrittenIsReported) {
    // A file where the "skins" folder would be.
    write(data.filePath(QStringLiteral("skins")), "in the way");
    const core::Status stored = core::storeSkinChoice(folders(), QStringLiteral("Dark"));
    ASSERT_FALSE(stored.ok());
    EXPECT_EQ(stored.failure().key, QStringLiteral("ER_CANNOT_CREATE_FOLDER"));
}

}  // namespace
