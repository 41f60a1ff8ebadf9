#include "app/batch/queue_commands.h"

#include <QAction>
#include <QApplication>
#include <QPointer>

#include "app/batch/queue_form.h"
#include "app/main/main_form.h"
#include "core/batch/imaging_pictures.h"
#include "core/batch/memory_budget.h"
#include "core/i18n/language.h"
#include "core/queue/add_to_queue.h"
#include "core/queue/queue_run_lock.h"
#include "core/queue/shared_queue_file.h"
#include "core/settings/settings_block.h"
#include "core/settings/tuning_collect.h"

namespace app {

// What a batch run reports, handed from the engine thread to the queue window.
class QueueCommands::RunObserver : public core::BatchObserver {
  public:
    explicit RunObserver(TQForm* window) : window_(window) {}
    void itemStarted(int32_t index, int32_t, int32_t, const QString& sourcePath) override {
        post([index, sourcePath](TQForm& w) { w.itemStarted(index, sourcePath); });
    }
    void statusChanged(const QString& status) override {
        post([status](TQForm& w) { w.statusChanged(status); });
    }
    void progressChanged(const core::BatchProgress& progress) override {
        post([progress](TQForm& w) { w.progressChanged(progress); });
    }
    void logLine(const QString& line) override {
        post([line](TQForm& w) { w.logLine(line); });
    }
    void itemProblem(const QString& sourcePath, const QString& detail) override {
        logLine(QStringLiteral("  %1: %2").arg(sourcePath, detail));
    }
    void itemWarning(const QString& sourcePath, const QString& detail) override {
        logLine(QStringLiteral("  %1: %2").arg(sourcePath, detail));
    }
    void queueFileProblem(const QString& detail) override { logLine(detail); }

