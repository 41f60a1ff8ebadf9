#include "core/preview/zoom_list.h"

#include <cmath>

namespace core {

int32_t viewZoomIndex(int32_t code) {
    for (size_t i = 0; i < kViewZoomCodes.size(); ++i)
        if (kViewZoomCodes[i] == code) return static_cast<int32_t>(i);
    return -1;
}

int32_t viewZoomCode(int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(kViewZoomCodes.size())) return kZoomFitWindow;
    return kViewZoomCodes[static_cast<size_t>(index)];
}

QString viewZoomItemText(int32_t code, const TextLookup& lookup) {
    switch (code) {
        case kZoomFitWindow:
            return lookup(QStringLiteral("ALS_FIT_WIN"));
        case kZoomFitWidth:
            return lookup(QStringLiteral("ALS_FIT_WDTH"));
        case kZoomFitHeight:
            return lookup(QStringLiteral("ALS_FIT_HGHT"));
        case kZoomOriginal:
            return lookup(QStringLiteral("ALS_FIT_ORIG"));
        default:
            return QStringLiteral("%1%").arg(code);
    }
}

QString viewZoomHint(double scale, const TextLookup& lookup) {
    return QStringLiteral("%1: %2%")
        .arg(lookup(QStringLiteral("ALS_USER_ZOOM")))
        .arg(static_cast<long long>(std::nearbyint(scale * 100)));
}

}  // namespace core
