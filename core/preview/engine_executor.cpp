#include "core/preview/engine_executor.h"

#include <QMetaObject>
#include <algorithm>

namespace core {

namespace {

// The engine's message hook carries no context: it reaches the executor whose thread runs.
std::atomic<EngineExecutor*> gMessageReceiver{nullptr};

}  // namespace

EngineExecutor::EngineExecutor(std::function<void()> abortEngine, QObject* parent)
    : QObject(parent), abortEngine_(std::move(abortEngine)) {
    if (!abortEngine_) abortEngine_ = [] { Abort(); };
    thread_.reset(QThread::create([this] { loop(); }));
    thread_->setObjectName(QStringLiteral("engine"));
    thread_->start();
}

EngineExecutor::~EngineExecutor() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
        cancelledBelow_.store(nextSerial_);
    }
    wake_.notify_all();
    if (executing_.load()) abortEngine_();
    thread_->wait();
}

void EngineExecutor::enqueue(QObject* receiver, ErasedJob job, bool preview) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        if (preview)
            queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                        [](const Entry& e) { return e.preview; }),
                         queue_.end());
        queue_.push_back(Entry{std::move(job), QPointer<QObject>(receiver ? receiver : this),
                               preview, nextSerial_++});
    }
    wake_.notify_one();
}

void EngineExecutor::cancel() {
    {
        std::lock_guard lock(mutex_);
        cancelledBelow_.store(nextSerial_);
        queue_.erase(
            std::remove_if(queue_.begin(), queue_.end(), [](const Entry& e) { return e.preview; }),
            queue_.end());
    }
    // Abort only sets the engine's flag; a job between engine calls sees cancelled() instead.
    abortEngine_();
}

int EngineExecutor::waiting() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(queue_.size());
}

void EngineExecutor::loop() {
    gMessageReceiver.store(this);
    SetMessageHook(&EngineExecutor::messageHook);
    for (;;) {
        Entry entry;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_) break;
            entry = std::move(queue_.front());
            queue_.pop_front();
            executing_.store(true);
        }
        const uint64_t serial = entry.serial;
        const EngineJobContext context([this, serial] { return serial < cancelledBelow_.load(); },
                                       [this](int32_t permille) { emitProgress(permille); });
        Delivery delivery = entry.job(context);
        entry.job = nullptr;  // captured pictures are released on this thread
        executing_.store(false);
        if (delivery) deliver(entry.receiver, std::move(delivery));
    }
    // Another executor may have taken the hook since; only the current receiver removes it.
    EngineExecutor* self = this;
    if (gMessageReceiver.compare_exchange_strong(self, nullptr)) SetMessageHook(nullptr);
}

void EngineExecutor::deliver(const QPointer<QObject>& receiver, Delivery delivery) {
    // First to the executor's thread, where the receiver pointer can be checked safely, then on
    // to the receiver's thread when that is another one.
    QMetaObject::invokeMethod(
        this,
        [this, receiver, delivery = std::move(delivery)]() mutable {
            if (!receiver) return;
            if (receiver->thread() == thread()) {
                delivery();
                return;
            }
            QMetaObject::invokeMethod(receiver.data(), std::move(delivery), Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void EngineExecutor::emitProgress(int32_t permille) {
    QMetaObject::invokeMethod(
        this, [this, permille] { emit progress(permille); }, Qt::QueuedConnection);
}

void EngineExecutor::emitMessage(const QString& text, const QString& caption) {
    QMetaObject::invokeMethod(
        this, [this, text, caption] { emit engineMessage(text, caption); }, Qt::QueuedConnection);
}

void DNR_CDECL EngineExecutor::messageHook(const char* text, const char* caption) {
    if (EngineExecutor* e = gMessageReceiver.load())
        e->emitMessage(QString::fromUtf8(text ? text : ""),
                       QString::fromUtf8(caption ? caption : ""));
}

}  // namespace core
