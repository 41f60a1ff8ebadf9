// The renaming window on files of a temporary folder: its lists and example, the new names it
// shows, and the renaming that Apply starts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "app/files/renaming_form.h"
#include "core/files/file_renaming.h"
#include "core/files/path_bytes.h"
#include "core/i18n/language.h"
#include "core/main/scripted_asker.h"
#include "core/settings/program_options.h"

namespace {

using app::TFormRenaming;

class RenamingFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(
            language.load(QStringLiteral(VF_BUILD_FOLDER "/library/languages/english.lng")));
        for (const char* name : {"b.jpg", "a.png", "c.JPG"})
            paths << make(QLatin1String(name));
    }

    QString make(const QString& name) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(name.toUtf8());
        return path;
    }
    QStringList names() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
    QByteArray content(const QString& name) const {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    // Runs the whole renaming as the navigator does; act works the window once it is open.
    std::optional<core::renaming::RenameReport> run(
        const std::function<void(TFormRenaming&)>& act) {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            for (int i = 0; i < 200 && !QApplication::activeModalWidget(); ++i)
                QTest::qWait(10);
            auto* form = qobject_cast<TFormRenaming*>(QApplication::activeModalWidget());
            if (!form) return;
            QTest::qWait(20);  // the first preview
            acted = true;
            act(*form);
        });
        auto report = app::renameFiles(nullptr, language, asker, options, paths);
        EXPECT_TRUE(acted);
        return report;
    }

    static void typeTemplate(TFormRenaming& form, const QString& text) {
        QLineEdit* edit = form.cmbTemplate->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    QTemporaryDir dir;
    QStringList paths;
    core::Language language;
    core::ScriptedAsker asker;
    core::ProgramOptions options;
};

TEST_F(RenamingFormTest, ShowsTheTemplateExampleAndNewNamesThenRenames) {
    const auto report = run([&](TFormRenaming& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Renaming files"));
        // The stored template (the default) is in the field, with its example.
        EXPECT_EQ(form.cmbTemplate->currentText(), QLatin1String(core::renaming::kDefaultTemplate));
        EXPECT_TRUE(form.Label2->text().endsWith(QStringLiteral("_filename")));
        EXPECT_EQ(form.cmbTemplate->count(), 7);
        ASSERT_EQ(form.cmbTags->count(), 9);
        EXPECT_EQ(form.cmbTags->itemText(0), QStringLiteral("Original name [name]"));
        EXPECT_EQ(form.cmbTags->itemText(1), QStringLiteral("Number [counter]"));
        ASSERT_EQ(form.ListView1->topLevelItemCount(), 3);
        EXPECT_EQ(form.ListView1->headerItem()->text(0), QStringLiteral("Original name"));
        EXPECT_EQ(form.ListView1->headerItem()->text(1), QStringLiteral("New name"));
        EXPECT_TRUE(form.ListView1->isColumnHidden(TFormRenaming::kPath));

        typeTemplate(form, QStringLiteral("holiday "));
        // A tag from the list joins the end of the template.
        form.cmbTags->setCurrentIndex(1);
        QTest::mouseClick(form.btAddToTemplate, Qt::LeftButton);
        EXPECT_EQ(form.cmbTemplate->currentText(), QStringLiteral("holiday[counter]"));
        EXPECT_EQ(form.Label2->text(), QStringLiteral("holiday1"));
        EXPECT_EQ(form.ListView1->topLevelItem(0)->text(0), QStringLiteral("b.jpg"));
        EXPECT_EQ(form.ListView1->topLevelItem(0)->text(1), QStringLiteral("holiday1.jpg"));
        EXPECT_EQ(form.ListView1->topLevelItem(2)->text(1), QStringLiteral("holiday3.JPG"));
        EXPECT_FALSE(form.ListView1->topLevelItem(1)->text(TFormRenaming::kDate).isEmpty());

        // A row clicked shows its two names below the list.
        EXPECT_FALSE(form.Label12->isVisible());
        const QRect row = form.ListView1->visualItemRect(form.ListView1->topLevelItem(1));
        QTest::mouseClick(form.ListView1->viewport(), Qt::LeftButton, {}, row.center());
        EXPECT_TRUE(form.Label12->isVisible());
        EXPECT_EQ(form.Label12->text(), QStringLiteral("a.png"));
        EXPECT_EQ(form.Label13->text(), QStringLiteral("holiday2.png"));
        EXPECT_TRUE(form.ListView1->selectedItems().isEmpty());

        ASSERT_TRUE(form.btApply->isEnabled());
        QTest::mouseClick(form.btApply, Qt::LeftButton);
    });
    ASSERT_TRUE(report);
    EXPECT_EQ(report->renamed.size(), 3u);
    EXPECT_TRUE(report->failures.empty());
    EXPECT_EQ(names(), (QStringList{QStringLiteral("holiday1.jpg"), QStringLiteral("holiday2.png"),
                                    QStringLiteral("holiday3.JPG")}));
    EXPECT_EQ(content(QStringLiteral("holiday2.png")), "a.png");
    EXPECT_EQ(options.renamingTemplate, "holiday[counter]");
    EXPECT_TRUE(asker.requests().empty());
}

