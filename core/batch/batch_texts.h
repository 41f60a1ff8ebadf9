// The texts of the batch run: status lines, log lines, times and the summary, in the current
// language.
#pragma once

#include <QString>
#include <cstdint>

#include "core/i18n/language.h"

namespace core {

// "%s: %s" with the two looked-up texts, as the result texts of the run are written.
QString resultText(const Language& texts, const char* firstKey, const char* secondKey);
// "%s: %s \"%s\"": a save failure with the output path.
QString saveFailureText(const Language& texts, const char* firstKey, const QString& path);

// The log line: the file name, the noise bracket and the result. percent is the applied relative
// noise value in percent; without a bracket (the picture never reached noise detection) the line
// is the file name, " > " and the result.
QString logLine(const Language& texts, const QString& fileName, int32_t midtones, int32_t percent,
                const QString& result);
QString logLineWithoutNoise(const QString& fileName, const QString& result);

// Elapsed or remaining time: "m min s sec", the minutes only when above 0.
QString durationText(const Language& texts, int64_t seconds);
// The remaining time after elapsedSeconds at the overall progress (0..1000); "?" before 1 %.
QString remainingText(const Language& texts, int64_t elapsedSeconds, int32_t overallPermille);
// The overall progress bar: floor((handled + current/1000) * 1000 / total).
int32_t overallPermille(int32_t handled, int32_t currentPermille, int32_t total);

QString summaryText(const Language& texts, int32_t done, int32_t total, bool aborted);

}  // namespace core
