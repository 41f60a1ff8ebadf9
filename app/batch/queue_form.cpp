#include "app/batch/queue_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QThreadPool>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/files/picture_filters.h"
#include "core/i18n/language.h"
#include "core/i18n/text_lookup.h"
#include "core/paths/output_formats.h"
#include "core/queue/queue_item_preview.h"

namespace app {

namespace {

constexpr int kMinimumWidth = 730;
constexpr int kMinimumHeight = 508;
constexpr int kSourceColumnWidth = 250;
constexpr int kOptionsDelayMs = 1000;
constexpr int kPreviewPage = 0;
constexpr int kOptionsPage = 1;

QString stored(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TQForm::TQForm(const QueueFormSetup& setup, QWidget* parent)
    : QDialog(parent),
      language_(setup.language),
      asker_(setup.asker),
      store_(setup.store),
      options_(setup.options),
      defaultUserFolder_(setup.defaultUserFolder),
      programFolder_(setup.programFolder) {
    setObjectName(QStringLiteral("QForm"));
    setWindowTitle(QStringLiteral("Velmar Filter ") + text("ALS_QUEUE"));
    setWindowModality(Qt::ApplicationModal);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(900, 560);
    chooseFolder = [](QWidget* parent, const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
    };

    ListView_Q = new QTableWidget(0, 2);
    ListView_Q->setObjectName(QStringLiteral("ListView_Q"));
    ListView_Q->setHorizontalHeaderLabels({text("ALS_SOURCE"), text("ALS_OUTPUT")});
    ListView_Q->setShowGrid(true);
    ListView_Q->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView_Q->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView_Q->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView_Q->verticalHeader()->setVisible(false);
    ListView_Q->horizontalHeader()->setMinimumSectionSize(100);
    ListView_Q->horizontalHeader()->setStretchLastSection(true);
    ListView_Q->setColumnWidth(0, kSourceColumnWidth);
    ListView_Q->setWordWrap(false);
    // A path's end (the file name) says most: long paths lose their middle.
    ListView_Q->setTextElideMode(Qt::ElideMiddle);

    pages_ = new QTabWidget;
    pages_->setObjectName(QStringLiteral("pcQueue"));
    pages_->addTab(makePreviewPage(), text("ALS_FRM_Q_PREVIEW"));
    pages_->addTab(makeOptionsPage(), text("ALS_OPTIONS"));
    pages_->setMinimumWidth(330);

    auto* top = new QHBoxLayout;
    top->addWidget(ListView_Q, 3);
    top->addWidget(pages_, 2);

    const auto button = [this](QPushButton*& b, const char* name, const char* key) {
        b = new QPushButton(text(key));
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(96);
        b->setAutoDefault(false);
    };
    button(sbQRemove, "sbQRemove", "ALS_FRM_REMOVE");
    button(sbQReset, "sbQReset", "ALS_FRM_REMOVEALL");
    button(sbQEdit, "sbQEdit", "ALS_FRM_EDIT");
    button(sbQRun, "sbQRun", "ALS_FRM_START");
    button(sbQAbort, "sbQAbort", "ALS_FRM_STOP");
    button(sbQClose, "sbQClose", "ALS_FRM_CLOSE");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sbQRemove);
    buttons->addWidget(sbQReset);
    buttons->addWidget(sbQEdit);
    buttons->addStretch(1);
    buttons->addWidget(sbQRun);
    buttons->addWidget(sbQAbort);
    buttons->addWidget(sbQClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(makeProgressPanel());
    layout->addLayout(buttons);

    connect(sbQRemove, &QPushButton::clicked, this, &TQForm::sbQRemoveClick);
    connect(sbQReset, &QPushButton::clicked, this, &TQForm::sbQResetClick);
    connect(sbQEdit, &QPushButton::clicked, this, &TQForm::sbQEditClick);
    connect(sbQRun, &QPushButton::clicked, this, &TQForm::sbQRunClick);
    connect(sbQAbort, &QPushButton::clicked, this, &TQForm::sbQAbortClick);
    connect(sbQClose, &QPushButton::clicked, this, &QDialog::close);
    connect(ListView_Q, &QTableWidget::itemSelectionChanged, this, [this] {
        refreshButtons();
        const int row = selectedRow();
        if (row >= 0) showItem(row);
    });
    connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == kPreviewPage && !running_ && selectedRow() < 0 && ListView_Q->rowCount() > 0)
            ListView_Q->selectRow(0);
    });
    optionsTimer_.setSingleShot(true);
    optionsTimer_.setInterval(kOptionsDelayMs);
    connect(&optionsTimer_, &QTimer::timeout, this, [this] {
        recomputeOutputPaths();
        if (morePaths_) {
            morePaths_ = false;
            optionsTimer_.start();
        }
    });

