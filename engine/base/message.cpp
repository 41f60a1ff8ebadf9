#include "message.h"

#include <atomic>
#include <cstdio>

#include "dnr.h"

namespace dnr {
namespace {
std::atomic<DnrMessageHook> gHook{nullptr};
}

void showWarning(const char* text) {
    if (DnrMessageHook hook = gHook.load()) {
        hook(text, kErrorCaption);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", kErrorCaption, text);
}

namespace {
thread_local std::atomic<bool>* tDeferredFlag = nullptr;
}

void reportOutOfMemory() {
    if (tDeferredFlag) {
        tDeferredFlag->store(true, std::memory_order_relaxed);
        return;
    }
    showWarning(kNotEnoughMemory);
}

DeferredOutOfMemory::DeferredOutOfMemory(std::atomic<bool>& flag) : previous_(tDeferredFlag) {
    tDeferredFlag = &flag;
}

DeferredOutOfMemory::~DeferredOutOfMemory() {
    tDeferredFlag = previous_;
}

}  // namespace dnr

extern "C" DNR_API void DNR_CALL SetMessageHook(DnrMessageHook hook) {
    dnr::gHook.store(hook);
}
