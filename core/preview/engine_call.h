// One engine call from a run on the engine thread: progress goes to the job's context, and a
// cancel that arrives while the engine works (or just before it cleared its abort flag) is passed
// on to Abort at the next progress report.
#pragma once

#include "core/batch/picture_job.h"
#include "core/preview/engine_executor.h"
#include "dnr.h"

namespace core {

enum class EngineOutcome { Processed, Cancelled, Failed };

// withProgress: the record's progress callback forwards to the context; otherwise it is null.
EngineOutcome callEngine(ProcessingParams& p, bool withProgress, const EngineJobContext& context,
                         const EngineCall& engine);

}  // namespace core
