#include "app/settings/tuning_binder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include "app/settings/tuning_pages.h"
#include "core/settings/slider_operations.h"
#include "core/settings/tuning_apply.h"
#include "core/settings/tuning_controls.h"

namespace app {

namespace {

using core::CheckBoxes;
using core::SpeedButtons;

struct CheckBinding {
    const char* name;
    bool CheckBoxes::*member;
};

// Check boxes whose click only stores the value and requests processing; the ones with rules of
// their own are handled apart.
constexpr CheckBinding kPlainChecks[] = {
    {"cbSuppressHalos", &CheckBoxes::cbSuppressHalos},
    {"cbAutoContrast", &CheckBoxes::cbAutoContrast},
    {"cbEnableFrame", &CheckBoxes::cbEnableFrame},
    {"cbProportionalMargin", &CheckBoxes::cbProportionalMargin},
    {"cbInsertText", &CheckBoxes::cbInsertText},
    {"cbInsertDate", &CheckBoxes::cbInsertDate},
    {"cbInsertTime", &CheckBoxes::cbInsertTime},
    {"cbInsertInfo", &CheckBoxes::cbInsertInfo},
    {"cbEnableDistortions", &CheckBoxes::cbEnableDistortions},
    {"cbTransAutoCrop", &CheckBoxes::cbTransAutoCrop},
    {"cbTransGrid", &CheckBoxes::cbTransGrid},
    {"cbCompareMode", &CheckBoxes::cbCompareMode},
};

struct ButtonBinding {
    const char* name;
    bool SpeedButtons::*member;
};

constexpr ButtonBinding kSpeedButtons[] = {
    {"sbNoiseMap", &SpeedButtons::sbNoiseMap},
    {"sbShowDifference", &SpeedButtons::sbShowDifference},
    {"sbHistogram", &SpeedButtons::sbHistogram},
    {"sbHistogramBrightness", &SpeedButtons::sbHistogramBrightness},
    {"sbCAMap", &SpeedButtons::sbCAMap},
};

struct ResetBinding {
    const char* name;
    core::ResetCode code;
};

constexpr ResetBinding kResets[] = {
    {"sbAutoDetect", core::ResetCode::Noise},
    {"sbSharpReset", core::ResetCode::Sharpening},
    {"sbResetCA", core::ResetCode::CA},
    {"sbResetRedEye", core::ResetCode::RedEye},
    {"sbResetColor", core::ResetCode::Colours},
    {"sbResetBrightness", core::ResetCode::Brightness},
    {"sbResetDistortion", core::ResetCode::Distortions},
};

struct SheetTab {
    const char* sheet;
    core::SettingsTab tab;
};

constexpr SheetTab kSheets[] = {
    {"tsNoiseReduction", core::SettingsTab::Noise},
    {"tsSharpening", core::SettingsTab::Sharpening},
    {"tsRedeye", core::SettingsTab::RedEye},
    {"tsColor", core::SettingsTab::Colours},
    {"tsBrightness", core::SettingsTab::Brightness},
    {"tsCA", core::SettingsTab::ChromaticAberration},
    {"tsText", core::SettingsTab::Text},
    {"tsCrop", core::SettingsTab::Crop},
    {"tsDistortions", core::SettingsTab::Distortions},
};

int sliderNumber(const QObject* object) {
    const QString name = object->objectName();
    return name.startsWith(QLatin1String("SlideBar")) ? name.mid(8).toInt() : 0;
}

std::optional<core::SliderKey> sliderKey(int key) {
    switch (key) {
        case Qt::Key_PageUp:
            return core::SliderKey::PageUp;
        case Qt::Key_PageDown:
            return core::SliderKey::PageDown;
        case Qt::Key_Home:
            return core::SliderKey::Home;
        case Qt::Key_End:
            return core::SliderKey::End;
        case Qt::Key_Left:
            return core::SliderKey::Left;
        case Qt::Key_Right:
            return core::SliderKey::Right;
        case Qt::Key_Up:
            return core::SliderKey::Up;
        case Qt::Key_Down:
            return core::SliderKey::Down;
        default:
            return std::nullopt;
    }
}

void setChecked(QWidget* widget, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setChecked(checked);
}

}  // namespace

TuningBinder::TuningBinder(core::TuningState& state, TuningPages* pages, QObject* parent)
    : QObject(parent), state_(state), pages_(pages) {
    for (const core::SliderConfig& config : core::sliderConfigs())
        if (QSlider* slider = pages_->slider(config.number)) slider->setToolTip(QString());
    // The help labels' hints are their keys; the sliders carry the same key as their own hint,
    // so that context help finds the slider's paragraph.
    for (int n = core::kFirstHelpLabel; n <= core::kLastHelpLabel; ++n)
        if (QLabel* help = pages_->helpLabel(n)) {
            const QString key = QString::fromLatin1(core::helpLabelKey(n));
            help->setToolTip(key);
            if (QWidget* buddy = help->buddy()) buddy->setToolTip(key);
        }
    connectSliders();
    connectChecks();
    connectButtons();
    connectLists();
    connect(pages_, &QTabWidget::currentChanged, this, [this] { refreshEnabling(); });
    refresh();
}

core::SettingsTab TuningBinder::activeTab() const {
    const QString sheet = pages_->currentSheet();
    for (const SheetTab& s : kSheets)
        if (sheet == QLatin1String(s.sheet)) return s.tab;
    return core::SettingsTab::Noise;
}

void TuningBinder::act(core::SliderEffect effect) {
    switch (effect) {
        case core::SliderEffect::RequestNow:
            emit processingRequested();
            break;
        case core::SliderEffect::RerenderCaption:
            emit captionChanged();
            break;
        default:
            break;
    }
}

void TuningBinder::reset(core::ResetCode code) {
    const core::ApplyResult result = core::applySettings(state_, code);
    refresh();
    if (result.requestProcessing) emit processingRequested();
}

void TuningBinder::connectSliders() {
    for (const core::SliderConfig& config : core::sliderConfigs()) {
        QSlider* slider = pages_->slider(config.number);
        if (!slider) continue;
        const int n = config.number;
        slider->installEventFilter(this);
        slider->setFocusPolicy(Qt::StrongFocus);
        connect(slider, &QSlider::valueChanged, this, [this, n, slider](int position) {
            if (refreshing_) return;
            const core::SliderEffect effect = core::sliderChanged(
                state_, n, position, {slider->isSliderDown(), slider->hasFocus()});
            refreshSlider(n);
            if (n == 1) {  // the shadow and highlight sliders follow the noise level
                refreshSlider(2);
                refreshSlider(3);
            }
            act(effect);
        });
        connect(slider, &QSlider::sliderPressed, this,
                [this, n] { core::sliderPressed(state_, n); });
        connect(slider, &QSlider::sliderReleased, this, [this, n] {
            act(core::sliderReleased(state_, n));
            if (core::sliderConfig(n).label != core::SliderLabel::None) refreshSlider(n);
        });
    }
}

bool TuningBinder::eventFilter(QObject* watched, QEvent* event) {
    const int n = sliderNumber(watched);
    if (n > 0 && event->type() == QEvent::FocusIn) core::sliderEntered(state_, n);
    if (n > 0 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (const auto k = sliderKey(key->key())) {
            const Qt::KeyboardModifiers m = key->modifiers();
            const core::SliderEffect effect = core::sliderKeyPressed(
                state_, n, *k,
                {m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier),
                 m.testFlag(Qt::AltModifier)},
                processingRuns_);
            refreshSlider(n);
            if (n == 1) {
                refreshSlider(2);
                refreshSlider(3);
            }
            act(effect);
            return true;  // the state moved the slider; Qt's own step rules must not
        }
    }
    return QObject::eventFilter(watched, event);
}

