#include "core/batch/batch_texts.h"

#include <algorithm>

#include "core/batch/noise_scaling.h"

namespace core {

QString resultText(const Language& texts, const char* firstKey, const char* secondKey) {
    return QStringLiteral("%1: %2").arg(texts.message(QString::fromLatin1(firstKey)),
                                        texts.message(QString::fromLatin1(secondKey)));
}

QString saveFailureText(const Language& texts, const char* firstKey, const QString& path) {
    return QStringLiteral("%1: %2 \"%3\"")
        .arg(texts.message(QString::fromLatin1(firstKey)), texts.message("ER_CANNOT_SAVE"), path);
}

QString logLine(const Language& texts, const QString& fileName, int32_t midtones, int32_t percent,
                const QString& result) {
    const QString noise = texts.lowerCase("ALS_NOISE");
    if (percent == 100)
        return fileName + QStringLiteral(" [%1=%2] > %3").arg(noise).arg(midtones).arg(result);
    const int32_t correction = percent - 100;
    const QString signedCorrection =
        (correction > 0 ? QStringLiteral("+") : QString()) + QString::number(correction);
    return fileName + QStringLiteral(" [%1=%2, %3=%4%] > %5")
                          .arg(noise)
                          .arg(midtones)
                          .arg(texts.message("ALS_CORRECTION"), signedCorrection, result);
}

QString logLineWithoutNoise(const QString& fileName, const QString& result) {
    return fileName + QStringLiteral(" > ") + result;
}

QString durationText(const Language& texts, int64_t seconds) {
    const int64_t minutes = seconds / 60;
    QString text;
    if (minutes > 0)
        text = QStringLiteral("%1 %2 ").arg(minutes).arg(texts.message("ALS_MINUTES_SHORT_3"));
    return text + QStringLiteral("%1 %2")
                      .arg(seconds - 60 * minutes)
                      .arg(texts.message("ALS_SECONDS_SHORT_3"));
}

QString remainingText(const Language& texts, int64_t elapsedSeconds, int32_t overallPermille) {
    const int32_t percent = roundHalfEven(overallPermille / 10.0);
    if (percent <= 0) return QStringLiteral("?");
    const int64_t remaining = std::max<int64_t>(
        0, roundHalfEven(double(elapsedSeconds) * (100 - percent) * 1.1 / percent));
    return durationText(texts, remaining);
}

int32_t overallPermille(int32_t handled, int32_t currentPermille, int32_t total) {
    if (total <= 0) return 0;
    return int32_t((int64_t(handled) * 1000 + currentPermille) / total);
}

QString summaryText(const Language& texts, int32_t done, int32_t total, bool aborted) {
    QString summary = fillPlaceholders(texts.message("ALS_FRM_Q_SUCCESSFULLY_FINISHED"),
                                       {QString::number(done), QString::number(total)});
    if (aborted) summary = texts.message("ALS_ABORTED_BY_USER") + QStringLiteral(". ") + summary;
    return summary;
}

}  // namespace core
