#include "core/editors/equalizer_curve.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace core {

namespace {

constexpr CurveNames kNames[] = {
    {"EqBrightness", "ImageEqBrightness", "PanelBrightness", "PanelBrightnessFixed",
     "cbEqBrightness", "ALS_EQALIZER_ALS_BRIGHTNESS"},
    {"EqSaturation", "ImageEqSaturation", "PanelSaturation", "PanelSaturationFixed",
     "sbEqSaturation", "ALS_EQUALIZER"},
    {"EqNoiseReduction", "ImageEqNR", "PanelNR", "PanelNRFixed", "sbEqNoiseReduction",
     "ALS_EQUALIZER"},
    {"EqSharpening", "ImageEqSharpening", "PanelSharpening", "PanelSharpeningFixed",
     "sbEqSharpening", "ALS_EQUALIZER"},
};

size_t indexOf(CurveType type) {
    return static_cast<size_t>(type) - 1;
}

}  // namespace

const CurveNames& curveNames(CurveType type) {
    return kNames[indexOf(type)];
}

int32_t curvePointCount(CurveType type) {
    return type == CurveType::Brightness ? 9 : DNR_EQUALIZER_POINTS;
}

int32_t markerMaximum(CurveType type) {
    return type == CurveType::Brightness ? 255 : 359;
}

int floatingWindowIndex(CurveType type) {
    return static_cast<int>(type);
}

std::span<int32_t> curveValues(EqualizerCurves& c, CurveType type) {
    switch (type) {
        case CurveType::Brightness:
            return c.BrightnessEqualizer;
        case CurveType::Saturation:
            return c.SaturationEqualizer;
        case CurveType::Noise:
            return c.NoiseEqualizer;
        case CurveType::Sharpness:
            return c.SharpnessEqualizer;
    }
    return {};
}

std::span<const int32_t> curveValues(const EqualizerCurves& c, CurveType type) {
    return curveValues(const_cast<EqualizerCurves&>(c), type);
}

std::span<int32_t> curveValues(ProcessingParams& p, CurveType type) {
    switch (type) {
        case CurveType::Brightness:
            return p.BrightnessEqualizer;
        case CurveType::Saturation:
            return p.SaturationEqualizer;
        case CurveType::Noise:
            return p.NoiseEqualizer;
        case CurveType::Sharpness:
            return p.SharpnessEqualizer;
    }
    return {};
}

namespace {

int32_t& countOf(EqualizerCurves& c, CurveType type) {
    switch (type) {
        case CurveType::Brightness:
            return c.BrightnessEqualizerCount;
        case CurveType::Saturation:
            return c.SaturationEqualizerCount;
        case CurveType::Noise:
            return c.NoiseEqualizerCount;
        case CurveType::Sharpness:
            break;
    }
    return c.SharpnessEqualizerCount;
}

int32_t& countOf(ProcessingParams& p, CurveType type) {
    switch (type) {
        case CurveType::Brightness:
            return p.BrightnessEqualizerCount;
        case CurveType::Saturation:
            return p.SaturationEqualizerCount;
        case CurveType::Noise:
            return p.NoiseEqualizerCount;
        case CurveType::Sharpness:
            break;
    }
    return p.SharpnessEqualizerCount;
}

}  // namespace

// The editors always work on the full point count: a stored count the engine cannot use (below
// 2 or beyond the array) would make the drag and the drawing read outside the values.
void takeCurve(EqualizerCurves& curves, const ProcessingParams& params, CurveType type) {
    auto& p = const_cast<ProcessingParams&>(params);
    const std::span<const int32_t> from = curveValues(p, type);
    std::ranges::copy(from, curveValues(curves, type).begin());
    countOf(curves, type) = curvePointCount(type);
}

void putCurve(ProcessingParams& params, const EqualizerCurves& curves, CurveType type) {
    std::ranges::copy(curveValues(curves, type), curveValues(params, type).begin());
    countOf(params, type) = curvePointCount(type);
}

bool curveShaped(const EqualizerCurves& curves, CurveType type) {
    int64_t sum = 0;
    for (const int32_t v : curveValues(curves, type))
        sum += v;
    return sum != 0;
}

