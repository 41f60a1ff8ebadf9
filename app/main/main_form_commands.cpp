#include "app/main/main_form_commands.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>
#include <QWheelEvent>

#include "app/main/about_form.h"
#include "app/main/command_pictures.h"
#include "app/main/control_hints.h"
#include "app/main/file_chooser.h"
#include "app/main/main_form.h"
#include "app/main/step_bar.h"
#include "app/settings/tuning_binder.h"
#include "core/i18n/language.h"
#include "core/preview/preview_tabs.h"
#include "core/settings/tab_markers.h"

namespace app {

namespace {

struct WebLink {
    const char* action;
    const char* address;
};

constexpr WebLink kWebLinks[] = {
    {"menuHelpHome", "https://velmarfilter.org/"},
    {"menuHelpForum", "https://velmarfilter.org/forum/"},
    {"menuHelpVelmar", "https://velmar.example/"},
};

bool isEditBox(const QWidget* w) {
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w)) return true;
    const auto* combo = qobject_cast<const QComboBox*>(w);
    return combo && combo->isEditable();
}

QString editText(const QWidget* w) {
    if (const auto* line = qobject_cast<const QLineEdit*>(w)) return line->text();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(w)) return spin->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(w)) return combo->currentText();
    return {};
}

bool clipboardOffersPicture() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage();
}

}  // namespace

QUrl webLinkAddress(const QString& actionName) {
    for (const WebLink& link : kWebLinks)
        if (actionName == QLatin1String(link.action))
            return QUrl(QString::fromLatin1(link.address));
    return {};
}

MainFormCommands::MainFormCommands(TMainForm& form)
    : QObject(&form),
      form_(form),
      openUrl_([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("MainFormCommands"));
    MainFormLayout& ui = form_.ui_;
    toolBars_ = installToolBars(&form_, ui.toolBar, ui.menu);
    stepBar_ = new StepBarWidget(&form_);
    form_.addToolBar(Qt::TopToolBarArea, stepBar_);
    // The window was translated before the bar existed.
    for (size_t i = 0; i < core::kStepCount; ++i) {
        StepButton* button = stepBar_->button(static_cast<core::Step>(i));
        button->setToolTip(form_.language_.lookup(button->toolTip()));
    }
    connect(stepBar_, &StepBarWidget::stepClicked, this, &MainFormCommands::stepClicked);
    connectActions();
    new ControlHints(form_.options_.hintMode, this);
    if (auto* dialogs = dynamic_cast<DialogFileChooser*>(&form_.files_))
        dialogs->usePictureDialogs(form_.language_, form_.options_);
    qApp->installEventFilter(this);
    refresh();
}

MainFormCommands::~MainFormCommands() {
    qApp->removeEventFilter(this);
}

