// Plane sets the library keeps between runs so that a preview skips the stages whose inputs did
// not change. A key of 0 means empty.
#pragma once

#include "plane.h"

namespace dnr {

struct StageCaches {
    PlaneSet input;   // the input as luma and chroma
    PlaneSet blur;    // the three smoothed planes of the normal noise filter
    PlaneSet result;  // the planes after noise reduction
    Plane noiseMap;   // the noise map, kept without a key
};

StageCaches& stageCaches();

// Empties a cache: releases its samples and clears its key.
inline void emptyCache(PlaneSet& cache) {
    cache.release();
    cache.setKey(0);
}

}  // namespace dnr
