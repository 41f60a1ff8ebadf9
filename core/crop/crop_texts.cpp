#include "core/crop/crop_texts.h"

#include "core/crop/crop_tables.h"

namespace core {

namespace {

QString firstUpper(QString s) {
    if (!s.isEmpty()) s[0] = s[0].toUpper();
    return s;
}

QString proportionText(const CropTableRow& row, bool portrait) {
    const int32_t w = portrait ? row.proportionShort : row.proportionLong;
    const int32_t h = portrait ? row.proportionLong : row.proportionShort;
    return QStringLiteral(" (%1:%2)").arg(w).arg(h);
}

QString sideOrUnknown(int32_t side, bool on) {
    return on && side > 0 ? QString::number(side) : QStringLiteral("?");
}

QString rowText(const CropTableRow& row, int32_t index, const TextLookup& text) {
    return index == 0 ? text(row.text) : QString::fromUtf8(row.text);
}

}  // namespace

QString cropOutputLine(const CropControls& c, const TextLookup& text) {
    QString proportion;
    if (c.size.sizeKind == kCropPaper)
        proportion = proportionText(paperRow(c.size.paperIndex), c.portrait);
    else if (c.size.sizeKind == kCropWeb)
        proportion = proportionText(webRow(c.size.webIndex), c.portrait);
    return QStringLiteral("%1: %2x%3 %4%5; %6 %7")
        .arg(firstUpper(text("ALS_CROP")))
        .arg(c.frame.width)
        .arg(c.frame.height)
        .arg(text("ALS_PX"), proportion, QString::number(double(c.angle), 'f', 1),
             text("ALS_DEGREE"));
}

CropKindCaptions cropKindCaptions(const CropControls& c, const TextLookup& text) {
    CropKindCaptions k;
    k.paper = text("ALS_PAPER") + proportionText(paperRow(c.size.paperIndex), c.portrait);
    k.web = text("ALS_WEB") + proportionText(webRow(c.size.webIndex), c.portrait);
    k.user =
        text("ALS_USER_DEFINED") + QStringLiteral(" (%1:%2)")
                                       .arg(sideOrUnknown(c.size.userWidth, c.size.userResizeOn),
                                            sideOrUnknown(c.size.userHeight, c.size.userResizeOn));
    return k;
}

QString paperRowText(int32_t index, const TextLookup& text) {
    const int32_t i = index >= 0 && index < kPaperRows ? index : 0;
    return rowText(paperRow(i), i, text);
}

QString webRowText(int32_t index, const TextLookup& text) {
    const int32_t i = index >= 0 && index < kWebRows ? index : 0;
    return rowText(webRow(i), i, text);
}

QString croppedSizeText(int32_t width, int32_t height, const TextLookup& text) {
    const double megapixels = double(width) * double(height) / 1e6;
    return QStringLiteral("%1 %2 %3x%4")
        .arg(QString::number(megapixels, 'f', 1), text("ALS_MEGAPIXELS"))
        .arg(width)
        .arg(height);
}

}  // namespace core
