#include "core/caption/glyph_mask.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace core::caption {

namespace {

Failure noFontEngine() {
    return failure("ALS_DLL_EXCEPTION",
                   QStringLiteral("captions need the graphical font engine, which is not running"));
}

}  // namespace

bool fontEngineAvailable() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

Result<CaptionMetrics> measureCaption(const QString& text, const QFont& font) {
    if (!fontEngineAvailable()) return noFontEngine();
    const QFontMetrics fm(font);
    CaptionMetrics m;
    m.textWidth = fm.horizontalAdvance(text);
    m.textHeight = fm.height();
    // ceil(0.2 x size) in whole numbers: 0.2 x 15 is a little above 3 in floating point.
    m.marginX = (m.textWidth + 4) / 5;
    m.marginY = (m.textHeight + 4) / 5;
    return m;
}

Result<GlyphMask> drawGlyphMask(const QString& text, const QFont& font,
                                const CaptionMetrics& metrics, const QRect& window) {
    if (!fontEngineAvailable()) return noFontEngine();
    const QRect whole(0, 0, metrics.maskWidth(), metrics.maskHeight());
    const QRect part = window.isEmpty() ? whole : window.intersected(whole);
    if (part.isEmpty())
        return failure("ALS_DLL_EXCEPTION", QStringLiteral("the caption mask has no pixels"));

    QImage image(part.size(), QImage::Format_Grayscale8);
    if (image.isNull())
        return failure("ALS_DLL_EXCEPTION",
                       QStringLiteral("no memory for a caption mask of %1 x %2 pixels")
                           .arg(part.width())
                           .arg(part.height()));
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.translate(-part.left(), -part.top());
        const QFontMetrics fm(font);
        painter.drawText(metrics.marginX, metrics.marginY + fm.ascent(), text);
    }

    GlyphMask mask;
    mask.width = part.width();
    mask.height = part.height();
    const size_t stride = (size_t(mask.width) * 3 + 3) & ~size_t(3);
    mask.bytes.assign(stride * size_t(mask.height), 0);
    for (int y = 0; y < mask.height; ++y) {
        const uchar* from = image.constScanLine(y);
        uint8_t* to = mask.bytes.data() + stride * size_t(mask.height - 1 - y);
        for (int x = 0; x < mask.width; ++x)
            to[3 * x] = to[3 * x + 1] = to[3 * x + 2] = from[x];
    }
    return mask;
}

}  // namespace core::caption
