// The one thread all image work of a picture runs on. The engine is single-entry and the imaging
// sessions are used from one thread at a time, so every engine and imaging call for the open
// picture is a job posted here; the GUI thread posts, shows progress from queued signals and never
// waits for a job. Only Abort crosses threads.
//
// Jobs run one at a time in the order posted. A preview request replaces a preview that has not
// started yet (the newest wins) and, while a job executes, waits behind it: however many requests
// arrive during a run, exactly one further preview runs. A job's result is handed to its
// receiver's thread by a queued call; a receiver deleted meanwhile receives nothing.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>

#include "dnr.h"

namespace core {

// What a running job may ask of the executor.
class EngineJobContext {
  public:
    EngineJobContext(std::function<bool()> cancelled, std::function<void(int32_t)> progress)
        : cancelled_(std::move(cancelled)), progress_(std::move(progress)) {}

    // True once cancel() was called after this job was posted.
    bool cancelled() const { return cancelled_ && cancelled_(); }
    // Sends the job's progress (0..1000) to the GUI thread as the executor's progress signal.
    void progress(int32_t permille) const {
        if (progress_) progress_(permille);
    }

  private:
    std::function<bool()> cancelled_;
    std::function<void(int32_t)> progress_;
};

class EngineExecutor : public QObject {
    Q_OBJECT

  public:
    // abortEngine: how cancel() stops a running engine call; empty means the engine's Abort.
    explicit EngineExecutor(std::function<void()> abortEngine = {}, QObject* parent = nullptr);
    // Cancels what runs, drops what waits and joins the engine thread.
    ~EngineExecutor() override;

    // Runs job(context) on the engine thread, then done(result) in receiver's thread.
    template <typename Job, typename Done>
    void post(QObject* receiver, Job job, Done done) {
        enqueue(receiver, wrap(std::move(job), std::move(done)), false);
    }
    // The same for a preview: newest wins, one restart behind a running job.
    template <typename Job, typename Done>
    void requestPreview(QObject* receiver, Job job, Done done) {
        enqueue(receiver, wrap(std::move(job), std::move(done)), true);
    }

    // Stops the engine call that runs now (through Abort) and marks every job posted so far
    // cancelled; previews still waiting are dropped. Returns at once.
    void cancel();

    // True while a job executes on the engine thread.
    bool executing() const { return executing_.load(); }
    // Jobs waiting (not counting the one executing).
    int waiting() const;
    // The engine thread, for tests that check where work ran.
    QThread* engineThread() const { return thread_.get(); }

  signals:
    // Progress of the running job, 0..1000, emitted in the executor's thread.
    void progress(int permille);
    // A warning of the engine ("Not enough memory!") with its caption, in the executor's thread.
    void engineMessage(const QString& text, const QString& caption);

  private:
    // Runs on the engine thread and returns what is to be called in the receiver's thread.
    using Delivery = std::function<void()>;
    using ErasedJob = std::function<Delivery(const EngineJobContext&)>;

    struct Entry {
        ErasedJob job;
        QPointer<QObject> receiver;
        bool preview = false;
        uint64_t serial = 0;
    };

    template <typename Job, typename Done>
    static ErasedJob wrap(Job job, Done done) {
        using R = std::invoke_result_t<Job&, const EngineJobContext&>;
        return [job = std::move(job),
                done = std::move(done)](const EngineJobContext& context) mutable -> Delivery {
            if constexpr (std::is_void_v<R>) {
                job(context);
                return [done]() mutable { done(); };
            } else {
                auto result = std::make_shared<R>(job(context));
                return [done, result]() mutable { done(std::move(*result)); };
            }
        };
    }

    void enqueue(QObject* receiver, ErasedJob job, bool preview);
    void loop();
    void deliver(const QPointer<QObject>& receiver, Delivery delivery);
    void emitProgress(int32_t permille);
    void emitMessage(const QString& text, const QString& caption);
    static void DNR_CDECL messageHook(const char* text, const char* caption);

    std::function<void()> abortEngine_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Entry> queue_;
    bool stopping_ = false;
    uint64_t nextSerial_ = 1;
    std::atomic<uint64_t> cancelledBelow_{0};
    std::atomic<bool> executing_{false};
    std::unique_ptr<QThread> thread_;
};

}  // namespace core
