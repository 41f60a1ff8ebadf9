// What a batch run reports while it works: the queue window shows it, the command prints it.
#pragma once

#include <QString>
#include <cstdint>

namespace core {

struct BatchProgress {
    int32_t current = 0;  // the current item, 0..1000
    int32_t overall = 0;  // the whole run, 0..1000
    QString elapsed;
    QString remaining;
};

class BatchObserver {
  public:
    virtual ~BatchObserver() = default;
    // A new item is being handled (index in the queue as it now stands; handled and total count
    // the items of the run).
    virtual void itemStarted(int32_t /*index*/, int32_t /*handled*/, int32_t /*total*/,
                             const QString& /*sourcePath*/) {}
    virtual void statusChanged(const QString& /*status*/) {}
    virtual void progressChanged(const BatchProgress& /*progress*/) {}
    // One line of the run's log: one per item, then the summary.
    virtual void logLine(const QString& /*line*/) {}
    // What went wrong with an item beyond its log line (the library's message, a folder that
    // could not be created), for the user.
    virtual void itemProblem(const QString& /*sourcePath*/, const QString& /*detail*/) {}
    // Something the item did not fail on but the user should know (a repaired file, a colour
    // profile left out of the result).
    virtual void itemWarning(const QString& /*sourcePath*/, const QString& /*detail*/) {}
    // The item's result was saved.
    virtual void itemSaved(const QString& /*sourcePath*/, const QString& /*outputPath*/) {}
    // The queue file could not be rewritten after an item was done.
    virtual void queueFileProblem(const QString& /*detail*/) {}
};

}  // namespace core
