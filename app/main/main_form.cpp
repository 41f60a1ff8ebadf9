#include "app/main/main_form.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QUrl>

#include "app/batch/queue_commands.h"
#include "app/editors/colour_ranges.h"
#include "app/editors/equalizers.h"
#include "app/editors/memory_colors.h"
#include "app/i18n/window_translation.h"
#include "app/main/main_form_commands.h"
#include "app/main/settings_files.h"
#include "app/navigator/navigator_commands.h"
#include "app/preview/pointer_tools.h"
#include "app/settings/crop_tab.h"
#include "app/settings/tuning_binder.h"
#include "core/caption/frame_lists.h"
#include "core/crop/crop_tables.h"
#include "core/crop/crop_texts.h"
#include "core/document/document_texts.h"
#include "core/i18n/help_pages.h"
#include "core/i18n/language.h"
#include "core/i18n/text_lookup.h"
#include "core/main/language_choice.h"
#include "core/main/program_registry.h"
#include "core/preview/preview_tabs.h"
#include "core/preview/run_texts.h"
#include "core/settings/tuning_apply.h"
#include "dnr.h"

namespace app {

namespace {

constexpr int kCounterIntervalMs = 500;

core::DocumentOptions documentOptions(const core::Language& language,
                                      const core::ProgramOptions& options) {
    core::DocumentOptions d;
    d.ignoreExif = options.ignoreExif != 0;
    d.lookup = core::languageLookup(language);
    return d;
}

// The lists whose items belong to the caption renderer and the crop tables.
void fillLists(TuningPages* pages, const core::Language& language) {
    const auto fill = [pages](const char* name, const QStringList& items) {
        if (auto* combo = pages->control<QComboBox>(QString::fromLatin1(name))) {
            combo->clear();
            combo->addItems(items);
        }
    };
    fill("Edit_frame_width", core::caption::widthItemTexts(core::caption::kFrameWidthList));
    fill("Edit_frame_innerwidth", core::caption::widthItemTexts(core::caption::kInnerWidthList));
    fill("Edit_frame_shadowwidth", core::caption::widthItemTexts(core::caption::kShadowWidthList));
    const core::TextLookup lookup = core::languageLookup(language);
    QStringList paper, web;
    for (int32_t i = 0; i < core::kPaperRows; ++i)
        paper << core::paperRowText(i, lookup);
    for (int32_t i = 0; i < core::kWebRows; ++i)
        web << core::webRowText(i, lookup);
    fill("cmbPaperResize", paper);
    fill("cmbWebResize", web);
}

}  // namespace

TMainForm::TMainForm(const MainFormSetup& setup, QWidget* parent)
    : QMainWindow(parent),
      language_(setup.language),
      asker_(setup.asker),
      files_(setup.files),
      folders_(setup.folders),
      options_(setup.options),
      registryFile_(setup.registryFile),
      languageIndex_(setup.languageIndex),
      ui_(buildMainFormLayout(this)),
      document_(documentOptions(setup.language, setup.options)),
      scheduler_([this](core::RunKind kind) { launchRun(kind); }),
      executor_(std::make_unique<core::EngineExecutor>()) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Velmar Filter"));
    document_.pictureSlots().loadTemplate(folders_.program() +
                                          QStringLiteral("/temp/template16.tif"));

    if (!registryFile_.isEmpty())
        lastFolder_ = core::readDialogFolder(core::programRegistryKey(registryFile_),
                                             core::DialogFolder::Open, folders_.program());
    tuning_.expertMode = options_.expertMode != 0;
    core::applySettings(tuning_, setup.settings, core::ResetCode::All);
    fillLists(ui_.pages, language_);
    binder_ = new TuningBinder(tuning_, ui_.pages, this);
    ui_.cmbZoomPreview->setCurrentIndex(
        options_.previewZoomIndex >= 0 && options_.previewZoomIndex < ui_.cmbZoomPreview->count()
            ? options_.previewZoomIndex
            : core::kDefaultPreviewZoomIndex);
    ui_.menu[QStringLiteral("menuExpertMode")]->setChecked(tuning_.expertMode);

    assignHelpKeywords(this);
    translateWindow(this, language_);
    installSkin();
    connectCommands();
    installCropTab();
    installTextTab();
    pointer_ = new PointerTools(*this);
    memoryColors_ = new MemoryColors(*this);
    colourRanges_ = new ColourRanges(*this);
    equalizers_ = new Equalizers(*this);
    commands_ = new MainFormCommands(*this);
    queueCommands_ = new QueueCommands(*this);
    settingsFiles_ = new SettingsFiles(*this);
    navigator_ = new NavigatorCommands(*this);
    installFullViews();  // its zoom box goes into the tool bars just made
    installFolderCommands();
    setTuningMode(false);
    setStatus(text("ALS_READY"));
    counter_.setInterval(kCounterIntervalMs);
    connect(&counter_, &QTimer::timeout, this, [this] {
        scheduler_.tick();
        equalizers_->keepInside();
        if (ui_.status->text().isEmpty())
            setStatus(
                document_.isOpen() && !busy()
                    ? core::readyStatus(document_.information(), core::languageLookup(language_))
                    : text("ALS_READY"));
    });
    counter_.start();
    paneResized_.setSingleShot(true);
    paneResized_.setInterval(0);
    connect(&paneResized_, &QTimer::timeout, this, [this] { previewPaneResized(); });
    qApp->installEventFilter(this);
    updateCommands();
}

