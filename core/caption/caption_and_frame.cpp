#include "core/caption/caption_and_frame.h"

#include <algorithm>
#include <limits>

#include "core/caption/caption_font.h"
#include "core/caption/caption_text.h"
#include "core/caption/picture_copy.h"
#include "core/caption/picture_date.h"

namespace core::caption {

namespace {

constexpr int kTextColourFallback = 65280;
constexpr int kFrameColourFallback = 16777215;
constexpr int kInnerColourFallback = 0;

// f x 10 x stored width, never below 0 (only a foreign file stores a negative width) and never
// past what 32 bits hold.
int32_t tenfold(int32_t stored, bool frame) {
    if (!frame) return 0;
    const int64_t v = int64_t(std::max(stored, 0)) * 10;
    return int32_t(std::min<int64_t>(v, std::numeric_limits<int32_t>::max()));
}

Failure engineFailure() {
    return failure("ALS_DLL_EXCEPTION",
                   QStringLiteral("the engine could not draw the caption and frame"));
}

Status compose(const PixelView& target, AddTextParams params, int margin, CaptionView view) {
    const QSize reduced = reducedPictureSize(target.Width, target.Height, margin);
    const int filter =
        view == CaptionView::FinalRun ? imaging::kFilterMitchell : imaging::kFilterBilinear;
    Result<PictureCopy> copy = PictureCopy::make(target, reduced, filter);
    if (!copy) return copy.failure();
    params.Picture = copy->view();
    params.Output = target;
    if (!AddText(&params)) return engineFailure();
    return {};
}

bool usable(const PixelView& v) {
    return v.Bits && v.Width > 0 && v.Height > 0 &&
           (v.BytesPerSample == 1 || v.BytesPerSample == 2);
}

}  // namespace

Rgb colourFromText(const std::string& text, int fallback) {
    bool ok = false;
    const qlonglong parsed = QString::fromStdString(text).trimmed().toLongLong(&ok);
    const uint32_t v = uint32_t(ok ? parsed : fallback);
    return {int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)};
}

bool captionAndFrameWanted(const SettingsBlock& block) {
    return block.FrameOn != 0 || batchBuildsCaption(switchesOf(block));
}

int frameMargin(const SettingsBlock& block, bool frame) {
    return tenfold(block.FrameWidth, frame);
}

QSize reducedPictureSize(int width, int height, int margin) {
    const double c = 1.0 + 2.0 * margin / 10000.0;
    if (c <= 1.0) return {width, height};
    return {std::max(1, int(width / c)), std::max(1, int(height / c))};
}

AddTextParams addTextSettings(const SettingsBlock& block, bool frame, CaptionView view) {
    AddTextParams p{};
    p.TextMask = {nullptr, 0, -1, 0};
    const Rgb text = colourFromText(block.TextColor, kTextColourFallback);
    p.TextRed = text.red;
    p.TextGreen = text.green;
    p.TextBlue = text.blue;
    p.TextSmoothing = block.TextSmoothing;
    p.TextTransparency = block.TextTransparency;
    p.TextEffect = block.TextEffect + 1;
    p.PreviewFlag = view == CaptionView::FinalRun ? 1 : 0;
    // Without a frame no effect is drawn: the oval would otherwise blank the picture's corners.
    p.FrameEffect = frame ? block.FrameEffect : 0;
    p.EffectWidth = tenfold(block.ShadowWidth, frame);
    p.InnerWidth = tenfold(block.InnerFrameWidth, frame);
    const Rgb outer = colourFromText(block.FrameColor, kFrameColourFallback);
    p.FrameRed = outer.red;
    p.FrameGreen = outer.green;
    p.FrameBlue = outer.blue;
    const Rgb inner = colourFromText(block.InnerFrameColor, kInnerColourFallback);
    p.InnerRed = inner.red;
    p.InnerGreen = inner.green;
    p.InnerBlue = inner.blue;
    p.ProportionalMargin = block.ProportionalMargin;
    return p;
}

