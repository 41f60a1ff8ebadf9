#include "core/navigator/navigator_model.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include "core/i18n/language.h"
#include "core/main/registry_key.h"
#include "navigator/navigator_fixtures.h"

namespace {

using core::NavigatorItemKind;
using core::NavigatorModel;

struct ModelFixture : ::testing::Test {
    void SetUp() override {
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
            ASSERT_TRUE(navtest::writeText(dir.filePath(QString::fromLatin1(name)), "x"));
        listing.folders = {dir.path() + QStringLiteral("/"), dir.path() + QStringLiteral("/sub/")};
        listing.files = {dir.filePath(QStringLiteral("a.jpg")),
                         dir.filePath(QStringLiteral("b.jpg")),
                         dir.filePath(QStringLiteral("c.jpg"))};
        model.setListing(dir.path(), listing);
        texts.setText(
            QStringLiteral("ALS_SELECTION=Checked\r\nALS_NAVPANEL_COPY=Copy to folder\r\n"
                           "ALS_NAVPANEL_COPY_SELECTED=Copy the checked files\r\n"
                           "ALS_NAVPANEL_QUEUE=Add to the queue\r\n"
                           "ALS_NAVPANEL_QUEUE_SELECTED=Add the checked files"));
    }
    QTemporaryDir dir;
    core::FolderListing listing;
    NavigatorModel model;
    core::Language texts;
};

TEST_F(ModelFixture, ItemsAreTheWayUpTheSubFoldersThenThePictures) {
    const auto& items = model.items();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].kind, NavigatorItemKind::Folder);
    EXPECT_EQ(items[0].caption, QStringLiteral(".."));
    EXPECT_EQ(items[1].kind, NavigatorItemKind::Folder);
    EXPECT_EQ(items[1].caption, QStringLiteral("sub"));
    EXPECT_EQ(items[1].path, dir.path() + QStringLiteral("/sub/"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items[size_t(2 + i)].kind, NavigatorItemKind::File);
        EXPECT_EQ(items[size_t(2 + i)].fileIndex, i);
        EXPECT_EQ(items[size_t(2 + i)].path, listing.files[i]);
    }
    // At the top of the file system there is no way up.
    NavigatorModel root;
    root.setListing(QStringLiteral("/"), {{}, {QStringLiteral("/")}, -1});
    EXPECT_TRUE(root.parentFolder().isEmpty());
    EXPECT_TRUE(root.items().empty());
}

TEST_F(ModelFixture, CheckMarksAndTheSelectionLine) {
    struct Step {
        std::function<void(NavigatorModel&)> act;
        QStringList checked;
    };
    const Step steps[] = {
        {[](NavigatorModel& m) { m.setChecked(1, true); }, {"b.jpg"}},
        {[](NavigatorModel& m) { m.reverseChecks(); }, {"a.jpg", "c.jpg"}},
        {[](NavigatorModel& m) { m.checkAll(); }, {"a.jpg", "b.jpg", "c.jpg"}},
        {[](NavigatorModel& m) { m.setChecked(0, false); }, {"b.jpg", "c.jpg"}},
        {[](NavigatorModel& m) { m.setChecked(7, true); }, {"b.jpg", "c.jpg"}},
        {[](NavigatorModel& m) { m.uncheckAll(); }, {}},
    };
    for (const Step& step : steps) {
        step.act(model);
        QStringList expected;
        for (const QString& name : step.checked)
            expected << dir.filePath(name);
        EXPECT_EQ(model.checkedFiles(), expected);
        EXPECT_EQ(model.selectionText(texts),
                  QStringLiteral("Checked: %1/3").arg(step.checked.size()));
    }
    // Another folder starts afresh; the same folder re-listed keeps marks of files still there.
    model.setChecked(0, true);
    model.setChecked(2, true);
    core::FolderListing fewer = listing;
    fewer.files.removeAt(0);
    model.relist(fewer);
    EXPECT_EQ(model.checkedFiles(), QStringList{dir.filePath(QStringLiteral("c.jpg"))});
    model.setListing(dir.path(), listing);
    EXPECT_EQ(model.checkedCount(), 0);
}

