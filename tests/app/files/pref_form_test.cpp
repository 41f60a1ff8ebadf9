// The preferences window opened from the main menu: saved changes come back on reopening, Cancel
// keeps everything, and the cache buttons delete only what the caches wrote.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "app/files/pref_form.h"
#include "app/main/control_hints.h"
#include "app/main/main_form_commands.h"
#include "app_fixture.h"
#include "core/main/program_registry.h"

namespace apptest {

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
    file.write("x");
}

}  // namespace

class PrefFormTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(key().create({{core::kValueReloadLastUsedSettings, "1"}}));
    }
    core::RegistryKey key() const { return core::programRegistryKey(iniFile()); }

    // Runs the menu command and finds the window it opened.
    app::TPrefForm* openPrefs() {
        // A window closed before is gone first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QAction* item = form->ui().menu[QStringLiteral("menuPrefs")];
        EXPECT_TRUE(item && item->isEnabled());
        if (!item) return nullptr;
        item->trigger();
        QList<app::TPrefForm*> shown;
        for (app::TPrefForm* window : form->findChildren<app::TPrefForm*>())
            if (window->isVisible()) shown << window;
        EXPECT_EQ(shown.size(), 1);
        return shown.isEmpty() ? nullptr : shown.first();
    }
    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    QString thumbs() const { return data.filePath(QStringLiteral("my pictures/thumbs")); }
    QString fsets() const { return data.filePath(QStringLiteral("my pictures/settings")); }
    void useChosenCaches() {
        ASSERT_TRUE(QDir().mkpath(thumbs()));
        ASSERT_TRUE(QDir().mkpath(fsets()));
        core::RegistryKey k = key();
        ASSERT_TRUE(k.writeString(core::kValueImageCachePath, thumbs()));
        ASSERT_TRUE(k.writeString(core::kValueFileSettingsCachePath, fsets()));
    }
};

TEST_F(PrefFormTest, OpensShowingTheStoredPreferencesAndTheCacheFolders) {
    app::TPrefForm* prefs = openPrefs();
    ASSERT_NE(prefs, nullptr);
    EXPECT_TRUE(prefs->isVisible());
    EXPECT_EQ(prefs->windowTitle(), language.message(QStringLiteral("ALS_PREFERENCES")));
    EXPECT_EQ(prefs->ComboBox1->currentText(), QStringLiteral("5"));
    EXPECT_EQ(prefs->ComboBox2->currentText(), QStringLiteral("50"));
    EXPECT_EQ(prefs->ComboBox3->currentText(), language.lookup(QStringLiteral("ALS_GRAY")));
    EXPECT_EQ(prefs->ComboBox6->currentText(),
              language.lookup(QStringLiteral("ALS_PREFS_HINT_BOTH")));
    EXPECT_TRUE(prefs->CheckBox2->isChecked());
    EXPECT_FALSE(prefs->CheckBox1->isChecked());
    // No folder was chosen: the defaults under "temp", shown with a trailing "/".
    EXPECT_EQ(prefs->Label4->text(), data.filePath(QStringLiteral("temp/cache/")));
    EXPECT_EQ(prefs->Label9->text(), data.filePath(QStringLiteral("temp/fsets/")));
    EXPECT_EQ(
        prefs->Memo1->toPlainText(),
        QStringLiteral("[text] [date] [time] [filename] [iso] [aperture] [shutter] [camera]"));
    click(prefs->BitBtn2);
}

TEST_F(PrefFormTest, SavedChangesAreFoundOnReopening) {
    app::TPrefForm* prefs = openPrefs();
    ASSERT_NE(prefs, nullptr);
    prefs->ComboBox1->setCurrentIndex(8);  // accelerator 9
    prefs->ComboBox2->setCurrentIndex(3);  // 30 %
    prefs->ComboBox3->setCurrentIndex(0);  // colour
    prefs->ComboBox4->setCurrentIndex(2);  // Mitchell
    prefs->ComboBox5->setCurrentIndex(1);  // curve
    prefs->ComboBox6->setCurrentIndex(1);  // status bar only
    prefs->CheckBox1->setChecked(true);
    prefs->CheckBox2->setChecked(false);
    prefs->Memo1->setPlainText(QStringLiteral("[date] [camera]"));
    QPointer<app::TPrefForm> closing = prefs;
    click(prefs->BitBtn1);
    EXPECT_TRUE(!closing || !closing->isVisible());

    const core::ProgramOptions& o = form->options();
    EXPECT_EQ(o.accelerator, 9);
    EXPECT_EQ(o.opacity, 30);
    EXPECT_EQ(o.histogramColour, 0);
    EXPECT_EQ(o.resampling, 2);
    EXPECT_EQ(o.brightnessManagement, 1);
    EXPECT_EQ(o.hintMode, 1);
    EXPECT_EQ(o.ignoreExif, 1);
    EXPECT_EQ(o.playSound, 0);
    EXPECT_EQ(o.captionTemplate, "[date] [camera]");

    app::TPrefForm* again = openPrefs();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->ComboBox1->currentIndex(), 8);
    EXPECT_EQ(again->ComboBox2->currentIndex(), 3);
    EXPECT_EQ(again->ComboBox3->currentIndex(), 0);
    EXPECT_EQ(again->ComboBox4->currentIndex(), 2);
    EXPECT_EQ(again->ComboBox5->currentIndex(), 1);
    EXPECT_EQ(again->ComboBox6->currentIndex(), 1);
    EXPECT_TRUE(again->CheckBox1->isChecked());
    EXPECT_FALSE(again->CheckBox2->isChecked());
    EXPECT_EQ(again->Memo1->toPlainText(), QStringLiteral("[date] [camera]"));
    click(again->BitBtn2);
}

