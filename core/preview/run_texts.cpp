#include "core/preview/run_texts.h"

#include "core/i18n/language.h"

namespace core {

QString elapsedText(const TextLookup& texts, int64_t seconds) {
    if (seconds < 0) seconds = 0;
    const int64_t minutes = seconds / 60;
    QString text;
    if (minutes > 0) text = QStringLiteral("%1 %2 ").arg(minutes).arg(texts("ALS_MINUTES_SHORT_3"));
    return text +
           QStringLiteral("%1 %2").arg(seconds - 60 * minutes).arg(texts("ALS_SECONDS_SHORT_3"));
}

QString elapsedTextSince(const TextLookup& texts, int64_t startMs, int64_t nowMs) {
    return elapsedText(texts, (nowMs - startMs + kElapsedHeadStartMs) / 1000);
}

QString workingStatus(const TextLookup& texts, const char* whatKey, const char* waitKey) {
    return fillPlaceholders(QStringLiteral("%s... %s"), {texts(whatKey), texts(waitKey)});
}

QString engineStepFailureText(const TextLookup& texts, int32_t step) {
    return fillPlaceholders(texts("ER_DLL"), {QString::number(step)});
}

}  // namespace core