void MainFormCommands::connectActions() {
    const MainMenu& menu = form_.ui_.menu;
    for (const WebLink& link : kWebLinks) {
        const QString name = QString::fromLatin1(link.action);
        connect(menu[name], &QAction::triggered, this, [this, name] {
            if (form_.busy()) return;
            openUrl_(webLinkAddress(name));
        });
    }
    connect(menu[QStringLiteral("menuAbout")], &QAction::triggered, this,
            &MainFormCommands::showAbout);
    connect(menu[QStringLiteral("menuPrefs")], &QAction::triggered, this,
            &MainFormCommands::showPreferences);
    connect(menu[QStringLiteral("menuKeyReturn")], &QAction::triggered, this,
            &MainFormCommands::keyReturn);
    connect(menu[QStringLiteral("menuFullScreen")], &QAction::triggered, this,
            [this] { form_.openFullScreen(0); });
    connect(menu[QStringLiteral("menuKeyAdd")], &QAction::triggered, this,
            [this] { keypadZoom(true); });
    connect(menu[QStringLiteral("menuKeySubtract")], &QAction::triggered, this,
            [this] { keypadZoom(false); });
    connect(form_.ui_.pages, &QTabWidget::currentChanged, this, &MainFormCommands::refresh);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &MainFormCommands::refresh);
    connect(form_.binder_, &TuningBinder::processingRequested, this,
            &MainFormCommands::refreshTabMarkers);
    connect(form_.binder_, &TuningBinder::captionChanged, this,
            &MainFormCommands::refreshTabMarkers);
    connect(&form_, &TMainForm::fullRunEnded, this, [this](core::RunEnd end) {
        if (end == core::RunEnd::Done) {
            steps_.applyPreset(core::StepSituation::FullRunFinished);
        } else {
            steps_.applyPreset(core::StepSituation::Viewing);
            steps_.outputCleared();
        }
        sawFullRun_ = false;
        showSteps();
    });
    connect(&form_, &TMainForm::saveEnded, this, [this](bool) { showSteps(); });
    // The expert-mode items follow the toggle. The chromatic-aberration tab shows only in expert
    // mode: leaving expert mode there goes to the first tab.
    QAction* expert = menu[QStringLiteral("menuExpertMode")];
    connect(expert, &QAction::toggled, this,
            [this] { sheetBeforeExpertToggle_ = form_.ui_.pages->currentSheet(); });
    connect(expert, &QAction::triggered, this, [this] {
        if (!form_.tuning_.expertMode && sheetBeforeExpertToggle_ == QLatin1String("tsCA"))
            form_.ui_.pages->setCurrentIndex(0);
        applyEnabling();
    });
}

void MainFormCommands::setPluginMode(bool on) {
    pluginMode_ = on;
    refresh();
}

void MainFormCommands::setFileCount(int count) {
    fileCount_ = count;
    refresh();
}

void MainFormCommands::setUndoSlot(core::UndoSlot slot) {
    undoSlot_ = slot;
    refresh();
}

core::CommandInputs MainFormCommands::inputs() const {
    core::CommandInputs in;
    in.image = form_.document_.isOpen();
    in.name = form_.document_.fileName();
    in.pluginMode = pluginMode_;
    in.tuningMode = form_.tuningMode();
    in.tab = core::tabOfSheet(form_.ui_.pages->currentSheet());
    in.undoSlot = undoSlot_;
    in.fileCount = fileCount_;
    // A preview run is short and starts again after any change: the commands stay offered
    // meanwhile (those that need the picture wait for it themselves). A full run or a long
    // operation holds the picture, and then they are taken away.
    in.busy = form_.settingsLocked();
    in.running = form_.scheduler_.running();
    in.clipboardHasPicture = clipboardOffersPicture();
    return in;
}

void MainFormCommands::refresh() {
    enabling_ = core::commandEnabling(inputs());
    applyEnabling();
    followSituation();
    refreshTabMarkers();
}

