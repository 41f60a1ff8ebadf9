#include "core/batch/engine_run_scope.h"

namespace core {

namespace {

// Only the thread that runs the engine touches it.
EngineRunScope* gCurrent = nullptr;

}  // namespace

EngineRunScope::EngineRunScope(std::function<void(int32_t)> onProgress)
    : onProgress_(std::move(onProgress)), outer_(gCurrent) {
    gCurrent = this;
}

EngineRunScope::~EngineRunScope() {
    gCurrent = outer_;
}

void DNR_CDECL EngineRunScope::progress(int32_t permille) {
    if (gCurrent && gCurrent->onProgress_) gCurrent->onProgress_(permille);
}

}  // namespace core
