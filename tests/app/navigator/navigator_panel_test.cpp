// The navigator panel on the offscreen platform: a folder of a few pictures listed, their
// thumbnails drawn, checks, the pop-up commands, and the panel in the main window.
#include "app/navigator/navigator_panel.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTimer>

#include "app/files/renaming_form.h"
#include "app/navigator/navigator_commands.h"
#include "app_fixture.h"

namespace {

QImage quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, (x < width / 2) == (y < height / 2) ? Qt::red : Qt::blue);
    return image;
}

struct PanelTest : ::testing::Test {
    void SetUp() override {
        language.load(QStringLiteral(VF_BUILD_FOLDER "/library/languages/english.lng"));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("pictures/sub")));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("target")));
        folder = dir.filePath(QStringLiteral("pictures"));
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
            ASSERT_TRUE(quadrants(120, 80).save(folder + QLatin1Char('/') + QLatin1String(name),
                                                "JPG", 90));
        ASSERT_TRUE(quadrants(40, 40).save(folder + QStringLiteral("/sub/d.jpg"), "JPG", 90));
        app::NavigatorHooks hooks;
        hooks.openPicture = [this](const QString& path) { opened << path; };
        hooks.addToQueue = [this](const QStringList& files) { queued = files; };
        hooks.chooseFolder = [this](const QString&, const QString&) {
            return dir.filePath(QStringLiteral("target"));
        };
        panel = std::make_unique<app::NavigatorPanel>(language, asker, hooks);
        panel->setThumbnailSettings({dir.filePath(QStringLiteral("cache")), true, true});
        panel->resize(400, 600);
        panel->show();
    }
    void showAndWait(const QString& path) {
        QSignalSpy done(panel.get(), &app::NavigatorPanel::thumbnailsDone);
        panel->showFolder(path);
        ASSERT_TRUE(done.wait(apptest::kWaitMs));
    }
    QListWidgetItem* itemNamed(const QString& name) const {
        const auto found = panel->list()->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    QTemporaryDir dir;
    QString folder;
    core::Language language;
    core::ScriptedAsker asker;
    QStringList opened, queued;
    std::unique_ptr<app::NavigatorPanel> panel;
};

TEST_F(PanelTest, AFolderOfPicturesFillsInWithThumbnails) {
    showAndWait(folder);
    QListWidget* list = panel->list();
    ASSERT_EQ(list->count(), 5);  // .., sub, a, b, c
    EXPECT_EQ(list->item(0)->text(), QStringLiteral(".."));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("sub"));
    EXPECT_EQ(panel->thumbnailsShown(), 3);
    EXPECT_EQ(panel->thumbnails().decodedCount(), 3);
    // Each picture's icon shows its picture: red in the top-left quarter.
    for (int row = 2; row < 5; ++row) {
        const QImage icon = list->item(row)->icon().pixmap(96, 96).toImage();
        const QColor c = icon.pixelColor(30, 35);
        EXPECT_GT(c.red(), 180) << row;
        EXPECT_LT(c.blue(), 80) << row;
        EXPECT_EQ(list->item(row)->checkState(), Qt::Unchecked);
    }
    // The second visit reads the cache.
    showAndWait(folder);
    EXPECT_EQ(panel->thumbnails().decodedCount(), 3);
    EXPECT_EQ(panel->thumbnails().cachedCount(), 3);
}

