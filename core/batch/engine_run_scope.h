// The engine is single-entry and its progress callback carries no context. For the length of one
// engine call the scope makes one receiver the target of that callback; leaving the scope (by any
// path) detaches it again.
#pragma once

#include <cstdint>
#include <functional>

#include "dnr.h"

namespace core {

class EngineRunScope {
  public:
    explicit EngineRunScope(std::function<void(int32_t permille)> onProgress);
    ~EngineRunScope();
    EngineRunScope(const EngineRunScope&) = delete;
    EngineRunScope& operator=(const EngineRunScope&) = delete;

    // The callback to put into the engine record: it forwards to the innermost live scope.
    static void DNR_CDECL progress(int32_t permille);

  private:
    std::function<void(int32_t)> onProgress_;
    EngineRunScope* outer_;
};

}  // namespace core
