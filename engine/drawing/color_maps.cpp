// The palette of the colour-range window: a slice through the chroma plane at the centre
// colour's luma and a luma ramp with the centre colour's chroma, both centred on the range's mean
// colour, with markers for the range and the centre colour.
#include <algorithm>
#include <cstdint>

#include "colour_space.h"
#include "dnr.h"
#include "message.h"
#include "pixel_paint.h"

namespace dnr {
namespace {

struct MapColours {
    Ycc centre, first, second, mean;
};

// Colours are 16-bit samples; arguments outside 0..65535 are held there.
MapColours mapColours(Rgb centre, Rgb first, Rgb second) {
    for (Rgb* c : {&centre, &first, &second})
        *c = {clamp16(c->r), clamp16(c->g), clamp16(c->b)};
    auto normalised = [](const Rgb& c) { return rgbToYcc(c.r, c.g, c.b, ChromaModel::Relative); };
    const Rgb mean{(first.r + second.r) / 2, (first.g + second.g) / 2, (first.b + second.b) / 2};
    return {normalised(centre), normalised(first), normalised(second), normalised(mean)};
}

void paint(const View& v, int32_t x, int32_t y, const Rgb& c) {
    if (!insideView(v, x, y)) return;
    putSample(v, x, y, 0, clamp16(c.b));
    putSample(v, x, y, 1, clamp16(c.g));
    putSample(v, x, y, 2, clamp16(c.r));
}

constexpr Rgb kWhite{65535, 65535, 65535};
constexpr Rgb kBlack{0, 0, 0};

// A map rectangle that does not fit the picture is drawn where it overlaps and reported once.
void checkRectangle(const View& v, int32_t left, int32_t bottom, int32_t width, int32_t height) {
    if (left < 0 || bottom < 0 || int64_t{left} + width > v.width ||
        int64_t{bottom} + height > v.height)
        showWarning(kErrorWhileDrawing);
}

// A step of 0 would divide by zero; it counts as 1.
int32_t usableStep(int32_t step) {
    return step == 0 ? 1 : step;
}

void drawColorMap(const View& v, const MapColours& c, int32_t tolerance, int32_t left,
                  int32_t bottom, int32_t width, int32_t height, int32_t step) {
    checkRectangle(v, left, bottom, width, height);
    const int32_t hw = width / 2, hh = height / 2, d = usableStep(step);
    for (int32_t y = 0; y < height; ++y) {
        const int32_t cb = clamp16(c.mean.cb + int64_t{d} * (y - hh));
        for (int32_t x = 0; x < width; ++x) {
            const int32_t cr = clamp16(c.mean.cr + int64_t{d} * (x - hw));
            paint(v, left + x, bottom + y, yccToRgb(c.centre.y, cb, cr, ChromaModel::Relative));
        }
    }
    const int32_t r = static_cast<int32_t>(int64_t{tolerance} * 20 / d);
    const auto s = static_cast<int32_t>(r * 0.7071135624381276 + 0.5);
    const int32_t offsets[8][2] = {{0, r}, {0, -r},  {r, 0},  {-r, 0},
                                   {s, s}, {-s, -s}, {-s, s}, {s, -s}};
    const int32_t shiftX = (c.centre.cr - c.mean.cr) / d;
    const int32_t shiftY = (c.centre.cb - c.mean.cb) / d;
    for (const auto& o : offsets) {
        const int32_t x = left + hw + o[0], y = bottom + hh + o[1];
        paint(v, x, y, kWhite);
        paint(v, x + shiftX, y + shiftY, kBlack);
    }
}

void drawBrightnessMap(const View& v, const MapColours& c, int32_t left, int32_t bottom,
                       int32_t width, int32_t height, int32_t step) {
    checkRectangle(v, left, bottom, width, height);
    const int32_t hw = width / 2, hh = height / 2;
    const int64_t b = 7 * int64_t{usableStep(step)};
    for (int32_t y = 0; y < height; ++y) {
        const int32_t luma = clamp16(c.mean.y + b * (y - hh));
        const Rgb colour = yccToRgb(luma, c.centre.cb, c.centre.cr, ChromaModel::Relative);
        for (int32_t x = 0; x < width; ++x)
            paint(v, left + x, bottom + y, colour);
    }
    const auto shift = static_cast<int32_t>((c.centre.y - c.mean.y) / b);
    for (const Ycc& end : {c.second, c.first}) {
        const auto row = static_cast<int32_t>(bottom + hh + (end.y - c.mean.y) / b);
        paint(v, left + hw - width / 8, row, kWhite);
        paint(v, left + hw + width / 8, row + shift, kBlack);
    }
}

}  // namespace
}  // namespace dnr

extern "C" {

DNR_API int32_t DNR_CALL DrawColorMap(int32_t centreRed, int32_t centreGreen, int32_t centreBlue,
                                      int32_t firstRed, int32_t firstGreen, int32_t firstBlue,
                                      int32_t secondRed, int32_t secondGreen, int32_t secondBlue,
                                      int32_t tolerance, const ImageDesc* image, int32_t left,
                                      int32_t bottom, int32_t width, int32_t height, int32_t step) {
    const auto view = dnr::makeView(image);
    if (!view) return 0;
    dnr::drawColorMap(
        *view,
        dnr::mapColours({centreRed, centreGreen, centreBlue}, {firstRed, firstGreen, firstBlue},
                        {secondRed, secondGreen, secondBlue}),
        tolerance, left, bottom, width, height, step);
    return 1;
}

DNR_API int32_t DNR_CALL DrawBrightnessMap(int32_t centreRed, int32_t centreGreen,
                                           int32_t centreBlue, int32_t firstRed, int32_t firstGreen,
                                           int32_t firstBlue, int32_t secondRed,
                                           int32_t secondGreen, int32_t secondBlue, int32_t,
                                           const ImageDesc* image, int32_t left, int32_t bottom,
                                           int32_t width, int32_t height, int32_t step) {
    const auto view = dnr::makeView(image);
    if (!view) return 0;
    dnr::drawBrightnessMap(
        *view,
        dnr::mapColours({centreRed, centreGreen, centreBlue}, {firstRed, firstGreen, firstBlue},
                        {secondRed, secondGreen, secondBlue}),
        left, bottom, width, height, step);
    return 1;
}

DNR_API int32_t DNR_CALL DrawColorAndBrightnessMaps2(int32_t centreRed, int32_t centreGreen,
                                                     int32_t centreBlue, int32_t firstRed,
                                                     int32_t firstGreen, int32_t firstBlue,
                                                     int32_t secondRed, int32_t secondGreen,
                                                     int32_t secondBlue, int32_t tolerance,
                                                     const ImageDesc* image, int32_t zoom) {
    const auto view = dnr::makeView(image);
    if (!view) return 0;
    const dnr::MapColours c =
        dnr::mapColours({centreRed, centreGreen, centreBlue}, {firstRed, firstGreen, firstBlue},
                        {secondRed, secondGreen, secondBlue});
    // A larger zoom magnifies: 80, 60 or 40 units a pixel.
    const int32_t step = 100 - 20 * std::clamp(zoom, 1, 3);
    const int32_t split = view->width * 3 / 4;
    dnr::drawColorMap(*view, c, tolerance, 0, 0, split, view->height, step);
    dnr::drawBrightnessMap(*view, c, split, 0, view->width - split, view->height, step);
    return 1;
}

}  // extern "C"
