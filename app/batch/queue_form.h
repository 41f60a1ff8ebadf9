// TQForm: the queue window. It lists the queued pictures with their output paths, edits the
// output options, shows an item's thumbnail and information, removes items, hands one back to the
// main window for editing, and starts and stops the batch run, whose progress and log it shows.
// What it decides is in core/queue/queue_rows.h; the run itself is the queue commands'.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <vector>

#include "core/batch/batch_observer.h"
#include "core/main/message_box.h"
#include "core/queue/queue_rows.h"
#include "core/queue/queue_store.h"
#include "core/settings/program_options.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTabWidget;
class QToolButton;
class QWidget;

namespace core {
class Language;
}

namespace app {

struct QueueFormSetup {
    const core::Language& language;
    core::MessageAsker& asker;
    core::QueueStore& store;
    core::ProgramOptions& options;  // the output options are edited in place
    QString defaultUserFolder;      // the user folder while the options name none
    QString programFolder;          // where the folder picker starts
};

class TQForm : public QDialog {
    Q_OBJECT
  public:
    explicit TQForm(const QueueFormSetup& setup, QWidget* parent = nullptr);

    // Shows the window on its options page; it stays open beside the program's event loop.
    void showQueue();
    // The list again from the queue as it now stands.
    void rebuildList();
    bool running() const { return running_; }

    // The batch run, told by the queue commands.
    void runStarted();
    void runEnded();
    void itemStarted(int index, const QString& sourcePath);
    void statusChanged(const QString& status);
    void progressChanged(const core::BatchProgress& progress);
    void logLine(const QString& line);

    // Who chooses the user folder: the folder dialog, or a script in tests.
    std::function<QString(QWidget* parent, const QString& title, const QString& start)>
        chooseFolder;

  signals:
    void runRequested();
    // The user confirmed stopping the run.
    void stopRequested();
    // Edit was pressed on the item at index; the window has closed.
    void editRequested(int index);
    // Items were removed by the window.
    void queueChanged();

  public slots:
    void sbQRemoveClick();
    void sbQResetClick();
    void sbQEditClick();
    void sbQRunClick();
    void sbQAbortClick();

  protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* makePreviewPage();
    QWidget* makeOptionsPage();
    QWidget* makeProgressPanel();
    void showOptions();
    void showUserFolder();
    void refreshButtons();
    void requestOutputPaths();
    void recomputeOutputPaths();
    void showItem(int index);
    void clearPreview(bool keepText);
    void placeThumbnail(const QImage& thumbnail, int index, const QString& sourcePath);
    void queueFileProblem(const core::Status& status);
    int selectedRow() const;
    QString text(const char* key) const;

    const core::Language& language_;
    core::MessageAsker& asker_;
    core::QueueStore& store_;
    core::ProgramOptions& options_;
    QString defaultUserFolder_;
    QString programFolder_;
    std::vector<core::QueueRow> rows_;
    bool running_ = false;
    int shownSerial_ = 0;   // the newest thumbnail asked for; older answers are dropped
    bool filling_ = false;  // the controls are being set from the options
    QTimer optionsTimer_;   // Timer_options
    bool morePaths_ = false;

    QTableWidget* ListView_Q = nullptr;
    QTabWidget* pages_ = nullptr;
    QWidget* panelQThumb = nullptr;
    QLabel* ImageQ = nullptr;
    QPlainTextEdit* memoQExif = nullptr;
    QComboBox* cmbFormat = nullptr;
    QComboBox* cmbJPEGQ = nullptr;
    QLabel* lblJPEGQ = nullptr;
    QButtonGroup* folderKinds_ = nullptr;
    QRadioButton* RadioButton0 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QToolButton* sbQOutputPath = nullptr;
    QLabel* lblUserFolder = nullptr;  // the user folder (the caption of RadioButton2 elsewhere)
    QString userFolder_;
    QLineEdit* Edit0 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QCheckBox* cbOverwrite = nullptr;
    QLabel* lblOutputIsSource = nullptr;
    QWidget* panelQProgress = nullptr;
    QLabel* lblElapsedTime = nullptr;
    QLabel* lblRemainedTime = nullptr;
    QLabel* Label1 = nullptr;
    QProgressBar* ProgressIndicator = nullptr;
    QProgressBar* ProgressIndicator2 = nullptr;
    QPushButton* sbQClose = nullptr;
    QPushButton* sbQAbort = nullptr;
    QPushButton* sbQRun = nullptr;
    QPushButton* sbQReset = nullptr;
    QPushButton* sbQRemove = nullptr;
    QPushButton* sbQEdit = nullptr;
};

}  // namespace app
