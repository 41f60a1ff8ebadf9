// The engine's two user-facing warnings go through a hook the program installs; the library
// itself never opens a window.
#pragma once

#include <atomic>

namespace dnr {

inline constexpr const char* kNotEnoughMemory = "Not enough memory!";
inline constexpr const char* kErrorWhileDrawing = "Error while drawing";
inline constexpr const char* kErrorCaption = "Error";

// Passes text to the installed hook, or writes it to standard error.
void showWarning(const char* text);

// "Not enough memory!" for an allocation that failed. Inside a band of rows (bands.h) it waits
// until the band's threads are joined and is then shown once, on the thread that called.
void reportOutOfMemory();

// While alive, the reports of this thread only raise flag. The band runner holds one on each of
// its threads.
class DeferredOutOfMemory {
  public:
    explicit DeferredOutOfMemory(std::atomic<bool>& flag);
    ~DeferredOutOfMemory();
    DeferredOutOfMemory(const DeferredOutOfMemory&) = delete;
    DeferredOutOfMemory& operator=(const DeferredOutOfMemory&) = delete;

  private:
    std::atomic<bool>* previous_;
};

}  // namespace dnr
