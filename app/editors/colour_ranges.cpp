#include "app/editors/colour_ranges.h"

#include <QAbstractButton>
#include <QAction>
#include <QSlider>
#include <algorithm>

#include "app/editors/colour_range_list_form.h"
#include "app/editors/colour_range_window.h"
#include "app/editors/memory_colors.h"
#include "app/main/main_form.h"
#include "app/main/skin.h"
#include "app/preview/pointer_tools.h"
#include "app/settings/tuning_binder.h"
#include "core/document/image_slots.h"
#include "core/editors/memory_colour_apply.h"
#include "core/main/skin_choice.h"
#include "core/preview/pointer_marks.h"
#include "core/preview/preview_tabs.h"

namespace app {

ColourRanges::ColourRanges(TMainForm& form) : QObject(&form), form_(form) {
    setObjectName(QStringLiteral("ColourRanges"));
    window_ = new FWChangeColorRange(form_.language_, &form_);
    form_.addDockWidget(Qt::LeftDockWidgetArea, window_);
    window_->setFloating(true);
    window_->hide();
    // The drawings are engine calls: they queue on the engine thread like every other.
    window_->setDrawRunner([this](FWChangeColorRange::DrawJob job,
                                  std::function<void(core::RangeWindowPictures)> done) {
        form_.executor_->post(
            window_, [job = std::move(job)](const core::EngineJobContext&) { return job(); },
            std::move(done));
    });
    connectWindow();

    showLast_ = form_.ui_.pages->control<QAbstractButton>(QStringLiteral("SB_ShowLastColorRange"));
    listButton_ = form_.ui_.pages->control<QAbstractButton>(QStringLiteral("sbEditSavedCCR"));
    if (showLast_)
        connect(showLast_, &QAbstractButton::clicked, this, [this](bool down) {
            if (locked()) {
                showLast_->setChecked(!down);
                return;
            }
            if (!down) {
                endEditing();
                return;
            }
            if (form_.tuning_.colorRanges.empty() ||
                !edit(int32_t(form_.tuning_.colorRanges.size()) - 1))
                showLast_->setChecked(false);
        });
    if (listButton_) connect(listButton_, &QAbstractButton::clicked, this, [this] { showList(); });

    connect(form_.ui_.pages, &QTabWidget::currentChanged, this, [this] { refreshVisibility(); });
    connect(form_.ui_.layers, &QStackedWidget::currentChanged, this, [this] {
        // Leaving the tuning mode closes the window.
        if (!form_.tuningMode() && editing_.active()) {
            editing_.end();
            finish(false);
        }
    });
    // Another picture or another item's settings bring other ranges.
    const auto replaced = [this] {
        if (editing_.active()) {
            editing_.end();
            finish(false);
        }
        refreshButtons();
    };
    connect(&form_, &TMainForm::pictureOpened, this, replaced);
    connect(&form_, &TMainForm::queueItemOpened, this, replaced);
    if (auto* reset = form_.ui_.pages->control<QAbstractButton>(QStringLiteral("sbResetColor")))
        connect(reset, &QAbstractButton::clicked, this, [this] { checkEditedRange(); });
    connect(form_.ui_.menu[QStringLiteral("menuResetOptions")], &QAction::triggered, this,
            [this] { checkEditedRange(); });
    connect(form_.pointer_, &PointerTools::marksChanged, this, [this] { refreshButtons(); });
    connect(this, &ColourRanges::editingChanged, form_.pointer_, &PointerTools::refresh);
    refreshButtons();
    // The floating window takes the skin's caption and buttons as well.
    form_.installSkin();
}

TFormEditSavedCCR* ColourRanges::list() const {
    return list_;
}

bool ColourRanges::locked() const {
    return form_.settingsLocked();
}

void ColourRanges::connectWindow() {
    connect(window_, &FWChangeColorRange::targetPicked, this, [this](const core::Rgb16& colour) {
        if (!editing_.active()) return;
        window_->resetMemoryColour();
        if (!editing_.setTarget(form_.tuning_.colorRanges, colour)) return checkEditedRange();
        window_->setRange(editing_.range());
        window_->redraw(true);
        stored();
    });
    connect(window_, &FWChangeColorRange::targetResetRequested, this, [this] {
        if (!editing_.active()) return;
        if (!editing_.resetTarget(form_.tuning_.colorRanges)) return checkEditedRange();
        window_->setRange(editing_.range());
        window_->redraw(true);
        stored();
    });
    connect(window_, &FWChangeColorRange::toleranceChanged, this, [this](int tolerance) {
        if (!editing_.active()) return;
        if (!editing_.setTolerance(form_.tuning_.colorRanges, tolerance)) return checkEditedRange();
        window_->setRange(editing_.range());
        window_->redraw(true);  // the marker circles follow the tolerance
        stored();
    });
    connect(window_, &FWChangeColorRange::areasIncludeChanged, this, [this](bool include) {
        if (!editing_.active()) return;
        if (!editing_.setAreasInclude(form_.tuning_.colorRanges, include))
            return checkEditedRange();
        stored();
    });
    connect(window_, &FWChangeColorRange::memoryColourChosen, this,
            [this](int position) { chooseMemoryColour(position); });
    connect(window_, &FWChangeColorRange::saveClicked, this, [this] { endEditing(); });
    connect(window_, &FWChangeColorRange::cancelClicked, this, [this] { cancelEditing(); });
}

void ColourRanges::newRange(const core::Rgb16& picked) {
    // A new range ends an editing still open; that range stays as stored.
    if (editing_.active()) editing_.end();
    const int32_t tolerance = window_->SlideBar_ColorTol->maximum() / 2;
    const int32_t index =
        core::addColourRange(form_.tuning_, core::colourRangeAround(picked, tolerance));
    begin(index, true);
}

bool ColourRanges::edit(int32_t index) {
    if (editing_.active() && editing_.index() == index &&
        editing_.matches(form_.tuning_.colorRanges)) {
        refreshVisibility();
        return true;
    }
    if (editing_.active()) editing_.end();
    return begin(index, false);
}

bool ColourRanges::begin(int32_t index, bool isNew) {
    const bool wasShown = window_->isVisible();
    if (!editing_.begin(form_.tuning_.colorRanges, index, isNew)) {
        finish(false);
        return false;
    }
    window_->setRange(editing_.range());
    // The memory colours, newest first, after a blank meaning none.
    memoryNames_.clear();
    const core::TMemoryColorsArray& colors = form_.memoryColors_->store().colors();
    for (auto it = colors.rbegin(); it != colors.rend(); ++it)
        memoryNames_ << QString::fromStdString(it->ColorName);
    window_->setMemoryColours(memoryNames_);
    window_->setSaveEnabled(editing_.saveEnabled());
    if (!wasShown) window_->clearPalette();
    if (showLast_) showLast_->setChecked(true);
    refreshVisibility();
    window_->redraw(false);
    emit editingChanged();
    refreshButtons();
    form_.binder_->refresh();
    form_.requestProcessing();
    return true;
}

void ColourRanges::endEditing() {
    if (!editing_.active()) return;
    editing_.end();
    finish(form_.tuningMode());
}

void ColourRanges::cancelEditing() {
    if (!editing_.active()) return;
    editing_.cancel(form_.tuning_.colorRanges);
    finish(form_.tuningMode());
}

void ColourRanges::checkEditedRange() {
    if (editing_.active() && !editing_.matches(form_.tuning_.colorRanges)) {
        editing_.end();
        finish(false);
    }
    refreshButtons();
}

void ColourRanges::finish(bool request) {
    window_->hide();
    if (showLast_) showLast_->setChecked(false);
    emit editingChanged();
    refreshButtons();
    form_.binder_->refresh();
    if (request) form_.requestProcessing();
}

bool ColourRanges::replaceRange(int32_t index, const core::ColorRangeItem& range) {
    if (!editing_.active() || editing_.index() != index) return false;
    if (!editing_.replace(form_.tuning_.colorRanges, range)) {
        checkEditedRange();
        return false;
    }
    window_->setRange(editing_.range());
    window_->btResetCCRClick();
    stored();
    return true;
}

void ColourRanges::listChanged() {
    // The preview tools' reset button counts the ranges.
    form_.pointer_->refresh();
    refreshButtons();
    form_.binder_->refresh();
    form_.requestProcessing();
}

void ColourRanges::stored() {
    window_->setSaveEnabled(editing_.saveEnabled());
    form_.binder_->refresh();
    form_.requestProcessing();
}

void ColourRanges::refreshVisibility() {
    const bool coloursTab =
        core::tabOfSheet(form_.ui_.pages->currentSheet()) == core::PreviewTab::Colors;
    const bool shown = editing_.active() && form_.tuningMode() && coloursTab;
    if (shown && !placed_) placeWindow();
    window_->setVisible(shown);
    if (shown) window_->raise();
}

void ColourRanges::placeWindow() {
    // First shown at the left of the main window, just below the top of the options panel.
    placed_ = true;
    const QPoint panelTop = form_.ui_.pages->mapTo(&form_, QPoint(0, 0));
    window_->adjustSize();
    window_->move(form_.mapToGlobal(QPoint(4, panelTop.y() + 24)));
}

void ColourRanges::refreshButtons() {
    const bool any = !form_.tuning_.colorRanges.empty();
    if (showLast_) {
        showLast_->setChecked(editing_.active());
        showLast_->setEnabled(any || editing_.active());
    }
    if (listButton_) listButton_->setEnabled(any);
}

void ColourRanges::chooseMemoryColour(int position) {
    if (!editing_.active() || position < 0 || position >= memoryNames_.size()) return;
    const std::string name = memoryNames_[position].toStdString();
    const core::TMemoryColorsArray& colors = form_.memoryColors_->store().colors();
    const auto entry = std::find_if(colors.begin(), colors.end(), [&](const core::MemoryColor& c) {
        return c.ColorName == name;
    });
    if (entry == colors.end()) return;
    const core::Rgb16 memory = core::colourOf(*entry);
    const core::Rgb16 target = core::targetColour(editing_.range());
    const int32_t index = editing_.index();
    const imaging::Handle templ = form_.document().handle(core::ImageSlot::Template);
    const imaging::Handle source = form_.document().handle(core::ImageSlot::Source);
    const bool pictureOpen = form_.document().isOpen();
    form_.executor_->post(
        this,
        [memory, target, templ, source, pictureOpen](const core::EngineJobContext&) {
            // The list keeps sRGB; the range holds the picture's own colours.
            core::Rgb16 c = pictureOpen ? core::srgbColourToPicture(templ, source, memory) : memory;
            // The memory colour at the brightness of the present target.
            NormalizeBrightness(&c[0], &c[1], &c[2], target[0], target[1], target[2]);
            return c;
        },
        [this, index](core::Rgb16 colour) {
            if (editing_.index() != index) return;
            if (!editing_.setTarget(form_.tuning_.colorRanges, colour)) return checkEditedRange();
            window_->setRange(editing_.range());
            window_->redraw(true);
            stored();
        });
}

bool ColourRanges::showList() {
    if (list_ || listPending_) return true;
    if (locked() || form_.tuning_.colorRanges.empty()) return false;
    listPending_ = true;
    const core::ColourRangeList ranges = form_.tuning_.colorRanges;
    form_.executor_->post(
        this, [ranges](const core::EngineJobContext&) { return drawRangeSwatches(ranges); },
        [this, count = ranges.size()](std::vector<RangeSwatches> swatches) {
            listPending_ = false;
            // The ranges changed while their pictures were drawn: draw them again.
            if (form_.tuning_.colorRanges.size() != count) {
                showList();
                return;
            }
            auto* list = new TFormEditSavedCCR(form_.language_, form_.tuning_.colorRanges,
                                               editing_.index(), std::move(swatches), &form_);
            list->setAttribute(Qt::WA_DeleteOnClose);
            applySkin(list, core::currentSkin(form_.folders_));
            list_ = list;
            connectList();
            list->open();
            list->move(form_.geometry().center() - list->rect().center());
            emit listShown();
        });
    return true;
}

void ColourRanges::connectList() {
    connect(list_, &TFormEditSavedCCR::rangeChosen, this, [this](int32_t index) { edit(index); });
    connect(list_, &TFormEditSavedCCR::rangeDeleted, this,
            [this](const core::RangeListChange& change) {
                if (editing_.active()) {
                    editing_.end();
                    // The list keeps the current range in view; its editing opens again.
                    if (change.editingEnds || !begin(change.current, false))
                        finish(form_.tuningMode());
                } else {
                    listChanged();
                }
            });
    connect(list_, &TFormEditSavedCCR::allDeleted, this, [this] {
        if (editing_.active()) {
            editing_.end();
            finish(form_.tuningMode());
        } else {
            listChanged();
        }
    });
}

}  // namespace app
