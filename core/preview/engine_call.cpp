#include "core/preview/engine_call.h"

#include "core/batch/engine_run_scope.h"

namespace core {

EngineOutcome callEngine(ProcessingParams& p, bool withProgress, const EngineJobContext& context,
                         const EngineCall& engine) {
    if (context.cancelled()) return EngineOutcome::Cancelled;
    p.ProgressCallback = withProgress ? &EngineRunScope::progress : nullptr;
    int32_t processed = 0;
    {
        EngineRunScope scope([&context](int32_t permille) {
            if (context.cancelled()) Abort();
            context.progress(permille);
        });
        processed = engine ? engine(p) : Grainwash2(&p);
    }
    p.ProgressCallback = nullptr;
    // A cancel counts even when the engine finished first: the user asked for no result.
    if (context.cancelled()) return EngineOutcome::Cancelled;
    return processed ? EngineOutcome::Processed : EngineOutcome::Failed;
}

}  // namespace core