TEST_F(ModelFixture, CommandsActOnCheckedFilesThatExistElseTheCurrentFile) {
    EXPECT_TRUE(model.commandFiles().isEmpty());
    const core::NavigatorMenuState none = core::navigatorMenuState(model, texts);
    EXPECT_FALSE(none.fileCommands);
    EXPECT_FALSE(none.uncheckAll);

    model.setCurrentFile(listing.files[2]);
    EXPECT_EQ(model.commandFiles(), QStringList{listing.files[2]});
    EXPECT_TRUE(model.queueFiles().isEmpty());
    const core::NavigatorMenuState current = core::navigatorMenuState(model, texts);
    EXPECT_TRUE(current.fileCommands);
    EXPECT_FALSE(current.uncheckAll);
    EXPECT_EQ(current.copyCaption, QStringLiteral("Copy to folder..."));
    EXPECT_EQ(current.queueCaption, QStringLiteral("Add to the queue"));

    model.setChecked(0, true);
    model.setChecked(1, true);
    ASSERT_TRUE(QFile::remove(listing.files[1]));
    EXPECT_EQ(model.commandFiles(), QStringList{listing.files[0]});
    EXPECT_EQ(model.queueFiles(), QStringList{listing.files[0]});
    const core::NavigatorMenuState checked = core::navigatorMenuState(model, texts);
    EXPECT_TRUE(checked.fileCommands);
    EXPECT_TRUE(checked.uncheckAll);
    EXPECT_EQ(checked.copyCaption, QStringLiteral("Copy the checked files..."));
    EXPECT_EQ(checked.queueCaption, QStringLiteral("Add the checked files"));
}

TEST(NavigatorRecentFolders, TheFolderMovesToTheFrontAndSevenStay) {
    struct Case {
        QStringList before;
        QString folder;
        QStringList after;
    };
    const Case cases[] = {
        {{}, "/a", {"/a"}},
        {{"/a", "/b"}, "/b", {"/b", "/a"}},
        {{"/a", "/B/"}, "/b", {"/b", "/a"}},
        {{"/1", "/2", "/3", "/4", "/5", "/6", "/7"},
         "/8",
         {"/8", "/1", "/2", "/3", "/4", "/5", "/6"}},
        {{"/1", "/2", "/3", "/4", "/5", "/6", "/7"},
         "/4",
         {"/4", "/1", "/2", "/3", "/5", "/6", "/7"}},
        {{"/a", "", "/b"}, "/c", {"/c", "/a", "/b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::withRecentFolder(c.before, c.folder), c.after) << c.folder.toStdString();
    EXPECT_EQ(core::withoutRecentFolder({"/a", "/b", "/c"}, "/B"), (QStringList{"/a", "/c"}));
}

TEST(NavigatorRecentFolders, SevenValuesInTheProgramKey) {
    QTemporaryDir dir;
    core::RegistryKey key(dir.filePath(QStringLiteral("v.ini")), QStringLiteral("Software/T"));
    ASSERT_TRUE(key.create({{QStringLiteral("Language"), QStringLiteral("0")}}));
    ASSERT_TRUE(core::writeRecentFolders(key, {"/x", "/y"}));
    EXPECT_EQ(key.readString(QStringLiteral("LastFolder1"), {}), QStringLiteral("/x"));
    EXPECT_EQ(key.readString(QStringLiteral("LastFolder2"), {}), QStringLiteral("/y"));
    EXPECT_TRUE(key.hasValue(QStringLiteral("LastFolder7")));
    EXPECT_EQ(core::readRecentFolders(key), (QStringList{"/x", "/y"}));
    ASSERT_TRUE(core::writeRecentFolders(key, {"/z"}));
    EXPECT_EQ(core::readRecentFolders(key), QStringList{"/z"});
}

}  // namespace
