// The engine's state that outlives a call, and the one place that says when each part of it is
// filled and released.
//
// The parts live beside the code that uses them, each in its own folder (so that no folder reaches
// up to this one); the table in engine_state.cpp lists every part with its lifetime, and every
// release and reset goes through the functions below. Lookup tables that are built once and never
// change (hue and chroma, fall-off, soft-edge curves, brush fall-off) are not state: they are the
// same whoever built them.
#pragma once

namespace dnr::engine_state {

// Releases every cache: the stage caches, the noise map, the high-noise scales and the envelope
// cache. The next run recomputes what it needs and gives the same pixels. What is not a cache
// stays: the curve objects, the luminance statistics (DetectNoiseLevel leaves them for the next
// run's automatic contrast), the dash counter, the brush trail, progress and fast-path settings.
void releaseCaches();

// Called when a final run ends, whether it succeeded or failed: releases what a final run leaves
// behind (every cache but an input cache that still holds its key).
void finishFinalRun();

// Puts every part back as the library loaded it, caches included. For tests, so that no test sees
// what an earlier one left.
void resetForTesting();

}  // namespace dnr::engine_state
