// The main window's crop tab: the crop view takes the place of the two previews while the tab
// is shown; the crop tab object keeps frame and angle in the tuning state.
#include <QSplitter>

#include "app/main/main_form.h"
#include "app/preview/crop_view.h"
#include "app/preview/full_views.h"
#include "app/settings/crop_tab.h"
#include "core/preview/preview_tabs.h"

namespace app {

namespace {

bool onTab(const TuningPages* pages, core::PreviewTab tab) {
    const auto current = core::tabOfSheet(pages->currentSheet());
    return current && *current == tab;
}

}  // namespace

void TMainForm::installCropTab() {
    cropView_ = new CropView;
    if (auto* previews = qobject_cast<QSplitter*>(ui_.imagePreviewOutput->parentWidget()))
        previews->addWidget(cropView_);
    cropView_->hide();
    cropTab_ = new CropTab(
        CropTabSetup{tuning_, ui_.pages, cropView_, ui_.stxtOutput, language_, asker_,
                     [this] { return settingsLocked(); },
                     [this] { return tuningMode() && onTab(ui_.pages, core::PreviewTab::Crop); },
                     [this] {
                         return document_.isOpen()
                                    ? core::PixelSize{document_.width(), document_.height()}
                                    : core::PixelSize{};
                     },
                     [this] { requestProcessing(); }},
        this);
    connect(ui_.pages, &QTabWidget::currentChanged, this, [this] { showCropViewOrPreviews(); });
    connect(ui_.layers, &QStackedWidget::currentChanged, this,
            [this] { showCropViewOrPreviews(); });
    connect(this, &TMainForm::pictureOpened, this, [this](bool ok) {
        if (ok) cropTab_->pictureOpened();
    });
    connect(this, &TMainForm::previewShown, this, [this] {
        if (!onTab(ui_.pages, core::PreviewTab::Crop)) return;
        cropTab_->showPicture(ui_.imagePreviewOutput->picture());
    });
    connect(cropTab_, &CropTab::realSizeRequested, this, [this] { openFullScreen(1); });
    cropTab_->refreshTexts();
}

void TMainForm::showCropViewOrPreviews() {
    const bool crop = tuningMode() && onTab(ui_.pages, core::PreviewTab::Crop);
    ui_.imagePreviewSource->setVisible(!crop && (!fullViews_ || fullViews_->doubleFrames()));
    ui_.imagePreviewOutput->setVisible(!crop);
    cropView_->setVisible(crop);
    if (crop) cropTab_->refreshTexts();
}

}  // namespace app
