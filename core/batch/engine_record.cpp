#include "core/batch/engine_record.h"

#include "core/settings/settings_fields.h"

namespace core {

namespace {

// The engine's noise modes.
constexpr int32_t kNormalNoiseMode = 2;
constexpr int32_t kHighNoiseMode = 6;

}  // namespace

void fillStoredFields(const SettingsBlock& s, ProcessingParams& p) {
    for (const SettingsField& f : settingsFields())
        if (f.toEngine) f.toEngine(p, fieldInts(f, s));
}

void applyBatchRules(const SettingsBlock& s, const SettingsBlock& defaults, ProcessingParams& p) {
    // Relative values until the run scales them to the picture's own noise.
    p.NoiseLevel = s.NoiseLevelFactor;
    p.ShadowsNoiseLevel = s.ShadowsNoiseFactor;
    p.HighlightsNoiseLevel = s.HighlightsNoiseFactor;
    p.NoiseReductionOn = s.NoiseLevelFactor > 0 && s.NoiseReductionOn == 1 ? 1 : 0;
    // A HighNoise other than 0 or 1 reads as the default, as the controls read it.
    p.NoiseMode = s.HighNoise == 1 ? kHighNoiseMode : kNormalNoiseMode;
    p.AutoContrastDarkest = defaults.AutoContrastDarkest;
    p.AutoContrastBrightest = defaults.AutoContrastBrightest;
    // Preview-only switches (the stored grid and compare switches included) never reach a batch
    // run.
    p.ShowNoiseMap = p.ShowSharpenMap = p.ShowCAMap = p.ShowOverExposed = 0;
    p.ShowGrid = p.CompareMode = 0;
    p.FinalRun = 1;
}

EngineRecord::EngineRecord(const QueueParams& item, const SettingsBlock& defaults)
    : noiseAreas_(item.NoiseAreas), redEyes_(item.RedEyes), colorRanges_(item.ColorRanges) {
    ProcessingParams& p = params;
    p.Magic = DNR_IMAGE_MAGIC;
    p.Bits = nullptr;
    p.Width = p.Height = 0;
    p.BytesPerSample = 1;
    p.ProgressCallback = nullptr;

    fillStoredFields(item.Settings, p);
    applyBatchRules(item.Settings, defaults, p);

    p.NoiseAreaCount = int32_t(noiseAreas_.size());
    p.NoiseAreas = noiseAreas_.empty() ? nullptr : noiseAreas_.data();
    p.ColorAdjustOn = 1;
    p.ColorRangeCount = colorRanges_.count();
    p.ColorRanges = colorRanges_.data();
    p.SelectedColorRange = -1;
    p.RedEyeOn = 1;
    p.RedEyeCount = int32_t(redEyes_.size());
    p.RedEyes = redEyes_.empty() ? nullptr : redEyes_.data();
    p.Reserved484 = 0;
}

}  // namespace core
