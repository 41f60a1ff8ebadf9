#include "core/navigator/thumbnail_queue.h"

#include <QThread>
#include <algorithm>

namespace core {

int nextThumbnailIndex(const std::vector<bool>& waiting, int firstVisible, int lastVisible) {
    const int n = int(waiting.size());
    const int first = std::clamp(firstVisible, 0, std::max(0, n));
    const int last = std::clamp(lastVisible, first - 1, n - 1);
    for (int i = first; i <= last; ++i)
        if (waiting[size_t(i)]) return i;
    for (int i = last + 1; i < n; ++i)
        if (waiting[size_t(i)]) return i;
    for (int i = std::min(first, n) - 1; i >= 0; --i)
        if (waiting[size_t(i)]) return i;
    return -1;
}

ThumbnailQueue::ThumbnailQueue(int workers, QObject* parent)
    : QObject(parent), stop_(std::make_shared<std::atomic<bool>>(false)) {
    if (workers <= 0) workers = std::clamp(QThread::idealThreadCount(), 1, 2);
    for (int i = 0; i < workers; ++i)
        threads_.emplace_back([this] { work(); });
}

ThumbnailQueue::~ThumbnailQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        stop_->store(true);
    }
    wake_.notify_all();
    for (std::thread& t : threads_)
        t.join();
}

int ThumbnailQueue::request(const QStringList& paths, const ThumbnailSettings& settings) {
    int generation = 0;
    {
        std::lock_guard lock(mutex_);
        stop_->store(true);
        stop_ = std::make_shared<std::atomic<bool>>(false);
        generation = ++generation_;
        paths_ = paths;
        settings_ = settings;
        waiting_.assign(size_t(paths.size()), true);
        waitingCount_ = int(paths.size());
        first_ = 0;
        last_ = -1;
    }
    wake_.notify_all();
    return generation;
}

void ThumbnailQueue::requeue(int index) {
    {
        std::lock_guard lock(mutex_);
        if (index < 0 || size_t(index) >= waiting_.size() || waiting_[size_t(index)]) return;
        waiting_[size_t(index)] = true;
        ++waitingCount_;
    }
    wake_.notify_one();
}

void ThumbnailQueue::cancel() {
    std::lock_guard lock(mutex_);
    stop_->store(true);
    stop_ = std::make_shared<std::atomic<bool>>(false);
    ++generation_;
    waiting_.assign(waiting_.size(), false);
    waitingCount_ = 0;
}

void ThumbnailQueue::setVisibleRange(int first, int last) {
    std::lock_guard lock(mutex_);
    first_ = first;
    last_ = last;
}

void ThumbnailQueue::setPaused(bool paused) {
    {
        std::lock_guard lock(mutex_);
        paused_ = paused;
    }
    wake_.notify_all();
}

bool ThumbnailQueue::paused() const {
    std::lock_guard lock(mutex_);
    return paused_;
}

int ThumbnailQueue::waiting() const {
    std::lock_guard lock(mutex_);
    return waitingCount_;
}

void ThumbnailQueue::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || (!paused_ && waitingCount_ > 0); });
        if (stopping_) return;
        const int index = nextThumbnailIndex(waiting_, first_, last_);
        if (index < 0) {
            waitingCount_ = 0;
            continue;
        }
        waiting_[size_t(index)] = false;
        --waitingCount_;
        ++busy_;
        const int generation = generation_.load();
        const QString path = paths_[index];
        const ThumbnailSettings settings = settings_;
        const std::shared_ptr<std::atomic<bool>> stop = stop_;
        lock.unlock();
        const NavigatorThumbnail thumbnail = loadNavigatorThumbnail(path, settings, stop.get());
        lock.lock();
        --busy_;
        // A result of an earlier folder, or of a decode told to stop, is nobody's.
        if (generation != generation_.load() || stop->load()) continue;
        switch (thumbnail.source) {
            case NavigatorThumbnail::Source::Cache:
                ++cached_;
                break;
            case NavigatorThumbnail::Source::Decoded:
                ++decoded_;
                break;
            case NavigatorThumbnail::Source::Failed:
                ++failed_;
                break;
        }
        const bool finished = waitingCount_ == 0 && busy_ == 0;
        lock.unlock();
        emit thumbnailReady(generation, index, thumbnail.image);
        if (finished) emit idle(generation);
        lock.lock();
    }
}

}  // namespace core