    clearPreview(false);
    showOptions();
    rebuildList();
}

QWidget* TQForm::makePreviewPage() {
    auto* page = new QWidget;
    panelQThumb = new QWidget;
    panelQThumb->setObjectName(QStringLiteral("panelQThumb"));
    panelQThumb->setMinimumSize(200, 180);
    ImageQ = new QLabel(panelQThumb);
    ImageQ->setObjectName(QStringLiteral("ImageQ"));
    ImageQ->hide();
    auto* header = new QLabel(text("ALS_FRM_Q_FILEINFO"));
    memoQExif = new QPlainTextEdit;
    memoQExif->setObjectName(QStringLiteral("memoQExif"));
    memoQExif->setReadOnly(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(panelQThumb, 3);
    layout->addWidget(header);
    layout->addWidget(memoQExif, 2);
    return page;
}

QWidget* TQForm::makeOptionsPage() {
    auto* page = new QWidget;
    cmbFormat = new QComboBox;
    cmbFormat->setObjectName(QStringLiteral("cmbFormat"));
    for (int i = 0; i < core::kProgramFormatCount; ++i)
        cmbFormat->addItem(QString::fromLatin1(core::kOutputFormats[size_t(i)].text));
    cmbJPEGQ = new QComboBox;
    cmbJPEGQ->setObjectName(QStringLiteral("cmbJPEGQ"));
    cmbJPEGQ->addItems(core::jpegQualityTexts());
    lblJPEGQ = new QLabel(text("ALS_FRM_Q_JPEG_QUALITY") + u':');

    RadioButton0 = new QRadioButton(text("ALS_FRM_Q_PATH_NEW"));
    RadioButton0->setObjectName(QStringLiteral("RadioButton0"));
    RadioButton1 = new QRadioButton(text("ALS_FRM_Q_PATH_SAME"));
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(text("ALS_FRM_Q_PATH_USER"));
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    lblUserFolder = new QLabel;
    lblUserFolder->setObjectName(QStringLiteral("lblUserFolder"));
    lblUserFolder->setMinimumWidth(80);
    lblUserFolder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblUserFolder->installEventFilter(this);
    folderKinds_ = new QButtonGroup(this);
    folderKinds_->addButton(RadioButton0, 0);
    folderKinds_->addButton(RadioButton1, 1);
    folderKinds_->addButton(RadioButton2, 2);
    sbQOutputPath = new QToolButton;
    sbQOutputPath->setObjectName(QStringLiteral("sbQOutputPath"));
    sbQOutputPath->setText(text("ALS_FRM_BROWSE") + QStringLiteral("..."));
    Edit0 = new QLineEdit;
    Edit0->setObjectName(QStringLiteral("Edit0"));
    Edit0->setMaxLength(60);
    Edit1 = new QLineEdit;
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(5);
    Edit2 = new QLineEdit;
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setMaxLength(5);
    for (QLineEdit* e : {Edit1, Edit2})
        e->setMaximumWidth(70);
    cbOverwrite = new QCheckBox(text("ALS_FRM_Q_QVERWRITE"));
    cbOverwrite->setObjectName(QStringLiteral("cbOverwrite"));
    lblOutputIsSource = new QLabel(text("ALS_FRM_Q_OUTPUT_IS_SOURCE"));
    lblOutputIsSource->setObjectName(QStringLiteral("lblOutputIsSource"));
    lblOutputIsSource->setWordWrap(true);
    lblOutputIsSource->setStyleSheet(QStringLiteral("color: #b00000;"));
    lblOutputIsSource->hide();

    auto* grid = new QGridLayout(page);
    int row = 0;
    grid->addWidget(new QLabel(text("ALS_FRM_Q_OUTPUT_FORMAT") + u':'), row, 0);
    grid->addWidget(cmbFormat, row++, 1, 1, 2);
    grid->addWidget(lblJPEGQ, row, 0);
    grid->addWidget(cmbJPEGQ, row++, 1, 1, 2);
    // The folder kinds one under the other, each with what it needs below it, so that long
    // folder names and translations have the whole width.
    const auto indented = [](QWidget* w, QWidget* beside = nullptr) {
        auto* line = new QHBoxLayout;
        line->setContentsMargins(24, 0, 0, 0);
        line->addWidget(w, 1);
        if (beside) line->addWidget(beside);
        return line;
    };
    grid->addWidget(RadioButton0, row++, 0, 1, 3);
    grid->addLayout(indented(Edit0), row++, 0, 1, 3);
    grid->addWidget(RadioButton1, row++, 0, 1, 3);
    grid->addWidget(RadioButton2, row++, 0, 1, 3);
    grid->addLayout(indented(lblUserFolder, sbQOutputPath), row++, 0, 1, 3);
    auto* name = new QHBoxLayout;
    name->addWidget(Edit1);
    name->addWidget(
        new QLabel(QStringLiteral("+ ") + text("ALS_FRM_Q_ORIGINAL") + QStringLiteral(" +")));
    name->addWidget(Edit2);
    name->addStretch(1);
    grid->addLayout(name, row++, 0, 1, 3);
    grid->addWidget(cbOverwrite, row++, 0, 1, 3);
    grid->addWidget(lblOutputIsSource, row++, 0, 1, 3);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);

    connect(cmbFormat, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (filling_ || index < 0) return;
        options_.outputFormat = uint8_t(index);
        const bool jpeg = core::jpegQualityShown(index);
        cmbJPEGQ->setVisible(jpeg);
        lblJPEGQ->setVisible(jpeg);
        requestOutputPaths();
    });
    connect(cmbJPEGQ, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_ && index >= 0) options_.jpegQualityIndex = index;
    });
    connect(folderKinds_, &QButtonGroup::idClicked, this, [this](int kind) {
        options_.outputFolderKind = uint8_t(kind);
        requestOutputPaths();
    });
    const auto edited = [this](QLineEdit* edit, std::string& field, bool paths) {
        connect(edit, &QLineEdit::textEdited, this, [this, &field, paths](const QString& t) {
            field = t.toStdString();
            if (paths) requestOutputPaths();
        });
    };
    edited(Edit1, options_.outputPrefix, true);
    edited(Edit2, options_.outputSuffix, true);
    connect(Edit0, &QLineEdit::textEdited, this, [this](const QString& t) {
        options_.outputSubfolder = t.toStdString();
        if (options_.outputFolderKind == core::ProgramOptions::kOutputToSubfolder)
            requestOutputPaths();
    });
    connect(cbOverwrite, &QCheckBox::toggled, this,
            [this](bool on) { options_.outputOverwrite = on ? 1 : 0; });
    connect(sbQOutputPath, &QToolButton::clicked, this, [this] {
        const QString folder = chooseFolder(this, text("ALS_SELECT_FOLDER") + u':', programFolder_);
        if (folder.isEmpty()) return;
        options_.outputFolder = QDir::toNativeSeparators(folder).toStdString();
        options_.outputFolderKind = core::ProgramOptions::kOutputToUserFolder;
        showOptions();
        requestOutputPaths();
    });
    return page;
}

