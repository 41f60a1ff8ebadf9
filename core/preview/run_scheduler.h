// When the engine runs: every control asks for processing through one entry, requests that arrive
// while one is being handled or while a run executes are remembered (not queued), and the window's
// 500 ms tick picks the remembered work up. A plain state machine: it holds no timer and no
// thread; the launcher it is given starts a run (on the engine executor) and the window reports
// the run's end with finishRun().
#pragma once

#include <cstdint>
#include <functional>

namespace core {

// What a run does. Values above 3 start nothing.
enum class RunKind : int32_t {
    Full = 0,            // the whole picture into the output
    Preview = 1,         // the preview of the current tab
    CropOverlay = 2,     // redraw the crop view only
    CaptionOverlay = 3,  // redraw the caption preview only
};

// The smallest source that is processed, on either side.
inline constexpr int32_t kMinimumRunSide = 10;

class RunScheduler {
  public:
    // Starts a run of the kind; called with running() already true. It may request processing
    // again from inside (that request is then remembered as pending).
    using Launcher = std::function<void(RunKind kind)>;

    explicit RunScheduler(Launcher launcher);

    // ---- what the window tells it ----
    void setTuningMode(bool on) { tuningMode_ = on; }
    void setApplying(bool on) { applying_ = on; }  // settings being applied: requests ignored
    void markActivated() { activated_ = true; }    // the main window was first activated
    void setSourceSize(int32_t width, int32_t height);
    // The kind of the next run; any value, those above 3 start nothing.
    void setRunKind(int32_t kind) { runKind_ = kind; }
    // A long operation other than a run (loading, saving) holds the busy state.
    void setLongOperation(bool on) { longOperation_ = on; }

    // ---- the entries ----
    // The one entry of every control; reason is informational only.
    void requestProcessing(int32_t reason = 0);
    // Starts the run of the current kind when possible.
    void startRun();
    // The run launched last has ended. The kind returns to Preview unless it was a full run; the
    // aborted flag is cleared. Returns whether the run was aborted (Abort confirmed during it).
    bool finishRun();
    // Abort confirmed by the user: marks the running run aborted (the caller also cancels the
    // engine). Ignored when nothing runs.
    void markAborted();
    // The 500 ms tick: a pending restart starts a run; otherwise a pending request is requested
    // again when none is being handled.
    void tick();

    // ---- state ----
    bool busy() const { return running_ || longOperation_; }
    bool running() const { return running_; }
    bool aborted() const { return aborted_; }
    bool restartPending() const { return restartPending_; }
    bool requestPending() const { return requestPending_; }
    bool tuningMode() const { return tuningMode_; }
    int32_t runKind() const { return runKind_; }

  private:
    Launcher launcher_;
    bool tuningMode_ = false;
    bool applying_ = false;
    bool activated_ = false;
    bool longOperation_ = false;
    int32_t sourceWidth_ = 0;
    int32_t sourceHeight_ = 0;
    int32_t runKind_ = static_cast<int32_t>(RunKind::Preview);
    int32_t launchedKind_ = static_cast<int32_t>(RunKind::Preview);

    bool handling_ = false;
    bool requestPending_ = false;
    bool restartPending_ = false;
    bool running_ = false;
    bool aborted_ = false;
};

}  // namespace core