  private:
    template <typename F>
    void post(F f) {
        QPointer<TQForm> window = window_;
        QMetaObject::invokeMethod(
            window_.data(),
            [window, f] {
                if (window) f(*window);
            },
            Qt::QueuedConnection);
    }
    QPointer<TQForm> window_;
};

struct QueueCommands::Run {
    std::unique_ptr<core::QueueRunLock> lock;
    std::vector<core::QueueParams> queue;
    std::unique_ptr<core::RunQueueWriter> writer;
    core::BatchSetup setup;
    std::unique_ptr<core::ImagingPictureSource> pictures;
    std::unique_ptr<RunObserver> observer;
    std::unique_ptr<core::BatchRun> batch;
};

QueueCommands::QueueCommands(TMainForm& form)
    : QObject(&form), form_(form), store_(form.folders_.queueFile()) {
    setObjectName(QStringLiteral("QueueCommands"));
    store_.load();
    window_ =
        new TQForm(QueueFormSetup{form.language_, form.asker_, store_, form.options_,
                                  form.folders_.defaultOutputFolder(), form.folders_.program()},
                   &form);
    window_->setWindowFlag(Qt::Window);
    connect(window_, &TQForm::runRequested, this, &QueueCommands::startRun);
    connect(window_, &TQForm::stopRequested, this, &QueueCommands::stopRun);
    connect(window_, &TQForm::editRequested, this, &QueueCommands::editItem);

    const MainMenu& menu = form.ui_.menu;
    const auto bind = [this, &menu](const char* name, void (QueueCommands::*slot)()) {
        if (QAction* action = menu[QString::fromLatin1(name)])
            connect(action, &QAction::triggered, this, slot);
    };
    bind("menuAddToQueue", &QueueCommands::menuAddToQueueClick);
    bind("menuAddToQueueAndNext", &QueueCommands::menuAddToQueueAndNextClick);
    bind("menuAddAllToQueue", &QueueCommands::menuAddAllToQueueClick);
    bind("menuQueue", &QueueCommands::menuQueueClick);
    bind("menuClearQueue", &QueueCommands::menuClearQueueClick);
}

QueueCommands::~QueueCommands() {
    // The engine thread may still work on the run: it stops at its next row, and what it reports
    // from then on finds no window.
    if (run_) run_->batch->abort();
}

void QueueCommands::add(bool many, bool thenNext, const QStringList& paths) {
    TMainForm& f = form_;
    if (f.busy() || running() || !f.document_.isOpen()) return;
    switch (
        core::checkBeforeAdding(f.tuningMode(), f.document_.fromFile(), f.asker_, f.language_)) {
        case core::AddPrecheck::ShowPreview:
            f.menuRebuildClick();
            emit addEnded(false);
            return;
        case core::AddPrecheck::Stop:
            emit addEnded(false);
            return;
        case core::AddPrecheck::GoOn:
            break;
    }
    core::AddToQueueRequest request;
    request.many = many;
    request.paths = !many             ? QStringList{f.document_.fileName()}
                    : paths.isEmpty() ? f.listing_.files
                                      : paths;
    request.settings = core::collectSettings(f.tuning_);
    request.expertMode = f.tuning_.expertMode;
    request.marks.noiseAreas = f.tuning_.noiseAreas;
    request.marks.colorRanges = f.tuning_.colorRanges;
    request.marks.redEyes = f.tuning_.redEyes;
    request.marks.rotation = uint8_t(f.document_.rotation());
    core::AddToQueueOutcome outcome;
    const core::Status stored = store_.change([&](std::vector<core::QueueParams>& items) {
        outcome = core::addToQueue(items, request, f.asker_, f.language_);
    });
    window_->rebuildList();
    showQueueFileProblem(stored);
    if (outcome.succeeded && f.options_.playSound != 0) QApplication::beep();
    emit addEnded(outcome.succeeded);
    if (outcome.succeeded && thenNext) f.menuNextClick();
}

void QueueCommands::menuQueueClick() {
    if (form_.busy() && !running()) return;
    if (running() || store_.items().empty()) {
        if (running()) {
            window_->showQueue();
            return;
        }
        core::askMessage(form_.asker_, form_.language_, QStringLiteral("ALS_FRM_Q_NOQUEUE"),
                         QStringLiteral("ALS_QUEUE"), core::kButtonsOk | core::kIconInformation);
        return;
    }
    core::collectSettings(form_.tuning_);
    window_->showQueue();
}

void QueueCommands::menuClearQueueClick() {
    if (form_.busy() || running()) return;
    if (store_.items().empty()) {
        core::askMessage(form_.asker_, form_.language_, QStringLiteral("ALS_FRM_Q_NOQUEUE"),
                         QStringLiteral("ALS_QUEUE"), core::kButtonsOk | core::kIconInformation);
        return;
    }
    if (core::askMessage(form_.asker_, form_.language_, QStringLiteral("ALS_QUEUE_CLEAR_QUEST"),
                         QStringLiteral("ALS_QUEUE"),
                         core::kButtonsYesNo | core::kIconQuestion | core::kDefaultButton2) !=
        core::kResultYes)
        return;
    const core::Status cleared = store_.clear();
    window_->rebuildList();
    if (!cleared)
        core::showError(
            form_.asker_, form_.language_,
            core::fillPlaceholders(form_.language_.message(QStringLiteral("ER_QUEUE_CANNOT_CLEAR")),
                                   {store_.path()}) +
                QStringLiteral("\n") + cleared.failure().detail);
}

void QueueCommands::editItem(int index) {
    if (index < 0 || index >= int(store_.items().size())) return;
    form_.openQueueItem(store_.items()[size_t(index)]);
}

void QueueCommands::startRun() {
    TMainForm& f = form_;
    if (running() || f.busy() || store_.items().empty()) return;
    // A command-line run of the same queue would do every item a second time.
    auto locked = core::QueueRunLock::acquire(store_.path());
    if (!locked) {
        core::showError(f.asker_, f.language_, locked.failure().detail);
        return;
    }
    auto run = std::make_shared<Run>();
    run->lock = std::move(locked.value());
    run->queue = store_.items();
    run->writer = std::make_unique<core::RunQueueWriter>(store_.path(), run->queue);
    run->setup.options = f.options_;
    run->setup.defaultUserFolder = f.folders_.defaultOutputFolder();
    run->setup.defaults = core::defaultSettingsBlock();
    core::RunQueueWriter* writer = run->writer.get();
    run->setup.storeQueue = [writer](const std::vector<core::QueueParams>& items) {
        return writer->store(items);
    };
    run->pictures = std::make_unique<core::ImagingPictureSource>(f.options_.ignoreExif != 0);
    if (const core::Result<int64_t> budget = core::memoryBudget(); budget)
        run->pictures->setMemoryBudget(budget.value());
    run->observer = std::make_unique<RunObserver>(window_);
    run->batch = std::make_unique<core::BatchRun>(f.language_, *run->pictures, *run->observer);
    run_ = run;

    f.scheduler_.setLongOperation(true);
    f.setStatus(QString());
    f.updateCommands();
    window_->runStarted();
    f.hide();
    f.executor_->post(
        this,
        [run](const core::EngineJobContext&) { return run->batch->run(run->queue, run->setup); },
        [this](core::BatchSummary summary) { runDone(summary); });
}

void QueueCommands::stopRun() {
    if (run_) run_->batch->abort();
}

void QueueCommands::runDone(const core::BatchSummary& summary) {
    std::shared_ptr<Run> run = std::move(run_);
    // What the run did not finish stays, as its writer left the file.
    store_.setItems(run->queue);
    run.reset();  // the queue's run lock goes with it
    TMainForm& f = form_;
    f.scheduler_.setLongOperation(false);
    if (f.isHidden()) {
        f.show();
        window_->raise();
    }
    f.updateCommands();
    window_->runEnded();
    if (f.options_.playSound != 0) QApplication::beep();
    emit runEnded(summary);
}

void QueueCommands::showQueueFileProblem(const core::Status& status) {
    if (!status) core::showError(form_.asker_, form_.language_, status.failure().detail);
}

}  // namespace app