TEST_F(PanelTest, ChecksTheMenuAndTheCommands) {
    showAndWait(folder);
    auto* label = panel->findChild<QLabel*>(QStringLiteral("lblNavPanelSelected"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Checked: 0/3"));
    panel->prepareMenu();
    QAction* copy = panel->popupMenu()->findChild<QAction*>(QStringLiteral("menuNavCopy"));
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->isEnabled());

    itemNamed(QStringLiteral("a.jpg"))->setCheckState(Qt::Checked);
    itemNamed(QStringLiteral("c.jpg"))->setCheckState(Qt::Checked);
    EXPECT_EQ(label->text(), QStringLiteral("Checked: 2/3"));
    panel->prepareMenu();
    EXPECT_TRUE(copy->isEnabled());
    EXPECT_EQ(copy->text(), language.message(QStringLiteral("ALS_NAVPANEL_COPY_SELECTED")) +
                                QStringLiteral("..."));

    QSignalSpy rename(panel.get(), &app::NavigatorPanel::renameRequested);
    panel->renameSelected();
    ASSERT_EQ(rename.count(), 1);
    const QStringList expected{folder + QStringLiteral("/a.jpg"),
                               folder + QStringLiteral("/c.jpg")};
    EXPECT_EQ(rename.first().first().toStringList(), expected);
    panel->queueSelected();
    EXPECT_EQ(queued, expected);

    panel->copySelected();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("target/a.jpg"))));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("target/c.jpg"))));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("target/b.jpg"))));
    // Copying again asks before replacing; "No" twice keeps the copies.
    asker.answer(core::kResultNo);
    asker.answer(core::kResultNo);
    panel->copySelected();
    EXPECT_EQ(asker.requests().size(), 2u);

    panel->reverseChecks();
    EXPECT_EQ(panel->model().checkedFiles(), QStringList{folder + QStringLiteral("/b.jpg")});
    EXPECT_EQ(itemNamed(QStringLiteral("b.jpg"))->checkState(), Qt::Checked);
    panel->uncheckAll();
    EXPECT_EQ(label->text(), QStringLiteral("Checked: 0/3"));
}

TEST_F(PanelTest, AClickOpensPicturesAndEntersFolders) {
    showAndWait(folder);
    QListWidget* list = panel->list();
    // A click on the check box (left of the picture) checks the file; nothing opens.
    QListWidgetItem* a = itemNamed(QStringLiteral("a.jpg"));
    const QRect ra = list->visualItemRect(a);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(ra.left() + 10, ra.center().y()));
    QTest::qWait(20);
    EXPECT_EQ(a->checkState(), Qt::Checked);
    EXPECT_TRUE(opened.isEmpty());
    // A click on the picture opens it.
    const QRect b = list->visualItemRect(itemNamed(QStringLiteral("b.jpg")));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, b.center());
    QTest::qWait(20);
    EXPECT_EQ(opened, QStringList{folder + QStringLiteral("/b.jpg")});
    QSignalSpy shown(panel.get(), &app::NavigatorPanel::folderShown);
    const QRect sub = list->visualItemRect(itemNamed(QStringLiteral("sub")));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, sub.center());
    ASSERT_TRUE(shown.wait(apptest::kWaitMs));
    EXPECT_EQ(panel->model().files(), QStringList{folder + QStringLiteral("/sub/d.jpg")});
}

TEST_F(PanelTest, ALosslessTurnRedrawsThePicture) {
    showAndWait(folder);
    itemNamed(QStringLiteral("a.jpg"))->setCheckState(Qt::Checked);
    QSignalSpy done(panel.get(), &app::NavigatorPanel::thumbnailsDone);
    panel->rotateSelected(1);
    ASSERT_TRUE(!done.isEmpty() || done.wait(apptest::kWaitMs));
    const QImage icon = itemNamed(QStringLiteral("a.jpg"))->icon().pixmap(96, 96).toImage();
    // 120 x 80 turned is 80 x 120: the icon is taller than wide, the sides left transparent.
    EXPECT_EQ(icon.pixelColor(5, 48).alpha(), 0);
    EXPECT_EQ(QImage(folder + QStringLiteral("/a.jpg")).size(), QSize(80, 120));
    EXPECT_EQ(panel->thumbnails().decodedCount(), 4);
}

// In the main window: the panel follows the folder of the picture opened and opens pictures.
class NavigatorWindowTest : public apptest::WindowTest {};

