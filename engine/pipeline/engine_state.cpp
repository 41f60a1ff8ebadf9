#include "engine_state.h"

#include <cstdint>

#include "brush_trail.h"
#include "dashed_line.h"
#include "dnr.h"
#include "envelope_cache.h"
#include "equalizer_curve.h"
#include "fast_paths.h"
#include "high_noise_filter.h"
#include "histogram_stats.h"
#include "progress.h"
#include "sample_memory.h"
#include "stage_caches.h"

namespace dnr::engine_state {
namespace {

// When a part is released.
enum Release : unsigned {
    kOnFinalRun = 1,      // when a final run ends
    kOnReleaseCaches = 2  // by ReleaseCaches (a picture closes, the batch moves to the next item)
};

struct Part {
    const char* name;
    unsigned release;  // Release flags; every part is reset for tests
    void (*empty)();
};

void emptyInputWhenStale() {
    // A final run never stores the input; one whose input missed left the key empty, and
    // samples under an empty key can never be used again.
    if (stageCaches().input.key() == 0) emptyCache(stageCaches().input);
}

// clang-format off
const Part kParts[] = {
    // Input planes as luma and chroma. Filled by a preview run whose input key missed; the key is
    // cleared by any run that misses it. A final run keeps a matching input (the next preview of
    // the same part reuses it) and releases a stale one.
    {"stale input cache", kOnFinalRun, emptyInputWhenStale},
    {"input cache", kOnReleaseCaches, [] { emptyCache(stageCaches().input); }},
    // The smoothed planes of the normal noise filter. Filled by any run whose blur key missed;
    // a final run empties them after the colour stage and here once more if it failed earlier.
    {"blur cache", kOnFinalRun | kOnReleaseCaches, [] { emptyCache(stageCaches().blur); }},
    // The planes after noise reduction. Filled by preview runs; a final run empties them.
    {"result cache", kOnFinalRun | kOnReleaseCaches, [] { emptyCache(stageCaches().result); }},
    // The noise map of the normal filter: recomputed by every run that needs it, kept only so that
    // previews of one size need not allocate it again.
    {"noise map", kOnFinalRun | kOnReleaseCaches, [] { stageCaches().noiseMap.release(); }},
    // The high-noise filter's box-smoothed scales (three planes times up to four scales). Filled
    // and keyed by preview runs only; a final run may read them and then releases them.
    {"high-noise scales", kOnFinalRun | kOnReleaseCaches, releaseNoiseScaleCache},
    // Halo suppression's low and high envelopes of luma. Filled by preview runs; the sharpening
    // stage of a final run empties them, and so does the end of a final run that failed earlier.
    {"envelope cache", kOnFinalRun | kOnReleaseCaches, [] { emptyEnvelopes(envelopeCache()); }},
    // Large sample runs freed by the stages and kept for the next plane of their size: between
    // the previews of one picture they spare the kernel's clearing of fresh pages; a final run
    // gives them back, so that saving the result does not find them still held.
    {"sample pool", kOnFinalRun | kOnReleaseCaches, releasePooledSamples},
    // The four curve objects: a run or a curve call that asks rebuilds a table from its record;
    // the tables stay between calls (a panel drawn without a rebuild shows the last one).
    {"curve objects", 0, resetCurveObjects},
    // Luminance statistics: filled by DetectNoiseLevel and the histogram calls, read by the next
    // run's automatic contrast and the brightness panel. Never a cache: releasing them would
    // change the next run's pixels.
    {"luminance statistics", 0, [] { luminanceStatistics() = HistogramStats{}; }},
    // Progress: the callback is set for one run; the report state lives across runs.
    {"progress", 0, [] {
         progress::setCallback(nullptr);
         progress::setSuppressed(false);
         progress::setClockForTesting(nullptr);
         progress::resetReportState();
     }},
    // The abort flag: set by Abort, cleared when the next run starts.
    {"abort flag", 0, clearAbort},
    // The dash counter every dashed line continues from.
    {"dash counter", 0, resetDashCounter},
    // The previous point of the Blur shortcut, kept from one call to the next.
    {"brush trail", 0, forgetBrushTrail},
    // How the pixel loops run; changed only by tests.
    {"fast-path settings", 0, [] { fast::setSettings(fast::Settings{}); }},
};
// clang-format on

void releaseWhere(unsigned flag) {
    for (const Part& part : kParts)
        if (part.release & flag) part.empty();
}

}  // namespace

void releaseCaches() {
    releaseWhere(kOnReleaseCaches);
}

void finishFinalRun() {
    releaseWhere(kOnFinalRun);
}

void resetForTesting() {
    for (const Part& part : kParts)
        part.empty();
}

}  // namespace dnr::engine_state

extern "C" DNR_API int32_t DNR_CALL ReleaseCaches(void) {
    dnr::engine_state::releaseCaches();
    return 1;
}
