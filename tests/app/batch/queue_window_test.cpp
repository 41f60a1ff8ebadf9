// The queue's commands and window: pictures queued with their own settings, the window's list and
// options, a run started and stopped from the window, an item taken back for editing.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTableWidget>

#include "app/batch/queue_commands.h"
#include "app/batch/queue_form.h"
#include "app/main/main_menu.h"
#include "app/settings/tuning_pages.h"
#include "app_fixture.h"
#include "core/files/path_bytes.h"
#include "core/queue/queue_file.h"
#include "core/queue/queue_model.h"
#include "core/settings/program_options.h"

namespace {

using apptest::kWaitMs;

class QueueWindowTest : public apptest::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(QDir(data.path()).mkpath(QStringLiteral("photos")));
        // The program's own output options, as a first start has them.
        form.reset();
        form = makeFormWith(core::defaultProgramOptions());
    }
    std::unique_ptr<app::TMainForm> makeFormWith(const core::ProgramOptions& options) {
        core::ProgramFolders folders(QStringLiteral(VF_BUILD_FOLDER), data.path());
        auto f = std::make_unique<app::TMainForm>(app::MainFormSetup{
            language, asker, files, folders, core::SettingsBlock{}, options, iniFile(), 0});
        f->resize(1200, 800);
        f->show();
        return f;
    }
    QString photo(const QString& name) const { return data.filePath("photos/" + name); }
    void copyPhotos(const QString& from, const QStringList& names) {
        for (const QString& name : names)
            ASSERT_TRUE(QFile::copy(from, photo(name))) << qPrintable(name);
    }
    app::QueueCommands& queue() const { return *form->queueCommands(); }
    app::TQForm& window() const { return *queue().window(); }
    template <typename T>
    T* child(const char* name) const {
        return window().findChild<T*>(QString::fromLatin1(name));
    }
    QAction* action(const char* name) const { return form->ui().menu[QString::fromLatin1(name)]; }
    QString queueFile() const { return data.filePath(QStringLiteral("vrq.dat")); }
    // Adds the open picture in the viewing mode: the question about the preview is answered No.
    void addOpenPicture() {
        QSignalSpy added(&queue(), &app::QueueCommands::addEnded);
        asker.answer(core::kResultNo);
        action("menuAddToQueue")->trigger();
        ASSERT_EQ(added.count(), 1);
        ASSERT_TRUE(added.first().first().toBool());
    }
    void setSlider(int n, int value) {
        QSlider* slider = form->ui().pages->slider(n);
        slider->setValue(value);
    }
};

