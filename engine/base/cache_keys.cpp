#include "cache_keys.h"

#include <algorithm>
#include <cstring>

namespace dnr {
namespace {

constexpr uint64_t kMul = 0xFF51AFD7ED558CCDull;

inline uint64_t mix(uint64_t h, uint64_t v) {
    h ^= v;
    h *= kMul;
    return h ^ (h >> 32);
}

}  // namespace

KeyHash& KeyHash::add(uint64_t v) {
    h_ = mix(h_, v);
    return *this;
}

KeyHash& KeyHash::addBytes(const void* data, size_t bytes) {
    // Four independent lanes keep the multiplier busy; the lanes are folded in at the end.
    const auto* p = static_cast<const unsigned char*>(data);
    uint64_t lane[4] = {h_, h_ ^ 1, h_ ^ 2, h_ ^ 3};
    size_t i = 0;
    for (; i + 32 <= bytes; i += 32)
        for (int k = 0; k < 4; ++k) {
            uint64_t w;
            std::memcpy(&w, p + i + 8 * k, 8);
            lane[k] = mix(lane[k], w);
        }
    for (; i + 8 <= bytes; i += 8) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        lane[0] = mix(lane[0], w);
    }
    if (i < bytes) {
        uint64_t tail = 0;
        std::memcpy(&tail, p + i, bytes - i);
        lane[1] = mix(lane[1], tail);
    }
    h_ = mix(mix(mix(mix(h_, lane[0]), lane[1]), lane[2]), lane[3]);
    return add(bytes);
}

void addPictureFingerprint(KeyHash& h, const View& view) {
    for (int32_t y = 0; y < view.height; ++y) {
        if (view.is16())
            h.addBytes(view.row16(y), size_t(view.width) * 6);
        else
            h.addBytes(view.row8(y), size_t(view.width) * 3);  // not the row padding
    }
    h.add(view.is16() ? 2 : 1).add(uint32_t(view.width)).add(uint32_t(view.height));
}

void addPlaneSetFingerprint(KeyHash& h, const PlaneSet& set) {
    for (const Plane& plane : set.planes) {
        if (!plane.empty()) h.addBytes(plane.data(), plane.size() * sizeof(uint16_t));
        h.add(uint32_t(plane.width)).add(uint32_t(plane.height));
    }
    h.add(set.rgb ? 1 : 0).add(uint32_t(set.model));
}

void addRedEyeInputs(KeyHash& h, const ProcessingParams& p) {
    if (!p.RedEyeOn) {
        h.add(0);
        return;
    }
    const int32_t count = p.RedEyes ? std::max(p.RedEyeCount, 0) : 0;
    h.add(uint32_t(count));
    for (int32_t i = 0; i < count; ++i) {
        const RedEyeEntry& e = p.RedEyes[i];
        for (int32_t v : {e.EyeX, e.EyeY, e.EyeWidth, e.EyeHeight, e.Darkening, e.PupilSize})
            h.add(uint32_t(v));
    }
}

void addNoiseInputs(KeyHash& h, const ProcessingParams& p) {
    for (int32_t v : {p.NoiseLevel, p.ShadowsNoiseLevel, p.HighlightsNoiseLevel, p.NoiseRadius,
                      p.ShowNoiseMap, p.NoiseMode, p.ChromaNoise, p.NoiseReductionAmount})
        h.add(uint32_t(v));
    const int32_t areas = p.NoiseAreas ? std::max(p.NoiseAreaCount, 0) : 0;
    h.add(uint32_t(areas));
    for (int32_t i = 0; i < areas; ++i) {
        const NoiseAreaEntry& a = p.NoiseAreas[i];
        h.add(a.Luma).add(a.ChromaRed).add(a.ChromaBlue).add(uint16_t(a.Strength));
    }
    const int32_t points = std::clamp(p.NoiseEqualizerCount, 0, DNR_EQUALIZER_POINTS);
    h.add(uint32_t(points));
    for (int32_t i = 0; i < points; ++i)
        h.add(uint32_t(p.NoiseEqualizer[i]));
}

KeyHash pictureHash(const View& view) {
    KeyHash h;
    addPictureFingerprint(h, view);
    return h;
}

uint64_t inputCacheKey(KeyHash picture, const ProcessingParams& p) {
    addRedEyeInputs(picture, p);
    return picture.key();
}

uint64_t blurCacheKey(const PlaneSet& working, const ProcessingParams& p) {
    KeyHash h;
    addPlaneSetFingerprint(h, working);
    h.add(uint32_t(p.NoiseRadius)).add(uint32_t(p.ChromaNoise)).add(uint32_t(p.NoiseMode));
    addRedEyeInputs(h, p);
    return h.key();
}

uint64_t resultCacheKey(KeyHash picture, const ProcessingParams& p) {
    addRedEyeInputs(picture, p);
    addNoiseInputs(picture, p);
    for (int32_t v : {p.CAOn, p.CARadius, p.CAThreshold, p.CAColorRed, p.CAColorGreen,
                      p.CAColorBlue, p.CATolerance})
        picture.add(uint32_t(v));
    return picture.key();
}

}  // namespace dnr
