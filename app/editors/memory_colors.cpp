#include "app/editors/memory_colors.h"

#include <QAbstractButton>

#include "app/editors/memory_colors_form.h"
#include "app/main/main_form.h"
#include "app/settings/tuning_binder.h"
#include "core/document/image_slots.h"
#include "core/editors/memory_colour_apply.h"
#include "core/preview/pointer_marks.h"

namespace app {

MemoryColors::MemoryColors(TMainForm& form)
    : QObject(&form), form_(form), store_(form.folders_.memoryColoursFile()) {
    setObjectName(QStringLiteral("MemoryColors"));
    store_.load();
    if (auto* button = form_.ui_.pages->control<QAbstractButton>(QStringLiteral("sbMemoryColor")))
        connect(button, &QAbstractButton::clicked, this, [this] {
            if (!form_.busy()) showForList();
        });
}

TFormMemoryColors* MemoryColors::window() const {
    return window_;
}

TFormMemoryColors* MemoryColors::showForList() {
    if (window_) return window_;
    picked_.reset();
    return open(true, std::nullopt);
}

TFormMemoryColors* MemoryColors::showForPickedColour(const core::Rgb16& inPicture,
                                                     const core::Rgb16& srgb) {
    if (window_) return window_;
    picked_ = inPicture;
    return open(false, srgb);
}

TFormMemoryColors* MemoryColors::open(bool newestFirst, std::optional<core::Rgb16> srgb) {
    if (window_) return window_;
    MemoryColorsView view;
    view.newestFirst = newestFirst;
    view.picked = srgb;
    // Without a pick the shifts would carry black (or nothing) to the memory colour; in black
    // and white the engine corrects from grey and the list tones the picture.
    view.applyOffered = picked_.has_value() || form_.tuning_.checks.cbBWConversion;
    auto* window = new TFormMemoryColors(form_.language_, form_.asker_, store_, view, &form_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window_ = window;
    connect(window, &TFormMemoryColors::applyRequested, this,
            [this](size_t index, bool keep) { apply(index, keep); });
    connect(window, &QDialog::finished, this, [this] {
        picked_.reset();
        form_.requestProcessing();
        emit closed();
    });
    window->open();
    // Centred on the main window.
    window->move(form_.geometry().center() - window->rect().center());
    return window;
}

void MemoryColors::apply(size_t index, bool keepBrightness) {
    if (!window_ || index >= store_.colors().size()) return;
    const core::Rgb16 memory = core::colourOf(store_.colors()[index]);
    const std::optional<core::Rgb16> picked = picked_;
    const bool bw = form_.tuning_.checks.cbBWConversion;
    const imaging::Handle templ = form_.document().handle(core::ImageSlot::Template);
    const imaging::Handle source = form_.document().handle(core::ImageSlot::Source);
    const bool pictureOpen = form_.document().isOpen();
    window_->setApplying(true);
    form_.executor_->post(
        this,
        [memory, picked, bw, templ, source, pictureOpen,
         keepBrightness](const core::EngineJobContext&) {
            // The list keeps sRGB; the shifts work on the picture's own colours.
            const core::Rgb16 target =
                pictureOpen ? core::srgbColourToPicture(templ, source, memory) : memory;
            return core::memoryColourShifts(bw, picked, target, keepBrightness);
        },
        [this](std::optional<core::ChannelShifts> shifts) {
            if (!window_) return;
            if (!shifts) {
                window_->setApplying(false);
                return;
            }
            core::takeWhitePointShifts(form_.tuning_, shifts->red, shifts->green, shifts->blue);
            form_.binder_->refresh();
            emit applied();
            window_->accept();
        });
}

}  // namespace app
