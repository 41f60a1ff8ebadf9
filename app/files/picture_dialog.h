// PictureOpenDialog and PictureSaveDialog: the file dialogs for pictures, with a preview panel
// beside the file list (a thumbnail and the picture's information), the preview switch and, in
// the save dialog, the JPEG quality of the JPEG types. Qt's own dialog is used rather than the
// desktop's, since only it can carry the panel.
#pragma once

#include <QFileDialog>
#include <QString>
#include <functional>

#include "core/files/picture_preview.h"
#include "core/settings/program_options.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;

namespace core {
class Language;
}

namespace app {

enum class PictureDialogKind { Open, Save };

class TPictureDialog : public QFileDialog {
    Q_OBJECT
  public:
    // The preview switch and the JPEG quality are kept in options, which must outlive the dialog.
    TPictureDialog(PictureDialogKind kind, const core::Language& language,
                   core::ProgramOptions& options, QWidget* parent = nullptr);

    PictureDialogKind kind() const { return kind_; }
    // The chosen file type, counted from 1 as the lists count them.
    int filterIndex() const;
    void setFilterIndex(int filterIndex);
    // The file whose preview is shown.
    const QString& lastFile() const { return lastFile_; }

    // Reads a file's preview: (path, thumbnail box, with thumbnail) -> preview.
    using PreviewReader = std::function<core::PicturePreview(const QString&, QSize, bool)>;
    void setPreviewReader(PreviewReader reader) { readPreview_ = std::move(reader); }
    // How many previews were read, for those who check that nothing is read twice.
    int previewsRead() const { return previewsRead_; }

    QWidget* PicturePanel = nullptr;
    QPlainTextEdit* ImageMemo = nullptr;
    QWidget* JPEGQualityPanel = nullptr;
    QLabel* JPEGQualityLabel = nullptr;
    QComboBox* JPEGQualityCB = nullptr;
    QCheckBox* PreviewCheckBox = nullptr;
    QLabel* PaintPanel = nullptr;  // its text tells the preview's state
    QLabel* PaintBox = nullptr;    // the thumbnail

  public slots:
    // The dialog's selection moved to path.
    void selectionChange(const QString& path);
    // The file type changed.
    void typeChange();
    void PreviewCheckBoxClick(bool checked);
    void JPEGQualityCBChange(int index);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void build();
    void clearPreview();
    void showLastFile();
    QString text(const char* key) const;

    PictureDialogKind kind_;
    const core::Language& language_;
    core::ProgramOptions& options_;
    QString lastFile_;
    PreviewReader readPreview_;
    int previewsRead_ = 0;
};

}  // namespace app
