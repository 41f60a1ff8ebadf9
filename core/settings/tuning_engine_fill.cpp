#include "core/settings/tuning_engine_fill.h"

#include <algorithm>

#include "core/batch/engine_record.h"
#include "core/settings/rounding.h"
#include "core/settings/slider_operations.h"

namespace core {

int32_t simpleModeToneLevel(int32_t detectedTone, int32_t detectedMidtones, int32_t noiseLevel,
                            int32_t midtoneFactor) {
    if (detectedMidtones > 0)
        return int32_t(roundedDivision(int64_t(detectedTone) * noiseLevel, detectedMidtones));
    return int32_t(roundedDivision(int64_t(detectedTone) * midtoneFactor, 1000));
}

ProcessingParams fillEngineRecord(TuningState& s, const FillContext& ctx) {
    ProcessingParams p{};
    // The equalizers come from the curve editors' storage, the CA colour from the block.
    SettingsBlock stored = s.block;
    const EqualizerCurves& e = s.curves;
    stored.NoiseEqualizerCount = e.NoiseEqualizerCount;
    stored.NoiseEqualizer = e.NoiseEqualizer;
    stored.SharpnessEqualizerCount = e.SharpnessEqualizerCount;
    stored.SharpnessEqualizer = e.SharpnessEqualizer;
    stored.SaturationEqualizerCount = e.SaturationEqualizerCount;
    stored.SaturationEqualizer = e.SaturationEqualizer;
    stored.BrightnessEqualizerCount = e.BrightnessEqualizerCount;
    stored.BrightnessEqualizer = e.BrightnessEqualizer;
    fillStoredFields(stored, p);

    p.Magic = DNR_IMAGE_MAGIC;
    p.Bits = nullptr;
    p.Width = p.Height = p.BytesPerSample = 0;
    p.ProgressCallback = nullptr;

    auto pos = [&s](int n) { return s.sliders[size_t(n)].position; };
    auto value = [&s](int n) { return sliderStoredValue(s, n); };
    const CheckBoxes& cb = s.checks;
    const SpeedButtons& sb = s.buttons;

    p.NoiseLevel = pos(1);
    if (s.expertMode) {
        p.ShadowsNoiseLevel = pos(2);
        p.HighlightsNoiseLevel = pos(3);
    } else {
        p.ShadowsNoiseLevel = simpleModeToneLevel(s.detected.shadows, s.detected.midtones,
                                                  p.NoiseLevel, s.noiseFactors.midtones);
        p.HighlightsNoiseLevel = simpleModeToneLevel(s.detected.highlights, s.detected.midtones,
                                                     p.NoiseLevel, s.noiseFactors.midtones);
    }
    p.NoiseReductionOn = p.NoiseLevel > 0 && cb.cbEnableNR ? 1 : 0;
    p.NoiseRadius = value(4);
    p.ChromaNoise = value(16);
    p.NoiseReductionAmount = value(19);
    p.ShowNoiseMap = sb.sbNoiseMap ? 1 : 0;
    p.NoiseMode = s.RadioButton_HighN ? DNR_NOISE_HIGH : DNR_NOISE_NORMAL;
    p.NoiseAreaCount = int32_t(s.noiseAreas.size());
    p.NoiseAreas = s.noiseAreas.empty() ? nullptr : s.noiseAreas.data();

    p.SharpenAmount = value(6);
    p.EdgeWidth = value(7);
    p.EdgeContrast = value(5);
    p.WhiteHalo = value(36);
    p.SuppressHalos = cb.cbSuppressHalos ? 1 : 0;
    p.ShowSharpenMap = sb.sbShowDifference && ctx.activeTab == SettingsTab::Sharpening ? 1 : 0;

    p.CAOn = cb.cbEnableCA && ctx.caTabShown ? 1 : 0;
    p.CARadius = value(23);
    p.CAThreshold = value(24);
    p.CATolerance = value(25);
    p.CAColorRed = s.block.CAColorRed;
    p.CAColorGreen = s.block.CAColorGreen;
    p.CAColorBlue = s.block.CAColorBlue;
    p.ShowCAMap = sb.sbCAMap ? 1 : 0;

    p.DistortionsOn = cb.cbEnableDistortions && ctx.distortionsTabShown ? 1 : 0;
    p.Barrel = value(28);
    p.HPerspective = value(29);
    p.VPerspective = value(30);
    p.Squeeze = value(31);
    p.Vignetting = value(32);
    p.CurveSteepness = value(37);
    p.AutoCrop = cb.cbTransAutoCrop ? 1 : 0;
    p.ShowGrid = cb.cbTransGrid ? 1 : 0;
    p.CompareMode = cb.cbCompareMode ? 1 : 0;

    p.BWConversion = cb.cbBWConversion ? 1 : 0;
    p.BWRed = value(33);
    p.BWGreen = value(34);
    p.BWBlue = value(35);
    p.ColorAdjustOn = 1;
    p.ShowOverExposed = cb.cbShowOverExposed && cb.cbShowOverExposed2 ? 1 : 0;
    p.AutoContrast = s.autoContrastEnabled && cb.cbAutoContrast ? 1 : 0;
    p.LocalContrast = value(8);
    p.RedShift = value(11);
    p.GreenShift = value(12);
    p.BlueShift = value(13);
    p.Contrast = value(9);
    p.Gamma = value(10);
    p.AutoContrastDarkest = value(20);
    p.AutoContrastBrightest = value(14);
    p.Highlights = value(21);
    p.Shadows = value(22);
    p.Saturation = value(15);

    std::vector<ColorRangeItem> ranges = s.colorRanges;
    if (ctx.convertColour)
        for (ColorRangeItem& r : ranges)
            for (size_t c = 0; c < 9; c += 3) {
                const auto converted =
                    ctx.convertColour({r.Colors[c], r.Colors[c + 1], r.Colors[c + 2]});
                std::copy(converted.begin(), converted.end(), r.Colors.begin() + long(c));
            }
    s.engineColorRanges = std::make_shared<EngineColorRanges>(ranges);
    p.ColorRangeCount = s.engineColorRanges->count();
    p.ColorRanges = s.engineColorRanges->data();
    const bool editing = ctx.tuningMode && ctx.activeTab == SettingsTab::Colours &&
                         ctx.colourRangeWindowOpen && ctx.editedColourRange >= 0 &&
                         ctx.editedColourRange < p.ColorRangeCount;
    p.SelectedColorRange = editing ? ctx.editedColourRange : -1;

    p.RedEyeOn = 1;
    p.RedEyeCount = int32_t(s.redEyes.size());
    p.RedEyes = s.redEyes.empty() ? nullptr : s.redEyes.data();

    p.ViewWidth = p.ViewHeight = p.ViewTop = p.ViewLeft = 0;
    p.FullWidth = p.FullHeight = p.ScaledFullWidth = p.ScaledFullHeight = 0;
    p.Reserved484 = 0;
    p.FinalRun = 0;
    return p;
}

}  // namespace core
