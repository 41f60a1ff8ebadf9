// A settings block with every field away from its default, within what the controls can show.
#pragma once

#include "core/settings/settings_block.h"

namespace settingstest {

inline core::SettingsBlock changedBlock() {
    core::SettingsBlock b;
    b.NoiseLevelFactor = 1500;
    b.ShadowsNoiseFactor = 800;
    b.HighlightsNoiseFactor = 1200;
    b.ChromaNoise = 4;
    b.HighNoise = 1;
    b.NoiseRadius = 9;
    b.ShowNoiseMap = 1;
    b.NoiseReductionOn = 0;
    b.NoiseReductionAmount = 70;
    b.SharpenAmount = 40;
    b.EdgeWidth = 5;
    b.EdgeContrast = 200;
    b.SuppressHalos = 1;
    b.ShowSharpenMap = 1;
    b.WhiteHalo = 20;
    b.PupilSize = 60;
    b.Darkening = 70;
    b.ShowHistogram = 1;
    b.AutoContrast = 1;
    b.LocalContrast = 30;
    b.RedShift = -10;
    b.GreenShift = 20;
    b.BlueShift = -30;
    b.Contrast = 15;
    b.Gamma = -25;
    b.Saturation = 35;
    b.AutoContrastDarkest = 5;
    b.AutoContrastBrightest = 95;
    b.Highlights = -40;
    b.Shadows = 45;
    b.BWRed = 10;
    b.BWGreen = -20;
    b.BWBlue = 30;
    b.BWConversion = 1;
    b.ShowOverExposed = 1;
    b.CARadius = 8;
    b.CAThreshold = 200;
    b.CAOn = 1;
    b.ShowCAMap = 1;
    b.CAColorRed = 1000;
    b.CAColorGreen = 2000;
    b.CAColorBlue = 3000;
    b.CATolerance = 70;
    b.CropOn = 1;
    b.CropPortrait = 1;
    b.CropSizeKind = 2;
    b.CropPaperIndex = 3;
    b.CropWebIndex = 4;
    b.CropUserResizeOn = 1;
    b.CropUserWidth = 800;
    b.CropUserHeight = 600;
    b.CropImageWidth = 4000;
    b.CropImageHeight = 3000;
    b.CropAngle = 1500;
    b.CropRect = {3000, 2000, 100, 200};
    b.CropTargetWidth = 800;
    b.CropTargetHeight = 533;
    b.FrameOn = 1;
    b.FrameWidth = 40;
    b.ProportionalMargin = 0;
    b.FrameEffect = 2;
    b.InnerFrameWidth = 3;
    b.ShadowWidth = 12;
    b.FrameColor = "255";
    b.InnerFrameColor = "65535";
    b.TextEffect = 1;
    b.TextAlign = 0;
    b.TextSmoothing = 40;
    b.TextTransparency = 25;
    b.InsertText = 1;
    b.InsertDate = 1;
    b.InsertTime = 1;
    b.InsertInfo = 1;
    b.CaptionText = "Holiday %date";
    b.TextPosX = 5000;
    b.TextPosY = 7000;
    b.TextColor = "16711680";
    b.FontCharset = 0;
    b.FontName = "Courier New";
    b.FontName.resize(50, ' ');
    b.FontSize = 22;
    b.FontStyle = "11";
    b.DistortionsOn = 1;
    b.Barrel = 10;
    b.HPerspective = -20;
    b.VPerspective = 30;
    b.Squeeze = -40;
    b.AutoCrop = 0;
    b.ShowGrid = 1;
    b.Vignetting = 60;
    b.CurveSteepness = 70;
    b.CompareMode = 1;
    b.NoiseEqualizer.fill(11);
    b.SharpnessEqualizer.fill(-12);
    b.SaturationEqualizer.fill(13);
    b.BrightnessEqualizer.fill(-14);
    return b;
}

}  // namespace settingstest
