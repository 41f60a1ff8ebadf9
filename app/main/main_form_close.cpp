// Closing the main window: the core decides the order and the question, the window carries out
// each step.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

#include "app/main/main_form.h"
#include "core/main/close_order.h"
#include "core/main/program_registry.h"
#include "core/main/settings_saving.h"
#include "core/main/start_stage.h"
#include "core/main/window_placement.h"
#include "core/settings/tuning_collect.h"

namespace app {

namespace {

// How long the close waits for a stopped run to end before it gives up on it.
constexpr int kStopWaitMs = 10000;

}  // namespace

class MainFormCloser : public core::CloseStepRunner {
  public:
    explicit MainFormCloser(TMainForm& form) : form_(form) {}

    bool run(core::CloseStep step) override {
        using core::CloseStep;
        switch (step) {
            case CloseStep::StopTimers:
                form_.counter_.stop();
                return true;
            case CloseStep::RestartTimers:
                form_.counter_.start();
                return true;
            case CloseStep::SaveSettingsBlock:
                core::collectSettings(form_.tuning_);
                return saveRecords(core::SaveMode::SettingsOnly);
            case CloseStep::SaveOutput:
                return saveOutput();
            case CloseStep::StopProcessing:
                return stopProcessing();
            case CloseStep::StoreWindowState:
                core::storeMainWindowState(form_.options_, form_.isMaximized(), form_.isMinimized(),
                                           form_.normalGeometry());
                return true;
            case CloseStep::SaveProgramOptions:
                return saveRecords(core::SaveMode::OptionsAndRecentFolders);
            case CloseStep::WriteNormalClose:
                if (form_.registryFile_.isEmpty()) return true;
                {
                    core::RegistryKey key = core::programRegistryKey(form_.registryFile_);
                    return core::markNormalClose(key);
                }
            default:
                // The closing flag, cursors, floating windows, the navigator and the sessions (the
                // document frees them after the engine thread has ended) need no step of their own.
                return true;
        }
    }

  private:
    bool saveRecords(core::SaveMode mode) {
        const core::Status status = core::saveSettings(mode, QString(), form_.folders_,
                                                       {form_.tuning_.block, form_.options_, {}});
        if (!status)
            form_.showError(status.failure().key + QLatin1Char(' ') + status.failure().detail);
        return status.ok();
    }

    // The result is saved like the save command does it, and the close goes on only when the
    // save succeeded.
    bool saveOutput() {
        if (form_.busy()) return false;
        bool saved = false;
        bool finished = false;
        QMetaObject::Connection c =
            QObject::connect(&form_, &TMainForm::saveEnded, &form_, [&](bool ok) {
                saved = ok;
                finished = true;
            });
        form_.menuSaveClick();
        // The save runs on the engine thread; the close waits for its answer, which is the one
        // place the window waits, since nothing may be lost at exit.
        QElapsedTimer clock;
        clock.start();
        while (form_.busy() && !finished)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QObject::disconnect(c);
        return saved;
    }

    bool stopProcessing() {
        form_.executor_->cancel();
        QElapsedTimer clock;
        clock.start();
        while (form_.executor_->executing() && clock.elapsed() < kStopWaitMs)
            QThread::msleep(10);
        return !form_.executor_->executing();
    }

    TMainForm& form_;
};

void TMainForm::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    MainFormCloser closer(*this);
    const core::CloseOutcome outcome = core::closeMainWindow(
        {document_.hasUnsavedResult(), scheduler_.running()}, asker_, language_, closer);
    closed_ = outcome.closed;
    if (outcome.closed)
        event->accept();
    else
        event->ignore();
}

}  // namespace app