TEST_F(PrefFormTest, CancelChangesNothing) {
    useChosenCaches();
    touch(thumbs() + QStringLiteral("/36/IMG_1_1234567835.jpg"));
    touch(fsets() + QStringLiteral("/1234567835_IMG_1.vrs"));
    const core::ProgramOptions before = form->options();
    app::TPrefForm* prefs = openPrefs();
    ASSERT_NE(prefs, nullptr);
    prefs->setFolderPicker([this](QWidget*, const QString&, const QString&) {
        return data.filePath(QStringLiteral("elsewhere"));
    });
    prefs->ComboBox1->setCurrentIndex(0);
    prefs->ComboBox2->setCurrentIndex(10);
    prefs->CheckBox3->setChecked(false);
    prefs->CheckBox4->setChecked(false);
    prefs->Memo1->setPlainText(QStringLiteral("[iso]"));
    click(prefs->sbCachePath);
    click(prefs->sbFileSettingsCache);
    EXPECT_EQ(prefs->Label4->text(), data.filePath(QStringLiteral("elsewhere/")));
    click(prefs->BitBtn2);

    EXPECT_EQ(form->options(), before);
    EXPECT_EQ(key().readString(core::kValueImageCachePath, QString()), thumbs());
    EXPECT_EQ(key().readString(core::kValueFileSettingsCachePath, QString()), fsets());
    EXPECT_EQ(key().readInt(core::kValueReloadLastUsedSettings, -1), 1);
    EXPECT_TRUE(QFile::exists(thumbs() + QStringLiteral("/36/IMG_1_1234567835.jpg")));
    EXPECT_TRUE(QFile::exists(fsets() + QStringLiteral("/1234567835_IMG_1.vrs")));
}

TEST_F(PrefFormTest, ClearButtonsKeepTheUsersOwnFiles) {
    useChosenCaches();
    touch(thumbs() + QStringLiteral("/36/IMG_1_1234567835.jpg"));
    touch(thumbs() + QStringLiteral("/36/holiday.jpg"));
    touch(thumbs() + QStringLiteral("/1/IMG_2_100.jpg"));
    touch(fsets() + QStringLiteral("/1234567835_IMG_1.vrs"));
    touch(fsets() + QStringLiteral("/letter.txt"));
    app::TPrefForm* prefs = openPrefs();
    ASSERT_NE(prefs, nullptr);
    EXPECT_EQ(prefs->Label4->text(), thumbs() + QLatin1Char('/'));
    EXPECT_EQ(prefs->Label9->text(), fsets() + QLatin1Char('/'));

    click(prefs->sbClearCache);
    EXPECT_FALSE(QFile::exists(thumbs() + QStringLiteral("/36/IMG_1_1234567835.jpg")));
    EXPECT_TRUE(QFile::exists(thumbs() + QStringLiteral("/36/holiday.jpg")));
    EXPECT_FALSE(QFileInfo::exists(thumbs() + QStringLiteral("/1")));
    EXPECT_TRUE(QFile::exists(fsets() + QStringLiteral("/1234567835_IMG_1.vrs")));

    click(prefs->sbClearFileSettingsCache);
    EXPECT_FALSE(QFile::exists(fsets() + QStringLiteral("/1234567835_IMG_1.vrs")));
    EXPECT_TRUE(QFile::exists(fsets() + QStringLiteral("/letter.txt")));
    EXPECT_EQ(key().readInt(core::kValueReloadLastUsedSettings, -1), 2);
    click(prefs->BitBtn2);
}