QWidget* TQForm::makeProgressPanel() {
    panelQProgress = new QWidget;
    panelQProgress->setObjectName(QStringLiteral("panelQProgress"));
    lblElapsedTime = new QLabel;
    lblElapsedTime->setObjectName(QStringLiteral("lblElapsedTime"));
    lblRemainedTime = new QLabel;
    lblRemainedTime->setObjectName(QStringLiteral("lblRemainedTime"));
    Label1 = new QLabel(text("ALS_CURRENT_IMAGE") + u':');
    Label1->setObjectName(QStringLiteral("Label1"));
    ProgressIndicator = new QProgressBar;
    ProgressIndicator->setObjectName(QStringLiteral("ProgressIndicator"));
    ProgressIndicator2 = new QProgressBar;
    ProgressIndicator2->setObjectName(QStringLiteral("ProgressIndicator2"));
    for (QProgressBar* bar : {ProgressIndicator, ProgressIndicator2}) {
        bar->setRange(0, 1000);
        bar->setTextVisible(false);
    }
    auto* grid = new QGridLayout(panelQProgress);
    grid->setContentsMargins(0, 4, 0, 4);
    grid->addWidget(new QLabel(text("ALS_ELAPSED_TIME") + u':'), 0, 0);
    grid->addWidget(lblElapsedTime, 0, 1);
    grid->addWidget(new QLabel(text("ALS_REMAINED_TIME") + u':'), 0, 2);
    grid->addWidget(lblRemainedTime, 0, 3);
    grid->addWidget(Label1, 1, 0, 1, 4);
    grid->addWidget(ProgressIndicator, 2, 0, 1, 4);
    grid->addWidget(new QLabel(text("ALS_OVERALL") + u':'), 3, 0, 1, 4);
    grid->addWidget(ProgressIndicator2, 4, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    panelQProgress->hide();
    return panelQProgress;
}

void TQForm::showUserFolder() {
    // The folder's end names it best: a long one loses its middle.
    lblUserFolder->setText(lblUserFolder->fontMetrics().elidedText(
        userFolder_, Qt::ElideMiddle, std::max(lblUserFolder->width(), 80)));
}

bool TQForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblUserFolder && event->type() == QEvent::Resize) showUserFolder();
    return QDialog::eventFilter(watched, event);
}

