// Drawing a histogram of one picture into a rectangle of another: translucent bars, an outline,
// optionally the brightness curve over the whole target, and the automatic-contrast cuts.
#include <algorithm>
#include <array>

#include "curves.h"
#include "dashed_line.h"
#include "dnr.h"
#include "histogram_drawing.h"
#include "histogram_stats.h"
#include "pixel_paint.h"

namespace dnr {
namespace {

constexpr int32_t kFill = 0x4000;

// A table with one entry past the last, so that the bar of the last column can interpolate.
using BarTable = std::array<int32_t, 257>;

BarTable scaledTable(const int32_t* bins, double unit, int32_t height) {
    BarTable t{};
    for (int l = 0; l < 256; ++l)
        t[l] = std::min(static_cast<int32_t>(bins[l] * unit), height - 1);
    t[256] = t[255];
    return t;
}

void smooth(BarTable& t) {
    for (int l = 1; l < 256; ++l)
        t[l] = (t[l - 1] + t[l]) / 2;
    for (int l = 254; l >= 0; --l)
        t[l] = (t[l] + t[l + 1]) / 2;
    t[256] = t[255];
}

int32_t bar(const BarTable& t, int32_t column, int32_t width) {
    const auto position = static_cast<int32_t>(int64_t{column} * 65536 / width);
    const int32_t l = position >> 8, f = position & 255;
    return (t[l] * (256 - f) + t[l + 1] * f) >> 8;
}

// Blends one pixel with (red, green, blue); pixels outside the target are skipped.
void blendPixel(const View& v, int32_t x, int32_t y, const int32_t (&rgb)[3], int32_t opacity) {
    if (!insideView(v, x, y)) return;
    blendChannel(v, x, y, 0, rgb[2], opacity);
    blendChannel(v, x, y, 1, rgb[1], opacity);
    blendChannel(v, x, y, 2, rgb[0], opacity);
}

struct Bars {
    int32_t blue, green, red, luma;
};

void drawBars(const View& target, int32_t x, int32_t y, int32_t width, int32_t opacity,
              int32_t type, const BarTable (&tables)[4]) {
    Bars previous{};
    int32_t previousHeight = 0;
    for (int32_t c = 0; c < width; ++c) {
        const Bars b{bar(tables[0], c, width), bar(tables[1], c, width), bar(tables[2], c, width),
                     bar(tables[3], c, width)};
        const int32_t h =
            type == DNR_HISTOGRAM_COLOURS ? std::max({b.blue, b.green, b.red, 1}) : b.luma;
        if (opacity != 0) {
            for (int32_t r = 0; r < h; ++r) {
                int32_t rgb[3] = {0, 0, 0};
                if (type == DNR_HISTOGRAM_COLOURS) {
                    const int channel = r <= b.blue ? 2 : r <= b.green ? 1 : 0;
                    rgb[channel] = kFill;
                } else if (type == DNR_HISTOGRAM_GREY) {
                    rgb[0] = rgb[1] = rgb[2] = kFill;
                } else {
                    rgb[type - DNR_HISTOGRAM_RED] = kFill;  // red, green, blue in turn
                }
                blendPixel(target, x + c, y + r, rgb, opacity);
            }
        }
        if (c >= 1) {
            const LineColour outline = type == DNR_HISTOGRAM_RED     ? LineColour{0x8000, 0, 0}
                                       : type == DNR_HISTOGRAM_GREEN ? LineColour{0, 0x8000, 0}
                                                                     : LineColour{0, 0, 0};
            drawDashedLine(target, x + c - 1, y + previousHeight, x + c, y + h, outline, 100, 1,
                           DashPhase::Continue);
            if (type == DNR_HISTOGRAM_COLOURS) {
                drawDashedLine(target, x + c - 1, y + previous.blue, x + c, y + b.blue,
                               {0, 0, 0xB400}, 100, 1, DashPhase::Continue);
                drawDashedLine(target, x + c - 1, y + previous.green, x + c, y + b.green,
                               {0, 0xB400, 0}, 100, 1, DashPhase::Continue);
                drawDashedLine(target, x + c - 1, y + previous.red, x + c, y + b.red,
                               {0xB400, 0, 0}, 100, 1, DashPhase::Continue);
            }
        }
        previous = b;
        previousHeight = h;
    }
}

// The brightness curve over the whole target: input up the rows, output across the columns.
void drawOverlay(const View& target) {
    const int32_t w = target.width, h = target.height;
    drawDashedLine(target, 0, 0, w - 1, h - 1, {0x8000, 0x8000, 0x8000}, 0, 1,
                   DashPhase::BrightFirst);
    int32_t px = 0, py = 0;
    for (int32_t r = 0; r < h; ++r) {
        const auto input = static_cast<int32_t>(int64_t{r} * w / h * 65535 / w);
        const auto out = static_cast<int32_t>(std::min<int64_t>(
            w - 1, (int64_t{w} * tableLookup(CurveKind::Brightness, input)) >> 16));
        drawDashedLine(target, px, py, out, r, {0xFF00, 0xFF00, 0xFF00}, 0, 1, DashPhase::Continue);
        px = out;
        py = r;
    }
}

// What the automatic contrast cuts away, in red.
void drawLevelMarkers(const View& target, int32_t y, int32_t width, int32_t height,
                      const ProcessingParams& p) {
    const LineColour red{0xFFFF, 0, 0};
    if (y == 0) {
        for (int32_t column : {0, width - 1})
            drawDashedLine(target, column, height - height / 4, column, height, red, 100, 1,
                           DashPhase::Continue);
        return;
    }
    const auto e = static_cast<int32_t>(int64_t{width} * p.AutoContrastDarkest / 200);
    const auto f = static_cast<int32_t>(
        std::min<int64_t>(width - 1, int64_t{width} * (p.AutoContrastBrightest + 100) / 200));
    drawDashedLine(target, e, y, e, y + height / 4, red, 100, 1, DashPhase::Continue);
    drawDashedLine(target, f, y, f, y + height / 4, red, 100, 1, DashPhase::Continue);
    drawDashedLine(target, 0, y, e, y, red, 100, 1, DashPhase::Continue);
    drawDashedLine(target, f, y, width - 1, y, red, 100, 1, DashPhase::Continue);
}

}  // namespace

int32_t drawHistogram(const PixelView* source, const PixelView* target, int32_t x, int32_t y,
                      int32_t width, int32_t height, int32_t opacity, int32_t part, int32_t type,
                      int32_t overlay, const ProcessingParams* params) {
    if (type == DNR_HISTOGRAM_NONE && overlay == 0) return 1;
    const auto from = makeView(source);
    const auto to = makeView(target);
    if (!from || !to) return 0;
    if (width == 0) width = to->width;
    if (height == 0) height = to->height;
    if (width <= 0 || height <= 0) return 1;

    HistogramStats block{};
    collectHistogram(*from, block, false);
    // A perfectly flat histogram fills a fifth of the height.
    const double unit = (height - 1) * 0.2 / (block.sampleCount * (1.0 / 256));
    BarTable tables[4] = {
        scaledTable(block.blueBins, unit, height), scaledTable(block.greenBins, unit, height),
        scaledTable(block.redBins, unit, height), scaledTable(block.lumaBins, unit, height)};
    for (int k = 0; k < 3; ++k)
        smooth(tables[k]);

    if (type >= DNR_HISTOGRAM_COLOURS && type <= DNR_HISTOGRAM_BLUE)
        drawBars(*to, x, y, width, opacity, type, tables);
    if (overlay != 0 && part == 0) drawOverlay(*to);
    if (params && params->AutoContrast == 1) drawLevelMarkers(*to, y, width, height, *params);
    return 1;
}

}  // namespace dnr

extern "C" DNR_API int32_t DNR_CALL Histogram(const PixelView* source, const PixelView* target,
                                              int32_t x, int32_t y, int32_t width, int32_t height,
                                              int32_t opacity, int32_t part, int32_t type,
                                              int32_t overlay, ProcessingParams* params) {
    return dnr::drawHistogram(source, target, x, y, width, height, opacity, part, type, overlay,
                              params);
}
