#include "app/settings/text_tab.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFontDialog>
#include <algorithm>
#include <stdexcept>

#include "app/preview/picture_view.h"
#include "app/settings/tuning_pages.h"
#include "core/caption/caption_moves.h"
#include "core/caption/caption_placement.h"
#include "core/crop/crop_and_resize.h"
#include "core/crop/session_crop_picture.h"
#include "core/settings/tuning_collect.h"

namespace app {

namespace {

// The stored colours hold red in the low byte.
QColor colourOf(uint32_t stored) {
    return QColor(int(stored & 0xFF), int((stored >> 8) & 0xFF), int((stored >> 16) & 0xFF));
}
uint32_t storedColour(const QColor& c) {
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

QFont fontOf(const core::FontState& f) {
    QFont font(QString::fromStdString(f.name));
    font.setPointSize(std::max(1, f.size));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    return font;
}

}  // namespace

TextTab::TextTab(const TextTabSetup& s, QObject* parent)
    : QObject(parent),
      tuning_(s.tuning),
      pages_(s.pages),
      preview_(s.preview),
      busy_(s.busy),
      textTabShown_(s.textTabShown),
      requestProcessing_(s.requestProcessing) {
    chooseFont_ = [this](const QFont& current) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, current, preview_->window());
        return ok ? std::optional<QFont>(font) : std::nullopt;
    };
    chooseColour_ = [this](const QColor& current, const QString&) -> std::optional<QColor> {
        const QColor c = QColorDialog::getColor(current, preview_->window());
        return c.isValid() ? std::optional<QColor>(c) : std::nullopt;
    };
    const auto on = [this](const char* name, auto handler) {
        if (auto* b = pages_->control<QAbstractButton>(QString::fromLatin1(name)))
            connect(b, &QAbstractButton::clicked, this, handler);
    };
    on("sbFont", [this] { chooseFont(); });
    on("sbColorText",
       [this] { chooseColour(QStringLiteral("sbColorText"), &core::CaptionColours::text); });
    on("sbColor",
       [this] { chooseColour(QStringLiteral("sbColor"), &core::CaptionColours::frame); });
    on("sbColorInner",
       [this] { chooseColour(QStringLiteral("sbColorInner"), &core::CaptionColours::inner); });
    if (auto* b = pages_->control<QAbstractButton>(QStringLiteral("sbIncreaseFont")))
        b->setText(QStringLiteral("A+"));
    if (auto* b = pages_->control<QAbstractButton>(QStringLiteral("sbDecreaseFont")))
        b->setText(QStringLiteral("A\u2212"));
    on("sbIncreaseFont", [this] { changeFontSize(1); });
    on("sbDecreaseFont", [this] { changeFontSize(-1); });
    // The binder sets the alignment; the buttons also put the caption at that side.
    on("sbTextAlignLeft",
       [this] { setPosition(core::caption::kLeftPosition, tuning_.block.TextPosY); });
    on("sbTextAlignCenter",
       [this] { setPosition(core::caption::kCentrePosition, tuning_.block.TextPosY); });
    on("sbTextAlignRight",
       [this] { setPosition(core::caption::kRightPosition, tuning_.block.TextPosY); });

    connect(preview_, &PictureView::pressed, this,
            [this](QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers) {
                if (buttons & Qt::LeftButton) pressed(at);
            });
    connect(preview_, &PictureView::released, this, [this](QPoint at) { released(at); });
}

void TextTab::chooseFont() {
    if (busy_() || !chooseFont_) return;
    const std::optional<QFont> font = chooseFont_(fontOf(tuning_.font));
    if (!font) return;
    tuning_.font.name = font->family().toStdString();
    if (font->pointSize() > 0)
        tuning_.font.size = core::caption::nudgedFontSize(font->pointSize(), 0);
    tuning_.font.bold = font->bold();
    tuning_.font.italic = font->italic();
    requestProcessing_();
}

void TextTab::chooseColour(const QString& button, uint32_t core::CaptionColours::*member) {
    if (busy_() || !chooseColour_) return;
    const std::optional<QColor> colour = chooseColour_(colourOf(tuning_.colours.*member), button);
    if (!colour) return;
    tuning_.colours.*member = storedColour(*colour);
    requestProcessing_();
}

void TextTab::changeFontSize(int step) {
    if (busy_()) return;
    tuning_.font.size = core::caption::nudgedFontSize(tuning_.font.size, step);
    requestProcessing_();
}

void TextTab::setPosition(int32_t x, int32_t y) {
    tuning_.block.TextPosX = x;
    tuning_.block.TextPosY = y;
    requestProcessing_();
}

bool TextTab::captionKey(int qtKey) {
    if (!textTabShown_() || !shown_.captionDrawn || busy_()) return false;
    const auto nudge = core::caption::captionNudgeForKey(qtKey);
    if (!nudge) return false;
    if (nudge->fontStep != 0) {
        changeFontSize(nudge->fontStep);
        return true;
    }
    const core::caption::CaptionPosition p =
        core::caption::nudgedCaption({tuning_.block.TextPosX, tuning_.block.TextPosY}, *nudge);
    setPosition(p.x, p.y);
    return true;
}

void TextTab::pressed(QPoint at) {
    dragFrom_.reset();
    if (!textTabShown_() || busy_() || !shown_.captionDrawn) return;
    if (shown_.captionRect.contains(at)) dragFrom_ = at;
}

void TextTab::released(QPoint at) {
    if (!dragFrom_) return;
    const QPoint from = *dragFrom_;
    dragFrom_.reset();
    if (at == from || busy_()) return;
    const QImage& picture = preview_->picture();
    const core::caption::CaptionPosition p = core::caption::draggedCaption(
        {tuning_.block.TextPosX, tuning_.block.TextPosY}, at.x() - from.x(), at.y() - from.y(),
        picture.width(), picture.height());
    setPosition(p.x, p.y);
}

std::function<void(imaging::Handle, ProcessingParams&)> TextTab::afterEngine(
    core::caption::CaptionRequest caption, int32_t sourceWidth, int32_t sourceHeight,
    QSize screen) {
    const core::SettingsBlock block = core::collectSettings(tuning_);
    auto result = std::make_shared<CaptionPreviewResult>();
    pending_ = result;
    return [block, caption, sourceWidth, sourceHeight, screen, result](imaging::Handle working,
                                                                       ProcessingParams&) {
        // The preview run reports what is thrown here as its failure.
        const auto check = [](const core::Status& status) {
            if (!status) throw std::runtime_error(status.failure().detail.toStdString());
        };
        {
            core::SessionCropPicture picture(working);
            const core::Result<bool> prepared =
                core::applyCropGroupToDisplayCopy(block, sourceWidth, sourceHeight, picture,
                                                  core::PixelSize{screen.width(), screen.height()});
            if (!prepared) check(prepared.failure());
        }
        core::SessionCropPicture picture(working);
        const QString text = core::caption::captionFor(block, caption);
        if (!text.isEmpty()) {
            const auto prepared = core::caption::prepareCaption(
                text, block, picture.width(), picture.height(), caption.pixelsPerInch);
            if (prepared && prepared.value()) {
                result->captionDrawn = true;
                result->captionRect = prepared.value()->placement.maskRect;
            }
        }
        check(core::caption::applyCaptionAndFrame(picture.pixels(), block, caption));
        if (picture.is16Bit()) picture.refreshDisplayData();
    };
}

void TextTab::previewShown() {
    if (pending_) shown_ = *pending_;
    pending_.reset();
}

}  // namespace app
