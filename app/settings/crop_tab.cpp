#include "app/settings/crop_tab.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <stdexcept>
#include <utility>

#include "app/preview/crop_view.h"
#include "app/settings/tuning_pages.h"
#include "core/crop/crop_texts.h"
#include "core/crop/crop_values.h"
#include "core/crop/crop_view_limits.h"
#include "core/crop/session_crop_picture.h"
#include "core/crop/straightening.h"
#include "core/i18n/language.h"
#include "core/i18n/text_lookup.h"
#include "core/main/message_box.h"

namespace app {

namespace {

constexpr int kZoomToSelection = 1;  // cmbZoomCrop: "ALS_FIT_WIN", "ALS_FIT_SELECTION"

}  // namespace

CropTab::CropTab(const CropTabSetup& s, QObject* parent)
    : QObject(parent),
      tuning_(s.tuning),
      pages_(s.pages),
      view_(s.view),
      outputLine_(s.outputLine),
      language_(s.language),
      asker_(s.asker),
      busy_(s.busy),
      cropTabShown_(s.cropTabShown),
      pictureSize_(s.pictureSize),
      requestProcessing_(s.requestProcessing) {
    const auto button = [this](const char* name) {
        return pages_->control<QAbstractButton>(QString::fromLatin1(name));
    };
    if (auto* left = button("sbRotateCropLeft")) {
        left->setText(QStringLiteral("\u21BA -0.5\u00B0"));
        connect(left, &QAbstractButton::clicked, this, [this] { turn(-core::kStraighteningStep); });
    }
    if (auto* right = button("sbRotateCropRight")) {
        right->setText(QStringLiteral("\u21BB +0.5\u00B0"));
        connect(right, &QAbstractButton::clicked, this, [this] { turn(core::kStraighteningStep); });
    }
    if (auto* real = button("sbRealCrop"))
        connect(real, &QAbstractButton::clicked, this, [this] {
            if (busy_() || tuning_.crop.CropOn != 1) return;
            emit realSizeRequested();
        });
    if (auto* reset = button("sbResetCrop"))
        connect(reset, &QAbstractButton::clicked, this, [this] {
            if (busy_()) return;
            fitAgain();
        });
    // The binder has already written the new choice into the state when these arrive.
    for (const char* name : {"RadioButton_crop_0", "RadioButton_crop_1", "RadioButton_crop_2",
                             "RadioButton_crop_4", "RadioButton_crop_5", "cbApplyUserResize"})
        if (auto* b = button(name))
            connect(b, &QAbstractButton::clicked, this, [this] { choiceChanged(); });
    for (const char* name : {"cmbPaperResize", "cmbWebResize"})
        if (auto* list = pages_->control<QComboBox>(QString::fromLatin1(name)))
            connect(list, &QComboBox::activated, this, [this] { choiceChanged(); });
    for (const char* name : {"Edit_crop_userwidth", "Edit_crop_userheight"})
        if (auto* field = pages_->control<QSpinBox>(QString::fromLatin1(name)))
            connect(field, &QSpinBox::editingFinished, this, [this, field] {
                const int raised = core::userSizeFieldOnLeave(field->value());
                if (raised != field->value()) field->setValue(raised);  // the binder stores it
                choiceChanged();
            });
    if (auto* enable = button("cbEnableCrop"))
        connect(enable, &QAbstractButton::clicked, this, [this] {
            enableControls();
            refreshTexts();
        });
    if (auto* zoom = pages_->control<QComboBox>(QStringLiteral("cmbZoomCrop")))
        connect(zoom, &QComboBox::activated, this,
                [this](int index) { view_->setZoomToSelection(index == kZoomToSelection); });
    connect(view_, &CropView::frameChanged, this, [this](const core::CropFrame& frame) {
        core::CropControls c = controls();
        c.frame = frame;
        store(c);
        refreshTexts();
    });
    connect(view_, &CropView::turnRequested, this, [this](double degrees) { turn(degrees); });
    enableControls();
}

core::CropControls CropTab::controls() const {
    return core::cropControlsOf(tuning_.crop);
}

void CropTab::store(const core::CropControls& c) {
    const core::PixelSize size = pictureSize_();
    core::storeCropValues(c, size.width, size.height, tuning_.crop);
    showFrame();
}

void CropTab::showFrame() {
    const core::CropControls c = controls();
    const core::PixelSize size = pictureSize_();
    view_->setProportion(core::frameProportion(c.size, c.portrait, size.width, size.height));
    view_->setFrame(c.frame);
}

void CropTab::pictureOpened() {
    const core::PixelSize size = pictureSize_();
    store(core::controlsForNewPicture(controls(), size.width, size.height));
    view_->clearPicture();
    refreshTexts();
}

void CropTab::valuesApplied() {
    const core::PixelSize size = pictureSize_();
    core::CropControls c = controls();
    if (tuning_.crop.CropImageWidth != size.width || tuning_.crop.CropImageHeight != size.height)
        c.frame = core::fitFrame(c.frame, size.width, size.height, c.size, c.orientation());
    store(c);
    enableControls();
    refreshTexts();
}

void CropTab::queueItemApplied(const core::SettingsBlock& item) {
    const core::PixelSize size = pictureSize_();
    store(core::loadCropGroup(item, size.width, size.height, core::CropGroupUse::QueueItemEdit));
    enableControls();
    refreshTexts();
}

void CropTab::showPicture(const QImage& straightened) {
    view_->setPicture(straightened, pictureSize_());
    showFrame();
    refreshTexts();
}

void CropTab::fitAgain() {
    const core::PixelSize size = pictureSize_();
    core::CropControls c = controls();
    c.frame = core::fitFrame(c.frame, size.width, size.height, c.size, c.orientation());
    store(c);
    refreshTexts();
}

void CropTab::choiceChanged() {
    const core::PixelSize size = pictureSize_();
    core::CropControls c = controls();
    const core::CropProportion proportion =
        core::frameProportion(c.size, c.portrait, size.width, size.height);
    // The view lays the least frame out for the proportion it is given.
    view_->setProportion(proportion);
    if (cropTabShown_() && view_->hasPicture()) {
        const core::ProportionCheck check =
            core::checkProportion(proportion, view_->minimumOnScreen(), view_->viewArea());
        if (!check.accepted) {
            core::showError(asker_, language_,
                            core::proportionRefusalText(check, core::languageLookup(language_)));
            if (c.size.sizeKind == core::kCropUser) {
                const core::CropSizeChoice mended = core::userSizeAfterRefusal(c.size);
                tuning_.crop.CropUserWidth = mended.userWidth;
                tuning_.crop.CropUserHeight = mended.userHeight;
                for (const auto& [name, value] :
                     {std::pair{"Edit_crop_userwidth", mended.userWidth},
                      std::pair{"Edit_crop_userheight", mended.userHeight}})
                    if (auto* field = pages_->control<QSpinBox>(QString::fromLatin1(name))) {
                        const QSignalBlocker quiet(field);
                        field->setValue(value);
                    }
            }
        }
    }
    fitAgain();
}

void CropTab::turn(double degrees) {
    if (busy_() || tuning_.crop.CropOn != 1) return;
    const core::PixelSize size = pictureSize_();
    const double step = core::snapTurn(degrees);
    if (step == 0.0) return;
    core::CropControls c = controls();
    c.angle = core::turnedAngle(c.angle, step);
    c.frame = core::turnFrameWithPicture(c.frame, step, size.width, size.height);
    store(c);
    refreshTexts();
    requestProcessing_();
}

std::function<void(imaging::Handle, ProcessingParams&)> CropTab::afterEngine() const {
    const double angle = tuning_.crop.CropAngle / 1000.0;
    return [angle](imaging::Handle working, ProcessingParams&) {
        if (angle == 0.0) return;
        core::SessionCropPicture picture(working);
        // The preview run reports what is thrown here as its failure.
        if (const core::Status turned = core::rotatePixels(picture.pixels(), angle); !turned)
            throw std::runtime_error(turned.failure().detail.toStdString());
        if (picture.is16Bit()) picture.refreshDisplayData();
    };
}

void CropTab::enableControls() {
    const bool on = tuning_.crop.CropOn == 1;
    for (const char* name : {"sbRotateCropLeft", "sbRotateCropRight", "sbRealCrop"})
        if (QWidget* w = pages_->control(QString::fromLatin1(name))) w->setEnabled(on);
}

void CropTab::refreshTexts() {
    const core::TextLookup lookup = core::languageLookup(language_);
    const core::CropControls c = controls();
    const core::CropKindCaptions captions = core::cropKindCaptions(c, lookup);
    const std::pair<const char*, const QString*> kinds[] = {{"RadioButton_crop_0", &captions.paper},
                                                            {"RadioButton_crop_1", &captions.web},
                                                            {"RadioButton_crop_2", &captions.user}};
    for (const auto& [name, caption] : kinds)
        if (auto* b = pages_->control<QAbstractButton>(QString::fromLatin1(name)))
            b->setText(*caption);
    enableControls();
    if (cropTabShown_()) outputLine_->setText(core::cropOutputLine(c, lookup));
}

}  // namespace app
