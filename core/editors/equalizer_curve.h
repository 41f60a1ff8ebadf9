// The four curve editors without their windows: which curve a window edits and the names that go
// with it, where the value markers stand, when a mouse event may move the curve, how a curve is
// carried between the tuning state and an engine record, the editors' stored window places, and
// the engine calls of one drag step and of one panel drawing (made on the engine thread).
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>

#include "core/settings/program_options.h"
#include "core/settings/tuning_state.h"
#include "dnr.h"

namespace core {

enum class CurveType : int32_t { Brightness = 1, Saturation = 2, Noise = 3, Sharpness = 4 };

inline constexpr CurveType kCurveTypes[] = {CurveType::Brightness, CurveType::Saturation,
                                            CurveType::Noise, CurveType::Sharpness};

// The names that belong to one editor: its window, the engine's picture of the curve, the live
// (green) and fixed (yellow) marker panels, the tab control that opens it and its caption key.
struct CurveNames {
    const char* window;       // EqBrightness
    const char* image;        // ImageEqBrightness
    const char* marker;       // PanelBrightness
    const char* fixedMarker;  // PanelBrightnessFixed
    const char* opener;       // cbEqBrightness, sbEqSaturation, ...
    const char* captionKey;   // ALS_EQALIZER_ALS_BRIGHTNESS, ALS_EQUALIZER
};
const CurveNames& curveNames(CurveType type);

// 9 control values for brightness, 40 for the hue curves.
int32_t curvePointCount(CurveType type);
// The markers' scale: 0..255 (brightness) or 0..359 (hue).
int32_t markerMaximum(CurveType type);
// The entry of the stored floating-window places (1..4; 0 is the colour-range window).
int floatingWindowIndex(CurveType type);

// The curve's control values in the tuning state and in an engine record.
std::span<int32_t> curveValues(EqualizerCurves& curves, CurveType type);
std::span<const int32_t> curveValues(const EqualizerCurves& curves, CurveType type);
std::span<int32_t> curveValues(ProcessingParams& params, CurveType type);
// Copies one curve (count and values) from the record into the state, or the other way.
void takeCurve(EqualizerCurves& curves, const ProcessingParams& params, CurveType type);
void putCurve(ProcessingParams& params, const EqualizerCurves& curves, CurveType type);
// A curve is in use while its values do not sum to 0 (as the tab markers count it); the preview's
// list of filters applied counts the brightness, saturation and sharpness curves with their tabs.
bool curveShaped(const EqualizerCurves& curves, CurveType type);
// The curve of the state into the settings block (what the settings files and "vr.dat" keep).
void storeCurve(SettingsBlock& block, const EqualizerCurves& curves, CurveType type);
// Right-click reset: every control value of the curve 0, in the state and in the record.
void resetCurve(EqualizerCurves& curves, ProcessingParams& params, CurveType type);

// Whether a mouse event on the editor may move the curve: the left button down without the
// right, no drag step running, and a panel to drag on.
bool editorPressed(bool leftDown, bool rightDown, bool busy, bool hasPanel);
// A drag step is made only for a point on the panel: 0 <= x < width and 0 < y < height.
bool pointOnPanel(int x, int y, QSize panel);

// The marker's place for a value: the value clamped to 0..maximum, left = offset +
// round(c * width / maximum) + 1; a marker that was hidden takes the panel's height less 2
// (unless keepHeight) and is shown.
struct MarkerPlace {
    int left = 0;
    int height = 0;
    bool visible = false;
};
MarkerPlace placeMarker(const MarkerPlace& now, int value, QSize panel, bool keepHeight, int offset,
                        int maximum);

// The caption of an editor window while its live marker shows the value under the pointer:
// "Brightness=128" for the brightness curve, "Noise (Hue=339)" for the hue curves, with the
// labels and the curve's title as the window shows them.
QString markerCaption(CurveType type, int32_t value, const QString& curveTitle,
                      const QString& brightnessLabel, const QString& hueLabel);

// The values the markers last showed (-1: none); the fixed markers take them on request.
struct MarkerValues {
    int32_t brightness = -1;  // 0..255
    int32_t hue = -1;         // 0..359
    int32_t of(CurveType type) const { return type == CurveType::Brightness ? brightness : hue; }
    void remember(CurveType type, int32_t value) {
        (type == CurveType::Brightness ? brightness : hue) = value;
    }
};

// Why a panel is redrawn.
enum class RedrawReason : int32_t {
    Shown = 1,
    Resized = 2,
    DragStep = 3,
    PointerLeft = 4,
    Reset = 6,
    SaturationRun = 7,
    BrightnessRun = 8,
};
// The brightness panel's histograms are left out while the preview shows its own (for resizes,
// drag steps, the pointer leaving and runs) and for every other reason.
bool panelWithoutHistogram(RedrawReason reason, bool previewHistogramShown);

// Smallest size of an editor window.
inline constexpr QSize kEditorMinimumSize{150, 100};
QSize editorSizeAtLeastMinimum(QSize size);
// The size of a window that was never placed.
QSize editorDefaultSize(CurveType type);
// The stored place of an editor window; none when it was never placed (width -1).
std::optional<QRect> storedEditorPlace(const FloatingWindowPlace& place);
// Stores the window's place and visibility.
void storeEditorPlace(FloatingWindowPlace& place, const QRect& geometry, bool visible);
// KeepInside: a window sticking out right or at the bottom of the area, or at a negative place,
// moves back in, to max(0, area - size - 1) on that axis (area-relative coordinates).
QPoint keepEditorInside(const QRect& window, const QSize& area);

// An 8-bit picture in the engine's layout (blue, green, red; rows padded to 4 bytes, the bottom
// row stored first) owned by the caller.
class EnginePicture {
  public:
    EnginePicture() = default;
    explicit EnginePicture(QSize size);
    static EnginePicture fromImage(const QImage& image);
    PixelView view();
    QImage toImage() const;  // rows top-down
    QSize size() const { return size_; }
    bool empty() const { return size_.isEmpty(); }

  private:
    QSize size_;
    qsizetype stride_ = 0;
    QByteArray bytes_;
};

// A copy of a filled engine record for the curve calls on the engine thread: the tables it points
// to (noise areas, colour ranges, red eyes), the picture and the progress callback left out, since
// the window goes on changing them; the curves only read the record's values.
ProcessingParams curveRecord(const ProcessingParams& filled);

// One drag step through the curve's update export (committed); returns whether the control
// values changed.
bool dragStep(CurveType type, int x, int y, QSize panel, ProcessingParams& params);

// The panel of the curve drawn by the engine into a caller-owned 8-bit picture. For the
// brightness curve, source is the picture of the preview (the lower histogram) and processed the
// preview's result (the upper one); without both the histograms are left out.
struct PanelRequest {
    CurveType type = CurveType::Brightness;
    QSize size;
    bool rebuild = true;
    int32_t brightnessManagement = 0;  // 0 the curve's deviation, 1 the whole curve
    bool noHistogram = true;
    QImage source;
    QImage processed;
};
// Null when the engine drew nothing.
QImage drawPanel(const PanelRequest& request, ProcessingParams params);

}  // namespace core