TEST_F(QueueWindowTest, PicturesQueuedWithTheirOwnSettingsRunFromTheWindow) {
    copyPhotos(apptest::smallPicture(), {"a.jpg", "b.jpg", "c.jpg"});
    const int sharpening[] = {100, 140, 180};
    const QString names[] = {"a.jpg", "b.jpg", "c.jpg"};
    for (int i = 0; i < 3; ++i) {
        open(photo(names[i]));
        setSlider(6, sharpening[i]);
        addOpenPicture();
    }
    const std::vector<core::QueueParams>& items = queue().store().items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(core::readQueueFile(queueFile()).items, items);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(core::itemSourcePath(items[size_t(i)]), photo(names[i]));
        // Stored as the slider's distance from its middle.
        EXPECT_EQ(items[size_t(i)].Settings.SharpenAmount, sharpening[i] - 100) << i;
    }
    // The same queue for the command line, on copies of the pictures in another folder.
    ASSERT_TRUE(QDir(data.path()).mkpath(QStringLiteral("copies")));
    std::vector<core::QueueParams> copies = items;
    for (core::QueueParams& item : copies) {
        const QString copy =
            data.filePath("copies/" + QFileInfo(core::itemSourcePath(item)).fileName());
        ASSERT_TRUE(QFile::copy(core::itemSourcePath(item), copy));
        item.SourcePath = core::encodePath(copy).toStdString();
    }
    const QString copiesQueue = data.filePath(QStringLiteral("copies.dat"));
    ASSERT_TRUE(core::writeRecordFile(copies, copiesQueue).ok());

    action("menuQueue")->trigger();
    ASSERT_TRUE(window().isVisible());
    auto* list = child<QTableWidget>("ListView_Q");
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->item(1, 0)->text(), "b.jpg");
    EXPECT_EQ(list->item(1, 1)->text(), photo("filtered/b_dnr.jpg"));
    EXPECT_FALSE(child<QLabel>("lblOutputIsSource")->isVisible());

    std::vector<int> overall;
    QObject::connect(child<QProgressBar>("ProgressIndicator2"), &QProgressBar::valueChanged,
                     [&overall](int v) { overall.push_back(v); });
    QSignalSpy ended(&queue(), &app::QueueCommands::runEnded);
    QTest::mouseClick(child<QPushButton>("sbQRun"), Qt::LeftButton);
    EXPECT_TRUE(queue().running());
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(child<QPushButton>("sbQClose")->isEnabled());
    EXPECT_TRUE(child<QPushButton>("sbQAbort")->isEnabled());
    ASSERT_TRUE(ended.wait(kWaitMs));
    const auto summary = ended.first().first().value<core::BatchSummary>();
    EXPECT_EQ(summary.done, 3);
    EXPECT_FALSE(summary.aborted);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(queue().store().items().empty());
    EXPECT_FALSE(QFile::exists(queueFile()));
    EXPECT_EQ(list->rowCount(), 0);
    // The overall bar only grows; the log has one line per picture in the queue's order, then
    // the summary.
    ASSERT_FALSE(overall.empty());
    EXPECT_TRUE(std::is_sorted(overall.begin(), overall.end()))
        << ::testing::PrintToString(overall);
    const QStringList log =
        child<QPlainTextEdit>("memoQExif")->toPlainText().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(log.size(), 4) << qPrintable(log.join(u'\n'));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(log[i].startsWith(names[i])) << qPrintable(log[i]);
        EXPECT_TRUE(log[i].endsWith(QStringLiteral("> OK"))) << qPrintable(log[i]);
    }
    EXPECT_EQ(log[3], summary.text);

    // The command line gives the same bytes for the same queue.
    QProcess cli;
    cli.start(QStringLiteral(VF_BUILD_FOLDER "/velmarfilter-cli"),
              {QStringLiteral("--queue"), copiesQueue});
    ASSERT_TRUE(cli.waitForFinished(kWaitMs));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    for (const QString& name : names) {
        const QString base = QFileInfo(name).completeBaseName() + "_dnr.jpg";
        QFile window(photo("filtered/" + base)), line(data.filePath("copies/filtered/" + base));
        ASSERT_TRUE(window.open(QIODevice::ReadOnly)) << qPrintable(base);
        ASSERT_TRUE(line.open(QIODevice::ReadOnly)) << qPrintable(base);
        EXPECT_EQ(window.readAll(), line.readAll()) << qPrintable(base);
    }
}

TEST_F(QueueWindowTest, AStoppedRunKeepsTheItemInWorkAndLeavesNoPartialFile) {
    copyPhotos(apptest::samplePicture(), {"a.jpg", "b.jpg"});
    const QStringList names = {"a.jpg", "b.jpg"};
    for (const QString& name : names) {
        open(photo(name));
        addOpenPicture();
    }
    action("menuQueue")->trigger();
    QSignalSpy ended(&queue(), &app::QueueCommands::runEnded);
    bool stopped = false;
    // Stop once the first picture's engine run is under way.
    QObject::connect(child<QProgressBar>("ProgressIndicator"), &QProgressBar::valueChanged,
                     &window(), [&](int v) {
                         if (stopped || v <= 0) return;
                         stopped = true;
                         asker.answer(core::kResultYes);
                         QTest::mouseClick(child<QPushButton>("sbQAbort"), Qt::LeftButton);
                     });
    QTest::mouseClick(child<QPushButton>("sbQRun"), Qt::LeftButton);
    ASSERT_TRUE(ended.wait(kWaitMs));
    ASSERT_TRUE(stopped);
    const auto summary = ended.first().first().value<core::BatchSummary>();
    EXPECT_TRUE(summary.aborted);
    EXPECT_LT(summary.done, 2);
    EXPECT_EQ(asker.requests().back().text, "Do you really want to stop processing?");
    // The picture in work when the run stopped stays queued, in memory and in the file.
    const size_t left = size_t(2 - summary.done);
    ASSERT_EQ(queue().store().items().size(), left);
    EXPECT_EQ(core::readQueueFile(queueFile()).items, queue().store().items());
    EXPECT_EQ(core::itemSourcePath(queue().store().items().back()), photo("b.jpg"));
    // Only the results of finished pictures are in the output folder; nothing half-written.
    QStringList expected;
    for (int i = 0; i < summary.done; ++i)
        expected << QFileInfo(names[i]).completeBaseName() + "_dnr.jpg";
    EXPECT_EQ(QDir(photo("filtered")).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);

    // The next start finds the queue as it was left.
    window().close();
    form.reset();
    form = makeFormWith(core::defaultProgramOptions());
    ASSERT_EQ(queue().store().items().size(), left);
    EXPECT_EQ(core::itemSourcePath(queue().store().items().back()), photo("b.jpg"));
}

