// The Text tab's lists whose chosen item the settings store: the frame, inner line and shadow
// widths (stored as item index times a step) and the two effect lists (stored as item index).
#pragma once

#include <QStringList>
#include <array>

namespace core::caption {

struct WidthList {
    int count;    // items 0 .. count - 1
    int step;     // the stored value is the item index times this
    int perCent;  // stored value / perCent = the width in per cent of the picture
};

// The margin on each side: 0 .. 20 % of the picture's size in steps of 0.4 %.
inline constexpr WidthList kFrameWidthList{51, 4, 10};
// The inner line: 0 .. 1 % of the picture's larger side in steps of 0.05 %.
inline constexpr WidthList kInnerWidthList{21, 1, 20};
// The effect band: 0 .. 10 % of the picture's width in steps of 0.4 %.
inline constexpr WidthList kShadowWidthList{26, 4, 10};

int storedWidth(const WidthList& list, int index);
// The item a stored value shows as: the nearest lower one, kept inside the list.
int widthItemIndex(const WidthList& list, int stored);
// "0%", "0.4%", ... one text per item.
QStringList widthItemTexts(const WidthList& list);

// The language keys of the effect lists, in list order.
inline constexpr std::array<const char*, 9> kFrameEffectKeys = {
    "ALS_SHADOW",      "ALS_3D_FRAME",    "ALS_3D_SMOOTH_FRAME", "ALS_FADE_OUT", "ALS_SLIGHT_BLUR",
    "ALS_NORMAL_BLUR", "ALS_STRONG_BLUR", "ALS_BLACK_WHITE",     "ALS_OVAL"};
inline constexpr std::array<const char*, 5> kTextEffectKeys = {
    "ALS_TXT_PRINT_OVER", "ALS_TXT_SHADOWED", "ALS_TXT_EMBOSS_TEXT", "ALS_TXT_EMBOSS_PAPER",
    "ALS_TXT_INVERT"};

}  // namespace core::caption
