#include "core/fullscreen/full_screen_texts.h"

namespace core {

namespace {

QString text(const TextLookup& texts, const char* key) {
    return texts(QString::fromLatin1(key));
}

const char* modeKey(const HintInputs& in) {
    switch (in.mode) {
        case FullScreenMode::Adjust:
            return in.tab == PreviewTab::Brightness ? "ALS_MODE_BRIGHTNESS" : "ALS_MODE_COLORS";
        case FullScreenMode::Crop:
            return "ALS_MODE_CROP_AND_RESIZE";
        case FullScreenMode::Distortion:
            return "ALS_DISTORTIONS";
        case FullScreenMode::Plain:
            break;
    }
    return "ALS_FILTERED";
}

}  // namespace

QString fullScreenStatus(const TextLookup& texts, const QString& what) {
    return text(texts, "ALS_WAIT") + QStringLiteral("... (") + what + QLatin1Char(')');
}

QString fullScreenHint(const TextLookup& texts, const HintInputs& in) {
    QString name = in.sourceLabel;
    name.remove(text(texts, "ALS_SOURCE") + QStringLiteral(": "), Qt::CaseInsensitive);
    QString hint = text(texts, "ALS_FILE") + QStringLiteral(": ") + name.trimmed();
    if (in.shown == ShownKind::Result ||
        (in.shown == ShownKind::Source && in.mode == FullScreenMode::Crop))
        hint += QStringLiteral(" - ") + text(texts, modeKey(in)).toUpper() +
                QStringLiteral("\r\n") + in.outputLabel;
    if (reprocesses(in.mode) && in.sliderLabel) {
        hint += QStringLiteral(", ") + text(texts, "ALS_FRM_FS_KEYS_CHANGE") + QLatin1Char(' ') +
                text(texts, in.sliderLabel) + QStringLiteral(" (=") + in.sliderValue +
                QLatin1Char(')');
    } else if (in.mode == FullScreenMode::Plain && in.previousAndNext) {
        hint += QStringLiteral(", ") + text(texts, "ALS_FRM_FS_KEYS_PREVNEXT");
    }
    if (in.shown == ShownKind::Result && in.mode != FullScreenMode::Crop)
        hint += QStringLiteral("\r\n") + text(texts, "ALS_FRM_FS_KEYS_COMPARE");
    return hint;
}

}  // namespace core