void TuningBinder::connectChecks() {
    for (const CheckBinding& b : kPlainChecks) {
        auto* box = pages_->control<QCheckBox>(QString::fromLatin1(b.name));
        if (!box) continue;
        const auto member = b.member;
        connect(box, &QCheckBox::clicked, this, [this, member](bool checked) {
            state_.checks.*member = checked;
            refreshEnabling();
            emit processingRequested();
        });
    }
    const auto on = [this](const char* name, auto handler) {
        if (auto* box = pages_->control<QCheckBox>(QString::fromLatin1(name)))
            connect(box, &QCheckBox::clicked, this, handler);
    };
    on("cbEnableNR", [this](bool checked) {
        core::clickEnableNR(state_, checked);
        refresh();
        emit processingRequested();
    });
    on("cbEnableCA", [this](bool checked) {
        core::clickEnableCA(state_, checked);
        refresh();
        emit processingRequested();
    });
    on("cbBWConversion", [this](bool checked) {
        const bool request = core::clickBWConversion(state_, checked, tuningMode_, activeTab());
        refresh();
        if (request) emit processingRequested();
    });
    on("cbShowOverExposed", [this](bool checked) {
        if (core::clickShowOverExposed(state_, 1, checked, tuningMode_, activeTab()))
            emit processingRequested();
        refresh();
    });
    on("cbShowOverExposed2", [this](bool checked) {
        if (core::clickShowOverExposed(state_, 2, checked, tuningMode_, activeTab()))
            emit processingRequested();
        refresh();
    });
    on("cbEnableCrop", [this](bool checked) {
        state_.crop.CropOn = checked ? 1 : 0;
        emit processingRequested();
    });
    on("cbApplyUserResize", [this](bool checked) {
        state_.crop.CropUserResizeOn = checked ? 1 : 0;
        emit processingRequested();
    });
}