void MainFormCommands::applyEnabling() {
    const MainMenu& menu = form_.ui_.menu;
    const core::CommandEnabling& e = enabling_;
    const bool busy = form_.settingsLocked();
    const auto enable = [&menu](const char* name, bool on) {
        if (QAction* action = menu[QString::fromLatin1(name)]) action->setEnabled(on);
    };
    enable("menuOpen", e.open);
    enable("menuReopen", e.reopen);
    enable("menuClose", e.close);
    enable("menuSave", e.save);
    enable("menuSaveAs", e.save);
    enable("menuPrev", e.previousNext);
    enable("menuNext", e.previousNext);
    enable("menuDemo", e.demo);
    for (int i = 1; i <= 7; ++i)
        enable(QByteArray("menuFolder" + QByteArray::number(i)).constData(), e.open);
    enable("menuRebuild", e.apply);
    enable("menuAbort", e.abort);
    enable("menuResetOptions", e.resetOptions);
    enable("menuUndo", e.undo);
    enable("menuCopy", e.copy);
    enable("menuPaste", e.paste);
    enable("menuRotateCCW", e.rotate);
    enable("menuRotateCW", e.rotate);
    enable("menuMergeImages", e.mergeImages);
    enable("menuFullScreen", e.fullScreen);
    enable("menuExpertMode", e.expertMode);
    enable("menuScaleMore", e.zoom);
    enable("menuScaleLess", e.zoom);
    enable("menuFramesSingle", e.framesMode && !busy);
    enable("menuFramesDouble", e.framesMode && !busy);
    // Settings files; those kept beside the picture need one.
    enable("menuSaveOptions", !busy);
    enable("menuLoadOptions", !busy);
    enable("menuSaveFileOptions", !busy && form_.document_.isOpen());
    enable("menuLoadFileOptions", !busy && form_.document_.isOpen());
    // The queue: adding needs a picture from a file; the window and clearing wait for no run.
    enable("menuAddToQueue", e.queueAdd);
    enable("menuAddToQueueAndNext", e.queueAdd);
    enable("menuAddAllToQueue", e.queueAdd && !form_.listing_.files.isEmpty());
    enable("menuQueue", e.queueMenu);
    enable("menuClearQueue", e.queueMenu);
    enable("menuNavPanelMain", e.navigatorPanels);
    enable("menuNavPanelPreview", e.navigatorPanels);
    if (menu.queueMenu) menu.queueMenu->setEnabled(e.queueMenu);
    // The plug-in host is not part of this build; the menu stays disabled.
    if (menu.pluginsMenu) menu.pluginsMenu->setEnabled(false);

    // Expert mode shows the presets and the merge command; the item's caption names the mode it
    // switches to.
    const bool expert = form_.tuning_.expertMode;
    for (const char* name : {"menuCommonPresets", "menuFilePresets", "menuMergeImages"})
        if (QAction* action = menu[QString::fromLatin1(name)]) action->setVisible(expert);
    if (menu.mergeSeparator) menu.mergeSeparator->setVisible(expert);
    QAction* expertItem = menu[QStringLiteral("menuExpertMode")];
    expertItem->setText(form_.language_.lookup(
        QString::fromLatin1(expert ? "ALS_PREVIEW_SIMPLE" : "ALS_PREVIEW_EXPERT")));
    if (expertItem->isChecked() != expert) {
        const QSignalBlocker block(expertItem);
        expertItem->setChecked(expert);
    }
    // The buttons' hints name the command and its short-cut.
    for (QToolButton* button : toolBars_.buttons) {
        QAction* action = button->defaultAction();
        if (!action) continue;
        QString hint = action->text();
        hint.remove(QLatin1Char('&'));
        if (!action->shortcut().isEmpty())
            hint +=
                QStringLiteral(" (%1)").arg(action->shortcut().toString(QKeySequence::NativeText));
        if (action->toolTip() != hint) action->setToolTip(hint);
    }
}

void MainFormCommands::followSituation() {
    const bool image = form_.document_.isOpen();
    const bool tuning = form_.tuningMode();
    const bool fullRun = form_.scheduler_.running() &&
                         form_.scheduler_.runKind() == static_cast<int32_t>(core::RunKind::Full);
    if (!image) {
        if (sawImage_ || steps_.state(core::Step::View) != core::StepState::Unavailable) {
            steps_.applyPreset(core::StepSituation::NoImage);
            steps_.outputCleared();
        }
    } else if (fullRun && !sawFullRun_) {
        steps_.applyPreset(core::StepSituation::FullRunInProgress);
    } else if (!fullRun && (!sawImage_ || tuning != sawTuning_)) {
        steps_.applyPreset(tuning ? core::StepSituation::Tuning : core::StepSituation::Viewing);
    }
    sawImage_ = image;
    sawTuning_ = tuning;
    sawFullRun_ = fullRun;
    showSteps();
}

void MainFormCommands::showSteps() {
    stepBar_->showStates(steps_.states());
}

