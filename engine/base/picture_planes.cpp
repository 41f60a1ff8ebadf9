#include "picture_planes.h"

#include "bands.h"
#include "fast_paths.h"
#include "progress.h"

namespace dnr {
namespace {

void copyRowIn(PlaneSet& set, const View& view, int32_t y) {
    uint16_t* p0 = set.planes[0].row(y);
    uint16_t* p1 = set.planes[1].row(y);
    uint16_t* p2 = set.planes[2].row(y);
    if (view.is16()) {
        const uint16_t* s = view.row16(y);
        for (int32_t x = 0; x < view.width; ++x, s += 3) {
            p0[x] = s[0];
            p1[x] = s[1];
            p2[x] = s[2];
        }
    } else {
        const uint8_t* s = view.row8(y);
        for (int32_t x = 0; x < view.width; ++x, s += 3) {
            p0[x] = static_cast<uint16_t>(s[0] << 8);
            p1[x] = static_cast<uint16_t>(s[1] << 8);
            p2[x] = static_cast<uint16_t>(s[2] << 8);
        }
    }
}

void writeRowBack(const View& view, const PlaneSet& set, int32_t y) {
    const uint16_t* p0 = set.planes[0].row(y);
    const uint16_t* p1 = set.planes[1].row(y);
    const uint16_t* p2 = set.planes[2].row(y);
    if (view.is16()) {
        uint16_t* d = view.row16(y);
        for (int32_t x = 0; x < view.width; ++x, d += 3) {
            d[0] = p0[x];
            d[1] = p1[x];
            d[2] = p2[x];
        }
    } else {
        uint8_t* d = view.row8(y);
        for (int32_t x = 0; x < view.width; ++x, d += 3) {
            d[0] = static_cast<uint8_t>(p0[x] >> 8);
            d[1] = static_cast<uint8_t>(p1[x] >> 8);
            d[2] = static_cast<uint8_t>(p2[x] >> 8);
        }
    }
}

BandJob pictureRows(const View& view, LastStep lastStep) {
    BandJob job;
    job.items = view.height;
    job.samplesPerItem = int64_t{view.width} * 3;
    job.units = view.height;
    job.lastStep = lastStep;
    return job;
}

}  // namespace

bool copyPictureToPlanes(PlaneSet& set, const View& view) {
    if (!set.allocate(view.width, view.height)) return false;
    set.rgb = true;
    set.model = ChromaModel::Plain;
    progress::begin(view.height);
    if (fast::enabled()) {
        // Rows of an 8-bit picture share no bytes (each has its own padding), so threads may
        // take any rows.
        return runInBands(pictureRows(view, LastStep::AfterAbortTest),
                          [&](int64_t first, int64_t last) {
                              for (auto y = static_cast<int32_t>(first); y < last; ++y) {
                                  copyRowIn(set, view, y);
                                  if (abortRequested()) return false;
                              }
                              return true;
                          });
    }
    for (int32_t y = 0; y < view.height; ++y) {
        copyRowIn(set, view, y);
        if (abortRequested()) return false;
        progress::step();
    }
    return true;
}

void writeBack(const View& view, const PlaneSet& set) {
    progress::begin(view.height);
    if (fast::enabled()) {
        // Never stops: no row tests the abort flag, and an abort asked for meanwhile is left to
        // the caller's next test.
        runInBands(pictureRows(view, LastStep::AfterAbortTest), [&](int64_t first, int64_t last) {
            for (auto y = static_cast<int32_t>(first); y < last; ++y)
                writeRowBack(view, set, y);
            return true;
        });
        return;
    }
    for (int32_t y = 0; y < view.height; ++y) {
        writeRowBack(view, set, y);
        progress::step();
    }
}

}  // namespace dnr
