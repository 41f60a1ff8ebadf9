// The main window in a test language that retitles every key: afterwards no caption, hint, menu,
// tab or list item still shows a key, while object names and fonts stay as they were.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>

#include "app/i18n/window_translation.h"
#include "app/main/file_chooser.h"
#include "app/main/main_form.h"
#include "core/i18n/language.h"
#include "core/main/language_choice.h"
#include "core/main/program_registry.h"
#include "core/main/scripted_asker.h"
#include "core/paths/program_folders.h"

#include <QLocale>
#include <QTemporaryDir>

namespace {

// Every text the window shows, with where it was found.
QStringList shownTexts(QWidget* window) {
    QStringList texts;
    const auto add = [&](const QString& where, const QString& text) {
        if (!text.isEmpty()) texts << where + QLatin1Char('=') + text;
    };
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        const QString name = w->objectName();
        add(name + QStringLiteral(".toolTip"), w->toolTip());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) add(name, b->text());
        if (auto* l = qobject_cast<QLabel*>(w)) add(name, l->text());
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                add(name + QStringLiteral("[%1]").arg(i), c->itemText(i));
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                add(name + QStringLiteral("[%1]").arg(i), t->tabText(i));
        if (auto* m = qobject_cast<QMenu*>(w)) add(name, m->title());
        for (QAction* a : w->actions()) {
            add(a->objectName(), a->text());
            add(a->objectName() + QStringLiteral(".statusTip"), a->statusTip());
        }
    }
    return texts;
}

const QRegularExpression kKey(QStringLiteral("\\b(ALS|ER)_[A-Z0-9_]+"));

class NoFiles : public app::FileChooser {
  public:
    QString openPicture(QWidget*, const QString&) override { return {}; }
    std::optional<app::SaveChoice> savePicture(QWidget*, const QString&, int) override {
        return {};
    }
};

std::unique_ptr<app::TMainForm> window(const core::Language& language) {
    static core::ScriptedAsker asker;
    static NoFiles files;
    return std::make_unique<app::TMainForm>(app::MainFormSetup{
        language, asker, files,
        core::ProgramFolders(QStringLiteral("/nonexistent"), QStringLiteral("/nonexistent")),
        core::SettingsBlock{}, core::ProgramOptions{}, QString(), 0});
}

}  // namespace

TEST(WindowTranslation, ATestLanguageRetitlesEveryControl) {
    core::Language bare;
    auto untranslatedForm = window(bare);
    app::TMainForm& untranslated = *untranslatedForm;
    QSet<QString> keys;
    for (const QString& text : shownTexts(&untranslated))
        for (auto it = kKey.globalMatch(text); it.hasNext();)
            keys.insert(it.next().captured(0));
    ASSERT_GT(keys.size(), 100) << "the window should show its controls' keys untranslated";

    QString lines;
    for (const QString& key : keys)
        lines += key + QStringLiteral("=Zz ") + key.toLower() + QStringLiteral("\r\n");
    // A line named like a font must never rename the font.
    const QString fontFamily = untranslated.font().family();
    lines += fontFamily + QStringLiteral("=Wingdings\r\n");
    core::Language test;
    test.setText(lines);
    auto translatedForm = window(test);
    app::TMainForm& translated = *translatedForm;

    for (const QString& text : shownTexts(&translated))
        EXPECT_FALSE(kKey.match(text).hasMatch()) << qPrintable(text);
    EXPECT_EQ(translated.font().family(), fontFamily);
    // Object names are never translated; decoration around a key stays.
    ASSERT_NE(translated.findChild<QWidget*>(QStringLiteral("cbEnableNR")), nullptr);
    auto* level = translated.findChild<QLabel*>(QStringLiteral("Label_hlp2"));
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->text(), QStringLiteral("Zz als_noise_level:"));
    // Help keywords hold the untranslated key.
    EXPECT_EQ(app::helpKeyword(translated.findChild<QWidget*>(QStringLiteral("cbEnableNR"))),
              QStringLiteral("#ALS_NR_ENABLE"));
}

// Every shipped language retitles the whole window: no control is left showing a key.
TEST(WindowTranslation, EveryLanguageFileTranslatesEveryControl) {
    const core::ProgramFolders folders(QStringLiteral(VF_BUILD_FOLDER),
                                       QStringLiteral(VF_BUILD_FOLDER));
    for (const core::LanguageEntry& entry : core::languageTable()) {
        core::Language language;
        ASSERT_TRUE(language.load(folders.languageFile(QString::fromLatin1(entry.fileName))))
            << entry.fileName;
        auto form = window(language);
        for (const QString& text : shownTexts(form.get()))
            EXPECT_FALSE(kKey.match(text).hasMatch()) << entry.fileName << ": " << qPrintable(text);
    }
}

// A German, French or Russian system starts in its own language when none was chosen.
TEST(WindowTranslation, TheSystemLanguageChoosesTheStartLanguage) {
    QTemporaryDir dir;
    const core::ProgramFolders folders(QStringLiteral(VF_BUILD_FOLDER), dir.path());
    core::RegistryKey key = core::programRegistryKey(dir.filePath(QStringLiteral("v.ini")));
    const struct {
        const char* locale;
        const char* file;
    } cases[] = {{"de_DE", "german"},  {"fr_FR", "french"}, {"ru_RU", "russian"},
                 {"it_IT", "italian"}, {"nl_NL", "dutch"},  {"en_GB", "english"}};
    for (const auto& c : cases) {
        const auto choice = core::chooseStartLanguage(
            key, core::windowsLanguageId(QLocale(QString::fromLatin1(c.locale))), folders);
        ASSERT_TRUE(choice) << c.locale;
        EXPECT_TRUE(
            choice->languageFile.endsWith(QString::fromLatin1(c.file) + QStringLiteral(".lng")))
            << c.locale << " -> " << qPrintable(choice->languageFile);
    }
}