void MainFormCommands::refreshTabMarkers() {
    TuningPages* pages = form_.ui_.pages;
    const core::TabsInUse inUse = core::tabsInUse(form_.tuning_);
    for (size_t i = 0; i < inUse.size(); ++i) {
        QWidget* page =
            pages->page(QString::fromLatin1(core::sheetNameOf(static_cast<core::PreviewTab>(i))));
        const int index = page ? pages->indexOf(page) : -1;
        if (index < 0) continue;
        pages->setTabIcon(index, tabMarkerIcon(inUse[i]));
        pages->tabBar()->setTabData(index, core::tabMarkerPicture(inUse[i]));
    }
    struct EqButton {
        const char* name;
        core::EqualizerButton button;
    };
    for (const EqButton& b : {EqButton{"sbEqNoiseReduction", core::EqualizerButton::Noise},
                              EqButton{"sbEqSaturation", core::EqualizerButton::Saturation},
                              EqButton{"sbEqSharpening", core::EqualizerButton::Sharpening}}) {
        auto* button = pages->findChild<QAbstractButton*>(QString::fromLatin1(b.name));
        if (!button) continue;
        const bool shaped = core::equalizerShaped(form_.tuning_.curves, b.button);
        button->setIcon(equalizerIcon(shaped));
        button->setProperty("equalizerPicture",
                            core::equalizerButtonPicture(form_.tuning_.curves, b.button));
    }
}

void MainFormCommands::stepClicked(core::Step step) {
    if (form_.busy() || !core::stepReactsToClick(steps_.state(step))) return;
    switch (step) {
        case core::Step::Open: {
            steps_.beginOpenDialog();
            showSteps();
            form_.menuOpenClick();
            // A cancelled dialog starts nothing; an open that went ahead brings its own steps.
            if (!form_.busy()) steps_.cancelOpenDialog();
            showSteps();
            break;
        }
        case core::Step::View:
            if (form_.tuningMode()) {
                form_.menuAbortClick();
            } else {
                steps_.applyPreset(core::StepSituation::Viewing);
                showSteps();
            }
            break;
        case core::Step::Tune:
            if (!form_.tuningMode()) form_.menuRebuildClick();
            break;
        case core::Step::Process:
            steps_.applyPreset(core::StepSituation::FullRunInProgress);
            showSteps();
            form_.menuRebuildClick();
            if (!form_
                     .busy()) {  // nothing started (entering the tuning mode from the viewing mode)
                sawTuning_ = !form_.tuningMode();
                followSituation();
            }
            break;
        case core::Step::Save:
            steps_.beginSaveDialog();
            showSteps();
            form_.menuSaveClick();
            steps_.endSaveDialog();
            showSteps();
            break;
    }
}

void MainFormCommands::showAbout() {
    if (form_.busy()) return;
    auto* about = new TAboutForm(form_.language_, &form_);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

core::FocusKind MainFormCommands::focusKind(const QWidget* widget) const {
    if (!widget) return core::FocusKind::Other;
    if (qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget))
        return core::FocusKind::Memo;
    return isEditBox(widget) ? core::FocusKind::EditBox : core::FocusKind::Other;
}

core::RoutingState MainFormCommands::routingState() const {
    core::RoutingState s;
    s.busy = form_.busy();
    s.running = form_.scheduler_.running();
    s.tuningMode = form_.tuningMode();
    s.tab = core::tabOfSheet(form_.ui_.pages->currentSheet());
    const auto* zoom = form_.findChild<QComboBox*>(QStringLiteral("cmbZoom"));
    s.viewingAtFitWindow = zoom && zoom->currentIndex() == 0;
    s.cropOn = cropOn();
    s.sourceHasSize =
        form_.document_.isOpen() && form_.document_.width() > 0 && form_.document_.height() > 0;
    return s;
}

bool MainFormCommands::cropOn() const {
    QWidget* page = form_.ui_.pages->page(QStringLiteral("tsCrop"));
    const auto* check =
        page ? page->findChild<QCheckBox*>(QStringLiteral("cbEnableCrop")) : nullptr;
    return check ? check->isChecked() : form_.tuning_.crop.CropOn != 0;
}