TMainForm::~TMainForm() {
    // The command surface reads the members below; it goes first.
    delete commands_;
    commands_ = nullptr;
    // A batch run on the engine thread is stopped before the thread is joined.
    delete queueCommands_;
    queueCommands_ = nullptr;
    delete settingsFiles_;
    settingsFiles_ = nullptr;
    qApp->removeEventFilter(this);
    // The engine thread ends before the document's sessions go.
    executor_->cancel();
    executor_.reset();
}

QString TMainForm::text(const char* key) const {
    return language_.message(QString::fromLatin1(key));
}

void TMainForm::setStatus(const QString& message) {
    ui_.status->setText(message);
}

void TMainForm::showError(const QString& message) {
    core::showError(asker_, language_, message);
}

void TMainForm::connectCommands() {
    const auto on = [this](const char* name, auto slot) {
        connect(ui_.menu[QString::fromLatin1(name)], &QAction::triggered, this, slot);
    };
    on("menuOpen", [this] { menuOpenClick(); });
    on("menuClose", [this] { menuCloseClick(); });
    on("menuSave", [this] { menuSaveClick(); });
    on("menuSaveAs", [this] { menuSaveClick(); });
    on("menuExit", [this] { menuExitClick(); });
    on("menuRebuild", [this] { menuRebuildClick(); });
    on("menuAbort", [this] { menuAbortClick(); });
    on("menuRotateCCW", [this] { menuRotateClick(-1); });
    on("menuRotateCW", [this] { menuRotateClick(1); });
    on("menuCopy", [this] { menuCopyClick(); });
    on("menuPaste", [this] { menuPasteClick(); });
    on("menuExpertMode", [this](bool checked) { menuExpertModeClick(checked); });
    on("menuResetOptions", [this] { menuResetOptionsClick(); });
    on("menuHelp", [this] { menuHelpClick(); });
    on("menuHelpPanel", [this](bool checked) { menuHelpPanelClick(checked); });
    connect(ui_.sbAbort, &QPushButton::clicked, this, [this] { menuAbortClick(); });
    if (auto* autoButton = ui_.pages->control<QAbstractButton>(QStringLiteral("sbAutoBrightness")))
        connect(autoButton, &QAbstractButton::clicked, this, [this] { autoBrightness(); });
    connect(ui_.menu.languageMenu, &QMenu::aboutToShow, this, [this] { fillLanguageMenu(); });
    for (int i = 0; i < 9; ++i)
        connect(ui_.menu[QStringLiteral("menuLang%1").arg(i)], &QAction::triggered, this,
                [this, i] {
                    core::askMessage(asker_, language_, QStringLiteral("ALS_LANG_APPLY_WARNING"),
                                     QStringLiteral("ALS_LANGUAGE"), core::kButtonsOk);
                    languageIndex_ = i;
                    if (!registryFile_.isEmpty())
                        core::programRegistryKey(registryFile_)
                            .writeInt(QString::fromLatin1(core::kValueLanguage), i);
                });

    connect(binder_, &TuningBinder::processingRequested, this, [this] { requestProcessing(); });
    connect(binder_, &TuningBinder::captionChanged, this, [this] { requestProcessing(); });
    connect(ui_.pages, &QTabWidget::currentChanged, this, [this] { tabChanged(); });
    connect(ui_.cmbZoomPreview, &QComboBox::activated, this, [this](int index) {
        options_.previewZoomIndex = index;
        recomputeRegion(false);
        requestProcessing();
    });
    connect(executor_.get(), &core::EngineExecutor::progress, this, [this](int permille) {
        const int percent = permille / 10;
        QProgressBar* bar = scheduler_.runKind() == static_cast<int32_t>(core::RunKind::Full)
                                ? ui_.progress
                                : ui_.progressPreview;
        if (bar->value() != percent) bar->setValue(percent);
        if (bar == ui_.progressPreview && !bar->isVisible()) bar->show();
        if (bar == ui_.progress && runStartMs_ > 0)
            ui_.lblElapsedTime->setText(core::elapsedTextSince(
                core::languageLookup(language_), runStartMs_, QDateTime::currentMSecsSinceEpoch()));
    });
    connect(executor_.get(), &core::EngineExecutor::engineMessage, this,
            [this](const QString& message, const QString&) { showError(message); });
    connectPreviewDrag(ui_.imagePreviewSource);
    connect(ui_.imgFullSrc, &PictureView::pressed, this,
            [this](QPoint p, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
                if (buttons & Qt::LeftButton && !(modifiers & Qt::ShiftModifier)) pointThumbnail(p);
            });
    connect(ui_.imgFullSrc, &PictureView::dragged, this,
            [this](QPoint p, Qt::MouseButtons buttons) {
                if (buttons & Qt::LeftButton) pointThumbnail(p);
            });
    connect(ui_.imgFullSrc, &PictureView::released, this, [this](QPoint) {
        if (!tuningMode() || busy()) return;
        sourcePreviewStale_ = true;
        requestProcessing();
    });
}

