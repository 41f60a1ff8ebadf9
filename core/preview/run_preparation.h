// The overrides a filled engine record receives for the kind of run: which stages a tab switches
// off, which diagnostic displays it keeps, the view geometry, and the full run's switch-offs. The
// record comes filled from the tuning state; these functions only narrow it.
#pragma once

#include <cstdint>

#include "core/preview/preview_region.h"
#include "core/preview/preview_tabs.h"
#include "dnr.h"

namespace core {

// Points the record at the pixels: Magic, the view's pointer, size and depth.
void attachPixels(ProcessingParams& p, const PixelView& view);

// Whole-image tabs run neither noise reduction, sharpening, red-eye nor CA; the red-eye tab runs
// red-eye only; the CA tab no noise reduction, distortions or sharpening; the noise and sharpening
// tabs no distortions.
void switchOffStagesForTab(ProcessingParams& p, PreviewTab tab);

// Each diagnostic display only on its own tab (sharpening map: sharpening; noise map: noise; CA
// map: CA; grid and compare mode: distortions; over-exposure: colours and brightness); FinalRun 0.
void keepDiagnosticsOfTab(ProcessingParams& p, PreviewTab tab);

// The pixels are a whole picture of this size: area at 0, 0 and every full size the same.
void setWholeView(ProcessingParams& p, PictureSize picture);
// The pixels are the region of a source of this size.
void setRegionView(ProcessingParams& p, const PreviewRegion& region, PictureSize source);

// Everything a preview run sets after the filling: the tab's switch-offs and displays, FinalRun 0
// and the view geometry (the whole working picture on whole-image tabs, else the region of the
// source). The progress callback is left to the caller (a gauge on region tabs, none otherwise).
void preparePreviewRun(ProcessingParams& p, PreviewTab tab, const PreviewRegion& region,
                       PictureSize source, PictureSize working);

// The full run: no preview-only display, FinalRun 1, the whole picture at 0, 0.
void prepareFullRun(ProcessingParams& p, PictureSize picture);

// The engine stages a caption of the output names, as booleans of the record (for tests and the
// caption): which stages this record would run.
struct StagesOn {
    bool noise = false;
    bool sharpening = false;
    bool redEye = false;
    bool colour = false;
    bool ca = false;
    bool distortions = false;
    bool operator==(const StagesOn&) const = default;
};
StagesOn stagesOn(const ProcessingParams& p);

}  // namespace core