TEST_F(QueueWindowTest, AnItemTakenBackForEditingBringsItsSettingsMarksAndTurns) {
    copyPhotos(apptest::smallPicture(), {"a.jpg", "b.jpg"});
    open(photo("a.jpg"));
    setSlider(6, 170);
    form->menuRotateClick(+1);
    QTRY_VERIFY_WITH_TIMEOUT(!form->busy(), kWaitMs);
    ASSERT_EQ(form->document().rotation(), 1);
    addOpenPicture();
    open(photo("b.jpg"));
    setSlider(6, 60);
    addOpenPicture();
    ASSERT_EQ(form->document().rotation(), 0);

    action("menuQueue")->trigger();
    auto* list = child<QTableWidget>("ListView_Q");
    auto* edit = child<QPushButton>("sbQEdit");
    EXPECT_FALSE(edit->isEnabled());
    // Remove with nothing selected does nothing.
    QTest::mouseClick(child<QPushButton>("sbQRemove"), Qt::LeftButton);
    EXPECT_EQ(queue().store().items().size(), 2u);
    list->selectRow(0);
    ASSERT_TRUE(edit->isEnabled());
    QSignalSpy opened(form.get(), &app::TMainForm::queueItemOpened);
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_FALSE(window().isVisible());
    ASSERT_TRUE(opened.wait(kWaitMs));
    EXPECT_EQ(form->document().fileName(), photo("a.jpg"));
    EXPECT_EQ(form->document().rotation(), 1);
    // The small picture is 320 x 200: turned, it is 200 wide.
    EXPECT_EQ(form->document().width(), 200);
    EXPECT_EQ(form->ui().pages->slider(6)->value(), 170);
    // The item stays queued until it is added again (which replaces it) or run.
    EXPECT_EQ(queue().store().items().size(), 2u);
    asker.answer(core::kResultNo);   // the preview first? No
    asker.answer(core::kResultYes);  // replace the queued picture? Yes
    action("menuAddToQueue")->trigger();
    ASSERT_EQ(queue().store().items().size(), 2u);
    EXPECT_EQ(core::itemSourcePath(queue().store().items()[1]), photo("a.jpg"));
    EXPECT_EQ(queue().store().items()[1].Rotation, 1);
}

