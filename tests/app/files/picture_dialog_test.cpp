// The picture dialogs: the JPEG quality follows the chosen type, the preview fills for a picture
// and the preview switch is remembered.
#include "app/files/picture_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/main/file_chooser.h"

#include "core/i18n/language.h"

namespace apptest {

namespace {

class PictureDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        language.load(QStringLiteral(VF_BUILD_FOLDER "/library/languages/english.lng"));
    }
    std::unique_ptr<app::TPictureDialog> make(app::PictureDialogKind kind) {
        auto dialog = std::make_unique<app::TPictureDialog>(kind, language, options);
        dialog->resize(900, 520);
        dialog->show();
        QApplication::processEvents();
        return dialog;
    }
    QString text(const char* key) const { return language.lookup(QString::fromLatin1(key)); }

    core::Language language;
    core::ProgramOptions options;
};

const QString kPicture = QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg");

}  // namespace

TEST_F(PictureDialogTest, TheSaveDialogShowsTheJpegQualityForTheJpegTypesOnly) {
    auto dialog = make(app::PictureDialogKind::Save);
    EXPECT_EQ(dialog->objectName(), QStringLiteral("PictureSaveDialog"));
    EXPECT_FALSE(dialog->JPEGQualityPanel->isHidden());
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 6);
    // Bitmap, JPEG, progressive JPEG, JPEG 2000, Photoshop, TIFF.
    const bool shown[] = {false, true, true, true, false, false};
    for (int row = 0; row < 6; ++row) {
        types->setCurrentIndex(row);  // as the user chooses it
        EXPECT_EQ(dialog->filterIndex(), row + 1);
        EXPECT_EQ(!dialog->JPEGQualityCB->isHidden(), shown[row])
            << types->itemText(row).toStdString();
        EXPECT_EQ(!dialog->JPEGQualityLabel->isHidden(), shown[row]);
    }
    dialog->setFilterIndex(3);
    EXPECT_FALSE(dialog->JPEGQualityCB->isHidden());
    dialog->setFilterIndex(6);
    EXPECT_TRUE(dialog->JPEGQualityCB->isHidden());
}

TEST_F(PictureDialogTest, TheSaveDialogStartsOnTheStoredTypeWithItsQuality) {
    options.jpegQualityIndex = 9;  // beyond the list: its last quality
    auto dialog = make(app::PictureDialogKind::Save);
    dialog->setFilterIndex(5);
    EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("Photoshop (*.psd)"));
    ASSERT_EQ(dialog->JPEGQualityCB->count(), 6);
    EXPECT_EQ(dialog->JPEGQualityCB->currentIndex(), 5);
    EXPECT_EQ(dialog->JPEGQualityCB->currentText(), QStringLiteral("12 (100%)"));
    EXPECT_EQ(options.jpegQualityIndex, 9);  // showing it is no choice
    EXPECT_EQ(dialog->JPEGQualityLabel->text(), "- " + text("ALS_FRM_Q_JPEG_QUALITY"));

    dialog->JPEGQualityCB->setCurrentIndex(1);
    EXPECT_EQ(options.jpegQualityIndex, 1);
}

TEST_F(PictureDialogTest, TheOpenDialogListsThePictureTypesWithoutAQualityChoice) {
    auto dialog = make(app::PictureDialogKind::Open);
    EXPECT_EQ(dialog->objectName(), QStringLiteral("PictureOpenDialog"));
    EXPECT_TRUE(dialog->JPEGQualityPanel->isHidden());
    EXPECT_EQ(dialog->nameFilters().size(), 21);
    EXPECT_EQ(dialog->filterIndex(), 1);
    EXPECT_TRUE(dialog->nameFilters().first().startsWith(text("ALS_ALL_SUPPORTED") + " (*.bmp "));
    EXPECT_EQ(dialog->PaintPanel->text(), QStringLiteral("(None)"));
    EXPECT_EQ(dialog->PreviewCheckBox->text(), text("ALS_PREVIEW"));
}

