#include "app/files/picture_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

#include "core/files/picture_filters.h"
#include "core/i18n/language.h"
#include "core/i18n/text_lookup.h"
#include "core/paths/output_formats.h"

namespace app {

namespace {

const QString kNone = QStringLiteral("(None)");

}  // namespace

TPictureDialog::TPictureDialog(PictureDialogKind kind, const core::Language& language,
                               core::ProgramOptions& options, QWidget* parent)
    : QFileDialog(parent), kind_(kind), language_(language), options_(options) {
    // Only Qt's own dialog can carry the preview panel.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setObjectName(kind == PictureDialogKind::Open ? QStringLiteral("PictureOpenDialog")
                                                  : QStringLiteral("PictureSaveDialog"));
    setSizeGripEnabled(true);
    if (kind == PictureDialogKind::Open) {
        setAcceptMode(QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::ExistingFile);
        setNameFilters(
            core::qtNameFilters(core::openPictureFilter(core::languageLookup(language))));
    } else {
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
        // The save command asks before replacing a file.
        setOption(QFileDialog::DontConfirmOverwrite, true);
        setNameFilters(core::qtNameFilters(core::savePictureFilter()));
    }
    readPreview_ = [this](const QString& path, QSize box, bool withThumbnail) {
        return core::loadPicturePreview(path, box, withThumbnail, options_.ignoreExif != 0,
                                        core::languageLookup(language_));
    };
    build();
    connect(this, &QFileDialog::currentChanged, this, &TPictureDialog::selectionChange);
    connect(this, &QFileDialog::filterSelected, this, &TPictureDialog::typeChange);
    // The type list also changes when chosen from the keyboard or by the program.
    if (auto* types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        connect(types, &QComboBox::currentIndexChanged, this, &TPictureDialog::typeChange);
    connect(this, &QDialog::finished, this, [] { QToolTip::hideText(); });
}

QString TPictureDialog::text(const char* key) const {
    return language_.lookup(QString::fromLatin1(key));
}

void TPictureDialog::build() {
    PicturePanel = new QWidget(this);
    PicturePanel->setObjectName(QStringLiteral("PicturePanel"));
    auto* panel = new QVBoxLayout(PicturePanel);
    panel->setContentsMargins(6, 6, 6, 6);

    PaintPanel = new QLabel(kNone);
    PaintPanel->setObjectName(QStringLiteral("PaintPanel"));
    PaintPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PaintPanel->setAlignment(Qt::AlignCenter);
    PaintPanel->setWordWrap(true);
    PaintPanel->setMinimumSize(220, 180);
    PaintPanel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    PaintBox = new QLabel(PaintPanel);
    PaintBox->setObjectName(QStringLiteral("PaintBox"));
    PaintBox->hide();
    panel->addWidget(PaintPanel, 1);

    PreviewCheckBox = new QCheckBox(text("ALS_PREVIEW"));
    PreviewCheckBox->setObjectName(QStringLiteral("PreviewCheckBox"));
    PreviewCheckBox->setCursor(Qt::PointingHandCursor);
    PreviewCheckBox->setChecked(options_.pictureDialogOption == 1);
    panel->addWidget(PreviewCheckBox);

    JPEGQualityPanel = new QWidget;
    JPEGQualityPanel->setObjectName(QStringLiteral("JPEGQualityPanel"));
    auto* quality = new QHBoxLayout(JPEGQualityPanel);
    quality->setContentsMargins(0, 0, 0, 0);
    JPEGQualityLabel = new QLabel(QStringLiteral("- ") + text("ALS_FRM_Q_JPEG_QUALITY"));
    JPEGQualityLabel->setObjectName(QStringLiteral("JPEGQualityLabel"));
    JPEGQualityCB = new QComboBox;
    JPEGQualityCB->setObjectName(QStringLiteral("JPEGQualityCB"));
    // At least as wide as its longest text, "12 (100%)".
    JPEGQualityCB->setMinimumWidth(76);
    JPEGQualityCB->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    JPEGQualityCB->setCursor(Qt::PointingHandCursor);
    JPEGQualityCB->setToolTip(language_.capitalised(QStringLiteral("ALS_FRM_Q_JPEG_QUALITY")));
    quality->addWidget(JPEGQualityLabel);
    quality->addWidget(JPEGQualityCB);
    quality->addStretch();
    JPEGQualityPanel->setVisible(kind_ == PictureDialogKind::Save);
    panel->addWidget(JPEGQualityPanel);

    ImageMemo = new QPlainTextEdit;
    ImageMemo->setObjectName(QStringLiteral("ImageMemo"));
    ImageMemo->setReadOnly(true);
    ImageMemo->setFocusPolicy(Qt::NoFocus);
    ImageMemo->setFrameShape(QFrame::NoFrame);
    ImageMemo->setFixedHeight(100);
    ImageMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ImageMemo->setBackgroundRole(QPalette::Window);
    QFont small = ImageMemo->font();
    small.setPointSizeF(std::max(7.0, small.pointSizeF() - 2));
    ImageMemo->setFont(small);
    panel->addWidget(ImageMemo);

    // Beside the file controls, over their whole height.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(PicturePanel, 0, grid->columnCount(), grid->rowCount(), 1);

    connect(PreviewCheckBox, &QCheckBox::clicked, this, &TPictureDialog::PreviewCheckBoxClick);
    connect(JPEGQualityCB, &QComboBox::currentIndexChanged, this,
            &TPictureDialog::JPEGQualityCBChange);
}

int TPictureDialog::filterIndex() const {
    return static_cast<int>(nameFilters().indexOf(selectedNameFilter())) + 1;
}

void TPictureDialog::setFilterIndex(int filterIndex) {
    const QStringList filters = nameFilters();
    if (filterIndex < 1 || filterIndex > filters.size()) return;
    selectNameFilter(filters[filterIndex - 1]);
    typeChange();
}

void TPictureDialog::showEvent(QShowEvent* event) {
    PreviewCheckBox->setText(text("ALS_PREVIEW"));
    clearPreview();
    lastFile_.clear();
    ImageMemo->clear();
    PaintPanel->setText(kNone);
    typeChange();
    QFileDialog::showEvent(event);
}

void TPictureDialog::typeChange() {
    if (JPEGQualityCB->count() == 0) {
        const QSignalBlocker block(JPEGQualityCB);
        JPEGQualityCB->addItems(core::jpegQualityTexts());
    }
    {
        // Showing the stored choice is no new choice.
        const QSignalBlocker block(JPEGQualityCB);
        JPEGQualityCB->setCurrentIndex(
            std::clamp<int>(options_.jpegQualityIndex, 0, JPEGQualityCB->count() - 1));
    }
    const bool shown = core::saveFilterShowsJpegQuality(filterIndex());
    JPEGQualityLabel->setVisible(shown);
    JPEGQualityCB->setVisible(shown);
}

void TPictureDialog::clearPreview() {
    PaintBox->clear();
    PaintBox->hide();
    PaintBox->resize(0, 0);
}

void TPictureDialog::selectionChange(const QString& path) {
    if (path == lastFile_) return;
    lastFile_ = path;
    ImageMemo->clear();
    showLastFile();
}

void TPictureDialog::showLastFile() {
    clearPreview();
    PaintPanel->setText(text("ALS_WAIT") + QStringLiteral("..."));
    PaintPanel->repaint();
    const bool withThumbnail = PreviewCheckBox->isChecked();
    const QSize panel = PaintPanel->contentsRect().size();
    ++previewsRead_;
    const core::PicturePreview preview =
        readPreview_(lastFile_, core::thumbnailBox(panel), withThumbnail);
    if (!preview.qualifies) {
        ImageMemo->clear();
        PaintPanel->setText(kNone);
        return;
    }
    ImageMemo->setPlainText(preview.memoLines.join(QLatin1Char('\n')));
    ImageMemo->verticalScrollBar()->setValue(0);
    if (!withThumbnail) {
        PaintPanel->setText(text("ALS_PREVIEW_DISABLED"));
        return;
    }
    PaintPanel->setText(QString());
    // A thumbnail that could not be made leaves the information and an empty picture.
    if (preview.thumbnail.isNull()) return;
    const QSize size = preview.thumbnail.size();
    PaintBox->setGeometry(
        QRect(core::thumbnailPlace(panel, size) + PaintPanel->contentsRect().topLeft(), size));
    PaintBox->setPixmap(QPixmap::fromImage(preview.thumbnail));
    PaintBox->show();
}

void TPictureDialog::PreviewCheckBoxClick(bool checked) {
    options_.pictureDialogOption = checked ? 1 : 0;
    if (checked) {
        ImageMemo->clear();
        showLastFile();
    } else {
        clearPreview();
        PaintPanel->setText(text("ALS_PREVIEW_DISABLED"));
    }
}

void TPictureDialog::JPEGQualityCBChange(int index) {
    if (JPEGQualityCB->count() > 0 && index >= 0) options_.jpegQualityIndex = index;
}

}  // namespace app
