#include "app/settings/tab_design.h"

namespace app {

namespace {

using K = ControlKind;

constexpr const char* kTextEffects[] = {"ALS_TXT_PRINT_OVER",  "ALS_TXT_SHADOWED",
                                        "ALS_TXT_EMBOSS_TEXT", "ALS_TXT_EMBOSS_PAPER",
                                        "ALS_TXT_INVERT",      nullptr};
constexpr const char* kFrameEffects[] = {
    "ALS_SHADOW",      "ALS_3D_FRAME",    "ALS_3D_SMOOTH_FRAME", "ALS_FADE_OUT", "ALS_SLIGHT_BLUR",
    "ALS_NORMAL_BLUR", "ALS_STRONG_BLUR", "ALS_BLACK_WHITE",     "ALS_OVAL",     nullptr};
constexpr const char* kNoItems[] = {nullptr};

constexpr ControlDesign kNoise[] = {
    {K::Check, "cbEnableNR", "ALS_NR_ENABLE"},
    {K::Slider, "SlideBar1", "ALS_NOISE_LEVEL:", 2},
    {K::Slider, "SlideBar2", "ALS_SHADOWS:", 8},
    {K::Slider, "SlideBar3", "ALS_HIGHLIGHTS:", 7},
    {K::Slider, "SlideBar4", "ALS_RADIUS:", 3},
    {K::Slider, "SlideBar16", "ALS_CHROMA_NOISE:", 24},
    {K::Slider, "SlideBar19", "ALS_NOISE_REDUCTION, %:", 9},
    {K::Radio, "RadioButton_LowN", "ALS_NR_METHOD_NORMAL"},
    {K::Radio, "RadioButton_HighN", "ALS_NR_METHOD_HIGH"},
    {K::SpeedButton, "sbNoiseMap", "ALS_NOISE_MAP"},
    {K::SpeedButton, "sbEqNoiseReduction", "ALS_EQUALIZER"},
    {K::Button, "sbAutoDetect", "ALS_FRM_RESET"},
};

constexpr ControlDesign kSharpening[] = {
    {K::Slider, "SlideBar6", "ALS_INTENSITY:", 4},
    {K::Slider, "SlideBar7", "ALS_EDGE_WIDTH:", 11},
    {K::Slider, "SlideBar5", "ALS_EDGE_CONTRAST, %:", 5},
    {K::Check, "cbSuppressHalos", "ALS_SUPPRESS_HALOS"},
    {K::Slider, "SlideBar36", "ALS_WHITE_HALO, %:", 39},
    {K::SpeedButton, "sbShowDifference", "ALS_SHARPENING_MAP"},
    {K::SpeedButton, "sbEqSharpening", "ALS_EQUALIZER"},
    {K::Button, "sbSharpReset", "ALS_FRM_RESET"},
};

constexpr ControlDesign kRedEye[] = {
    {K::Slider, "SlideBar18", "ALS_PUPIL_SIZE, %:", 19},
    {K::Slider, "SlideBar17", "ALS_DARKENING:", 25},
    {K::Button, "sbResetRedEye", "ALS_FRM_RESET"},
};

constexpr ControlDesign kColours[] = {
    {K::Slider, "SlideBar11", "ALS_RED_CHANNEL:", 20},
    {K::Slider, "SlideBar12", "ALS_GREEN_CHANNEL:", 21},
    {K::Slider, "SlideBar13", "ALS_BLUE_CHANNEL:", 22},
    {K::Slider, "SlideBar15", "ALS_SATURATION:", 23},
    {K::Check, "cbBWConversion", "ALS_BLACK_WHITE"},
    {K::Slider, "SlideBar33", "ALS_BW_RED:", 36},
    {K::Slider, "SlideBar34", "ALS_BW_GREEN:", 37},
    {K::Slider, "SlideBar35", "ALS_BW_BLUE:", 38},
    {K::Button, "sbMemoryColor", "ALS_MEMORY_COLORS"},
    {K::SpeedButton, "SB_ShowLastColorRange", "ALS_CCR_SHOW_LAST"},
    {K::Button, "sbEditSavedCCR", "ALS_CCR_CAPTION"},
    {K::Check, "cbShowOverExposed2", "ALS_SHOW_OVEREXPOSED"},
    {K::SpeedButton, "sbHistogram", "ALS_HISTOGRAM"},
    {K::SpeedButton, "sbEqSaturation", "ALS_EQUALIZER"},
    {K::Button, "sbResetColor", "ALS_FRM_RESET"},
};

constexpr ControlDesign kBrightness[] = {
    {K::Check, "cbAutoContrast", "ALS_CLR_AUTOCONTRAST"},
    {K::Slider, "SlideBar20", "ALS_DARKEST:", 0},
    {K::Slider, "SlideBar14", "ALS_BRIGHTEST:", 0},
    {K::Slider, "SlideBar8", "ALS_LOCAL_CONTRAST:", 16},
    {K::Slider, "SlideBar9", "ALS_CONTRAST:", 17},
    {K::Slider, "SlideBar10", "ALS_GAMMA:", 18},
    {K::Slider, "SlideBar21", "ALS_HIGHLIGHTS:", 13},
    {K::Slider, "SlideBar22", "ALS_SHADOWS:", 14},
    {K::Check, "cbShowOverExposed", "ALS_SHOW_OVEREXPOSED"},
    {K::SpeedButton, "sbHistogramBrightness", "ALS_HISTOGRAM"},
    {K::Check, "cbEqBrightness", "ALS_EQALIZER_ALS_BRIGHTNESS"},
    {K::Button, "sbAutoBrightness", "ALS_AUTO_BRIGHTNESS"},
    {K::Button, "sbResetBrightness", "ALS_FRM_RESET"},
};

constexpr ControlDesign kCa[] = {
    {K::Check, "cbEnableCA", "ALS_CA_ENABLE"},
    {K::Slider, "SlideBar23", "ALS_RADIUS:", 26},
    {K::Slider, "SlideBar24", "ALS_THRESHOLD:", 27},
    {K::Slider, "SlideBar25", "ALS_TOLERANCE:", 29},
    {K::Swatch, "ImgCAColor", "ALS_COLOR:"},
    {K::SpeedButton, "sbChangeCAColor", "ALS_CHANGE"},
    {K::SpeedButton, "sbCAMap", "ALS_CA_MAP"},
    {K::Button, "sbResetCA", "ALS_FRM_RESET"},
};

constexpr ControlDesign kText[] = {
    {K::Check, "cbInsertText", "ALS_TEXT"},
    {K::LineEdit, "editTextCaption", ""},
    {K::Check, "cbInsertDate", "ALS_DATE"},
    {K::Check, "cbInsertTime", "ALS_TIME"},
    {K::Check, "cbInsertInfo", "ALS_CAMERA"},
    {K::Combo, "cmbTxtEffect", "ALS_TEXT_EFFECT:", 0, kTextEffects},
    {K::Radio, "sbTextAlignLeft", "ALS_ALIGN_LEFT"},
    {K::Radio, "sbTextAlignCenter", "ALS_ALIGN_CENTER"},
    {K::Radio, "sbTextAlignRight", "ALS_ALIGN_RIGHT"},
    {K::Button, "sbColorText", "ALS_COLOR"},
    {K::Button, "sbFont", "ALS_FONT..."},
    {K::Button, "sbIncreaseFont", ""},
    {K::Button, "sbDecreaseFont", ""},
    {K::Slider, "SlideBar26", "ALS_SMOOTHING:", 10},
    {K::Slider, "SlideBar27", "ALS_TRANSPARENCY, %:", 30},
    {K::Check, "cbEnableFrame", "ALS_FRAME"},
    {K::Combo, "Edit_frame_width", "ALS_FRAME_WIDTH:", 0, kNoItems},
    {K::Combo, "Edit_frame_innerwidth", "ALS_INNER_FRAME_WIDTH:", 0, kNoItems},
    {K::Check, "cbProportionalMargin", "ALS_PROPORTIONAL_MARGIN"},
    {K::Button, "sbColor", "ALS_FRAME_COLOR"},
    {K::Button, "sbColorInner", "ALS_INNER_FRAME_COLOR"},
    {K::Combo, "cmbFrameEffect", "ALS_FRAME_EFFECT:", 0, kFrameEffects},
    {K::Combo, "Edit_frame_shadowwidth", "ALS_SHADOW:", 0, kNoItems},
};

constexpr const char* kCropZoom[] = {"ALS_FIT_WIN", "ALS_FIT_SELECTION", nullptr};

constexpr ControlDesign kCrop[] = {
    {K::Check, "cbEnableCrop", "ALS_CROP_ENABLE"},
    {K::Radio, "RadioButton_crop_0", "ALS_PAPER"},
    {K::Radio, "RadioButton_crop_1", "ALS_WEB"},
    {K::Radio, "RadioButton_crop_2", "ALS_USER_DEFINED"},
    {K::Combo, "cmbPaperResize", "ALS_PAPER:", 0, kNoItems},
    {K::Combo, "cmbWebResize", "ALS_WEB:", 0, kNoItems},
    {K::Check, "cbApplyUserResize", "ALS_RESIZE"},
    {K::Number, "Edit_crop_userwidth", "ALS_WIDTH:"},
    {K::Number, "Edit_crop_userheight", "ALS_HEIGHT:"},
    {K::Radio, "RadioButton_crop_5", "ALS_LANDSCAPE"},
    {K::Radio, "RadioButton_crop_4", "ALS_PORTRAIT"},
    {K::Button, "sbRotateCropLeft", ""},
    {K::Button, "sbRotateCropRight", ""},
    {K::Combo, "cmbZoomCrop", "ALS_ZOOM_SHORT:", 0, kCropZoom},
    {K::Button, "sbRealCrop", "ALS_CROP_REAL_SIZE"},
    {K::Button, "sbResetCrop", "ALS_FRM_RESET"},
};

constexpr ControlDesign kDistortions[] = {
    {K::Check, "cbEnableDistortions", "ALS_DISTORTIONS_ENABLE"},
    {K::Slider, "SlideBar28", "ALS_BARREL:", 31},
    {K::Slider, "SlideBar29", "ALS_HPERSPECTIVE:", 32},
    {K::Slider, "SlideBar30", "ALS_VPERSPECTIVE:", 33},
    {K::Slider, "SlideBar31", "ALS_SQUEEZE:", 34},
    {K::Check, "cbTransAutoCrop", "ALS_AUTO_CROP"},
    {K::Check, "cbTransGrid", "ALS_GRID"},
    {K::Slider, "SlideBar32", "ALS_VIGNETTING:", 35},
    {K::Slider, "SlideBar37", "ALS_CURVE_STEEPNESS:", 40},
    {K::Check, "cbCompareMode", "ALS_COMPARE"},
    {K::Button, "sbResetDistortion", "ALS_FRM_RESET"},
};

constexpr TabDesign kTabs[] = {
    {"tsNoiseReduction", "ALS_NOISE", kNoise},
    {"tsSharpening", "ALS_SHARPENING", kSharpening},
    {"tsRedeye", "ALS_REDEYE", kRedEye},
    {"tsColor", "ALS_COLORS", kColours},
    {"tsBrightness", "ALS_BRIGHTNESS", kBrightness},
    {"tsCA", "ALS_CHROMATIC_ABERATION", kCa},
    {"tsDistortions", "ALS_DISTORTIONS", kDistortions},
    {"tsCrop", "ALS_CROP_AND_RESIZE", kCrop},
    {"tsText", "ALS_FRAMES_AND_TEXT", kText},
};

}  // namespace

std::span<const TabDesign> tabDesigns() {
    return kTabs;
}

}  // namespace app