void TuningBinder::connectButtons() {
    for (const ButtonBinding& b : kSpeedButtons) {
        auto* button = pages_->control<QAbstractButton>(QString::fromLatin1(b.name));
        if (!button) continue;
        const auto member = b.member;
        connect(button, &QAbstractButton::clicked, this, [this, member](bool down) {
            state_.buttons.*member = down;
            emit processingRequested();
        });
    }
    for (const ResetBinding& r : kResets)
        if (auto* button = pages_->control<QAbstractButton>(QString::fromLatin1(r.name))) {
            const core::ResetCode code = r.code;
            connect(button, &QAbstractButton::clicked, this, [this, code] { reset(code); });
        }
    const auto radio = [this](const char* name, auto handler) {
        if (auto* button = pages_->control<QRadioButton>(QString::fromLatin1(name)))
            connect(button, &QRadioButton::clicked, this, handler);
    };
    radio("RadioButton_HighN", [this] {
        state_.RadioButton_HighN = true;
        emit processingRequested();
    });
    radio("RadioButton_LowN", [this] {
        state_.RadioButton_HighN = false;
        emit processingRequested();
    });
    const std::pair<const char*, core::TextAlignment> aligns[] = {
        {"sbTextAlignLeft", core::TextAlignment::Left},
        {"sbTextAlignCenter", core::TextAlignment::Centre},
        {"sbTextAlignRight", core::TextAlignment::Right}};
    for (const auto& [name, align] : aligns) {
        const core::TextAlignment a = align;
        radio(name, [this, a] {
            state_.textAlign = a;
            emit captionChanged();
        });
    }
    radio("RadioButton_crop_4", [this] {
        state_.crop.CropPortrait = 1;
        emit processingRequested();
    });
    radio("RadioButton_crop_5", [this] {
        state_.crop.CropPortrait = 0;
        emit processingRequested();
    });
    for (int kind = 0; kind < 3; ++kind)
        radio(kind == 0   ? "RadioButton_crop_0"
              : kind == 1 ? "RadioButton_crop_1"
                          : "RadioButton_crop_2",
              [this, kind] {
                  state_.crop.CropSizeKind = kind;
                  emit processingRequested();
              });
}

