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

}  // namespace dnr

extern "C" DNR_API void DNR_CALL SetMessageHook(DnrMessageHook hook) {
    dnr::gHook.store(hook);
}