TEST_F(QueueWindowTest, TheOutputOptionsShowTheirPathsAndWarnWhenResultsWouldReplaceSources) {
    copyPhotos(apptest::smallPicture(), {"IMG_1.jpg"});
    open(photo("IMG_1.jpg"));
    addOpenPicture();
    action("menuQueue")->trigger();
    auto* list = child<QTableWidget>("ListView_Q");
    auto* format = child<QComboBox>("cmbFormat");
    auto* quality = child<QComboBox>("cmbJPEGQ");
    ASSERT_EQ(format->count(), 6);
    EXPECT_EQ(format->currentIndex(), 1);
    EXPECT_TRUE(quality->isVisible());
    EXPECT_EQ(quality->currentText(), "11 (91%)");

    format->setCurrentIndex(4);
    EXPECT_FALSE(quality->isVisible());
    EXPECT_EQ(form->options().outputFormat, 4);
    QTRY_COMPARE_WITH_TIMEOUT(list->item(0, 1)->text(), photo("filtered/IMG_1_dnr.psd"), 3000);

    // The source folder with neither prefix nor suffix would overwrite the photograph.
    format->setCurrentIndex(1);
    child<QRadioButton>("RadioButton1")->click();
    auto* suffix = child<QLineEdit>("Edit2");
    suffix->selectAll();
    QTest::keyClick(suffix, Qt::Key_Backspace);
    EXPECT_EQ(form->options().outputSuffix, "");
    EXPECT_EQ(form->options().outputFolderKind, 1);
    auto* warning = child<QLabel>("lblOutputIsSource");
    QTRY_VERIFY_WITH_TIMEOUT(warning->isVisible(), 3000);
    EXPECT_EQ(list->item(0, 1)->text(), photo("IMG_1.jpg"));
    QTest::keyClicks(suffix, "_nr");
    QTRY_VERIFY_WITH_TIMEOUT(!warning->isVisible(), 3000);
    EXPECT_EQ(list->item(0, 1)->text(), photo("IMG_1_nr.jpg"));

    // A folder of its own for every result.
    window().chooseFolder = [this](QWidget*, const QString&, const QString&) {
        return data.filePath(QStringLiteral("out"));
    };
    QTest::mouseClick(child<QWidget>("sbQOutputPath"), Qt::LeftButton);
    EXPECT_TRUE(child<QRadioButton>("RadioButton2")->isChecked());
    EXPECT_TRUE(child<QLabel>("lblUserFolder")->toolTip().endsWith(data.filePath("out")));
    QTRY_COMPARE_WITH_TIMEOUT(list->item(0, 1)->text(), data.filePath("out/IMG_1_nr.jpg"), 3000);
}

TEST_F(QueueWindowTest, AddingTheFolderRemovingAndClearing) {
    copyPhotos(apptest::smallPicture(), {"a.jpg", "b.jpg", "c.jpg"});
    // Opened through its folder, so the folder's pictures are listed.
    QSignalSpy listed(form.get(), &app::TMainForm::folderListed);
    QSignalSpy opened(form.get(), &app::TMainForm::pictureOpened);
    ASSERT_TRUE(form->openScanned(photo("b.jpg")));
    ASSERT_TRUE(opened.wait(kWaitMs));
    if (listed.isEmpty()) {
        ASSERT_TRUE(listed.wait(kWaitMs));
    }
    apptest::settle(*form);
    ASSERT_TRUE(action("menuAddAllToQueue")->isEnabled());
    QSignalSpy added(&queue(), &app::QueueCommands::addEnded);
    asker.answer(core::kResultNo);
    action("menuAddAllToQueue")->trigger();
    ASSERT_EQ(added.count(), 1);
    ASSERT_EQ(queue().store().items().size(), 3u);
    for (const core::QueueParams& item : queue().store().items())
        EXPECT_EQ(item.Settings.ShadowsNoiseFactor, -1);

    action("menuQueue")->trigger();
    auto* list = child<QTableWidget>("ListView_Q");
    list->selectRow(1);
    QTest::keyClick(&window(), Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->item(1, 0)->text(), "c.jpg");
    EXPECT_EQ(core::readQueueFile(queueFile()).items.size(), 2u);
    window().close();

    // Clearing asks first; No keeps the queue.
    asker.answer(core::kResultNo);
    action("menuClearQueue")->trigger();
    EXPECT_EQ(asker.requests().back().text, "Remove every picture from the queue?");
    EXPECT_EQ(queue().store().items().size(), 2u);
    asker.answer(core::kResultYes);
    action("menuClearQueue")->trigger();
    EXPECT_TRUE(queue().store().items().empty());
    EXPECT_FALSE(QFile::exists(queueFile()));
    // An empty queue opens no window.
    const size_t before = asker.requests().size();
    asker.answer(core::kResultOk);
    action("menuQueue")->trigger();
    EXPECT_FALSE(window().isVisible());
    ASSERT_EQ(asker.requests().size(), before + 1);
    EXPECT_EQ(asker.requests().back().text, "The queue is empty.");
}

}  // namespace
