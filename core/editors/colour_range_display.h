// The three pictures of the colour-range window and what a click into its palette picks: the strip
// of the range's source colours, the same strip after the correction, and the palette of colour
// and brightness maps with their marker pixels. The engine draws all three into 8-bit pictures
// owned here; the window shows them as images. The drawing calls are engine calls: the window
// runs them where it runs all engine work.
#pragma once

#include <QImage>
#include <QSize>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/editors/memory_colour_record.h"
#include "core/queue/queue_params.h"
#include "dnr.h"

namespace core {

// An 8-bit picture as the engine draws it: blue, green, red, rows padded to four bytes and
// stored bottom-up. Sides below 1 give an empty picture, which the engine refuses.
class RangeBitmap {
  public:
    RangeBitmap() = default;
    RangeBitmap(int32_t width, int32_t height);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    bool isNull() const { return bits_.empty(); }

    // The descriptor the engine draws through; valid while this picture lives unchanged.
    ImageDesc desc();
    // Whether (x, y) lies inside, y counted from the top as on screen.
    bool contains(int32_t x, int32_t y) const;
    // The 8-bit red, green and blue at (x, y), y from the top; black outside.
    std::array<uint8_t, 3> pixel(int32_t x, int32_t y) const;
    // Sets the pixel at (x, y), y from the top; nothing outside.
    void setPixel(int32_t x, int32_t y, const std::array<uint8_t, 3>& rgb);
    // The picture the right way up, cut to its first columns (all of them when columns is not
    // below the width or not above 0).
    QImage toImage(int32_t columns = 0) const;

  private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t stride_ = 0;
    std::vector<uint8_t> bits_;
};

// The channel-wise integer mean (a + b) / 2 of Color1 and Color2: the range's own colour.
Rgb16 meanColour(const ColorRangeItem& range);
Rgb16 targetColour(const ColorRangeItem& range);
void setTargetColour(ColorRangeItem& range, const Rgb16& colour);
// True when the target differs from the mean colour: the range moves its colours somewhere.
bool RangeIsCorrected(const ColorRangeItem& range);

// The strip of a control's size: a gradient of the range (colour A Color1, colour B Color2) from
// the mean colour (fromMean) or from the target colour, drawn into a picture one column wider
// than the control, because the engine leaves the last column out.
RangeBitmap DrawStrip(QSize control, const ColorRangeItem& range, bool fromMean);
// The same strip from any start colour.
RangeBitmap drawStripFrom(QSize control, const ColorRangeItem& range, const Rgb16& start);

// The palette's zoom: 1 shows the widest slice, 3 the most magnified.
inline constexpr int32_t kMinPaletteZoom = 1;
inline constexpr int32_t kMaxPaletteZoom = 3;

struct RangeWindowSizes {
    QSize source;
    QSize output;
    QSize palette;
};
struct RangeWindowPictures {
    RangeBitmap source;  // empty when it was skipped
    RangeBitmap output;
    RangeBitmap palette;
};
// All three pictures. The palette is centred on the target colour (useTarget) or on the mean;
// the source strip always starts from the mean and is left empty with skipSource (it shows the
// picked colours, which a new target does not change); the output strip starts from the target.
RangeWindowPictures DrawRangeWindow(const RangeWindowSizes& sizes, bool useTarget, bool skipSource,
                                    int32_t tolerance, const ColorRangeItem& range, int32_t zoom);

// The colour a click at (x, y) of the palette picks (y from the top): the first pixel of the
// offsets 0, 1, -1, 2, -2 (columns outer, rows inner) that lies inside the picture and is neither
// pure white nor pure black, the markers' colours; each 8-bit value v becomes v * 256 + 128.
// Nothing when no pixel qualifies: the click picks no colour then.
std::optional<Rgb16> PickPaletteColour(const RangeBitmap& palette, int32_t x, int32_t y);

// The output strip as it would look with the palette colour under (x, y) as its start colour;
// the range is not changed. Empty when the point picks no colour.
RangeBitmap PreviewPaletteColour(QSize output, const ColorRangeItem& range,
                                 const RangeBitmap& palette, int32_t x, int32_t y);

}  // namespace core