Result<std::optional<PreparedCaption>> prepareCaption(const QString& text,
                                                      const SettingsBlock& block, int width,
                                                      int height, double pixelsPerInch) {
    if (text.isEmpty()) return std::optional<PreparedCaption>();
    const double ppi = pixelsPerInch > 0 ? pixelsPerInch : screenPixelsPerInch();
    const int fontHeight = fontHeightFromPoints(block.FontSize, ppi);
    const QFont font = blockFont(block, maskFontHeight(width, height, fontHeight));
    Result<CaptionMetrics> measured = measureCaption(text, font);
    if (!measured) return measured.failure();

    PreparedCaption c;
    c.text = text;
    c.metrics = measured.value();
    c.placement =
        placeCaption(width, height, c.metrics, block.TextPosX, block.TextPosY, block.TextAlign);
    c.textX = c.placement.textX;
    c.textY = c.placement.textY;
    // A mask larger than the picture is drawn only where it meets the picture: nothing else of
    // it could ever show, and font sizes up to 10 000 would ask for masks of gigabytes.
    QRect window;
    if (c.metrics.maskWidth() > width || c.metrics.maskHeight() > height) {
        const QRect visible = c.placement.maskRect.intersected(QRect(0, 0, width, height));
        if (visible.isEmpty()) return std::optional<PreparedCaption>();
        window = visible.translated(-c.placement.maskRect.topLeft());
        c.textX = visible.left();
        c.textY = visible.bottom();
    }
    Result<GlyphMask> mask = drawGlyphMask(text, font, c.metrics, window);
    if (!mask) return mask.failure();
    c.mask = std::move(mask.value());
    return std::optional<PreparedCaption>(std::move(c));
}

QString captionFor(const SettingsBlock& block, const CaptionRequest& request) {
    const CaptionSwitches switches = switchesOf(block);
    const QString captionText = QString::fromStdString(block.CaptionText);
    const bool builds = request.rule == CaptionRule::Batch
                            ? batchBuildsCaption(switches)
                            : interactiveBuildsCaption(switches, captionText);
    if (!builds) return {};
    const QDateTime now = request.now.isValid() ? request.now : QDateTime::currentDateTime();
    const QString file = isPseudoName(request.source.file) ? QString() : request.source.file;
    const PictureDate date = pictureDate(file, request.source.exifDate, now);
    return buildCaption(request.source, request.captionTemplate, captionText, switches, date);
}

Status applyCaptionAndFrame(const PixelView& target, const SettingsBlock& block,
                            const CaptionRequest& request) {
    if (!usable(target))
        return failure("ALS_DLL_EXCEPTION", QStringLiteral("the picture has no pixels"));
    const bool frame = request.parts == CaptionParts::CaptionAndFrame && block.FrameOn != 0;
    const QString text = captionFor(block, request);
    if (!frame && text.isEmpty()) return {};

    Result<std::optional<PreparedCaption>> caption =
        prepareCaption(text, block, target.Width, target.Height, request.pixelsPerInch);
    if (!caption) return caption.failure();
    AddTextParams params = addTextSettings(block, frame, request.view);
    if (caption->has_value()) {
        PreparedCaption& c = *caption.value();
        params.TextMask = c.mask.view();
        params.TextX = c.textX;
        params.TextY = c.textY;
    } else if (!frame) {
        return {};
    }
    return compose(target, params, frameMargin(block, frame), request.view);
}

Status drawFrame(const PixelView& target, const SettingsBlock& block, CaptionView view) {
    if (!usable(target))
        return failure("ALS_DLL_EXCEPTION", QStringLiteral("the picture has no pixels"));
    if (block.FrameOn == 0) return {};
    return compose(target, addTextSettings(block, true, view), frameMargin(block, true), view);
}

}  // namespace core::caption