TEST_F(RenamingFormTest, CancelAndAnEmptyTemplateRenameNothing) {
    const auto cancelled = run([&](TFormRenaming& form) {
        typeTemplate(form, QStringLiteral("x[counter]"));
        QTest::mouseClick(form.btCancel, Qt::LeftButton);
    });
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("a.png"), QStringLiteral("b.jpg"),
                                    QStringLiteral("c.JPG")}));

    const auto empty = run([&](TFormRenaming& form) {
        typeTemplate(form, QStringLiteral("   "));
        EXPECT_FALSE(form.btApply->isEnabled());
        // The names stay as they are in the preview too.
        EXPECT_EQ(form.ListView1->topLevelItem(0)->text(1), QStringLiteral("b.jpg"));
        QTest::mouseClick(form.btCancel, Qt::LeftButton);
    });
    EXPECT_FALSE(empty);
    EXPECT_EQ(names().size(), 3);
}

// The opened template list shows every template with its example; closed, the plain templates,
// and choosing one puts it alone into the field.
TEST_F(RenamingFormTest, TheTemplateListShowsExamplesWhileOpen) {
    const auto report = run([&](TFormRenaming& form) {
        form.cmbTemplate->showPopup();
        EXPECT_EQ(form.cmbTemplate->itemText(5), QStringLiteral("#[counter] (example: #1)"));
        EXPECT_EQ(form.cmbTemplate->currentText(), QLatin1String(core::renaming::kDefaultTemplate));
        form.cmbTemplate->hidePopup();
        EXPECT_EQ(form.cmbTemplate->itemText(5), QStringLiteral("#[counter]"));
        form.cmbTemplateSelect(5);
        EXPECT_EQ(form.cmbTemplate->currentText(), QStringLiteral("#[counter]"));
        EXPECT_EQ(form.ListView1->topLevelItem(2)->text(1), QStringLiteral("#3.JPG"));
        QTest::mouseClick(form.btApply, Qt::LeftButton);
    });
    ASSERT_TRUE(report);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("#1.jpg"), QStringLiteral("#2.png"),
                                    QStringLiteral("#3.JPG")}));
}

// A file that cannot be renamed is named in a question with the reason; No stops there, and
// neither that file nor those after it change.
TEST_F(RenamingFormTest, AFileThatCannotBeRenamedIsAskedAbout) {
    // A folder whose path leaves no room for a long name.
    QString deep = dir.path();
    while (core::encodePath(deep).size() < 3900)
        deep += QLatin1Char('/') + QString(200, u'd');
    deep.truncate(deep.lastIndexOf(u'/'));
    while (core::encodePath(deep).size() < 3990)
        deep += QStringLiteral("/dd");
    ASSERT_TRUE(core::makeFolders(deep));
    const QString stuck = deep + QStringLiteral("/s.jpg");
    {
        QFile f(stuck);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    paths.insert(1, stuck);
    asker.answer(core::kResultNo);
    const auto report = run([&](TFormRenaming& form) {
        typeTemplate(form, QString(200, u'z') + QStringLiteral("[counter]"));
        QTest::mouseClick(form.btApply, Qt::LeftButton);
    });
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->stopped);
    ASSERT_EQ(report->renamed.size(), 1u);
    ASSERT_EQ(asker.requests().size(), 1u);
    const QString text = asker.requests()[0].text;
    EXPECT_TRUE(text.contains(stuck)) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("cannot rename the file: File name too long")))
        << qPrintable(text);
    EXPECT_EQ(asker.requests()[0].title, QStringLiteral("Renaming files"));
    EXPECT_TRUE(QFile::exists(stuck));
    EXPECT_TRUE(names().contains(QStringLiteral("a.png")));
    EXPECT_TRUE(names().contains(QStringLiteral("c.JPG")));
}

}  // namespace