QString TQForm::text(const char* key) const {
    return language_.message(QString::fromLatin1(key));
}

void TQForm::showOptions() {
    filling_ = true;
    const core::ProgramOptions shown = core::shownOutputOptions(options_);
    cmbFormat->setCurrentIndex(shown.outputFormat);
    cmbJPEGQ->setCurrentIndex(shown.jpegQualityIndex);
    const bool jpeg = core::jpegQualityShown(shown.outputFormat);
    cmbJPEGQ->setVisible(jpeg);
    lblJPEGQ->setVisible(jpeg);
    folderKinds_->button(shown.outputFolderKind)->setChecked(true);
    Edit0->setText(stored(shown.outputSubfolder));
    Edit1->setText(stored(shown.outputPrefix));
    Edit2->setText(stored(shown.outputSuffix));
    cbOverwrite->setChecked(shown.outputOverwrite != 0);
    const QString folder =
        shown.outputFolder.empty() ? defaultUserFolder_ : stored(shown.outputFolder);
    userFolder_ = folder;
    showUserFolder();
    RadioButton2->setToolTip(text("ALS_USER_PATH") + QStringLiteral(" - ") + folder);
    lblUserFolder->setToolTip(RadioButton2->toolTip());
    filling_ = false;
}

void TQForm::showQueue() {
    showOptions();
    rebuildList();
    pages_->setCurrentIndex(kOptionsPage);
    show();
    raise();
    activateWindow();
}

