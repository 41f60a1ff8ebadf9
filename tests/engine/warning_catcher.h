// Counts the engine's warnings while alive.
#pragma once

#include <cstring>
#include <string>

#include "dnr.h"

namespace dnr::testing {

class WarningCatcher {
  public:
    WarningCatcher() {
        count_ = 0;
        last_.clear();
        SetMessageHook(&WarningCatcher::hook);
    }
    ~WarningCatcher() { SetMessageHook(nullptr); }
    int count() const { return count_; }
    const std::string& last() const { return last_; }

  private:
    static void hook(const char* text, const char* caption) {
        ++count_;
        last_ = std::string(text) + "|" + caption;
    }
    static inline int count_ = 0;
    static inline std::string last_;
};

}  // namespace dnr::testing