TEST_F(PrefFormTest, MovingACacheClearsTheOldFolderAndStoresTheNewOne) {
    useChosenCaches();
    touch(thumbs() + QStringLiteral("/36/IMG_1_1234567835.jpg"));
    touch(thumbs() + QStringLiteral("/36/holiday.jpg"));
    const QString moved = data.filePath(QStringLiteral("new cache"));
    touch(moved + QStringLiteral("/36/IMG_9_1234567835.jpg"));
    app::TPrefForm* prefs = openPrefs();
    ASSERT_NE(prefs, nullptr);
    QString title;
    QString start;
    prefs->setFolderPicker([&](QWidget*, const QString& t, const QString& s) {
        title = t;
        start = s;
        return moved;
    });
    click(prefs->sbCachePath);
    EXPECT_EQ(title, language.lookup(QStringLiteral("ALS_SELECT_CACHE_FOLDER")) + ":");
    EXPECT_EQ(start, QStringLiteral(VF_BUILD_FOLDER));
    EXPECT_EQ(prefs->Label4->text(), moved + QLatin1Char('/'));
    EXPECT_EQ(prefs->Label4->toolTip(), moved + QLatin1Char('/'));
    click(prefs->BitBtn1);

    EXPECT_EQ(key().readString(core::kValueImageCachePath, QString()), moved);
    EXPECT_FALSE(QFile::exists(thumbs() + QStringLiteral("/36/IMG_1_1234567835.jpg")));
    EXPECT_TRUE(QFile::exists(thumbs() + QStringLiteral("/36/holiday.jpg")));
    EXPECT_TRUE(QFile::exists(moved + QStringLiteral("/36/IMG_9_1234567835.jpg")));
    // The settings cache stayed where it was.
    EXPECT_EQ(key().readString(core::kValueFileSettingsCachePath, QString()), fsets());
    EXPECT_EQ(key().readInt(core::kValueReloadLastUsedSettings, -1), 1);

    app::TPrefForm* again = openPrefs();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Label4->text(), moved + QLatin1Char('/'));
    click(again->BitBtn2);
}

TEST_F(PrefFormTest, SwitchingTheSettingsCacheOffClearsItAndAsksAgain) {
    useChosenCaches();
    touch(fsets() + QStringLiteral("/1234567835_IMG_1.vrs"));
    touch(fsets() + QStringLiteral("/letter.txt"));
    app::TPrefForm* prefs = openPrefs();
    ASSERT_NE(prefs, nullptr);
    prefs->CheckBox4->setChecked(false);
    click(prefs->BitBtn1);
    EXPECT_EQ(form->options().useFileSettingsCache, 0);
    EXPECT_FALSE(QFile::exists(fsets() + QStringLiteral("/1234567835_IMG_1.vrs")));
    EXPECT_TRUE(QFile::exists(fsets() + QStringLiteral("/letter.txt")));
    EXPECT_EQ(key().readInt(core::kValueReloadLastUsedSettings, -1), 2);
}

TEST_F(PrefFormTest, TheHintModeShowsAtOnceAndStaysAfterCancel) {
    auto* hints = form->commands()->findChild<app::ControlHints*>(QStringLiteral("ControlHints"));
    ASSERT_NE(hints, nullptr);
    EXPECT_TRUE(hints->shown());
    app::TPrefForm* prefs = openPrefs();
    ASSERT_NE(prefs, nullptr);
    prefs->ComboBox6->setCurrentIndex(3);  // none
    EXPECT_FALSE(hints->shown());
    prefs->ComboBox6->setCurrentIndex(0);  // tool tips only
    EXPECT_TRUE(hints->shown());
    prefs->ComboBox6->setCurrentIndex(1);  // status bar only
    EXPECT_FALSE(hints->shown());
    click(prefs->BitBtn2);
    EXPECT_FALSE(hints->shown());
    EXPECT_EQ(form->options().hintMode, 2);
}

TEST_F(PrefFormTest, TheTemplateResetsAndHoldsAtMost255Characters) {
    app::TPrefForm* prefs = openPrefs();
    ASSERT_NE(prefs, nullptr);
    prefs->Memo1->setPlainText(QString(300, QLatin1Char('a')));
    EXPECT_EQ(prefs->Memo1->toPlainText().size(), 255);
    click(prefs->sbResetTemplate);
    EXPECT_EQ(
        prefs->Memo1->toPlainText(),
        QStringLiteral("[text] [date] [time] [filename] [iso] [aperture] [shutter] [camera]"));
    click(prefs->BitBtn2);
}

TEST_F(PrefFormTest, SavingWithoutChangesRedoesNothing) {
    app::TPrefForm* prefs = openPrefs();
    ASSERT_NE(prefs, nullptr);
    const core::ProgramOptions before = form->options();
    click(prefs->BitBtn1);
    EXPECT_EQ(prefs->effects(), core::PreferenceEffects{});
    EXPECT_EQ(form->options(), before);
}

}  // namespace apptest

namespace apptest {

// Without status-bar hints the status bar goes back to its default text; with them it keeps what
// it shows.
TEST_F(PrefFormTest, HintModesWithoutTheStatusBarRestoreItsDefaultText) {
    const struct {
        int row;
        bool restored;
    } cases[] = {{0, true}, {1, false}, {2, false}, {3, true}};
    for (const auto& c : cases) {
        form->ui().status->setText(QStringLiteral("a hint"));
        app::TPrefForm* prefs = openPrefs();
        ASSERT_NE(prefs, nullptr);
        prefs->ComboBox6->setCurrentIndex(c.row);
        click(prefs->BitBtn1);
        EXPECT_EQ(form->ui().status->text(), c.restored
                                                 ? language.lookup(QStringLiteral("ALS_READY"))
                                                 : QStringLiteral("a hint"))
            << c.row;
    }
}

}  // namespace apptest