TEST_F(NavigatorWindowTest, ThePanelFollowsTheOpenedPictureAndOpensOthers) {
    const QString pictures = data.filePath(QStringLiteral("pictures"));
    ASSERT_TRUE(QDir().mkpath(pictures));
    ASSERT_TRUE(quadrants(120, 80).save(pictures + QStringLiteral("/one.jpg"), "JPG", 90));
    ASSERT_TRUE(quadrants(80, 120).save(pictures + QStringLiteral("/two.jpg"), "JPG", 90));
    app::NavigatorPanel* panel = form->navigator()->panel();
    QAction* inMain = form->ui().menu[QStringLiteral("menuNavPanelMain")];
    inMain->setChecked(false);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(form->options().navigatorInMainView, 0);
    inMain->setChecked(true);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(form->options().navigatorInMainView, 1);

    QSignalSpy done(panel, &app::NavigatorPanel::thumbnailsDone);
    QSignalSpy opened(form.get(), &app::TMainForm::pictureOpened);
    ASSERT_TRUE(form->openScanned(pictures + QStringLiteral("/one.jpg")));
    ASSERT_TRUE(opened.wait(apptest::kWaitMs));
    // The thumbnails may be done before the picture is open.
    ASSERT_TRUE(!done.isEmpty() || done.wait(apptest::kWaitMs));
    EXPECT_EQ(QFileInfo(panel->model().folder()), QFileInfo(pictures));
    EXPECT_EQ(panel->model().files().size(), 2);
    EXPECT_EQ(form->navigator()->recentFolders().value(0), panel->model().folder());
    QAction* recent = form->ui().menu[QStringLiteral("menuFolder1")];
    EXPECT_TRUE(recent->isVisible());

    opened.clear();
    const auto two = panel->list()->findItems(QStringLiteral("two.jpg"), Qt::MatchExactly);
    ASSERT_EQ(two.size(), 1);
    emit panel->list()->itemClicked(two.first());
    ASSERT_TRUE(opened.wait(apptest::kWaitMs));
    EXPECT_EQ(QFileInfo(form->document().fileName()),
              QFileInfo(pictures + QStringLiteral("/two.jpg")));
}

// Rename from the pop-up menu: the checked files get the template's names, the panel shows them,
// and the open picture is opened again under its new name.
TEST_F(NavigatorWindowTest, CheckedFilesAreRenamedAndTheOpenPictureFollows) {
    const QString pictures = data.filePath(QStringLiteral("pictures"));
    ASSERT_TRUE(QDir().mkpath(pictures));
    ASSERT_TRUE(quadrants(120, 80).save(pictures + QStringLiteral("/one.jpg"), "JPG", 90));
    ASSERT_TRUE(quadrants(80, 120).save(pictures + QStringLiteral("/two.jpg"), "JPG", 90));
    app::NavigatorPanel* panel = form->navigator()->panel();
    QSignalSpy opened(form.get(), &app::TMainForm::pictureOpened);
    ASSERT_TRUE(form->openScanned(pictures + QStringLiteral("/one.jpg")));
    ASSERT_TRUE(opened.wait(apptest::kWaitMs));
    for (int i = 0; i < 400 && panel->model().files().size() < 2; ++i)
        QTest::qWait(10);
    panel->checkAll();

    bool applied = false;
    QTimer::singleShot(0, [&] {
        for (int i = 0; i < 200 && !QApplication::activeModalWidget(); ++i)
            QTest::qWait(10);
        auto* renaming = qobject_cast<app::TFormRenaming*>(QApplication::activeModalWidget());
        if (!renaming) return;
        QLineEdit* edit = renaming->cmbTemplate->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QStringLiteral("trip #[counter]"));
        applied = true;
        renaming->btApply->click();
    });
    opened.clear();
    panel->renameSelected();
    EXPECT_TRUE(applied);
    EXPECT_EQ(QDir(pictures).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("trip #1.jpg"), QStringLiteral("trip #2.jpg")}));
    ASSERT_TRUE(opened.wait(apptest::kWaitMs));
    EXPECT_EQ(QFileInfo(form->document().fileName()).fileName(), QStringLiteral("trip #1.jpg"));
    for (int i = 0;
         i < 400 &&
         !panel->list()->findItems(QStringLiteral("trip #2.jpg"), Qt::MatchExactly).size();
         ++i)
        QTest::qWait(10);
    EXPECT_EQ(panel->list()->findItems(QStringLiteral("trip #2.jpg"), Qt::MatchExactly).size(), 1);
}

}  // namespace
