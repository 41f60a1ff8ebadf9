#include "core/settings/settings_fields.h"

#include <algorithm>
#include <iterator>

namespace core {

namespace {

#define VF_BLOCK_INT(f) +[](SettingsBlock& b) -> int32_t* { return &b.f; }
#define VF_BLOCK_ARRAY(f) +[](SettingsBlock& b) -> int32_t* { return b.f.data(); }
#define VF_BLOCK_TEXT(f) +[](SettingsBlock& b) -> std::string* { return &b.f; }
// The engine record is packed: its fields are assigned, never addressed.
#define VF_ENGINE_INT(f) +[](ProcessingParams& p, const int32_t* v) { p.f = *v; }
#define VF_ENGINE_ARRAY(f) \
    +[](ProcessingParams& p, const int32_t* v) { std::copy_n(v, std::size(p.f), p.f); }

// Name, offset, type, count, default, default text, ranged, minimum, maximum, stored as, rule,
// tab, control, caption key, block access, text access, copy into the engine record.
constexpr SettingsField kFields[] = {
    {"Version", 0, FieldType::Int, 1, SettingsBlock::kVersion, "", false, 0, 0, StoredAs::Carried,
     FieldRule::Version, SettingsTab::None, "", "", VF_BLOCK_INT(Version), nullptr, nullptr},
    {"Reserved", 4, FieldType::Int, 1, -1, "", false, 0, 0, StoredAs::Carried, FieldRule::Reserved,
     SettingsTab::None, "", "", VF_BLOCK_INT(Reserved), nullptr, nullptr},
    {"NoiseLevelFactor", 8, FieldType::Int, 1, 1000, "", false, 0, 0, StoredAs::Permille,
     FieldRule::NoiseFactor, SettingsTab::Noise, "SlideBar1", "ALS_NOISE_LEVEL",
     VF_BLOCK_INT(NoiseLevelFactor), nullptr, nullptr},
    {"ShadowsNoiseFactor", 12, FieldType::Int, 1, 1000, "", false, 0, 0, StoredAs::Permille,
     FieldRule::DerivedWhenNegative, SettingsTab::Noise, "SlideBar2", "ALS_SHADOWS",
     VF_BLOCK_INT(ShadowsNoiseFactor), nullptr, nullptr},
    {"HighlightsNoiseFactor", 16, FieldType::Int, 1, 1000, "", false, 0, 0, StoredAs::Permille,
     FieldRule::DerivedWhenNegative, SettingsTab::Noise, "SlideBar3", "ALS_HIGHLIGHTS",
     VF_BLOCK_INT(HighlightsNoiseFactor), nullptr, nullptr},
    {"ChromaNoise", 20, FieldType::Int, 1, 2, "", true, 0, 6, StoredAs::Value, FieldRule::Plain,
     SettingsTab::Noise, "SlideBar16", "", VF_BLOCK_INT(ChromaNoise), nullptr,
     VF_ENGINE_INT(ChromaNoise)},
    {"HighNoise", 24, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::HighNoiseMethod, SettingsTab::Noise, "RadioButton_HighN", "",
     VF_BLOCK_INT(HighNoise), nullptr, nullptr},
    {"NoiseRadius", 28, FieldType::Int, 1, 6, "", true, 1, 16, StoredAs::Value, FieldRule::Plain,
     SettingsTab::Noise, "SlideBar4", "", VF_BLOCK_INT(NoiseRadius), nullptr,
     VF_ENGINE_INT(NoiseRadius)},
    {"ShowNoiseMap", 32, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::PreviewOnly, SettingsTab::Noise, "sbNoiseMap", "", VF_BLOCK_INT(ShowNoiseMap),
     nullptr, VF_ENGINE_INT(ShowNoiseMap)},
    {"NoiseReductionOn", 36, FieldType::Int, 1, 1, "", true, 0, 1, StoredAs::Checked,
     FieldRule::NoiseReductionSwitch, SettingsTab::Noise, "cbEnableNR", "",
     VF_BLOCK_INT(NoiseReductionOn), nullptr, nullptr},
    {"NoiseReductionAmount", 40, FieldType::Int, 1, 100, "", true, 0, 100, StoredAs::Value,
     FieldRule::Plain, SettingsTab::Noise, "SlideBar19", "", VF_BLOCK_INT(NoiseReductionAmount),
     nullptr, VF_ENGINE_INT(NoiseReductionAmount)},
    {"SharpenAmount", 44, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Sharpening, "SlideBar6", "", VF_BLOCK_INT(SharpenAmount),
     nullptr, VF_ENGINE_INT(SharpenAmount)},
    {"EdgeWidth", 48, FieldType::Int, 1, 2, "", true, 1, 10, StoredAs::Value, FieldRule::Plain,
     SettingsTab::Sharpening, "SlideBar7", "", VF_BLOCK_INT(EdgeWidth), nullptr,
     VF_ENGINE_INT(EdgeWidth)},
    {"EdgeContrast", 52, FieldType::Int, 1, 100, "", true, 0, 300, StoredAs::Value,
     FieldRule::Plain, SettingsTab::Sharpening, "SlideBar5", "", VF_BLOCK_INT(EdgeContrast),
     nullptr, VF_ENGINE_INT(EdgeContrast)},
    {"SuppressHalos", 56, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked, FieldRule::Plain,
     SettingsTab::Sharpening, "cbSuppressHalos", "", VF_BLOCK_INT(SuppressHalos), nullptr,
     VF_ENGINE_INT(SuppressHalos)},
    {"ShowSharpenMap", 60, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::PreviewOnly, SettingsTab::Sharpening, "sbShowDifference", "",
     VF_BLOCK_INT(ShowSharpenMap), nullptr, VF_ENGINE_INT(ShowSharpenMap)},
    {"WhiteHalo", 64, FieldType::Int, 1, 50, "", true, 0, 100, StoredAs::Value, FieldRule::Plain,
     SettingsTab::Sharpening, "SlideBar36", "", VF_BLOCK_INT(WhiteHalo), nullptr,
     VF_ENGINE_INT(WhiteHalo)},
    {"PupilSize", 68, FieldType::Int, 1, 100, "", true, 1, 100, StoredAs::Value, FieldRule::Plain,
     SettingsTab::RedEye, "SlideBar18", "", VF_BLOCK_INT(PupilSize), nullptr, nullptr},
    {"Darkening", 72, FieldType::Int, 1, 50, "", true, 0, 100, StoredAs::Value, FieldRule::Plain,
     SettingsTab::RedEye, "SlideBar17", "", VF_BLOCK_INT(Darkening), nullptr, nullptr},
    {"ShowHistogram", 76, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::PreviewOnly, SettingsTab::Brightness, "sbHistogram,sbHistogramBrightness", "",
     VF_BLOCK_INT(ShowHistogram), nullptr, nullptr},
    {"AutoContrast", 80, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked, FieldRule::Plain,
     SettingsTab::Brightness, "cbAutoContrast", "", VF_BLOCK_INT(AutoContrast), nullptr,
     VF_ENGINE_INT(AutoContrast)},
    {"LocalContrast", 84, FieldType::Int, 1, 0, "", true, 0, 100, StoredAs::Value, FieldRule::Plain,
     SettingsTab::Brightness, "SlideBar8", "", VF_BLOCK_INT(LocalContrast), nullptr,
     VF_ENGINE_INT(LocalContrast)},
    {"RedShift", 88, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Colours, "SlideBar11", "", VF_BLOCK_INT(RedShift), nullptr,
     VF_ENGINE_INT(RedShift)},
    {"GreenShift", 92, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Colours, "SlideBar12", "", VF_BLOCK_INT(GreenShift), nullptr,
     VF_ENGINE_INT(GreenShift)},
    {"BlueShift", 96, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Colours, "SlideBar13", "", VF_BLOCK_INT(BlueShift), nullptr,
     VF_ENGINE_INT(BlueShift)},
    {"Contrast", 100, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Brightness, "SlideBar9", "", VF_BLOCK_INT(Contrast), nullptr,
     VF_ENGINE_INT(Contrast)},
    {"Gamma", 104, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Brightness, "SlideBar10", "", VF_BLOCK_INT(Gamma), nullptr,
     VF_ENGINE_INT(Gamma)},
    {"Saturation", 108, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Colours, "SlideBar15", "", VF_BLOCK_INT(Saturation), nullptr,
     VF_ENGINE_INT(Saturation)},
    {"AutoContrastDarkest", 112, FieldType::Int, 1, 0, "", true, 0, 100, StoredAs::Value,
     FieldRule::DetectedWhenNegative, SettingsTab::Brightness, "SlideBar20", "",
     VF_BLOCK_INT(AutoContrastDarkest), nullptr, VF_ENGINE_INT(AutoContrastDarkest)},
    {"AutoContrastBrightest", 116, FieldType::Int, 1, 100, "", true, 0, 100, StoredAs::Value,
     FieldRule::DetectedWhenNegative, SettingsTab::Brightness, "SlideBar14", "",
     VF_BLOCK_INT(AutoContrastBrightest), nullptr, VF_ENGINE_INT(AutoContrastBrightest)},
    {"Highlights", 120, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Brightness, "SlideBar21", "ALS_HIGHLIGHTS",
     VF_BLOCK_INT(Highlights), nullptr, VF_ENGINE_INT(Highlights)},
    {"Shadows", 124, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Brightness, "SlideBar22", "ALS_SHADOWS", VF_BLOCK_INT(Shadows),
     nullptr, VF_ENGINE_INT(Shadows)},
    {"BWRed", 128, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Colours, "SlideBar33", "", VF_BLOCK_INT(BWRed), nullptr,
     VF_ENGINE_INT(BWRed)},
    {"BWGreen", 132, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Colours, "SlideBar34", "", VF_BLOCK_INT(BWGreen), nullptr,
     VF_ENGINE_INT(BWGreen)},
    {"BWBlue", 136, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Colours, "SlideBar35", "", VF_BLOCK_INT(BWBlue), nullptr,
     VF_ENGINE_INT(BWBlue)},
    {"BWConversion", 140, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked, FieldRule::Plain,
     SettingsTab::Colours, "cbBWConversion", "", VF_BLOCK_INT(BWConversion), nullptr,
     VF_ENGINE_INT(BWConversion)},
    {"ShowOverExposed", 144, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::PreviewOnly, SettingsTab::Brightness, "cbShowOverExposed,cbShowOverExposed2", "",
     VF_BLOCK_INT(ShowOverExposed), nullptr, VF_ENGINE_INT(ShowOverExposed)},
    {"CARadius", 148, FieldType::Int, 1, 5, "", true, 1, 20, StoredAs::Value, FieldRule::Plain,
     SettingsTab::ChromaticAberration, "SlideBar23", "", VF_BLOCK_INT(CARadius), nullptr,
     VF_ENGINE_INT(CARadius)},
    {"CAThreshold", 152, FieldType::Int, 1, 245, "", true, 0, 255, StoredAs::Value,
     FieldRule::Plain, SettingsTab::ChromaticAberration, "SlideBar24", "",
     VF_BLOCK_INT(CAThreshold), nullptr, VF_ENGINE_INT(CAThreshold)},
    {"CAOn", 156, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked, FieldRule::Plain,
     SettingsTab::ChromaticAberration, "cbEnableCA", "", VF_BLOCK_INT(CAOn), nullptr,
     VF_ENGINE_INT(CAOn)},
    {"ShowCAMap", 160, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::PreviewOnly, SettingsTab::ChromaticAberration, "sbCAMap", "",
     VF_BLOCK_INT(ShowCAMap), nullptr, VF_ENGINE_INT(ShowCAMap)},
    {"CAColorRed", 164, FieldType::Int, 1, 23200, "", true, 0, 65535, StoredAs::Value,
     FieldRule::Plain, SettingsTab::ChromaticAberration, "sbChangeCAColor", "",
     VF_BLOCK_INT(CAColorRed), nullptr, VF_ENGINE_INT(CAColorRed)},
    {"CAColorGreen", 168, FieldType::Int, 1, 3000, "", true, 0, 65535, StoredAs::Value,
     FieldRule::Plain, SettingsTab::ChromaticAberration, "sbChangeCAColor", "",
     VF_BLOCK_INT(CAColorGreen), nullptr, VF_ENGINE_INT(CAColorGreen)},
    {"CAColorBlue", 172, FieldType::Int, 1, 32500, "", true, 0, 65535, StoredAs::Value,
     FieldRule::Plain, SettingsTab::ChromaticAberration, "sbChangeCAColor", "",
     VF_BLOCK_INT(CAColorBlue), nullptr, VF_ENGINE_INT(CAColorBlue)},
    {"CATolerance", 176, FieldType::Int, 1, 50, "", true, 0, 100, StoredAs::Value, FieldRule::Plain,
     SettingsTab::ChromaticAberration, "SlideBar25", "", VF_BLOCK_INT(CATolerance), nullptr,
     VF_ENGINE_INT(CATolerance)},
    {"CropOn", 180, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked, FieldRule::CropGroup,
     SettingsTab::Crop, "cbEnableCrop", "", VF_BLOCK_INT(CropOn), nullptr, nullptr},
    {"CropPortrait", 184, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::CropGroup, SettingsTab::Crop, "RadioButton_crop_4", "", VF_BLOCK_INT(CropPortrait),
     nullptr, nullptr},
    {"CropFitEachImage", 188, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::CropGroup, SettingsTab::Crop, "", "", VF_BLOCK_INT(CropFitEachImage), nullptr,
     nullptr},
    {"CropSizeKind", 192, FieldType::Int, 1, 0, "", true, 0, 2, StoredAs::Value,
     FieldRule::CropGroup, SettingsTab::Crop, "", "", VF_BLOCK_INT(CropSizeKind), nullptr, nullptr},
    {"CropPaperIndex", 196, FieldType::Int, 1, 0, "", false, 0, 0, StoredAs::ItemIndex,
     FieldRule::CropGroup, SettingsTab::Crop, "cmbPaperResize", "", VF_BLOCK_INT(CropPaperIndex),
     nullptr, nullptr},
    {"CropWebIndex", 200, FieldType::Int, 1, 0, "", false, 0, 0, StoredAs::ItemIndex,
     FieldRule::CropGroup, SettingsTab::Crop, "cmbWebResize", "", VF_BLOCK_INT(CropWebIndex),
     nullptr, nullptr},
    {"CropUserResizeOn", 204, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::CropGroup, SettingsTab::Crop, "cbApplyUserResize", "",
     VF_BLOCK_INT(CropUserResizeOn), nullptr, nullptr},
    {"CropUserWidth", 208, FieldType::Int, 1, 0, "", true, 0, 99999, StoredAs::Value,
     FieldRule::CropGroup, SettingsTab::Crop, "Edit_crop_userwidth", "",
     VF_BLOCK_INT(CropUserWidth), nullptr, nullptr},
    {"CropUserHeight", 212, FieldType::Int, 1, 0, "", true, 0, 99999, StoredAs::Value,
     FieldRule::CropGroup, SettingsTab::Crop, "Edit_crop_userheight", "",
     VF_BLOCK_INT(CropUserHeight), nullptr, nullptr},
    {"CropImageWidth", 216, FieldType::Int, 1, 0, "", false, 0, 0, StoredAs::Value,
     FieldRule::CropGroup, SettingsTab::Crop, "", "", VF_BLOCK_INT(CropImageWidth), nullptr,
     nullptr},
    {"CropImageHeight", 220, FieldType::Int, 1, 0, "", false, 0, 0, StoredAs::Value,
     FieldRule::CropGroup, SettingsTab::Crop, "", "", VF_BLOCK_INT(CropImageHeight), nullptr,
     nullptr},
    {"CropAngle", 224, FieldType::Int, 1, 0, "", false, 0, 0, StoredAs::TimesThousand,
     FieldRule::CropGroup, SettingsTab::Crop, "", "", VF_BLOCK_INT(CropAngle), nullptr, nullptr},
    {"CropRect", 228, FieldType::IntArray, 4, 0, "", false, 0, 0, StoredAs::Value,
     FieldRule::CropGroup, SettingsTab::Crop, "", "", VF_BLOCK_ARRAY(CropRect), nullptr, nullptr},
    {"CropTargetWidth", 244, FieldType::Int, 1, 0, "", false, 0, 0, StoredAs::Value,
     FieldRule::CropGroup, SettingsTab::Crop, "", "", VF_BLOCK_INT(CropTargetWidth), nullptr,
     nullptr},
    {"CropTargetHeight", 248, FieldType::Int, 1, 0, "", false, 0, 0, StoredAs::Value,
     FieldRule::CropGroup, SettingsTab::Crop, "", "", VF_BLOCK_INT(CropTargetHeight), nullptr,
     nullptr},
    {"FrameOn", 252, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "cbEnableFrame", "", VF_BLOCK_INT(FrameOn),
     nullptr, nullptr},
    {"FrameWidth", 256, FieldType::Int, 1, 100, "", false, 0, 0, StoredAs::ItemIndexTimes4,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "Edit_frame_width", "",
     VF_BLOCK_INT(FrameWidth), nullptr, nullptr},
    {"ProportionalMargin", 260, FieldType::Int, 1, 1, "", true, 0, 1, StoredAs::Checked,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "cbProportionalMargin", "",
     VF_BLOCK_INT(ProportionalMargin), nullptr, nullptr},
    {"FrameEffect", 264, FieldType::Int, 1, 0, "", false, 0, 0, StoredAs::ItemIndex,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "cmbFrameEffect", "", VF_BLOCK_INT(FrameEffect),
     nullptr, nullptr},
    {"InnerFrameWidth", 268, FieldType::Int, 1, 5, "", false, 0, 0, StoredAs::ItemIndex,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "Edit_frame_innerwidth", "",
     VF_BLOCK_INT(InnerFrameWidth), nullptr, nullptr},
    {"ShadowWidth", 272, FieldType::Int, 1, 20, "", false, 0, 0, StoredAs::ItemIndexTimes4,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "Edit_frame_shadowwidth", "",
     VF_BLOCK_INT(ShadowWidth), nullptr, nullptr},
    {"FrameColor", 276, FieldType::Text, 20, 0, "16777215", false, 0, 0, StoredAs::DecimalColour,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "sbColor", "", nullptr,
     VF_BLOCK_TEXT(FrameColor), nullptr},
    {"InnerFrameColor", 297, FieldType::Text, 20, 0, "0", false, 0, 0, StoredAs::DecimalColour,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "sbColorInner", "", nullptr,
     VF_BLOCK_TEXT(InnerFrameColor), nullptr},
    {"TextEffect", 318, FieldType::Int, 1, 3, "", false, 0, 0, StoredAs::ItemIndex,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "cmbTxtEffect", "", VF_BLOCK_INT(TextEffect),
     nullptr, nullptr},
    {"TextAlign", 322, FieldType::Int, 1, 2, "", true, 0, 2, StoredAs::Value,
     FieldRule::CaptionAndFrame, SettingsTab::Text,
     "sbTextAlignLeft,sbTextAlignCenter,sbTextAlignRight", "", VF_BLOCK_INT(TextAlign), nullptr,
     nullptr},
    {"TextSmoothing", 326, FieldType::Int, 1, 10, "", true, 0, 100, StoredAs::Value,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "SlideBar26", "", VF_BLOCK_INT(TextSmoothing),
     nullptr, nullptr},
    {"TextTransparency", 330, FieldType::Int, 1, 0, "", true, 0, 100, StoredAs::Value,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "SlideBar27", "",
     VF_BLOCK_INT(TextTransparency), nullptr, nullptr},
    {"InsertText", 334, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "cbInsertText", "", VF_BLOCK_INT(InsertText),
     nullptr, nullptr},
    {"InsertDate", 338, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "cbInsertDate", "", VF_BLOCK_INT(InsertDate),
     nullptr, nullptr},
    {"InsertTime", 342, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "cbInsertTime", "", VF_BLOCK_INT(InsertTime),
     nullptr, nullptr},
    {"InsertInfo", 346, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "cbInsertInfo", "", VF_BLOCK_INT(InsertInfo),
     nullptr, nullptr},
    {"CaptionText", 350, FieldType::Text, 255, 0, "", false, 0, 0, StoredAs::Text,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "editTextCaption", "", nullptr,
     VF_BLOCK_TEXT(CaptionText), nullptr},
    {"TextPosX", 606, FieldType::Int, 1, 9700, "", true, 0, 10000, StoredAs::TenThousandths,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "", "", VF_BLOCK_INT(TextPosX), nullptr,
     nullptr},
    {"TextPosY", 610, FieldType::Int, 1, 300, "", true, 0, 10000, StoredAs::TenThousandths,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "", "", VF_BLOCK_INT(TextPosY), nullptr,
     nullptr},
    {"TextColor", 614, FieldType::Text, 20, 0, "65280", false, 0, 0, StoredAs::DecimalColour,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "sbColorText", "", nullptr,
     VF_BLOCK_TEXT(TextColor), nullptr},
    {"FontCharset", 635, FieldType::Int, 1, 1, "", false, 0, 0, StoredAs::Value,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "", "", VF_BLOCK_INT(FontCharset), nullptr,
     nullptr},
    {"FontName", 639, FieldType::Text, 50, 0, "Arial", false, 0, 0, StoredAs::Text,
     FieldRule::FontNamePadded, SettingsTab::Text, "", "", nullptr, VF_BLOCK_TEXT(FontName),
     nullptr},
    {"FontSize", 690, FieldType::Int, 1, 14, "", false, 0, 0, StoredAs::Value,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "sbIncreaseFont,sbDecreaseFont", "",
     VF_BLOCK_INT(FontSize), nullptr, nullptr},
    {"FontStyle", 694, FieldType::Text, 4, 0, "0000", false, 0, 0, StoredAs::Text,
     FieldRule::CaptionAndFrame, SettingsTab::Text, "", "", nullptr, VF_BLOCK_TEXT(FontStyle),
     nullptr},
    {"DistortionsOn", 699, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::Plain, SettingsTab::Distortions, "cbEnableDistortions", "",
     VF_BLOCK_INT(DistortionsOn), nullptr, VF_ENGINE_INT(DistortionsOn)},
    {"Barrel", 703, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Distortions, "SlideBar28", "", VF_BLOCK_INT(Barrel), nullptr,
     VF_ENGINE_INT(Barrel)},
    {"HPerspective", 707, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Distortions, "SlideBar29", "", VF_BLOCK_INT(HPerspective),
     nullptr, VF_ENGINE_INT(HPerspective)},
    {"VPerspective", 711, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Distortions, "SlideBar30", "", VF_BLOCK_INT(VPerspective),
     nullptr, VF_ENGINE_INT(VPerspective)},
    {"Squeeze", 715, FieldType::Int, 1, 0, "", true, -100, 100, StoredAs::SliderMinus100,
     FieldRule::Plain, SettingsTab::Distortions, "SlideBar31", "", VF_BLOCK_INT(Squeeze), nullptr,
     VF_ENGINE_INT(Squeeze)},
    {"AutoCrop", 719, FieldType::Int, 1, 1, "", true, 0, 1, StoredAs::Checked, FieldRule::Plain,
     SettingsTab::Distortions, "cbTransAutoCrop", "", VF_BLOCK_INT(AutoCrop), nullptr,
     VF_ENGINE_INT(AutoCrop)},
    {"ShowGrid", 723, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::PreviewOnly, SettingsTab::Distortions, "cbTransGrid", "", VF_BLOCK_INT(ShowGrid),
     nullptr, VF_ENGINE_INT(ShowGrid)},
    {"Vignetting", 727, FieldType::Int, 1, 0, "", true, 0, 100, StoredAs::Value, FieldRule::Plain,
     SettingsTab::Distortions, "SlideBar32", "", VF_BLOCK_INT(Vignetting), nullptr,
     VF_ENGINE_INT(Vignetting)},
    {"CurveSteepness", 731, FieldType::Int, 1, 30, "", true, 0, 100, StoredAs::Value,
     FieldRule::Plain, SettingsTab::Distortions, "SlideBar37", "", VF_BLOCK_INT(CurveSteepness),
     nullptr, VF_ENGINE_INT(CurveSteepness)},
    {"CompareMode", 735, FieldType::Int, 1, 0, "", true, 0, 1, StoredAs::Checked,
     FieldRule::PreviewOnly, SettingsTab::Distortions, "cbCompareMode", "",
     VF_BLOCK_INT(CompareMode), nullptr, VF_ENGINE_INT(CompareMode)},
    {"NoiseEqualizerCount", 739, FieldType::Int, 1, 40, "", false, 0, 0, StoredAs::Value,
     FieldRule::Equalizer, SettingsTab::Curves, "", "", VF_BLOCK_INT(NoiseEqualizerCount), nullptr,
     VF_ENGINE_INT(NoiseEqualizerCount)},
    {"NoiseEqualizer", 743, FieldType::IntArray, 40, 0, "", false, 0, 0, StoredAs::Value,
     FieldRule::Equalizer, SettingsTab::Curves, "", "", VF_BLOCK_ARRAY(NoiseEqualizer), nullptr,
     VF_ENGINE_ARRAY(NoiseEqualizer)},
    {"SharpnessEqualizerCount", 903, FieldType::Int, 1, 40, "", false, 0, 0, StoredAs::Value,
     FieldRule::Equalizer, SettingsTab::Curves, "", "", VF_BLOCK_INT(SharpnessEqualizerCount),
     nullptr, VF_ENGINE_INT(SharpnessEqualizerCount)},
    {"SharpnessEqualizer", 907, FieldType::IntArray, 40, 0, "", false, 0, 0, StoredAs::Value,
     FieldRule::Equalizer, SettingsTab::Curves, "", "", VF_BLOCK_ARRAY(SharpnessEqualizer), nullptr,
     VF_ENGINE_ARRAY(SharpnessEqualizer)},
    {"SaturationEqualizerCount", 1067, FieldType::Int, 1, 40, "", false, 0, 0, StoredAs::Value,
     FieldRule::Equalizer, SettingsTab::Curves, "", "", VF_BLOCK_INT(SaturationEqualizerCount),
     nullptr, VF_ENGINE_INT(SaturationEqualizerCount)},
    {"SaturationEqualizer", 1071, FieldType::IntArray, 40, 0, "", false, 0, 0, StoredAs::Value,
     FieldRule::Equalizer, SettingsTab::Curves, "", "", VF_BLOCK_ARRAY(SaturationEqualizer),
     nullptr, VF_ENGINE_ARRAY(SaturationEqualizer)},
    {"BrightnessEqualizerCount", 1231, FieldType::Int, 1, 9, "", false, 0, 0, StoredAs::Value,
     FieldRule::Equalizer, SettingsTab::Curves, "", "", VF_BLOCK_INT(BrightnessEqualizerCount),
     nullptr, VF_ENGINE_INT(BrightnessEqualizerCount)},
    {"BrightnessEqualizer", 1235, FieldType::IntArray, 9, 0, "", false, 0, 0, StoredAs::Value,
     FieldRule::Equalizer, SettingsTab::Curves, "", "", VF_BLOCK_ARRAY(BrightnessEqualizer),
     nullptr, VF_ENGINE_ARRAY(BrightnessEqualizer)},
};

#undef VF_BLOCK_INT
#undef VF_BLOCK_ARRAY
#undef VF_BLOCK_TEXT
#undef VF_ENGINE_INT
#undef VF_ENGINE_ARRAY

// The table describes the stored block without gaps or overlaps, and the whole of it.
consteval bool fieldsTileTheBlock() {
    size_t next = 0;
    for (const SettingsField& f : kFields) {
        if (f.offset != next) return false;
        next += f.storedSize();
    }
    return next == SettingsBlock::kSize;
}
static_assert(fieldsTileTheBlock(), "the settings table must cover the stored block exactly");

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

bool negativeHasMeaning(const SettingsField& f) {
    return f.rule == FieldRule::DerivedWhenNegative || f.rule == FieldRule::DetectedWhenNegative;
}

QString rangeText(const SettingsField& f) {
    QString text = QStringLiteral("%1 takes %2 to %3")
                       .arg(QLatin1String(f.name))
                       .arg(f.minimum)
                       .arg(f.maximum);
    if (negativeHasMeaning(f)) text += QStringLiteral(", or a negative value");
    return text;
}

}  // namespace

std::span<const SettingsField> settingsFields() {
    return kFields;
}

const SettingsField* findSettingsField(std::string_view name) {
    for (const SettingsField& f : kFields)
        if (sameName(f.name, name)) return &f;
    return nullptr;
}

// The access functions take a block they may change; reading through them never does.
const int32_t* fieldInts(const SettingsField& field, const SettingsBlock& block) {
    return field.ints(const_cast<SettingsBlock&>(block));
}

int32_t fieldInt(const SettingsField& field, const SettingsBlock& block, size_t index) {
    return fieldInts(field, block)[index];
}

const std::string& fieldText(const SettingsField& field, const SettingsBlock& block) {
    return *field.text(const_cast<SettingsBlock&>(block));
}

bool acceptsValue(const SettingsField& field, int32_t value) {
    if (field.type == FieldType::Text) return false;
    if (!field.ranged) return true;
    if (value < 0 && negativeHasMeaning(field)) return true;
    return value >= field.minimum && value <= field.maximum;
}

Status setFieldValue(const SettingsField& field, SettingsBlock& block, int32_t value) {
    if (field.type == FieldType::Text)
        return failure(
            "ER_SETTING_VALUE",
            QStringLiteral("%1 takes text, not a number").arg(QLatin1String(field.name)));
    if (!acceptsValue(field, value)) return failure("ER_SETTING_VALUE", rangeText(field));
    std::fill_n(field.ints(block), field.count, value);
    return {};
}

Status setFieldText(const SettingsField& field, SettingsBlock& block, const std::string& text) {
    if (field.type != FieldType::Text)
        return failure(
            "ER_SETTING_VALUE",
            QStringLiteral("%1 takes a number, not text").arg(QLatin1String(field.name)));
    if (text.size() > field.count)
        return failure("ER_SETTING_VALUE", QStringLiteral("%1 holds at most %2 bytes")
                                               .arg(QLatin1String(field.name))
                                               .arg(field.count));
    *field.text(block) = text;
    return {};
}

std::vector<const SettingsField*> fieldsOutOfRange(const SettingsBlock& block) {
    std::vector<const SettingsField*> out;
    for (const SettingsField& f : kFields) {
        if (f.type == FieldType::Text) continue;
        for (size_t i = 0; i < f.count; ++i)
            if (!acceptsValue(f, fieldInt(f, block, i))) {
                out.push_back(&f);
                break;
            }
    }
    return out;
}

}  // namespace core
