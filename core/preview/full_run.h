// The full run on the engine thread: the whole source processed into the output session.
#pragma once

#include <functional>

#include "core/batch/picture_job.h"
#include "core/errors/result.h"
#include "core/preview/engine_executor.h"
#include "core/preview/run_record.h"
#include "core/preview/run_result.h"
#include "imaging/imaging.h"

namespace core {

// What follows the engine on the output: crop and resize, then frame and caption (and the same
// crop and frame on the source's display copy, so both views line up). Runs on the engine
// thread; a failure ends the run as failed. The crop, caption and frame operations plug in here;
// an empty hook leaves the output as the engine made it.
using OutputFinishing = std::function<Status(imaging::Handle output)>;

struct FullRunRequest {
    imaging::Handle source = 0;  // the whole source picture
    imaging::Handle output = 0;  // receives the result
    RunRecord record;            // filled from the controls
    OutputFinishing finishOutput;
};

// Copies the source into the output, prepares the record (no preview displays, FinalRun 1, the
// whole picture), runs Grainwash2 with progress, refreshes 16-bit display data, finishes the
// output and makes its display picture. Failure or a cancel unloads the output: a failure names
// the last step, a cancel gives Aborted.
RunResult runFull(FullRunRequest& request, const EngineJobContext& context,
                  const EngineCall& engine = {});

}  // namespace core