void TuningBinder::connectLists() {
    const auto combo = [this](const char* name, int32_t core::ComboIndices::*member) {
        if (auto* box = pages_->control<QComboBox>(QString::fromLatin1(name)))
            connect(box, &QComboBox::activated, this, [this, member](int index) {
                state_.combos.*member = index;
                emit captionChanged();
            });
    };
    combo("Edit_frame_width", &core::ComboIndices::Edit_frame_width);
    combo("Edit_frame_innerwidth", &core::ComboIndices::Edit_frame_innerwidth);
    combo("Edit_frame_shadowwidth", &core::ComboIndices::Edit_frame_shadowwidth);
    combo("cmbFrameEffect", &core::ComboIndices::cmbFrameEffect);
    combo("cmbTxtEffect", &core::ComboIndices::cmbTxtEffect);
    if (auto* paper = pages_->control<QComboBox>(QStringLiteral("cmbPaperResize")))
        connect(paper, &QComboBox::activated, this, [this](int index) {
            state_.crop.CropPaperIndex = index;
            emit processingRequested();
        });
    if (auto* web = pages_->control<QComboBox>(QStringLiteral("cmbWebResize")))
        connect(web, &QComboBox::activated, this, [this](int index) {
            state_.crop.CropWebIndex = index;
            emit processingRequested();
        });
    if (auto* caption = pages_->control<QLineEdit>(QStringLiteral("editTextCaption")))
        connect(caption, &QLineEdit::textEdited, this, [this](const QString& text) {
            state_.editTextCaption = text.toStdString();
            emit captionChanged();
        });
    const auto number = [this](const char* name, int32_t core::CropValues::*member) {
        if (auto* spin = pages_->control<QSpinBox>(QString::fromLatin1(name)))
            connect(spin, &QSpinBox::valueChanged, this, [this, member](int value) {
                if (refreshing_) return;
                state_.crop.*member = value;
                emit processingRequested();
            });
    };
    number("Edit_crop_userwidth", &core::CropValues::CropUserWidth);
    number("Edit_crop_userheight", &core::CropValues::CropUserHeight);
}

void TuningBinder::refreshSlider(int n) {
    QSlider* slider = pages_->slider(n);
    if (!slider) return;
    const core::SliderState& s = state_.sliders[n];
    const bool was = refreshing_;
    refreshing_ = true;
    slider->setRange(s.minimum, s.maximum);
    slider->setValue(s.position);
    refreshing_ = was;
    if (QLabel* label = pages_->valueLabel(n)) {
        label->setText(QString::fromStdString(s.labelText));
        label->setForegroundRole(s.labelGrey ? QPalette::PlaceholderText : QPalette::WindowText);
    }
}

