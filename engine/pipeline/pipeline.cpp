// Grainwash2: the pipeline driver. It runs the enabled stages in their fixed order on working
// planes, serves repeated preview runs from the stage caches, and writes the result back into the
// caller's pixels only at the very end, so a run that fails leaves the picture as it was (but for
// red-eye repairs, which work on the caller's pixels directly).
#include "cache_keys.h"
#include "colour_space.h"
#include "dnr.h"
#include "engine_state.h"
#include "picture_planes.h"
#include "progress.h"
#include "progress_shares.h"
#include "run_kind.h"
#include "stage_caches.h"
#include "stages.h"

namespace dnr {
namespace {

class Driver {
  public:
    Driver(ProcessingParams& p, const View& view)
        : p_(p), view_(view), shares_(computeShares(p)), final_(isFinalRun(p)) {}

    bool run();

  private:
    void enterShare(int k) { progress::setShare(shares_.start[k], shares_.start[k + 1]); }
    void repairRedEyes();
    bool inputPlanes(const KeyHash& picture);
    bool noiseReduction(const KeyHash& picture);
    bool normalNoiseFilter();

    ProcessingParams& p_;
    const View& view_;
    const ProgressShares shares_;
    const bool final_;
    PlaneSet work_;
};

void Driver::repairRedEyes() {
    if (!p_.RedEyeOn || !p_.RedEyes) return;
    const bool part = p_.ViewWidth != 0;
    // A record that leaves ViewHeight 0 holds the whole picture.
    const int32_t heldHeight = p_.ViewHeight != 0 ? p_.ViewHeight : view_.height;
    for (int32_t i = 0; i < p_.RedEyeCount; ++i) {
        RedEyeEntry& e = p_.RedEyes[i];
        const int32_t x = e.EyeX / 1000 - (part ? p_.ViewLeft : 0);
        const int32_t y = heldHeight + (part ? p_.ViewTop : 0) - e.EyeY / 1000 - 1;
        const int32_t w = e.EyeWidth / 1000;
        const int32_t found =
            removeRedEye(view_, x, y, w, e.EyeHeight / 1000, e.Darkening, e.PupilSize);
        if (w == 0) e.EyeWidth = e.EyeHeight = found * 2000;
    }
}

bool Driver::inputPlanes(const KeyHash& picture) {
    PlaneSet& cache = stageCaches().input;
    const uint64_t key = inputCacheKey(picture, p_);
    if (cache.key() == key) return work_.copyFrom(cache);
    cache.setKey(0);
    enterShare(kShareCopyIn);
    if (!copyPictureToPlanes(work_, view_)) return false;
    enterShare(kShareToLumaChroma);
    if (!toLumaChroma(work_, true, ChromaModel::Plain)) return false;
    if (!final_) {
        if (!cache.copyFrom(work_)) return false;
        cache.setKey(key);
    }
    return true;
}

bool Driver::normalNoiseFilter() {
    StageCaches& caches = stageCaches();
    const uint64_t key = blurCacheKey(work_, p_);
    if (caches.blur.key() != key) {
        caches.blur.setKey(0);
        enterShare(kShareSmoothing);
        if (!smoothForNoise(work_, caches.blur, p_)) {
            caches.blur.setKey(0);
            return false;
        }
        caches.blur.setKey(key);
    }
    enterShare(kShareNoiseMap);
    if (!computeNoiseMap(work_, caches.blur, caches.noiseMap, p_)) return false;
    enterShare(kShareNoiseMapSmoothing);
    if (!smoothNoiseMap(caches.noiseMap, p_)) return false;
    enterShare(kShareBlend);
    return blendNoiseReduction(work_, caches.blur, caches.noiseMap, p_);
}

bool Driver::noiseReduction(const KeyHash& picture) {
    PlaneSet& cache = stageCaches().result;
    const uint64_t key = resultCacheKey(picture, p_);
    if (cache.key() == key) {
        if (!work_.copyFrom(cache)) return false;
    } else {
        if (p_.NoiseMode == DNR_NOISE_HIGH) {
            enterShare(kShareSmoothing);
            if (!runHighNoiseFilter(work_, p_)) return false;
        } else if (!normalNoiseFilter()) {
            return false;
        }
        if (!final_) {
            cache.setKey(0);
            if (!cache.copyFrom(work_)) return false;
            cache.setKey(key);
        }
    }
    if (final_) emptyCache(cache);
    return true;
}

bool Driver::run() {
    progress::setCallback(p_.ProgressCallback);
    repairRedEyes();

    const KeyHash picture = pictureHash(view_);
    if (!inputPlanes(picture)) return false;

    if (p_.CAOn) {
        enterShare(kShareAberration);
        if (!correctAberration(work_, p_)) return false;
    }
    if (p_.NoiseReductionOn && !noiseReduction(picture)) return false;

    enterShare(kShareSharpen);
    if (!sharpen(work_, p_)) return false;
    enterShare(kShareColour);
    if (!adjustColors(work_, p_)) return false;
    if (final_) emptyCache(stageCaches().blur);

    if (!toRgb(work_, false)) return false;
    enterShare(kShareGeometry);
    if (!correctGeometry(work_, p_)) return false;
    enterShare(kShareWriteBack);
    writeBack(view_, work_);
    return true;
}

}  // namespace
}  // namespace dnr

extern "C" DNR_API int32_t DNR_CALL Grainwash2(ProcessingParams* params) {
    dnr::clearAbort();
    if (!params) return 0;
    const auto view =
        dnr::makeView(params->Bits, params->Width, params->BytesPerSample, params->Height);
    if (!view) return 0;
    bool ok = false;
    {
        // The driver's working planes are given back before the caches are released below,
        // so that a final run leaves none of them kept for reuse.
        dnr::Driver driver(*params, *view);
        ok = driver.run();
    }
    dnr::progress::setCallback(nullptr);
    // Also after a failure: a final run that ended early must not leave caches behind either.
    if (dnr::isFinalRun(*params)) dnr::engine_state::finishFinalRun();
    return ok ? 1 : 0;
}
