#include "core/caption/caption_font.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace core::caption {

double screenPixelsPerInch() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return kPixelsPerInchWithoutScreen;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : kPixelsPerInchWithoutScreen;
}

int fontHeightFromPoints(int points, double pixelsPerInch) {
    return int(std::floor(pixelsPerInch * -double(points) / 72.0));
}

int maskFontHeight(int width, int height, int fontHeight) {
    const int64_t m = std::max(width - 1, height - 1);
    return int(std::floor(double(m * fontHeight) / 1023.0));
}

QFont blockFont(const SettingsBlock& block, int height) {
    QFont font(QString::fromStdString(block.FontName).trimmed());
    font.setPixelSize(std::max(1, std::abs(height)));
    const QString style = QString::fromStdString(block.FontStyle);
    font.setBold(style.size() >= 1 && style.at(0) == QLatin1Char('1'));
    font.setItalic(style.size() >= 2 && style.at(1) == QLatin1Char('1'));
    return font;
}

}  // namespace core::caption
