// A session of its own for one piece of work, destroyed however that work ends.
#pragma once

#include "imaging/imaging.h"

namespace imaging {

class ScopedSession {
  public:
    ScopedSession() : handle_(cNewSession()) {}
    ~ScopedSession() {
        if (handle_) cDestroySession(handle_);
    }
    ScopedSession(const ScopedSession&) = delete;
    ScopedSession& operator=(const ScopedSession&) = delete;
    Handle get() const { return handle_; }

  private:
    Handle handle_;
};

}  // namespace imaging
