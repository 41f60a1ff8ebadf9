#include "core/batch/engine_record.h"

#include <algorithm>

namespace core {

EngineRecord::EngineRecord(const QueueParams& item, const SettingsBlock& defaults)
    : noiseAreas_(item.NoiseAreas), redEyes_(item.RedEyes), colorRanges_(item.ColorRanges) {
    const SettingsBlock& s = item.Settings;
    ProcessingParams& p = params;
    p.Magic = DNR_IMAGE_MAGIC;
    p.Bits = nullptr;
    p.Width = p.Height = 0;
    p.BytesPerSample = 1;
    p.ProgressCallback = nullptr;

    // Relative values until the run scales them to the picture's own noise.
    p.NoiseLevel = s.NoiseLevelFactor;
    p.ShadowsNoiseLevel = s.ShadowsNoiseFactor;
    p.HighlightsNoiseLevel = s.HighlightsNoiseFactor;
    p.NoiseReductionOn = s.NoiseLevelFactor > 0 && s.NoiseReductionOn == 1 ? 1 : 0;
    p.NoiseRadius = s.NoiseRadius;
    // A HighNoise other than 0 or 1 reads as the default, as the controls read it.
    p.NoiseMode = s.HighNoise == 1 ? 6 : 2;
    p.ChromaNoise = s.ChromaNoise;
    p.NoiseReductionAmount = s.NoiseReductionAmount;
    p.NoiseAreaCount = int32_t(noiseAreas_.size());
    p.NoiseAreas = noiseAreas_.empty() ? nullptr : noiseAreas_.data();
    p.NoiseEqualizerCount = s.NoiseEqualizerCount;
    std::copy(s.NoiseEqualizer.begin(), s.NoiseEqualizer.end(), p.NoiseEqualizer);

    p.SharpenAmount = s.SharpenAmount;
    p.EdgeWidth = s.EdgeWidth;
    p.EdgeContrast = s.EdgeContrast;
    p.SuppressHalos = s.SuppressHalos;
    p.WhiteHalo = s.WhiteHalo;
    p.SharpnessEqualizerCount = s.SharpnessEqualizerCount;
    std::copy(s.SharpnessEqualizer.begin(), s.SharpnessEqualizer.end(), p.SharpnessEqualizer);

    p.ColorAdjustOn = 1;
    p.AutoContrast = s.AutoContrast;
    p.LocalContrast = s.LocalContrast;
    p.RedShift = s.RedShift;
    p.GreenShift = s.GreenShift;
    p.BlueShift = s.BlueShift;
    p.Contrast = s.Contrast;
    p.Gamma = s.Gamma;
    p.AutoContrastDarkest = defaults.AutoContrastDarkest;
    p.AutoContrastBrightest = defaults.AutoContrastBrightest;
    p.Highlights = s.Highlights;
    p.Shadows = s.Shadows;
    p.Saturation = s.Saturation;
    p.ColorRangeCount = colorRanges_.count();
    p.ColorRanges = colorRanges_.data();
    p.SelectedColorRange = -1;
    p.BWConversion = s.BWConversion;
    p.BWRed = s.BWRed;
    p.BWGreen = s.BWGreen;
    p.BWBlue = s.BWBlue;
    p.SaturationEqualizerCount = s.SaturationEqualizerCount;
    std::copy(s.SaturationEqualizer.begin(), s.SaturationEqualizer.end(), p.SaturationEqualizer);
    p.BrightnessEqualizerCount = s.BrightnessEqualizerCount;
    std::copy(s.BrightnessEqualizer.begin(), s.BrightnessEqualizer.end(), p.BrightnessEqualizer);
    p.FinalRun = 1;

    p.RedEyeOn = 1;
    p.RedEyeCount = int32_t(redEyes_.size());
    p.RedEyes = redEyes_.empty() ? nullptr : redEyes_.data();

    p.CARadius = s.CARadius;
    p.CAThreshold = s.CAThreshold;
    p.CAOn = s.CAOn;
    p.CAColorRed = s.CAColorRed;
    p.CAColorGreen = s.CAColorGreen;
    p.CAColorBlue = s.CAColorBlue;
    p.CATolerance = s.CATolerance;

    p.DistortionsOn = s.DistortionsOn;
    p.Barrel = s.Barrel;
    p.HPerspective = s.HPerspective;
    p.VPerspective = s.VPerspective;
    p.Squeeze = s.Squeeze;
    p.AutoCrop = s.AutoCrop;
    p.Vignetting = s.Vignetting;
    p.CurveSteepness = s.CurveSteepness;

    // Preview-only switches (the stored grid and compare switches included) never reach a batch
    // run.
    p.ShowNoiseMap = p.ShowSharpenMap = p.ShowCAMap = p.ShowOverExposed = 0;
    p.ShowGrid = p.CompareMode = 0;
    p.Reserved484 = 0;
}

}  // namespace core