void MainFormCommands::clickCropButton(const char* name) {
    QWidget* page = form_.ui_.pages->page(QStringLiteral("tsCrop"));
    if (auto* button =
            page ? page->findChild<QAbstractButton*>(QString::fromLatin1(name)) : nullptr)
        button->click();
}

void MainFormCommands::keyReturn() {
    QWidget* focus = QApplication::focusWidget();
    const core::FocusKind kind = focusKind(focus);
    const bool changed =
        kind == core::FocusKind::EditBox && focus == focusEdit_ && editText(focus) != focusText_;
    switch (core::enterAction(routingState(), kind, changed)) {
        case core::EnterAction::CommitEditBox:
            // Leaving the box commits its value, as a click elsewhere would.
            focus->clearFocus();
            form_.setFocus();
            break;
        case core::EnterAction::FullScreen:
            // Directly: the crop tab's choice of fitting or real size stays as last made.
            form_.openFullScreen();
            break;
        case core::EnterAction::Ignore:
            break;
    }
}

void MainFormCommands::keypadZoom(bool in) {
    if (!core::keypadZoomActs(routingState())) return;
    QAction* zoom = form_.ui_.menu[QString::fromLatin1(in ? "menuScaleMore" : "menuScaleLess")];
    if (zoom && zoom->isEnabled()) zoom->trigger();
}

bool MainFormCommands::wheel(QWidget* target, QEvent* event) {
    const MainFormLayout& ui = form_.ui_;
    // Over the help panel the panel scrolls itself.
    if (ui.helpBrowser->isVisible() &&
        (target == ui.helpBrowser || ui.helpBrowser->isAncestorOf(target)))
        return false;
    const core::RoutingState state = routingState();
    if (state.busy || state.running) return true;  // no turn reaches a control meanwhile
    auto* w = static_cast<QWheelEvent*>(event);
    const int dy = w->angleDelta().y();
    if (dy == 0) return false;
    const bool shiftOrCtrl = w->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    const auto pageKey = [](int key) {
        if (QWidget* focus = QApplication::focusWidget()) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
            QApplication::sendEvent(focus, &press);
            QApplication::sendEvent(focus, &release);
        }
    };
    switch (core::wheelAction(state, dy < 0, shiftOrCtrl)) {
        case core::WheelAction::None:
            return false;
        case core::WheelAction::PageDown:
            pageKey(Qt::Key_PageDown);
            return true;
        case core::WheelAction::PageUp:
            pageKey(Qt::Key_PageUp);
            return true;
        case core::WheelAction::StraightenRight:
            clickCropButton("sbRotateCropRight");
            return true;
        case core::WheelAction::StraightenLeft:
            clickCropButton("sbRotateCropLeft");
            return true;
        case core::WheelAction::ZoomOut:
            keypadZoom(false);
            return true;
        case core::WheelAction::ZoomIn:
            keypadZoom(true);
            return true;
    }
    return false;
}

bool MainFormCommands::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &form_) return false;
    switch (event->type()) {
        case QEvent::FocusIn:
            if (isEditBox(widget)) {
                focusEdit_ = widget;
                focusText_ = editText(widget);
            }
            break;
        case QEvent::ShortcutOverride: {
            // Space and Backspace type into edit boxes and memos instead of stepping through the
            // folder; Enter in a memo starts a new line.
            auto* key = static_cast<QKeyEvent*>(event);
            const core::FocusKind kind = focusKind(widget);
            const bool stepKey = (key->key() == Qt::Key_Space || key->key() == Qt::Key_Backspace) &&
                                 key->modifiers() == Qt::NoModifier;
            const bool memoEnter = kind == core::FocusKind::Memo &&
                                   (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
            if ((stepKey && !core::stepKeysGoToCommands(kind)) || memoEnter) {
                event->accept();
                return true;
            }
            break;
        }
        case QEvent::Wheel:
            return wheel(widget, event);
        default:
            break;
    }
    return false;
}

}  // namespace app
