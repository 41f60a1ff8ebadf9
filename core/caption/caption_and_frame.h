// Caption and frame on a picture: the caption is built from the settings and the picture's
// information, drawn into a glyph mask and placed; a copy of the picture is reduced to leave room
// for the frame's margin; the engine's AddText composes frame, picture and caption into the
// picture itself. The program's full run, its Text tab and the batch all come here.
#pragma once

#include <QDateTime>
#include <QSize>
#include <QString>
#include <optional>

#include "core/caption/caption_placement.h"
#include "core/caption/caption_source.h"
#include "core/errors/result.h"
#include "core/settings/settings_block.h"
#include "dnr.h"

namespace core::caption {

// The full run reduces with Mitchell resampling and marks AddText's record as final; the Text
// tab's view reduces bilinearly.
enum class CaptionView { FinalRun, TuningView };
// The Text tab's caption preview draws no frame.
enum class CaptionParts { CaptionOnly, CaptionAndFrame };
// The batch builds a caption unless all four insert switches are off; the Text tab needs some
// caption text when only the text switch is on.
enum class CaptionRule { Batch, Interactive };

struct CaptionRequest {
    QString captionTemplate;  // the preferences' template
    CaptionSource source;     // its file may also be a pseudo-name: no file
    CaptionView view = CaptionView::FinalRun;
    CaptionParts parts = CaptionParts::CaptionAndFrame;
    CaptionRule rule = CaptionRule::Batch;
    QDateTime now;             // invalid: the current time
    double pixelsPerInch = 0;  // 0: the screen's (96 without a screen)
};

struct Rgb {
    int red = 0, green = 0, blue = 0;
};
// A colour stored as decimal text (red in the low byte); fallback when the text is no number.
Rgb colourFromText(const std::string& text, int fallback);

// True when the stage has something to draw: the frame, or a caption the batch would build.
bool captionAndFrameWanted(const SettingsBlock& block);

// The frame's margin per side in 1/10 000 of the picture's size; 0 without a frame.
int frameMargin(const SettingsBlock& block, bool frame);
// The picture's size inside a margin of margin/10 000 per side: (W / c, H / c) with
// c = 1 + 2 x margin / 10 000, at least one pixel; the size itself when c is not above 1.
QSize reducedPictureSize(int width, int height, int margin);

// AddText's values taken from the settings: colours, effects, widths, smoothing, transparency,
// the margin rule and the final-run mark. No pixels, no mask (BytesPerSample -1).
AddTextParams addTextSettings(const SettingsBlock& block, bool frame, CaptionView view);

// The caption the request gets from the block's switches and caption text; empty for none.
QString captionFor(const SettingsBlock& block, const CaptionRequest& request);

// The caption ready for AddText: its text, measurement, place and mask.
struct PreparedCaption {
    QString text;
    CaptionMetrics metrics;
    CaptionPlacement placement;
    // The mask drawn; only the part inside the picture when the whole mask would be larger
    // than the picture (then textX and textY are those of that part).
    GlyphMask mask;
    int textX = 0;
    int textY = 0;
};
// None when the text is empty. width and height: the picture that gets the caption.
Result<std::optional<PreparedCaption>> prepareCaption(const QString& text,
                                                      const SettingsBlock& block, int width,
                                                      int height, double pixelsPerInch = 0);

// Draws the caption and frame the block asks for on target (8-bit or 16-bit pixels, the
// engine's layout); nothing when there is neither. A 16-bit target's display copy is the
// caller's to refresh.
Status applyCaptionAndFrame(const PixelView& target, const SettingsBlock& block,
                            const CaptionRequest& request);

// The frame alone, for the window's display copy; nothing when the frame is off.
Status drawFrame(const PixelView& target, const SettingsBlock& block, CaptionView view);

}  // namespace core::caption
