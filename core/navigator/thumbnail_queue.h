// The navigator's thumbnail work: a queue of pictures worked through by worker threads of their
// own (each with its own imaging sessions, never the engine), the items on screen first, then the
// ones just below, then those above. Showing another folder cancels what waits and stops a long
// decode; during a run of the engine the queue pauses, so the run has the processor to itself.
// Results arrive as a queued signal in the queue's thread, tagged with the request's generation so
// that a late result of an earlier folder is recognised.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/navigator/thumbnail_cache.h"

namespace core {

// Which waiting item a worker takes next: the first visible one, else the nearest below the
// visible range, else the nearest above it. -1 when nothing waits.
int nextThumbnailIndex(const std::vector<bool>& waiting, int firstVisible, int lastVisible);

class ThumbnailQueue : public QObject {
    Q_OBJECT
  public:
    // workers: threads that make thumbnails; 0 takes one per processor, at most two.
    explicit ThumbnailQueue(int workers = 0, QObject* parent = nullptr);
    // Stops the workers (a decode in progress gives up) and joins them.
    ~ThumbnailQueue() override;

    // Cancels what waits and queues the pictures, index = position in the list. Returns the new
    // generation.
    int request(const QStringList& paths, const ThumbnailSettings& settings);
    // Queues one picture again (it changed), keeping the rest.
    void requeue(int index);
    // Drops what waits and makes a running decode give up; its result is not delivered.
    void cancel();
    // The items on screen; they are made first.
    void setVisibleRange(int first, int last);
    void setPaused(bool paused);
    bool paused() const;

    int generation() const { return generation_.load(); }
    int waiting() const;
    // Counts since construction, for the panel's tests and the benchmark.
    int decodedCount() const { return decoded_.load(); }
    int cachedCount() const { return cached_.load(); }
    int failedCount() const { return failed_.load(); }

  signals:
    // A thumbnail is ready (a null image: the picture cannot be read).
    void thumbnailReady(int generation, int index, const QImage& image);
    // Nothing waits and no worker is busy with the current generation.
    void idle(int generation);

  private:
    void work();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    QStringList paths_;
    std::vector<bool> waiting_;
    int waitingCount_ = 0;
    int busy_ = 0;
    int first_ = 0, last_ = -1;
    bool paused_ = false;
    bool stopping_ = false;
    ThumbnailSettings settings_;
    std::atomic<int> generation_{0};
    // Set to stop the decodes of an earlier generation; replaced with every request.
    std::shared_ptr<std::atomic<bool>> stop_;
    std::atomic<int> decoded_{0}, cached_{0}, failed_{0};
    std::vector<std::thread> threads_;
};

}  // namespace core
