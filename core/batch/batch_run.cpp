#include "core/batch/batch_run.h"

#include <QFileInfo>

#include "dnr.h"

#include "core/batch/batch_texts.h"
#include "core/batch/noise_scaling.h"
#include "core/batch/picture_job.h"
#include "core/paths/output_formats.h"
#include "core/paths/output_path.h"
#include "core/queue/queue_model.h"

namespace core {

struct BatchRun::ItemResult {
    QString result;     // the end of the log line
    bool done = false;  // saved, or skipped because the output existed
    bool noiseMeasured = false;
    int32_t midtones = 1;
    int32_t relative = 0;
};

BatchRun::BatchRun(const Language& texts, PictureSource& pictures, BatchObserver& observer)
    : texts_(texts), pictures_(pictures), observer_(observer) {}

void BatchRun::abort() {
    abort_.store(true);
    Abort();
}

// The job's steps shown in the status line, its engine progress in the progress bars.
class BatchRun::ItemSteps : public PictureJobObserver {
  public:
    ItemSteps(BatchRun& run, const QString& sourcePath) : run_(run), sourcePath_(sourcePath) {}
    void stepStarted(PictureJobStep step) override {
        const char* key = step == PictureJobStep::Loading      ? "ALS_DATA_LOADING"
                          : step == PictureJobStep::Processing ? "ALS_PROCESSING"
                                                               : "ALS_SAVING_RESULT";
        run_.observer_.statusChanged(run_.statusPrefix_ +
                                     QStringLiteral(" (%1...)").arg(run_.texts_.message(key)));
    }
    void engineProgress(int32_t permille) override { run_.onEngineProgress(permille); }
    void warning(const QString& detail) override {
        run_.observer_.itemWarning(sourcePath_, detail);
    }