void TuningBinder::refresh() {
    refreshing_ = true;
    for (const core::SliderConfig& config : core::sliderConfigs())
        refreshSlider(config.number);
    for (const CheckBinding& b : kPlainChecks)
        setChecked(pages_->control(QString::fromLatin1(b.name)), state_.checks.*b.member);
    setChecked(pages_->control(QStringLiteral("cbEnableNR")), state_.checks.cbEnableNR);
    setChecked(pages_->control(QStringLiteral("cbEnableCA")), state_.checks.cbEnableCA);
    setChecked(pages_->control(QStringLiteral("cbBWConversion")), state_.checks.cbBWConversion);
    setChecked(pages_->control(QStringLiteral("cbShowOverExposed")),
               state_.checks.cbShowOverExposed);
    setChecked(pages_->control(QStringLiteral("cbShowOverExposed2")),
               state_.checks.cbShowOverExposed2);
    for (const ButtonBinding& b : kSpeedButtons)
        setChecked(pages_->control(QString::fromLatin1(b.name)), state_.buttons.*b.member);
    // The curve editors' openers (their windows follow them).
    setChecked(pages_->control(QStringLiteral("cbEqBrightness")), state_.checks.cbEqBrightness);
    setChecked(pages_->control(QStringLiteral("sbEqNoiseReduction")),
               state_.buttons.sbEqNoiseReduction);
    setChecked(pages_->control(QStringLiteral("sbEqSaturation")), state_.buttons.sbEqSaturation);
    setChecked(pages_->control(QStringLiteral("sbEqSharpening")), state_.buttons.sbEqSharpening);
    setChecked(pages_->control(QStringLiteral("RadioButton_HighN")), state_.RadioButton_HighN);
    setChecked(pages_->control(QStringLiteral("RadioButton_LowN")), !state_.RadioButton_HighN);
    const char* aligns[] = {"sbTextAlignLeft", "sbTextAlignCenter", "sbTextAlignRight"};
    setChecked(pages_->control(QString::fromLatin1(aligns[static_cast<int>(state_.textAlign)])),
               true);
    const auto combo = [this](const char* name, int index) {
        if (auto* box = pages_->control<QComboBox>(QString::fromLatin1(name)))
            if (index < box->count()) box->setCurrentIndex(index);
    };
    combo("Edit_frame_width", state_.combos.Edit_frame_width);
    combo("Edit_frame_innerwidth", state_.combos.Edit_frame_innerwidth);
    combo("Edit_frame_shadowwidth", state_.combos.Edit_frame_shadowwidth);
    combo("cmbFrameEffect", state_.combos.cmbFrameEffect);
    combo("cmbTxtEffect", state_.combos.cmbTxtEffect);
    combo("cmbPaperResize", state_.crop.CropPaperIndex);
    combo("cmbWebResize", state_.crop.CropWebIndex);
    if (auto* caption = pages_->control<QLineEdit>(QStringLiteral("editTextCaption")))
        caption->setText(QString::fromStdString(state_.editTextCaption));
    setChecked(pages_->control(QStringLiteral("cbEnableCrop")), state_.crop.CropOn == 1);
    setChecked(pages_->control(QStringLiteral("cbApplyUserResize")),
               state_.crop.CropUserResizeOn == 1);
    setChecked(pages_->control(QString::fromLatin1(
                   state_.crop.CropPortrait == 1 ? "RadioButton_crop_4" : "RadioButton_crop_5")),
               true);
    const char* kinds[] = {"RadioButton_crop_0", "RadioButton_crop_1", "RadioButton_crop_2"};
    if (state_.crop.CropSizeKind >= 0 && state_.crop.CropSizeKind < 3)
        setChecked(pages_->control(QString::fromLatin1(kinds[state_.crop.CropSizeKind])), true);
    if (auto* w = pages_->control<QSpinBox>(QStringLiteral("Edit_crop_userwidth")))
        w->setValue(state_.crop.CropUserWidth);
    if (auto* h = pages_->control<QSpinBox>(QStringLiteral("Edit_crop_userheight")))
        h->setValue(state_.crop.CropUserHeight);
    if (auto* swatch = pages_->control<QLabel>(QStringLiteral("ImgCAColor"))) {
        const auto rgb = core::caSwatchColour(state_.block);
        QPalette p = swatch->palette();
        p.setColor(QPalette::Window, QColor(rgb[0], rgb[1], rgb[2]));
        swatch->setPalette(p);
    }
    refreshing_ = false;
    refreshEnabling();
}