TEST_F(PictureDialogTest, PickingAPictureFillsThePreviewOnce) {
    auto dialog = make(app::PictureDialogKind::Open);
    ASSERT_TRUE(dialog->PreviewCheckBox->isChecked());
    emit dialog->currentChanged(kPicture);  // as the file list reports a new selection
    EXPECT_EQ(dialog->lastFile(), kPicture);
    EXPECT_FALSE(dialog->ImageMemo->toPlainText().trimmed().isEmpty());
    EXPECT_TRUE(dialog->ImageMemo->toPlainText().startsWith(' '));
    EXPECT_TRUE(dialog->PaintPanel->text().isEmpty());
    EXPECT_FALSE(dialog->PaintBox->isHidden());
    ASSERT_FALSE(dialog->PaintBox->pixmap().isNull());
    // The thumbnail fits inside the panel.
    EXPECT_TRUE(dialog->PaintPanel->rect().contains(dialog->PaintBox->geometry()));
    EXPECT_EQ(dialog->previewsRead(), 1);

    emit dialog->currentChanged(kPicture);
    EXPECT_EQ(dialog->previewsRead(), 1);
}

TEST_F(PictureDialogTest, OtherFilesShowNone) {
    QTemporaryDir dir;
    const QString notes = dir.filePath("notes.jpg");
    QFile file(notes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("no picture");
    file.close();
    auto dialog = make(app::PictureDialogKind::Open);
    emit dialog->currentChanged(kPicture);
    for (const QString& path : {notes, dir.path(), dir.filePath("missing.jpg")}) {
        emit dialog->currentChanged(path);
        EXPECT_EQ(dialog->PaintPanel->text(), QStringLiteral("(None)")) << qPrintable(path);
        EXPECT_TRUE(dialog->ImageMemo->toPlainText().isEmpty());
        EXPECT_TRUE(dialog->PaintBox->isHidden());
    }
}

TEST_F(PictureDialogTest, WithThePreviewOffOnlyTheInformationShowsUntilSwitchedOn) {
    options.pictureDialogOption = 0;
    auto dialog = make(app::PictureDialogKind::Save);
    EXPECT_FALSE(dialog->PreviewCheckBox->isChecked());
    emit dialog->currentChanged(kPicture);
    EXPECT_FALSE(dialog->ImageMemo->toPlainText().trimmed().isEmpty());
    EXPECT_EQ(dialog->PaintPanel->text(), text("ALS_PREVIEW_DISABLED"));
    EXPECT_TRUE(dialog->PaintBox->isHidden());

    dialog->PreviewCheckBox->click();
    EXPECT_EQ(options.pictureDialogOption, 1);
    EXPECT_FALSE(dialog->PaintBox->isHidden());
    EXPECT_TRUE(dialog->PaintPanel->text().isEmpty());

    dialog->PreviewCheckBox->click();
    EXPECT_EQ(options.pictureDialogOption, 0);
    EXPECT_TRUE(dialog->PaintBox->isHidden());
    EXPECT_EQ(dialog->PaintPanel->text(), text("ALS_PREVIEW_DISABLED"));
}

// The picture dialog the program is waiting for; any other window is closed, so that the test
// fails rather than waits.
app::TPictureDialog* modalPictureDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<app::TPictureDialog*>(modal);
    if (!dialog) {
        ADD_FAILURE() << "no picture dialog asks";
        if (modal) modal->close();
    }
    return dialog;
}

// The program's file chooser asks with these dialogs: the save dialog starts on the format asked
// for and answers the type chosen, the open dialog answers the file.
TEST_F(PictureDialogTest, TheFileChooserAsksWithThePictureDialogs) {
    app::DialogFileChooser chooser;
    chooser.usePictureDialogs(language, options);
    QTemporaryDir dir;
    int startedOn = 0;
    QTimer::singleShot(0, [&] {
        auto* dialog = modalPictureDialog();
        if (!dialog) return;
        EXPECT_EQ(dialog->kind(), app::PictureDialogKind::Save);
        startedOn = dialog->filterIndex();
        dialog->setFilterIndex(5);  // Photoshop
        dialog->selectFile(dir.filePath("result.psd"));
        static_cast<QDialog*>(dialog)->accept();  // as the Save button does
    });
    const std::optional<app::SaveChoice> saved =
        chooser.savePicture(nullptr, dir.filePath("result.jpg"), 3);
    EXPECT_EQ(startedOn, 4);  // format 3, JPEG 2000, is the fourth type
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->formatIndex, 4);
    EXPECT_EQ(saved->path, dir.filePath("result.psd"));

    QTimer::singleShot(0, [&] {
        auto* dialog = modalPictureDialog();
        if (!dialog) return;
        EXPECT_EQ(dialog->kind(), app::PictureDialogKind::Open);
        dialog->reject();
    });
    EXPECT_TRUE(chooser.openPicture(nullptr, dir.path()).isEmpty());
}

}  // namespace apptest
