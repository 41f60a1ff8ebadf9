#include "core/prefs/preference_controls.h"

#include <algorithm>

#include "core/settings/rounding.h"

namespace core {

namespace {

int row(int32_t value, qsizetype rows) {
    return std::clamp<int>(value, 0, static_cast<int>(rows) - 1);
}

}  // namespace

QStringList acceleratorChoices() {
    QStringList items;
    for (int i = 1; i <= 10; ++i)
        items << QString::number(i);
    return items;
}

QStringList opacityChoices() {
    QStringList items;
    for (int i = 0; i <= 100; i += 10)
        items << QString::number(i);
    return items;
}

QStringList histogramColourChoices() {
    return {QStringLiteral("ALS_COLOR"), QStringLiteral("ALS_GRAY")};
}

QStringList resamplingChoices() {
    return {QStringLiteral("ALS_RESAMPLE_NEAREST"), QStringLiteral("ALS_RESAMPLE_BILINEAR"),
            QStringLiteral("ALS_RESAMPLE_MITCHELL")};
}

QStringList brightnessControlChoices() {
    return {QStringLiteral("ALS_EQUALIZER_L"), QStringLiteral("ALS_CURVE")};
}

QStringList hintModeChoices() {
    return {QStringLiteral("ALS_PREFS_HINT_CONTROLS"), QStringLiteral("ALS_PREFS_HINT_STATUS"),
            QStringLiteral("ALS_PREFS_HINT_BOTH"), QStringLiteral("ALS_PREFS_HINT_NONE")};
}

PreferenceControls preferenceControls(const ProgramOptions& options) {
    PreferenceControls c;
    c.acceleratorRow = row(options.accelerator - 1, acceleratorChoices().size());
    // Halves to even, as the other settings arithmetic rounds.
    c.opacityRow =
        row(static_cast<int32_t>(roundedDivision(options.opacity, 10)), opacityChoices().size());
    c.histogramColourRow = row(options.histogramColour, histogramColourChoices().size());
    c.resamplingRow = row(options.resampling, resamplingChoices().size());
    c.brightnessControlRow = row(options.brightnessManagement, brightnessControlChoices().size());
    c.hintModeRow = row(options.hintMode, hintModeChoices().size());
    c.ignoreExif = options.ignoreExif == 1;
    c.playSound = options.playSound == 1;
    c.useThumbnailCache = options.useThumbnailCache == 1;
    c.useFileSettingsCache = options.useFileSettingsCache == 1;
    c.captionTemplate = QString::fromStdString(options.captionTemplate);
    return c;
}

void applyPreferenceControls(const PreferenceControls& c, ProgramOptions& options) {
    options.accelerator = row(c.acceleratorRow, acceleratorChoices().size()) + 1;
    options.opacity = row(c.opacityRow, opacityChoices().size()) * 10;
    options.histogramColour = row(c.histogramColourRow, histogramColourChoices().size());
    options.resampling = row(c.resamplingRow, resamplingChoices().size());
    options.brightnessManagement = row(c.brightnessControlRow, brightnessControlChoices().size());
    options.hintMode = row(c.hintModeRow, hintModeChoices().size());
    options.ignoreExif = c.ignoreExif ? 1 : 0;
    options.playSound = c.playSound ? 1 : 0;
    options.useThumbnailCache = c.useThumbnailCache ? 1 : 0;
    options.useFileSettingsCache = c.useFileSettingsCache ? 1 : 0;
    // The record keeps 255 bytes: a template of long characters loses whole characters at the
    // end rather than half of one.
    QString text = c.captionTemplate.left(kCaptionTemplateLength);
    while (text.toUtf8().size() > static_cast<qsizetype>(ProgramOptions::kTemplateCapacity))
        text.chop(text.size() >= 2 && text.at(text.size() - 1).isLowSurrogate() ? 2 : 1);
    options.captionTemplate = text.toStdString();
}

QString defaultCaptionTemplate() {
    return QString::fromStdString(defaultProgramOptions().captionTemplate);
}

}  // namespace core
