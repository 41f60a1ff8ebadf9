#include "core/caption/frame_lists.h"

#include <algorithm>

namespace core::caption {

int storedWidth(const WidthList& list, int index) {
    return std::clamp(index, 0, list.count - 1) * list.step;
}

int widthItemIndex(const WidthList& list, int stored) {
    return std::clamp(stored / list.step, 0, list.count - 1);
}

QStringList widthItemTexts(const WidthList& list) {
    QStringList texts;
    for (int i = 0; i < list.count; ++i)
        texts << QString::number(double(storedWidth(list, i)) / list.perCent) + QLatin1Char('%');
    return texts;
}

}  // namespace core::caption