void TMainForm::updateCommands() {
    const bool isBusy = busy();
    const bool open = document_.isOpen();
    const bool running = scheduler_.running();
    const auto enable = [this](const char* name, bool on) {
        ui_.menu[QString::fromLatin1(name)]->setEnabled(on);
    };
    enable("menuOpen", !isBusy);
    enable("menuClose", !isBusy && open);
    enable("menuSave", !isBusy && open);
    enable("menuSaveAs", !isBusy && open);
    enable("menuRebuild", !isBusy && open);
    enable("menuRotateCCW", !isBusy && open);
    enable("menuRotateCW", !isBusy && open);
    enable("menuCopy", !isBusy && open);
    enable("menuPaste", !isBusy);
    enable("menuResetOptions", !isBusy);
    enable("menuAbort", running || (tuningMode() && !isBusy));
    ui_.sbAbort->setVisible(running &&
                            scheduler_.runKind() == static_cast<int32_t>(core::RunKind::Full));
    ui_.pages->setEnabled(true);
    updateFolderCommands();
    if (commands_) commands_->refresh();
}

void TMainForm::menuExpertModeClick(bool expert) {
    core::setExpertMode(tuning_, expert, true);
    options_.expertMode = expert ? 1 : 0;
    ui_.menu[QStringLiteral("menuExpertMode")]->setText(language_.lookup(
        QString::fromLatin1(expert ? "ALS_PREVIEW_SIMPLE" : "ALS_PREVIEW_EXPERT")));
    binder_->refresh();
    updateFolderCommands();
    requestProcessing();
}

void TMainForm::menuResetOptionsClick() {
    if (scheduler_.running()) return;
    if (core::askMessage(asker_, language_, QStringLiteral("ALS_RESET_OPTIONS_QUEST"),
                         QStringLiteral("ALS_OPTIONS"),
                         core::kButtonsYesNo | core::kIconQuestion) != core::kResultYes)
        return;
    tuning_.noiseAreas.clear();
    tuning_.colorRanges.clear();
    tuning_.curves = core::EqualizerCurves{};
    core::applySettings(tuning_, core::SettingsBlock{}, core::ResetCode::ResetAll);
    binder_->refresh();
    cropTab_->valuesApplied();
    requestProcessing();
}

void TMainForm::menuHelpClick() {
    const core::HelpState state = core::helpStateFor(tuningMode(), ui_.pages->currentSheet());
    QDesktopServices::openUrl(QUrl::fromLocalFile(
        folders_.helpFolder(QString::fromLatin1(core::languageTable()[languageIndex_].fileName)) +
        QLatin1Char('/') + core::helpPage(state, core::HelpVariant::F1)));
}

void TMainForm::menuHelpPanelClick(bool shown) {
    options_.helpPanelVisible = shown ? 1 : 0;
    ui_.helpBrowser->setVisible(shown);
    if (shown) refreshHelpPanel();
}

void TMainForm::refreshHelpPanel() {
    if (!ui_.helpBrowser->isVisible()) return;
    const core::HelpState state = core::helpStateFor(tuningMode(), ui_.pages->currentSheet());
    const QString page =
        folders_.helpFolder(QString::fromLatin1(core::languageTable()[languageIndex_].fileName)) +
        QLatin1Char('/') + core::helpPage(state, core::HelpVariant::Panel);
    ui_.helpBrowser->setSource(QUrl::fromLocalFile(page));
}

void TMainForm::fillLanguageMenu() {
    for (const core::LanguageEntry& entry : core::languageTable()) {
        QAction* action = ui_.menu[QStringLiteral("menuLang%1").arg(entry.index)];
        action->setText(QString::fromUtf8(entry.caption));
        action->setChecked(entry.index == languageIndex_);
        action->setVisible(
            QFileInfo::exists(folders_.languageFile(QString::fromLatin1(entry.fileName))));
    }
}

// Context help: a press on a control while the help panel shows moves the panel to the
// control's paragraph.
bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize &&
        (watched == ui_.imagePreviewSource || watched == ui_.imagePreviewOutput) && tuningMode())
        paneResized_.start();
    if (event->type() == QEvent::MouseButtonPress && ui_.helpBrowser->isVisible()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget &&
            (qobject_cast<QAbstractSlider*>(widget) || qobject_cast<QAbstractButton*>(widget) ||
             qobject_cast<QComboBox*>(widget))) {
            const QString keyword = helpKeyword(widget);
            if (core::helpNeedsNavigation(ui_.helpBrowser->source().toString(), keyword)) {
                QUrl target = ui_.helpBrowser->source();
                target.setFragment(keyword.mid(1));
                ui_.helpBrowser->setSource(target);
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!activated_) {
        activated_ = true;
        scheduler_.markActivated();
    }
}

}  // namespace app