void TQForm::rebuildList() {
    const int selected = selectedRow();
    rows_ = core::queueRows(store_.items(), options_, defaultUserFolder_);
    const QSignalBlocker block(ListView_Q);
    ListView_Q->clearContents();
    ListView_Q->setRowCount(int(rows_.size()));
    for (int i = 0; i < int(rows_.size()); ++i) {
        auto* name = new QTableWidgetItem(rows_[size_t(i)].name);
        name->setData(Qt::UserRole, rows_[size_t(i)].source);
        name->setData(Qt::UserRole + 1, rows_[size_t(i)].rotation);
        name->setToolTip(rows_[size_t(i)].source);
        ListView_Q->setItem(i, 0, name);
        ListView_Q->setItem(i, 1, new QTableWidgetItem);
    }
    recomputeOutputPaths();
    if (selected >= 0 && selected < ListView_Q->rowCount()) ListView_Q->selectRow(selected);
    refreshButtons();
}

void TQForm::requestOutputPaths() {
    if (optionsTimer_.isActive())
        morePaths_ = true;
    else
        optionsTimer_.start();
}

void TQForm::recomputeOutputPaths() {
    rows_ = core::queueRows(store_.items(), options_, defaultUserFolder_);
    for (int i = 0; i < int(rows_.size()) && i < ListView_Q->rowCount(); ++i) {
        QTableWidgetItem* output = ListView_Q->item(i, 1);
        const core::QueueRow& row = rows_[size_t(i)];
        output->setText(row.output);
        output->setToolTip(row.outputIsSource ? text("ALS_FRM_Q_OUTPUT_IS_SOURCE") : row.output);
        output->setForeground(row.outputIsSource ? QBrush(QColor(0xb0, 0, 0)) : QBrush());
    }
    lblOutputIsSource->setVisible(core::anyOutputIsSource(rows_));
}

void TQForm::refreshButtons() {
    const core::QueueButtons b =
        core::queueButtons(ListView_Q->rowCount(), selectedRow() >= 0, running_);
    sbQRemove->setEnabled(b.remove);
    sbQEdit->setEnabled(b.edit);
    sbQRun->setEnabled(b.start);
    sbQReset->setEnabled(b.removeAll);
    sbQClose->setEnabled(b.close);
    sbQAbort->setEnabled(b.stop);
}

int TQForm::selectedRow() const {
    const QList<QTableWidgetItem*> selected = ListView_Q->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->row();
}

void TQForm::clearPreview(bool keepText) {
    ++shownSerial_;
    ImageQ->hide();
    ImageQ->clear();
    if (!keepText) memoQExif->setPlainText(core::queueSelectItemText(language_));
}

void TQForm::showItem(int index) {
    if (index < 0 || index >= int(rows_.size())) return;
    const core::QueueRow row = rows_[size_t(index)];
    clearPreview(true);
    if (!running_) memoQExif->setPlainText(core::queueReadingText(language_));
    const int serial = shownSerial_;
    const QSize box = core::queueThumbnailBox(panelQThumb->size());
    const bool ignoreExif = options_.ignoreExif != 0;
    // The task may outlive this window: it keeps its own copy of the texts.
    const core::Language texts = language_;
    QPointer<TQForm> self(this);
    // The thumbnail is read in a session of its own off the window's thread, so a large picture
    // neither freezes the window nor touches the picture a run works on.
    QThreadPool::globalInstance()->start([self, serial, row, index, box, ignoreExif, texts] {
        core::QueueItemPreview preview = core::loadQueueItemPreview(
            row.source, row.rotation, box, ignoreExif, core::languageLookup(texts));
        QMetaObject::invokeMethod(
            self.data(),
            [self, serial, row, index, preview = std::move(preview)] {
                if (!self || serial != self->shownSerial_) return;
                if (preview.thumbnail.isNull()) {
                    if (self->running_) return;
                    self->rebuildList();
                    self->memoQExif->setPlainText(
                        core::queueItemFailedText(row.source, self->language_));
                    return;
                }
                self->placeThumbnail(preview.thumbnail, index, row.source);
                if (!self->running_)
                    self->memoQExif->setPlainText(core::queueItemText(
                        row, preview.information ? &*preview.information : nullptr,
                        self->language_));
            },
            Qt::QueuedConnection);
    });
}

