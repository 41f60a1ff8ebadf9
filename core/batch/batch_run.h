// The batch run: every queue item goes through the picture job with its own settings and is saved
// under its output path; done items leave the queue at once.
#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <vector>

#include "core/batch/batch_observer.h"
#include "core/batch/batch_picture.h"
#include "core/batch/output_claims.h"
#include "core/batch/picture_job.h"
#include "core/errors/result.h"
#include "core/i18n/language.h"
#include "core/queue/queue_params.h"
#include "core/settings/program_options.h"

namespace core {

struct BatchSetup {
    ProgramOptions options;     // the output options
    QString defaultUserFolder;  // the user folder when the options leave it empty
    SettingsBlock defaults;     // the block of defaults
    // Called with the remaining queue after every item that is done; a failure when the queue
    // could not be stored. May be empty (a queue that lives only in memory).
    std::function<Status(const std::vector<QueueParams>&)> storeQueue;
    // The engine call; empty means the engine itself.
    EngineCall engine;
    // The clock the elapsed and remaining times are read from; empty means the steady clock.
    std::function<std::chrono::steady_clock::time_point()> clock;
};

struct BatchSummary {
    int32_t done = 0;
    int32_t handled = 0;
    int32_t total = 0;
    bool aborted = false;
    QString text;
};

class BatchRun {
  public:
    BatchRun(const Language& texts, PictureSource& pictures, BatchObserver& observer);
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

    // Runs the queue; the items that are not done stay in it.
    BatchSummary run(std::vector<QueueParams>& queue, const BatchSetup& setup);

    // Asks the run to stop: the engine stops at its next row and no further item starts. Safe
    // from another thread or a signal handler.
    void abort();

  private:
    struct ItemResult;
    class ItemSteps;
    ItemResult handleItem(const QueueParams& item, const BatchSetup& setup);
    QString failureLogText(const Failure& failure, const QString& target) const;
    QString failureProblemText(const Failure& failure) const;
    void onEngineProgress(int32_t permille);

    const Language& texts_;
    PictureSource& pictures_;
    BatchObserver& observer_;
    std::atomic<bool> abort_{false};
    int32_t currentBar_ = 0;
    int32_t handled_ = 0;
    int32_t total_ = 0;
    std::chrono::steady_clock::time_point start_;
    std::function<std::chrono::steady_clock::time_point()> clock_;
    QString statusPrefix_;
    OutputClaims outputs_;  // the results this run has produced, by output path
};

}  // namespace core
