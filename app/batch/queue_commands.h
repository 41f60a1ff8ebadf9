// The queue's commands in the main window: add the current picture (F5), add it and open the
// next (F6, tbQAdd), add every picture of the folder, open the queue window (F7) and clear the
// queue; and the batch run the queue window starts, on the engine thread, with its progress
// handed to the window.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "core/batch/batch_run.h"
#include "core/queue/queue_store.h"

namespace app {

class TMainForm;
class TQForm;

class QueueCommands : public QObject {
    Q_OBJECT
  public:
    explicit QueueCommands(TMainForm& form);
    ~QueueCommands() override;

    TQForm* window() const { return window_; }
    const core::QueueStore& store() const { return store_; }
    bool running() const { return run_ != nullptr; }

  public slots:
    void menuAddToQueueClick() { add(false, false); }
    void menuAddToQueueAndNextClick() { add(false, true); }
    void menuAddAllToQueueClick() { add(true, false); }
    void menuQueueClick();
    void menuClearQueueClick();
    // The navigator's checked pictures, added as a folder's list is (settings only).
    void addFiles(const QStringList& paths) { add(true, false, paths); }

  signals:
    // An add command ended: whether it went through (nothing asked was cancelled).
    void addEnded(bool succeeded);
    void runEnded(const core::BatchSummary& summary);

  private:
    struct Run;
    class RunObserver;

    void add(bool many, bool thenNext, const QStringList& paths = {});
    void startRun();
    void stopRun();
    void runDone(const core::BatchSummary& summary);
    void editItem(int index);
    void showQueueFileProblem(const core::Status& status);

    TMainForm& form_;
    core::QueueStore store_;
    TQForm* window_ = nullptr;
    std::shared_ptr<Run> run_;  // while a batch run works
};

}  // namespace app
