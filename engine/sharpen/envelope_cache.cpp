#include "envelope_cache.h"

#include "blur_radius.h"
#include "cache_keys.h"
#include "velmar_blur.h"

namespace dnr {

EnvelopeCache& envelopeCache() {
    static EnvelopeCache cache;
    return cache;
}

uint64_t envelopeKey(const Plane& luma, int32_t edgeWidth) {
    KeyHash h;
    if (!luma.empty()) h.addBytes(luma.data(), luma.size() * sizeof(uint16_t));
    h.add(uint32_t(luma.width)).add(uint32_t(luma.height)).add(uint32_t(edgeWidth));
    return h.key();
}

bool updateEnvelopes(EnvelopeCache& cache, const Plane& luma, int32_t edgeWidth) {
    const uint64_t key = envelopeKey(luma, edgeWidth);
    if (cache.key == key && !cache.low.empty() && !cache.high.empty()) return true;
    cache.key = 0;
    const int32_t radius = blurRadius(2 * int64_t{edgeWidth});
    if (!velmarBlur(cache.low, &luma, radius, BlurVariant::Minimum, false)) return false;
    if (!velmarBlur(cache.high, &luma, radius, BlurVariant::Maximum, false)) return false;
    cache.key = key;
    ++cache.fills;
    return true;
}

void emptyEnvelopes(EnvelopeCache& cache) {
    cache.low.release();
    cache.high.release();
    cache.key = 0;
}

}  // namespace dnr
