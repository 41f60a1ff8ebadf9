// The texts a run shows besides its pictures: the elapsed time of the full run, the status lines
// while a run works, and the engine failure with the step it reached.
#pragma once

#include <QString>
#include <cstdint>

#include "core/i18n/text_lookup.h"
#include "core/preview/run_steps.h"

namespace core {

// The full run's clock starts this long before the run, so the first text reads "1 sec".
inline constexpr int64_t kElapsedHeadStartMs = 1000;

// Whole minutes (only when above 0) with "ALS_MINUTES_SHORT_3" and a space, then the remaining
// seconds with "ALS_SECONDS_SHORT_3": "2 min 5 sec", "59 sec".
QString elapsedText(const TextLookup& texts, int64_t seconds);
// The text at nowMs of a run started at startMs (milliseconds of a steady clock), counting the
// head start.
QString elapsedTextSince(const TextLookup& texts, int64_t startMs, int64_t nowMs);

// "%s... %s" with the texts of the two keys ("ALS_CREATION_PREVIEW", "ALS_WAIT").
QString workingStatus(const TextLookup& texts, const char* whatKey,
                      const char* waitKey = "ALS_WAIT");

// "ER_DLL" filled with the step number.
QString engineStepFailureText(const TextLookup& texts, int32_t step);

}  // namespace core
