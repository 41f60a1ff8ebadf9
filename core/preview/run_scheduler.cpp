#include "core/preview/run_scheduler.h"

#include <utility>

namespace core {

RunScheduler::RunScheduler(Launcher launcher) : launcher_(std::move(launcher)) {}

void RunScheduler::setSourceSize(int32_t width, int32_t height) {
    sourceWidth_ = width;
    sourceHeight_ = height;
}

void RunScheduler::requestProcessing(int32_t /*reason*/) {
    if (applying_ || !tuningMode_) return;
    if (handling_) {
        requestPending_ = true;
        return;
    }
    requestPending_ = false;
    handling_ = true;
    startRun();
    handling_ = false;
}

void RunScheduler::startRun() {
    if (!activated_ || sourceWidth_ < kMinimumRunSide || sourceHeight_ < kMinimumRunSide) return;
    if (running_) {
        restartPending_ = true;
        return;
    }
    restartPending_ = false;
    if (runKind_ < 0 || runKind_ > static_cast<int32_t>(RunKind::CaptionOverlay)) return;
    running_ = true;
    launchedKind_ = runKind_;
    if (launcher_) launcher_(static_cast<RunKind>(launchedKind_));
}

bool RunScheduler::finishRun() {
    if (!running_) return false;
    running_ = false;
    if (launchedKind_ != static_cast<int32_t>(RunKind::Full))
        runKind_ = static_cast<int32_t>(RunKind::Preview);
    const bool wasAborted = aborted_;
    aborted_ = false;
    return wasAborted;
}

void RunScheduler::markAborted() {
    if (running_) aborted_ = true;
}

void RunScheduler::tick() {
    if (restartPending_) {
        startRun();
        return;
    }
    if (requestPending_ && !handling_) requestProcessing();
}

}  // namespace core
