#include "core/editors/colour_range_display.h"

#include <algorithm>

namespace core {

namespace {

// Rows of three bytes a pixel, rounded up to four bytes.
int32_t strideOf(int32_t width) {
    return (width * 3 + 3) / 4 * 4;
}

bool isMarker(const std::array<uint8_t, 3>& c) {
    const bool white = c[0] == 255 && c[1] == 255 && c[2] == 255;
    const bool black = c[0] == 0 && c[1] == 0 && c[2] == 0;
    return white || black;
}

}  // namespace

RangeBitmap::RangeBitmap(int32_t width, int32_t height) {
    if (width < 1 || height < 1) return;
    width_ = width;
    height_ = height;
    stride_ = strideOf(width);
    bits_.assign(size_t(stride_) * size_t(height), 0);
}

ImageDesc RangeBitmap::desc() {
    // An empty picture is described as none, which every drawing call refuses.
    if (bits_.empty()) return ImageDesc{DNR_IMAGE_MAGIC, nullptr, 0, -1, 0};
    return ImageDesc{DNR_IMAGE_MAGIC, bits_.data(), width_, 1, height_};
}

bool RangeBitmap::contains(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
}

std::array<uint8_t, 3> RangeBitmap::pixel(int32_t x, int32_t y) const {
    if (!contains(x, y)) return {0, 0, 0};
    // The first stored row is the bottom one.
    const uint8_t* p = bits_.data() + size_t(height_ - 1 - y) * size_t(stride_) + size_t(x) * 3;
    return {p[2], p[1], p[0]};
}

void RangeBitmap::setPixel(int32_t x, int32_t y, const std::array<uint8_t, 3>& rgb) {
    if (!contains(x, y)) return;
    uint8_t* p = bits_.data() + size_t(height_ - 1 - y) * size_t(stride_) + size_t(x) * 3;
    p[0] = rgb[2];
    p[1] = rgb[1];
    p[2] = rgb[0];
}

QImage RangeBitmap::toImage(int32_t columns) const {
    if (bits_.empty()) return {};
    const int32_t w = columns > 0 && columns < width_ ? columns : width_;
    QImage image(w, height_, QImage::Format_RGB888);
    for (int32_t y = 0; y < height_; ++y) {
        const uint8_t* from = bits_.data() + size_t(height_ - 1 - y) * size_t(stride_);
        uchar* to = image.scanLine(y);
        for (int32_t x = 0; x < w; ++x) {
            to[x * 3] = from[x * 3 + 2];
            to[x * 3 + 1] = from[x * 3 + 1];
            to[x * 3 + 2] = from[x * 3];
        }
    }
    return image;
}

Rgb16 meanColour(const ColorRangeItem& range) {
    Rgb16 mean{};
    for (size_t c = 0; c < 3; ++c)
        mean[c] = uint16_t((int32_t(range.Colors[c]) + int32_t(range.Colors[3 + c])) / 2);
    return mean;
}

Rgb16 targetColour(const ColorRangeItem& range) {
    return {range.Colors[6], range.Colors[7], range.Colors[8]};
}

void setTargetColour(ColorRangeItem& range, const Rgb16& colour) {
    std::copy(colour.begin(), colour.end(), range.Colors.begin() + 6);
}

bool RangeIsCorrected(const ColorRangeItem& range) {
    return targetColour(range) != meanColour(range);
}

RangeBitmap drawStripFrom(QSize control, const ColorRangeItem& range, const Rgb16& start) {
    RangeBitmap strip(control.width() + 1, control.height());
    if (control.width() < 1 || strip.isNull()) return {};
    const ImageDesc desc = strip.desc();
    const auto& c = range.Colors;
    DrawGradient(&desc, c[0], c[1], c[2], c[3], c[4], c[5], start[0], start[1], start[2]);
    return strip;
}

RangeBitmap DrawStrip(QSize control, const ColorRangeItem& range, bool fromMean) {
    return drawStripFrom(control, range, fromMean ? meanColour(range) : targetColour(range));
}

RangeWindowPictures DrawRangeWindow(const RangeWindowSizes& sizes, bool useTarget, bool skipSource,
                                    int32_t tolerance, const ColorRangeItem& range, int32_t zoom) {
    RangeWindowPictures pictures;
    const Rgb16 centre = useTarget ? targetColour(range) : meanColour(range);
    if (!skipSource) pictures.source = DrawStrip(sizes.source, range, true);
    pictures.output = DrawStrip(sizes.output, range, false);
    pictures.palette = RangeBitmap(sizes.palette.width(), sizes.palette.height());
    if (!pictures.palette.isNull()) {
        const ImageDesc desc = pictures.palette.desc();
        const auto& c = range.Colors;
        DrawColorAndBrightnessMaps2(centre[0], centre[1], centre[2], c[0], c[1], c[2], c[3], c[4],
                                    c[5], tolerance, &desc, zoom);
    }
    return pictures;
}

std::optional<Rgb16> PickPaletteColour(const RangeBitmap& palette, int32_t x, int32_t y) {
    static constexpr int32_t kOffsets[] = {0, 1, -1, 2, -2};
    for (const int32_t ox : kOffsets)
        for (const int32_t oy : kOffsets) {
            const int32_t px = x + ox, py = y + oy;
            if (!palette.contains(px, py)) continue;
            const std::array<uint8_t, 3> c = palette.pixel(px, py);
            if (isMarker(c)) continue;
            return Rgb16{uint16_t(c[0] * 256 + 128), uint16_t(c[1] * 256 + 128),
                         uint16_t(c[2] * 256 + 128)};
        }
    return std::nullopt;
}

RangeBitmap PreviewPaletteColour(QSize output, const ColorRangeItem& range,
                                 const RangeBitmap& palette, int32_t x, int32_t y) {
    const std::optional<Rgb16> picked = PickPaletteColour(palette, x, y);
    if (!picked) return {};
    return drawStripFrom(output, range, *picked);
}

}  // namespace core
