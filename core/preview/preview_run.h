// The preview on the engine thread: the source preview (the region, or the screen-sized copy of
// the whole picture) and the run over it. Every session named here belongs to the document; only
// the engine thread touches them while a run is queued or executing.
#pragma once

#include <functional>

#include "core/batch/picture_job.h"
#include "core/errors/result.h"
#include "core/preview/engine_executor.h"
#include "core/preview/preview_region.h"
#include "core/preview/preview_tabs.h"
#include "core/preview/run_record.h"
#include "core/preview/run_result.h"
#include "imaging/imaging.h"

namespace core {

// The document's sessions a preview reads and writes, by their roles.
struct PreviewSessions {
    imaging::Handle source = 0;         // the whole source picture
    imaging::Handle sourcePreview = 0;  // the rectangle shown in the source preview
    imaging::Handle reduced = 0;        // the screen-sized copy of the whole source (may be empty)
    imaging::Handle working = 0;        // the processed preview of most tabs
    imaging::Handle textWorking = 0;    // the text tab's working copy
    imaging::Handle cropWorking = 0;    // the crop tab's working copy
};

// Makes the reduced copy: the source scaled to fit the work area when that needs less than 0.8
// of its size, else an unscaled copy.
Status makeReducedCopy(imaging::Handle source, imaging::Handle reduced, PictureSize workArea);

// Rebuilds the source preview for the tab: region tabs extract the region from the source;
// whole-image tabs make the reduced copy when it is empty and take a copy of it. Gives the source
// preview's display picture.
Result<QImage> rebuildSourcePreview(const PreviewSessions& sessions, PreviewTab tab,
                                    const PreviewRegion& region, PictureSize workArea);

// The session a tab's preview is processed in, and the one it is copied from: text: the text
// working copy of the source when the caption needs the whole picture, else of the reduced copy
// (the source preview while that is empty); crop: the crop working copy of the source; any other
// tab: the working copy of the source preview.
imaging::Handle workingSessionOf(const PreviewSessions& sessions, PreviewTab tab);
imaging::Handle workingBaseOf(const PreviewSessions& sessions, PreviewTab tab,
                              bool captionNeedsFullImage);

struct PreviewRunRequest {
    PreviewSessions sessions;
    PreviewTab tab = PreviewTab::Noise;
    PreviewRegion region;
    bool captionNeedsFullImage = false;
    RunRecord record;  // filled from the controls
    // Drawn into the processed working picture before its display picture is made: the
    // histogram, the curves, the caption preview. Runs on the engine thread; may be empty.
    std::function<void(imaging::Handle working, ProcessingParams& params)> afterEngine;
};

// One preview run: copy, prepare the record for the tab, Grainwash2 (region tabs report progress),
// refresh 16-bit display data, make the display picture. A failure unloads the working session
// and names the last step; a cancel during the run gives Aborted and no picture.
RunResult runPreview(PreviewRunRequest& request, const EngineJobContext& context,
                     const EngineCall& engine = {});

}  // namespace core