void storeCurve(SettingsBlock& b, const EqualizerCurves& c, CurveType type) {
    switch (type) {
        case CurveType::Brightness:
            b.BrightnessEqualizerCount = c.BrightnessEqualizerCount;
            b.BrightnessEqualizer = c.BrightnessEqualizer;
            break;
        case CurveType::Saturation:
            b.SaturationEqualizerCount = c.SaturationEqualizerCount;
            b.SaturationEqualizer = c.SaturationEqualizer;
            break;
        case CurveType::Noise:
            b.NoiseEqualizerCount = c.NoiseEqualizerCount;
            b.NoiseEqualizer = c.NoiseEqualizer;
            break;
        case CurveType::Sharpness:
            b.SharpnessEqualizerCount = c.SharpnessEqualizerCount;
            b.SharpnessEqualizer = c.SharpnessEqualizer;
            break;
    }
}

void resetCurve(EqualizerCurves& curves, ProcessingParams& params, CurveType type) {
    std::ranges::fill(curveValues(curves, type), 0);
    countOf(curves, type) = curvePointCount(type);
    putCurve(params, curves, type);
}

bool editorPressed(bool leftDown, bool rightDown, bool busy, bool hasPanel) {
    return leftDown && !rightDown && !busy && hasPanel;
}

bool pointOnPanel(int x, int y, QSize panel) {
    return x >= 0 && x < panel.width() && y > 0 && y < panel.height();
}

MarkerPlace placeMarker(const MarkerPlace& now, int value, QSize panel, bool keepHeight, int offset,
                        int maximum) {
    MarkerPlace place = now;
    if (maximum <= 0) return place;
    const int c = std::clamp(value, 0, maximum);
    place.left = offset +
                 static_cast<int>(std::lround(static_cast<double>(c) * panel.width() / maximum)) +
                 1;
    if (!now.visible) {
        if (!keepHeight) place.height = std::max(0, panel.height() - 2);
        place.visible = true;
    }
    return place;
}

bool panelWithoutHistogram(RedrawReason reason, bool previewHistogramShown) {
    switch (reason) {
        case RedrawReason::Resized:
        case RedrawReason::DragStep:
        case RedrawReason::PointerLeft:
        case RedrawReason::BrightnessRun:
            return previewHistogramShown;
        default:
            return true;
    }
}

QSize editorSizeAtLeastMinimum(QSize size) {
    return size.expandedTo(kEditorMinimumSize);
}

QSize editorDefaultSize(CurveType type) {
    constexpr int kWidth = 236;
    if (type == CurveType::Brightness)
        return {kWidth, std::max(static_cast<int>(std::lround(kWidth * 0.9)), 160) + 2};
    return {kWidth, 160};
}

std::optional<QRect> storedEditorPlace(const FloatingWindowPlace& place) {
    if (place.width == -1) return std::nullopt;
    return QRect(place.left, place.top, place.width, place.height);
}

void storeEditorPlace(FloatingWindowPlace& place, const QRect& geometry, bool visible) {
    place.left = geometry.left();
    place.top = geometry.top();
    place.width = geometry.width();
    place.height = geometry.height();
    place.visible = visible ? 1 : 0;
}

QPoint keepEditorInside(const QRect& w, const QSize& area) {
    QPoint p = w.topLeft();
    if (w.left() + w.width() > area.width() || w.left() < 0)
        p.setX(std::max(0, area.width() - w.width() - 1));
    if (w.top() + w.height() > area.height() || w.top() < 0)
        p.setY(std::max(0, area.height() - w.height() - 1));
    return p;
}

EnginePicture::EnginePicture(QSize size)
    : size_(size.isEmpty() ? QSize() : size),
      stride_(size_.isEmpty() ? 0 : (static_cast<qsizetype>(size_.width()) * 3 + 3) / 4 * 4),
      bytes_(stride_ * size_.height(), '\0') {}

EnginePicture EnginePicture::fromImage(const QImage& image) {
    EnginePicture picture(image.size());
    if (picture.empty()) return picture;
    const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
    const int h = picture.size_.height();
    for (int row = 0; row < h; ++row)
        std::memcpy(picture.bytes_.data() + picture.stride_ * (h - 1 - row), bgr.constScanLine(row),
                    static_cast<size_t>(picture.size_.width()) * 3);
    return picture;
}