void TQForm::placeThumbnail(const QImage& thumbnail, int index, const QString& sourcePath) {
    ImageQ->setPixmap(QPixmap::fromImage(thumbnail));
    ImageQ->resize(thumbnail.size());
    ImageQ->move(core::queueThumbnailPlace(panelQThumb->size(), thumbnail.size()));
    ImageQ->setToolTip(core::queueThumbnailHint(index, sourcePath, language_));
    ImageQ->show();
}

void TQForm::queueFileProblem(const core::Status& status) {
    if (!status) core::showError(asker_, language_, status.failure().detail);
}

void TQForm::sbQRemoveClick() {
    if (running_ || !sbQRemove->isEnabled()) return;
    const int row = selectedRow();
    if (row < 0) return;
    const core::Status removed = store_.removeAt(row);
    clearPreview(false);
    rebuildList();
    emit queueChanged();
    queueFileProblem(removed);
}

void TQForm::sbQResetClick() {
    if (running_) return;
    const core::Status cleared = store_.clear();
    clearPreview(false);
    rebuildList();
    emit queueChanged();
    queueFileProblem(cleared);
    close();
}

void TQForm::sbQEditClick() {
    if (running_) return;
    const int row = selectedRow();
    if (row < 0 || row >= int(store_.items().size())) {
        rebuildList();
        return;
    }
    close();
    emit editRequested(row);
}

void TQForm::sbQRunClick() {
    if (running_ || store_.items().empty()) return;
    emit runRequested();
}

void TQForm::runStarted() {
    running_ = true;
    pages_->setCurrentIndex(kPreviewPage);
    {
        const QSignalBlocker block(ListView_Q);
        ListView_Q->clearSelection();
    }
    clearPreview(true);
    memoQExif->clear();
    ProgressIndicator->setValue(0);
    ProgressIndicator2->setValue(0);
    lblElapsedTime->clear();
    lblRemainedTime->clear();
    panelQProgress->show();
    refreshButtons();
}

void TQForm::runEnded() {
    running_ = false;
    panelQProgress->hide();
    clearPreview(true);
    rebuildList();
    show();
    raise();
    activateWindow();
}

void TQForm::sbQAbortClick() {
    if (!running_) return;
    if (core::askMessage(asker_, language_, QStringLiteral("ALS_ABORT_QUEST"),
                         QStringLiteral("ALS_INFO_PROCESS"),
                         core::kButtonsYesNo | core::kIconQuestion | core::kDefaultButton2) ==
        core::kResultYes)
        emit stopRequested();
}

void TQForm::itemStarted(int index, const QString& sourcePath) {
    // The list still shows the queue as the run found it; rows of finished items are gone from
    // the queue but the current one is found by its path.
    for (int i = 0; i < ListView_Q->rowCount(); ++i)
        if (ListView_Q->item(i, 0)->data(Qt::UserRole).toString() == sourcePath) {
            showItem(i);
            return;
        }
    Q_UNUSED(index);
}

void TQForm::statusChanged(const QString& status) {
    Label1->setText(status);
}

void TQForm::progressChanged(const core::BatchProgress& progress) {
    ProgressIndicator->setValue(progress.current);
    ProgressIndicator2->setValue(progress.overall);
    lblElapsedTime->setText(progress.elapsed);
    lblRemainedTime->setText(progress.remaining);
}

void TQForm::logLine(const QString& line) {
    memoQExif->appendPlainText(line);
}

void TQForm::reject() {
    // Escape: stop while running, otherwise close.
    if (running_)
        sbQAbortClick();
    else
        QDialog::reject();
}

void TQForm::closeEvent(QCloseEvent* event) {
    if (running_) {
        event->ignore();
        return;
    }
    optionsTimer_.stop();
    QDialog::closeEvent(event);
}

void TQForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        if (sbQRemove->isEnabled()) sbQRemoveClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace app