  private:
    BatchRun& run_;
    QString sourcePath_;
};

void BatchRun::onEngineProgress(int32_t permille) {
    if (permille == currentBar_) return;
    currentBar_ = permille;
    BatchProgress p;
    p.current = permille;
    p.overall = overallPermille(handled_, permille, total_);
    const int64_t seconds =
        std::chrono::duration_cast<std::chrono::seconds>(clock_() - start_).count();
    p.elapsed = durationText(texts_, seconds);
    p.remaining = remainingText(texts_, seconds, p.overall);
    observer_.progressChanged(p);
}

BatchSummary BatchRun::run(std::vector<QueueParams>& queue, const BatchSetup& setup) {
    BatchSummary summary;
    handled_ = 0;
    outputs_.clear();
    // The clock starts a second early, so the first estimate never divides by nothing.
    clock_ = setup.clock ? setup.clock : [] { return std::chrono::steady_clock::now(); };
    start_ = clock_() - std::chrono::seconds(1);
    total_ = int32_t(queue.size());
    summary.total = total_;
    BatchProgress first;
    first.elapsed = durationText(texts_, 1);
    first.remaining = QStringLiteral("?");
    observer_.progressChanged(first);

    size_t index = 0;
    while (!queue.empty() && index < queue.size() && !abort_.load()) {
        currentBar_ = 0;
        const QueueParams& item = queue[index];
        const QString path = itemSourcePath(item);
        const QString fileName = QFileInfo(path).fileName();
        statusPrefix_ = QStringLiteral("%1: %2").arg(texts_.message("ALS_CURRENT_FILE"), fileName);
        observer_.statusChanged(
            statusPrefix_ +
            QStringLiteral(" (%1...)").arg(texts_.message("ALS_THUMBNAIL_LOADING")));
        observer_.itemStarted(int32_t(index), handled_, total_, path);

        const ItemResult r = handleItem(item, setup);
        if (r.noiseMeasured)
            observer_.logLine(
                logLine(texts_, fileName, r.midtones, roundHalfEven(r.relative / 10.0), r.result));
        else
            observer_.logLine(logLineWithoutNoise(fileName, r.result));

        if (r.done) {
            ++summary.done;
            queue.erase(queue.begin() + std::ptrdiff_t(index));
            if (setup.storeQueue)
                if (const Status stored = setup.storeQueue(queue); !stored)
                    observer_.queueFileProblem(
                        QStringLiteral("the queue could not be stored (%1); the finished item "
                                       "may be processed again by a later run")
                            .arg(stored.failure().detail));
        } else {
            ++index;
        }
        ++handled_;
    }

    observer_.statusChanged(texts_.message("ALS_CURRENT_FILE") + QStringLiteral(": "));
    summary.handled = handled_;
    summary.aborted = abort_.load();
    summary.text = summaryText(texts_, summary.done, summary.total, summary.aborted);
    observer_.logLine(summary.text);
    abort_.store(false);
    return summary;
}

BatchRun::ItemResult BatchRun::handleItem(const QueueParams& item, const BatchSetup& setup) {
    ItemResult r;
    const QString path = itemSourcePath(item);

    PictureOutput output;
    output.path = outputPath(path, setup.options, setup.defaultUserFolder);
    output.formatCode = kOutputFormats[size_t(validFormatIndex(setup.options.outputFormat))].code;
    output.jpegQuality = jpegQualityFor(setup.options.jpegQualityIndex);
    output.overwrite = setup.options.outputOverwrite != 0;
    if (const std::optional<QString> first = outputs_.claimant(output.path)) {
        // Another source of this run already has its result there; replacing it (or counting
        // this one as done beside it) would lose a picture without a word.
        const Failure clash = failure(
            "ER_CANNOT_SAVE", QStringLiteral("\"%1\" is already the result of \"%2\" in this run")
                                  .arg(output.path, *first));
        r.result = failureLogText(clash, output.path);
        observer_.itemProblem(path, clash.detail);
        return r;
    }

    ItemSteps steps(*this, path);
    CaptionOptions caption;
    caption.captionTemplate = QString::fromStdString(setup.options.captionTemplate);
    caption.ignoreExif = setup.options.ignoreExif != 0;
    const PictureJobResult job = runPictureJob(pictures_, item, setup.defaults, output, steps,
                                               abort_, setup.engine, caption);
    // The next item is another picture: nothing the engine cached for this one can serve it.
    ReleaseCaches();
    if (job.noise) {
        r.noiseMeasured = true;
        r.midtones = job.noise->midtones;
        r.relative = job.noise->relative;
    }
    r.done = job.done();
    if (r.done && !output.path.isEmpty()) outputs_.claim(output.path, path);
    switch (job.end) {
        case PictureJobEnd::Saved:
            observer_.itemSaved(path, output.path);
            r.result = texts_.message("ALS_OK");
            break;
        case PictureJobEnd::KeptExisting:
            r.result = texts_.message("ER_NO_OVERWRITE");
            break;
        case PictureJobEnd::Aborted:
            r.result = texts_.message("ALS_ABORTED");
            break;
        case PictureJobEnd::Failed:
            r.result = failureLogText(job.status.failure(), output.path);
            observer_.itemProblem(path, failureProblemText(job.status.failure()));
            break;
    }
    return r;
}

// The end of the log line for a failed item: the step's text, or for the save the output path.
QString BatchRun::failureLogText(const Failure& f, const QString& target) const {
    const QByteArray key = f.key.toLatin1();
    if (f.key == QLatin1String("ER_CANNOT_SAVE") ||
        f.key == QLatin1String("ER_CANNOT_CREATE_FOLDER"))
        return saveFailureText(texts_, "ALS_ERROR", target);
    if (f.key == QLatin1String("ER_UNKNOWN")) return saveFailureText(texts_, "ER_UNKNOWN", target);
    return resultText(texts_, "ALS_ERROR", key.constData());
}

// What the user is told beside the log line.
QString BatchRun::failureProblemText(const Failure& f) const {
    if (f.key == QLatin1String("ER_CANNOT_CREATE_FOLDER"))
        return texts_.message(f.key) + QStringLiteral(" \"%1\"").arg(f.detail);
    return f.detail;
}

}  // namespace core
