// The curve editors without windows: names, marker places, the busy rule, drag steps against the
// engine's update exports, resets, the way a curve reaches the settings block and back, window
// places, and the panel the engine draws the right way up.
#include "core/editors/equalizer_curve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/settings/tuning_apply.h"
#include "core/settings/tuning_collect.h"
#include "core/settings/tuning_engine_fill.h"

namespace {

using core::CurveType;

ProcessingParams defaultRecord() {
    core::TuningState state;
    return core::curveRecord(core::fillEngineRecord(state, core::FillContext{}));
}

TEST(EqualizerCurve, EachCurveHasItsNamesRangeAndPointCount) {
    struct Case {
        CurveType type;
        std::string window, image, marker, fixed, opener, caption;
        int points, maximum, place;
    };
    const Case cases[] = {
        {CurveType::Brightness, "EqBrightness", "ImageEqBrightness", "PanelBrightness",
         "PanelBrightnessFixed", "cbEqBrightness", "ALS_EQALIZER_ALS_BRIGHTNESS", 9, 255, 1},
        {CurveType::Saturation, "EqSaturation", "ImageEqSaturation", "PanelSaturation",
         "PanelSaturationFixed", "sbEqSaturation", "ALS_EQUALIZER", 40, 359, 2},
        {CurveType::Noise, "EqNoiseReduction", "ImageEqNR", "PanelNR", "PanelNRFixed",
         "sbEqNoiseReduction", "ALS_EQUALIZER", 40, 359, 3},
        {CurveType::Sharpness, "EqSharpening", "ImageEqSharpening", "PanelSharpening",
         "PanelSharpeningFixed", "sbEqSharpening", "ALS_EQUALIZER", 40, 359, 4},
    };
    for (const Case& c : cases) {
        const core::CurveNames& n = core::curveNames(c.type);
        EXPECT_EQ(n.window, c.window);
        EXPECT_EQ(n.image, c.image);
        EXPECT_EQ(n.marker, c.marker);
        EXPECT_EQ(n.fixedMarker, c.fixed);
        EXPECT_EQ(n.opener, c.opener);
        EXPECT_EQ(n.captionKey, c.caption);
        EXPECT_EQ(core::curvePointCount(c.type), c.points) << c.window;
        EXPECT_EQ(core::markerMaximum(c.type), c.maximum) << c.window;
        EXPECT_EQ(core::floatingWindowIndex(c.type), c.place) << c.window;
        core::EqualizerCurves curves;
        EXPECT_EQ(core::curveValues(curves, c.type).size(), static_cast<size_t>(c.points));
    }
}

TEST(EqualizerCurve, MarkerPlaces) {
    struct Case {
        int value, maximum, offset;
        bool visible, keepHeight;
        int left, height;
    };
    const QSize panel(236, 160);
    const Case cases[] = {
        {0, 255, 0, false, false, 1, 158},      // the left end
        {255, 255, 0, false, false, 237, 158},  // the right end
        {128, 255, 0, false, false, 119, 158},  // round(128 * 236 / 255) = 118
        {300, 255, 0, false, false, 237, 158},  // clamped
        {-5, 359, 0, false, false, 1, 158},     // clamped
        {180, 359, 4, false, false, 123, 158},  // round(180 * 236 / 359) = 118, plus the offset
        {339, 359, 0, true, false, 224, 40},    // a shown marker keeps its height
        {90, 359, 0, false, true, 60, 40},      // asked to keep the height
    };
    for (const Case& c : cases) {
        const core::MarkerPlace now{7, 40, c.visible};
        const core::MarkerPlace place =
            core::placeMarker(now, c.value, panel, c.keepHeight, c.offset, c.maximum);
        EXPECT_EQ(place.left, c.left) << c.value;
        EXPECT_EQ(place.height, c.height) << c.value;
        EXPECT_TRUE(place.visible) << c.value;
    }
}

TEST(EqualizerCurve, FixedMarkersTakeTheLastValues) {
    core::MarkerValues values;
    for (CurveType type : core::kCurveTypes)
        EXPECT_EQ(values.of(type), -1);
    values.remember(CurveType::Brightness, 200);
    values.remember(CurveType::Noise, 339);
    EXPECT_EQ(values.of(CurveType::Brightness), 200);
    // The three hue curves share one value.
    EXPECT_EQ(values.of(CurveType::Saturation), 339);
    EXPECT_EQ(values.of(CurveType::Sharpness), 339);
}

TEST(EqualizerCurve, BusyRuleAndPanelBounds) {
    struct Press {
        bool left, right, busy, panel, pressed;
    };
    for (const Press& p :
         {Press{true, false, false, true, true}, Press{true, true, false, true, false},
          Press{false, false, false, true, false}, Press{true, false, true, true, false},
          Press{true, false, false, false, false}})
        EXPECT_EQ(core::editorPressed(p.left, p.right, p.busy, p.panel), p.pressed)
            << p.left << p.right << p.busy << p.panel;
    struct Point {
        int x, y;
        bool on;
    };
    const QSize panel(100, 50);
    for (const Point& p : {Point{0, 1, true}, Point{99, 49, true}, Point{0, 0, false},
                           Point{100, 10, false}, Point{-1, 10, false}, Point{10, 50, false}})
        EXPECT_EQ(core::pointOnPanel(p.x, p.y, panel), p.on) << p.x << "," << p.y;
}

// Each curve's drag goes through its own update export: the same step on a copy of the record
// gives the same values.
TEST(EqualizerCurve, DragStepsAreTheEnginesUpdateSteps) {
    using Update =
        int32_t(DNR_CALL*)(int32_t, int32_t, int32_t, int32_t, int32_t, ProcessingParams*);
    struct Case {
        CurveType type;
        Update update;
    };
    const QSize panel(236, 160);
    for (const Case& c : {Case{CurveType::Brightness, &UpdateEqualizerCurve},
                          Case{CurveType::Saturation, &UpdateSaturationCurve},
                          Case{CurveType::Noise, &UpdateNoiseEqualizerCurve},
                          Case{CurveType::Sharpness, &UpdateSharpnessEqualizerCurve}}) {
        for (const QPoint at : {QPoint(60, 30), QPoint(200, 140), QPoint(5, 2)}) {
            ProcessingParams ours = defaultRecord();
            ProcessingParams theirs = ours;
            EXPECT_TRUE(core::dragStep(c.type, at.x(), at.y(), panel, ours));
            c.update(at.x(), at.y(), panel.width(), panel.height(), 1, &theirs);
            const auto a = core::curveValues(ours, c.type);
            const auto b = core::curveValues(theirs, c.type);
            EXPECT_TRUE(std::ranges::equal(a, b)) << static_cast<int>(c.type);
            EXPECT_TRUE(std::ranges::any_of(a, [](int32_t v) { return v != 0; }));
        }
        // Off the panel nothing is asked of the engine and nothing changes.
        ProcessingParams off = defaultRecord();
        EXPECT_FALSE(core::dragStep(c.type, 10, 0, panel, off));
        EXPECT_FALSE(core::dragStep(c.type, 236, 20, panel, off));
        EXPECT_TRUE(
            std::ranges::all_of(core::curveValues(off, c.type), [](int32_t v) { return v == 0; }));
    }
}

TEST(EqualizerCurve, ADragOntoAFlatHueCurveChangesNothing) {
    ProcessingParams p = defaultRecord();
    EXPECT_FALSE(core::dragStep(CurveType::Noise, 100, 80, QSize(236, 160), p));
}

TEST(EqualizerCurve, ResetClearsOnlyThatCurveInStateAndRecord) {
    core::EqualizerCurves curves;
    std::ranges::fill(curves.NoiseEqualizer, 7);
    std::ranges::fill(curves.BrightnessEqualizer, 9);
    ProcessingParams p = defaultRecord();
    core::putCurve(p, curves, CurveType::Noise);
    core::putCurve(p, curves, CurveType::Brightness);
    core::resetCurve(curves, p, CurveType::Noise);
    EXPECT_TRUE(std::ranges::all_of(curves.NoiseEqualizer, [](int32_t v) { return v == 0; }));
    EXPECT_TRUE(std::ranges::all_of(p.NoiseEqualizer, [](int32_t v) { return v == 0; }));
    EXPECT_EQ(p.NoiseEqualizerCount, 40);
    EXPECT_TRUE(std::ranges::all_of(curves.BrightnessEqualizer, [](int32_t v) { return v == 9; }));
    EXPECT_TRUE(std::ranges::all_of(p.BrightnessEqualizer, [](int32_t v) { return v == 9; }));
}

// A dragged curve goes from the record into the tuning state, from there into the settings
// block, and comes back from the block into a fresh state and the next engine record.
TEST(EqualizerCurve, ADraggedCurveReachesTheSettingsAndComesBack) {
    for (CurveType type : core::kCurveTypes) {
        core::TuningState state;
        ProcessingParams p = core::curveRecord(core::fillEngineRecord(state, core::FillContext{}));
        ASSERT_TRUE(core::dragStep(type, 40, 20, QSize(236, 160), p));
        core::takeCurve(state.curves, p, type);
        core::storeCurve(state.block, state.curves, type);
        const core::SettingsBlock stored = state.block;
        const core::SettingsBlock block = core::collectSettings(state);
        // Stored at once, as the next collect would store it.
        EXPECT_EQ(stored.NoiseEqualizer, block.NoiseEqualizer);
        EXPECT_EQ(stored.SharpnessEqualizer, block.SharpnessEqualizer);
        EXPECT_EQ(stored.SaturationEqualizer, block.SaturationEqualizer);
        EXPECT_EQ(stored.BrightnessEqualizer, block.BrightnessEqualizer);

        // The curves are an expert's settings: simple mode applies them flat.
        core::TuningState again;
        again.expertMode = true;
        core::applySettings(again, block, core::ResetCode::All);
        EXPECT_EQ(again.curves, state.curves) << static_cast<int>(type);
        const ProcessingParams next = core::fillEngineRecord(again, core::FillContext{});
        auto& n = const_cast<ProcessingParams&>(next);
        EXPECT_TRUE(std::ranges::equal(core::curveValues(n, type), core::curveValues(p, type)))
            << static_cast<int>(type);
    }
}

TEST(EqualizerCurve, ACurveIsShapedWhileItsValuesDoNotSumToZero) {
    core::EqualizerCurves curves;
    for (CurveType type : core::kCurveTypes)
        EXPECT_FALSE(core::curveShaped(curves, type));
    curves.BrightnessEqualizer[3] = 5;
    curves.SaturationEqualizer[1] = 4;
    curves.SaturationEqualizer[2] = -4;  // a bump and a dip that cancel count as flat
    curves.SharpnessEqualizer[39] = -1;
    EXPECT_TRUE(core::curveShaped(curves, CurveType::Brightness));
    EXPECT_FALSE(core::curveShaped(curves, CurveType::Saturation));
    EXPECT_FALSE(core::curveShaped(curves, CurveType::Noise));
    EXPECT_TRUE(core::curveShaped(curves, CurveType::Sharpness));
}

TEST(EqualizerCurve, ABadStoredCountBecomesTheFullCount) {
    ProcessingParams p = defaultRecord();
    p.SaturationEqualizerCount = 0;
    core::EqualizerCurves curves;
    curves.SaturationEqualizerCount = 1;
    core::takeCurve(curves, p, CurveType::Saturation);
    EXPECT_EQ(curves.SaturationEqualizerCount, 40);
}

TEST(EqualizerCurve, HistogramsOnlyWhereThePreviewShowsNone) {
    using R = core::RedrawReason;
    for (R r : {R::Resized, R::DragStep, R::PointerLeft, R::BrightnessRun}) {
        EXPECT_TRUE(core::panelWithoutHistogram(r, true)) << static_cast<int>(r);
        EXPECT_FALSE(core::panelWithoutHistogram(r, false)) << static_cast<int>(r);
    }
    for (R r : {R::Shown, R::Reset, R::SaturationRun})
        EXPECT_TRUE(core::panelWithoutHistogram(r, false)) << static_cast<int>(r);
}

TEST(EqualizerCurve, WindowSizesAndPlaces) {
    EXPECT_EQ(core::editorSizeAtLeastMinimum(QSize(120, 80)), QSize(150, 100));
    EXPECT_EQ(core::editorSizeAtLeastMinimum(QSize(300, 90)), QSize(300, 100));
    EXPECT_EQ(core::editorSizeAtLeastMinimum(QSize(300, 200)), QSize(300, 200));
    EXPECT_EQ(core::editorDefaultSize(CurveType::Brightness), QSize(236, 214));
    EXPECT_EQ(core::editorDefaultSize(CurveType::Noise), QSize(236, 160));

    core::ProgramOptions options;
    core::FloatingWindowPlace& place = options.floatingWindows[1];
    EXPECT_FALSE(core::storedEditorPlace(place).has_value());
    core::storeEditorPlace(place, QRect(40, 50, 260, 180), true);
    EXPECT_EQ(core::storedEditorPlace(place), QRect(40, 50, 260, 180));
    EXPECT_EQ(place.visible, 1);
    core::storeEditorPlace(place, QRect(40, 50, 260, 180), false);
    EXPECT_EQ(place.visible, 0);

    const QSize area(800, 600);
    struct Case {
        QRect window;
        QPoint expected;
    };
    for (const Case& c : {Case{QRect(10, 20, 200, 100), QPoint(10, 20)},
                          Case{QRect(700, 20, 200, 100), QPoint(599, 20)},
                          Case{QRect(10, 550, 200, 100), QPoint(10, 499)},
                          Case{QRect(-5, -5, 200, 100), QPoint(599, 499)},
                          Case{QRect(10, 20, 900, 100), QPoint(0, 20)}})
        EXPECT_EQ(core::keepEditorInside(c.window, area), c.expected) << c.window.x();
}

TEST(EqualizerCurve, EnginePicturesKeepTheirRowsTheRightWayUp) {
    QImage image(5, 3, QImage::Format_RGB888);  // 15 bytes a row: padded to 16 for the engine
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixelColor(x, y, QColor(x * 50, y * 100, 7));
    core::EnginePicture picture = core::EnginePicture::fromImage(image);
    const PixelView view = picture.view();
    EXPECT_EQ(view.BytesPerSample, 1);
    // The bottom row is stored first, blue first.
    const auto* bytes = static_cast<const uint8_t*>(view.Bits);
    EXPECT_EQ(bytes[0], 7);
    EXPECT_EQ(bytes[1], 200);
    EXPECT_EQ(bytes[16 + 3 * 4 + 2], 200);  // row 1 from the bottom, column 4: red 200
    EXPECT_EQ(picture.toImage().convertToFormat(QImage::Format_RGB888), image);
    EXPECT_EQ(core::EnginePicture(QSize(0, 4)).view().BytesPerSample, -1);
}

// The flat curve's centre line runs along row h / 2 counted from the bottom; in the picture
// shown (rows top-down) that is row h - 1 - h / 2, grey in alternating light and dark pixels.
TEST(EqualizerCurve, PanelsAreDrawnIntoEightBitPictures) {
    const QSize size(120, 81);
    for (CurveType type : core::kCurveTypes) {
        core::PanelRequest request;
        request.type = type;
        request.size = size;
        const QImage panel = core::drawPanel(request, defaultRecord());
        ASSERT_FALSE(panel.isNull()) << static_cast<int>(type);
        EXPECT_EQ(panel.size(), size);
        const int row = size.height() - 1 - size.height() / 2;
        int grey = 0;
        for (int x = 3; x < size.width() - 3; ++x) {
            const QColor c = panel.pixelColor(x, row);
            if (c.red() == c.green() && c.green() == c.blue()) ++grey;
        }
        EXPECT_GT(grey, size.width() / 2) << static_cast<int>(type);
    }
    core::PanelRequest empty;
    empty.size = QSize(0, 10);
    EXPECT_TRUE(core::drawPanel(empty, defaultRecord()).isNull());
}

TEST(EqualizerCurve, TheLiveMarkerCaptionSaysTheValue) {
    const QString b = QStringLiteral("Brightness"), h = QStringLiteral("Hue");
    EXPECT_EQ(core::markerCaption(CurveType::Brightness, 128, QStringLiteral("x"), b, h),
              QStringLiteral("Brightness=128"));
    EXPECT_EQ(core::markerCaption(CurveType::Noise, 339, QStringLiteral("Noise"), b, h),
              QStringLiteral("Noise (Hue=339)"));
    EXPECT_EQ(core::markerCaption(CurveType::Saturation, 0, QStringLiteral("Equalizer"), b, h),
              QStringLiteral("Equalizer (Hue=0)"));
}

}  // namespace