void TuningBinder::refreshEnabling() {
    const core::ControlStates c = core::controlStates(state_, activeTab());
    const auto enable = [this](std::initializer_list<const char*> names, bool on) {
        for (const char* name : names)
            if (QWidget* w = pages_->control(QString::fromLatin1(name))) w->setEnabled(on);
    };
    const auto show = [this](std::initializer_list<const char*> names, bool on) {
        for (const char* name : names)
            if (QWidget* w = pages_->control(QString::fromLatin1(name))) w->setVisible(on);
    };
    const auto showSlider = [this](int n, int help, bool on) {
        for (QWidget* w : {static_cast<QWidget*>(pages_->slider(n)),
                           static_cast<QWidget*>(pages_->valueLabel(n)),
                           static_cast<QWidget*>(
                               help > 0 ? pages_->helpLabel(help)
                                        : pages_->control(QStringLiteral("Label_sld%1").arg(n)))})
            if (w) w->setVisible(on);
    };
    enable({"SlideBar1", "SlideBar2", "SlideBar3", "SlideBar4", "SlideBar16", "SlideBar19",
            "RadioButton_LowN", "RadioButton_HighN", "sbNoiseMap", "sbEqNoiseReduction"},
           c.noiseControlsEnabled);
    show({"sbEqNoiseReduction", "sbEqSaturation", "sbEqSharpening", "cbEqBrightness"},
         c.equalizerButtonsVisible);
    showSlider(2, 8, c.noiseDetailPanelsVisible);
    showSlider(3, 7, c.noiseDetailPanelsVisible);
    showSlider(4, 3, c.noiseDetailPanelsVisible);
    showSlider(16, 24, c.noiseDetailPanelsVisible);
    showSlider(19, 9, c.noiseDetailPanelsVisible);
    show({"RadioButton_LowN", "RadioButton_HighN", "sbNoiseMap"}, c.noiseDetailPanelsVisible);
    show({"sbShowDifference"}, c.sharpenMapButtonVisible);
    enable({"SlideBar36"}, c.whiteHaloEnabled);
    showSlider(18, 19, c.redEyeSlidersVisible);
    showSlider(17, 25, c.redEyeSlidersVisible);
    showSlider(8, 16, c.localContrastVisible);
    show({"sbAutoBrightness"}, c.autoBrightnessVisible);
    showSlider(20, 0, c.darkestBrightestPanelVisible);
    showSlider(14, 0, c.darkestBrightestPanelVisible);
    enable({"SlideBar23", "SlideBar24", "SlideBar25", "sbCAMap", "sbChangeCAColor", "ImgCAColor"},
           c.caControlsEnabled);
    enable({"SlideBar28", "SlideBar29", "SlideBar30", "SlideBar31", "SlideBar32", "SlideBar37",
            "cbTransAutoCrop", "cbTransGrid", "cbCompareMode"},
           c.distortionControlsEnabled);
    showSlider(32, 35, c.distortionDetailPanelVisible);
    showSlider(37, 40, c.distortionDetailPanelVisible);
    show({"cbCompareMode"}, c.distortionDetailPanelVisible);
    enable({"SlideBar33", "SlideBar34", "SlideBar35", "sbMemoryColor"}, c.bwControlsEnabled);
    enable({"sbColor", "sbColorInner", "Edit_frame_width", "Edit_frame_innerwidth",
            "Edit_frame_shadowwidth", "cmbFrameEffect", "cbProportionalMargin"},
           c.frameControlsEnabled);
    show({"cmbFrameEffect", "Edit_frame_shadowwidth"}, c.frameEffectShadowPanelVisible);
    enable({"sbTextAlignLeft", "sbTextAlignCenter", "sbTextAlignRight", "sbColorText", "sbFont"},
           c.textControlsEnabled);
    if (QWidget* ca = pages_->page(QStringLiteral("tsCA")))
        pages_->setTabVisible(pages_->indexOf(ca), c.caTabVisible);
    if (QWidget* crop = pages_->page(QStringLiteral("tsCrop")))
        pages_->setTabVisible(pages_->indexOf(crop), c.cropTabVisible);
}

}  // namespace app
