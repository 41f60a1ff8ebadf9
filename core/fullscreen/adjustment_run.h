// Processing the full-screen preview's screen copy with the colour, brightness and geometry
// settings, so that they can be judged on the whole picture. Runs on the engine thread.
#pragma once

#include <QImage>
#include <functional>

#include "core/batch/picture_job.h"
#include "core/preview/engine_executor.h"
#include "core/preview/preview_region.h"
#include "core/preview/preview_tabs.h"
#include "core/preview/run_record.h"
#include "imaging/imaging.h"

namespace core {

// The record of a preview run turned into one for the whole screen copy: noise reduction,
// sharpening, red eye, chromatic aberration and their maps off, not a final run; the over-exposure
// display only on the Brightness tab, the grid and comparison only on the Distortions tab.
void prepareAdjustmentRecord(ProcessingParams& p, PreviewTab tab, PictureSize copy);

struct AdjustmentRunRequest {
    imaging::Handle screenCopy = 0;  // the unprocessed copy
    imaging::Handle processed = 0;   // receives the result
    PreviewTab tab = PreviewTab::Colors;
    RunRecord record;  // filled from the controls as for a preview
    // The histogram drawn into the result, when the tab shows one.
    std::function<void(imaging::Handle, ProcessingParams&)> afterEngine;
};

struct AdjustmentOutcome {
    bool processed = false;
    int32_t lastStep = 0;  // how far a failed run came
    QImage display;        // the result, or the unprocessed copy when the run failed
};

AdjustmentOutcome runAdjustment(AdjustmentRunRequest& request, const EngineJobContext& context,
                                const EngineCall& engine = {});

}  // namespace core