PixelView EnginePicture::view() {
    if (empty()) return PixelView{nullptr, 0, -1, 0};
    return PixelView{bytes_.data(), size_.width(), 1, size_.height()};
}

QImage EnginePicture::toImage() const {
    if (empty()) return {};
    QImage image(size_, QImage::Format_BGR888);
    const int h = size_.height();
    for (int row = 0; row < h; ++row)
        std::memcpy(image.scanLine(row), bytes_.constData() + stride_ * (h - 1 - row),
                    static_cast<size_t>(size_.width()) * 3);
    return image;
}

ProcessingParams curveRecord(const ProcessingParams& filled) {
    ProcessingParams p = filled;
    p.Bits = nullptr;
    p.Width = 0;
    p.BytesPerSample = -1;
    p.Height = 0;
    p.ProgressCallback = nullptr;
    p.NoiseAreaCount = 0;
    p.NoiseAreas = nullptr;
    p.ColorRangeCount = 0;
    p.ColorRanges = nullptr;
    p.RedEyeCount = 0;
    p.RedEyes = nullptr;
    return p;
}

bool dragStep(CurveType type, int x, int y, QSize panel, ProcessingParams& params) {
    if (!pointOnPanel(x, y, panel)) return false;
    const std::span<int32_t> values = curveValues(params, type);
    const std::vector<int32_t> before(values.begin(), values.end());
    countOf(params, type) = curvePointCount(type);
    const int32_t w = panel.width(), h = panel.height();
    switch (type) {
        case CurveType::Brightness:
            UpdateEqualizerCurve(x, y, w, h, 1, &params);
            break;
        case CurveType::Saturation:
            UpdateSaturationCurve(x, y, w, h, 1, &params);
            break;
        case CurveType::Noise:
            UpdateNoiseEqualizerCurve(x, y, w, h, 1, &params);
            break;
        case CurveType::Sharpness:
            UpdateSharpnessEqualizerCurve(x, y, w, h, 1, &params);
            break;
    }
    return !std::ranges::equal(before, values);
}

QImage drawPanel(const PanelRequest& r, ProcessingParams params) {
    EnginePicture target(r.size);
    if (target.empty()) return {};
    const PixelView view = target.view();
    countOf(params, r.type) = curvePointCount(r.type);
    const int32_t rebuild = r.rebuild ? 1 : 0;
    int32_t drawn = 0;
    switch (r.type) {
        case CurveType::Brightness: {
            // The picture of the record is the lower histogram's; with either picture missing
            // the panel still shows the curve.
            EnginePicture source = EnginePicture::fromImage(r.source);
            EnginePicture processed = EnginePicture::fromImage(r.processed);
            const bool both = !source.empty() && !processed.empty();
            const PixelView s = source.view(), second = processed.view();
            params.Bits = s.Bits;
            params.Width = s.Width;
            params.BytesPerSample = s.BytesPerSample;
            params.Height = s.Height;
            drawn = DrawEqualizerCurve_and_Histogram(&view, &second, &params, rebuild,
                                                     r.brightnessManagement,
                                                     (r.noHistogram || !both) ? 1 : 0);
            break;
        }
        case CurveType::Saturation:
            drawn = DrawColorEqualizerCurve(&view, &params, rebuild);
            break;
        case CurveType::Noise:
            drawn = DrawNoiseEqualizerCurve(&view, &params, rebuild);
            break;
        case CurveType::Sharpness:
            drawn = DrawSharpnessEqualizerCurve(&view, &params, rebuild);
            break;
    }
    return drawn ? target.toImage() : QImage();
}

QString markerCaption(CurveType type, int32_t value, const QString& curveTitle,
                      const QString& brightnessLabel, const QString& hueLabel) {
    if (type == CurveType::Brightness)
        return QStringLiteral("%1=%2").arg(brightnessLabel).arg(value);
    return QStringLiteral("%1 (%2=%3)").arg(curveTitle, hueLabel).arg(value);
}

}  // namespace core
