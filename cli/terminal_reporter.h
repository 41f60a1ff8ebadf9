// Prints a batch run: log lines on standard output; progress, status and problems on standard
// error, as a redrawn progress bar on a terminal and as plain lines otherwise.
#pragma once

#include <QElapsedTimer>
#include <cstdio>

#include "core/batch/batch_observer.h"

namespace cli {

enum class KeepLineBreaks { No, Yes };
// The text with control characters (escape sequences, carriage returns, ...) written as \xHH, so
// that a file name cannot move the cursor or recolour the terminal; the bytes of a name that is
// not UTF-8 are written as \xHH as well. CR LF becomes LF first.
QString escapeControls(const QString& text, KeepLineBreaks keep);

class TerminalReporter : public core::BatchObserver {
  public:
    explicit TerminalReporter(bool terminal) : terminal_(terminal) { sinceDraw_.start(); }

    void itemStarted(int32_t index, int32_t handled, int32_t total,
                     const QString& sourcePath) override;
    void statusChanged(const QString& status) override;
    void progressChanged(const core::BatchProgress& progress) override;
    void logLine(const QString& line) override;
    void itemProblem(const QString& sourcePath, const QString& detail) override;
    void itemWarning(const QString& sourcePath, const QString& detail) override;
    void itemSaved(const QString& sourcePath, const QString& outputPath) override;
    void queueFileProblem(const QString& detail) override;

    // A message of the command itself.
    void note(const QString& text);

  private:
    void clearBar();
    void drawBar();

    bool terminal_;
    bool barShown_ = false;
    int32_t handled_ = 0;
    int32_t total_ = 0;
    QString fileName_;
    QString savedAs_;  // printed after the item's log line
    core::BatchProgress progress_;
    QElapsedTimer sinceDraw_;
};

}  // namespace cli
