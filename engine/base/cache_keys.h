// Keys of the stage caches. A key must change whenever anything its stage's output depends on
// changes, so the fingerprints read every sample, not a sample of them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dnr.h"
#include "pixel_view.h"
#include "plane.h"

namespace dnr {

// A 64-bit mixing hash over 32-bit values and byte runs.
class KeyHash {
  public:
    KeyHash& add(uint64_t v);
    KeyHash& addBytes(const void* data, size_t bytes);
    // Never 0, which marks an empty cache.
    uint64_t key() const { return h_ == 0 ? 1 : h_; }

  private:
    uint64_t h_ = 0x9E3779B97F4A7C15ull;
};

void addPictureFingerprint(KeyHash& h, const View& view);
void addPlaneSetFingerprint(KeyHash& h, const PlaneSet& set);
void addRedEyeInputs(KeyHash& h, const ProcessingParams& p);
void addNoiseInputs(KeyHash& h, const ProcessingParams& p);

// The caller's picture is hashed once per run; the input and result keys start from that state.
KeyHash pictureHash(const View& view);
uint64_t inputCacheKey(KeyHash picture, const ProcessingParams& p);
uint64_t blurCacheKey(const PlaneSet& working, const ProcessingParams& p);
uint64_t resultCacheKey(KeyHash picture, const ProcessingParams& p);

}  // namespace dnr
