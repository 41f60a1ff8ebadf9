#include "core/batch/batch_run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <exception>
#include <filesystem>

#include "core/batch/batch_texts.h"
#include "core/batch/engine_record.h"
#include "core/batch/noise_scaling.h"
#include "core/paths/output_formats.h"
#include "core/paths/output_path.h"
#include "core/queue/queue_model.h"

namespace core {

namespace {

// The engine is single-entry and its progress callback carries no context: the one run that is
// inside Grainwash2 receives it.
BatchRun* gEngineRun = nullptr;

constexpr int32_t kMinimumSide = 10;

bool captionOn(const SettingsBlock& s) {
    return !s.CaptionText.empty() || s.InsertDate != 0 || s.InsertTime != 0 || s.InsertInfo != 0;
}

}  // namespace

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

void DNR_CDECL BatchRun::engineProgress(int32_t permille) {
    if (gEngineRun) gEngineRun->onEngineProgress(permille);
}

void BatchRun::onEngineProgress(int32_t permille) {
    if (permille == currentBar_) return;
    currentBar_ = permille;
    BatchProgress p;
    p.current = permille;
    p.overall = overallPermille(handled_, permille, total_);
    const int64_t seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start_)
            .count();
    p.elapsed = durationText(texts_, seconds);
    p.remaining = remainingText(texts_, seconds, p.overall);
    observer_.progressChanged(p);
}

BatchSummary BatchRun::run(std::vector<QueueParams>& queue, const BatchSetup& setup) {
    BatchSummary summary;
    handled_ = 0;
    // The clock starts a second early, so the first estimate never divides by nothing.
    start_ = std::chrono::steady_clock::now() - std::chrono::seconds(1);
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
            if (setup.storeQueue && !setup.storeQueue(queue))
                observer_.queueFileProblem(
                    QStringLiteral("the queue could not be stored; the finished item may be "
                                   "processed again by a later run"));
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
    auto status = [&](const char* key) {
        observer_.statusChanged(statusPrefix_ +
                                QStringLiteral(" (%1...)").arg(texts_.message(key)));
    };

    // Stages this version cannot draw yet: the item is never saved without them.
    QStringList missing;
    if (item.Settings.CropOn != 0) missing << texts_.message("ALS_CROP_AND_RESIZE");
    if (item.Settings.FrameOn != 0 || captionOn(item.Settings))
        missing << texts_.message("ALS_FRAMES_AND_TEXT");
    if (!missing.isEmpty()) {
        r.result = QStringLiteral("%1: %2").arg(
            texts_.message("ALS_ERROR"),
            fillPlaceholders(texts_.message("ER_STAGE_NOT_AVAILABLE"), {missing.join(", ")}));
        return r;
    }

    status("ALS_DATA_LOADING");
    QString error;
    std::unique_ptr<BatchPicture> picture;
    try {
        picture = pictures_.load(path, error);
    } catch (const std::exception& e) {
        picture.reset();
        error = QString::fromLocal8Bit(e.what());
    }
    if (!picture || picture->width() < kMinimumSide || picture->height() < kMinimumSide) {
        if (picture)
            error = QStringLiteral("the picture is %1 x %2 pixels")
                        .arg(picture->width())
                        .arg(picture->height());
        r.result = resultText(texts_, "ALS_ERROR", "ER_CANNOT_LOAD_OR_SMALL");
        observer_.itemProblem(path, error);
        return r;
    }

    status("ALS_PROCESSING");
    int32_t levels[6] = {1, 1, 1, 1, 1, 1};
    try {
        if (item.Rotation != 0 && !picture->rotate(int32_t(item.Rotation) * 90, error))
            throw std::runtime_error(error.toStdString());
        if (!picture->is16Bit() && !picture->convertTo24Bits(error))
            throw std::runtime_error(error.toStdString());

        EngineRecord record(item, setup.defaults);
        ProcessingParams& p = record.params;
        p.ProgressCallback = &BatchRun::engineProgress;
        r.relative = p.NoiseLevel;

        const PixelView view = picture->pixels();
        if (!view.Bits) throw std::runtime_error("the picture has no pixels");
        p.Width = view.Width;
        p.Height = view.Height;
        p.ViewWidth = p.FullWidth = p.ScaledFullWidth = view.Width;
        p.ViewHeight = p.FullHeight = p.ScaledFullHeight = view.Height;
        p.ViewTop = p.ViewLeft = 0;
        p.Bits = view.Bits;
        p.BytesPerSample = view.BytesPerSample;

        DetectNoiseLevel(p.Bits, levels, p.Width, p.Height, p.BytesPerSample == 2 ? 1 : 0);
        const ScaledNoise scaled =
            scaleNoiseLevels(p.NoiseLevel, p.ShadowsNoiseLevel, p.HighlightsNoiseLevel,
                             {levels[0], levels[1], levels[2]});
        p.NoiseLevel = scaled.noiseLevel;
        p.ShadowsNoiseLevel = scaled.shadowsNoiseLevel;
        p.HighlightsNoiseLevel = scaled.highlightsNoiseLevel;
        r.relative = scaled.relative;
        r.midtones = scaled.midtones;
        r.noiseMeasured = true;

        gEngineRun = this;
        const int32_t processed = Grainwash2(&p);
        gEngineRun = nullptr;
        if (abort_.load()) {
            r.result = texts_.message("ALS_ABORTED");
            return r;
        }
        // The engine reports a failure (no memory, no pixels) by its result; such a picture is
        // not saved as if it had been processed.
        if (!processed) throw std::runtime_error("the engine could not process the picture");
        if (p.BytesPerSample == 2) picture->refreshDisplayData();
    } catch (const std::exception& e) {
        gEngineRun = nullptr;
        picture.reset();
        r.result = resultText(texts_, "ALS_ERROR", "ALS_DLL_EXCEPTION");
        observer_.itemProblem(path, QString::fromLocal8Bit(e.what()));
        return r;
    }

    r.result = saveItem(*picture, item, setup, r.done);
    return r;
}

QString BatchRun::saveItem(BatchPicture& picture, const QueueParams& item, const BatchSetup& setup,
                           bool& done) {
    const QString source = itemSourcePath(item);
    const QString target = outputPath(source, setup.options, setup.defaultUserFolder);
    try {
        if (target.isEmpty()) {
            observer_.itemProblem(source, QStringLiteral("no output path can be formed"));
            return saveFailureText(texts_, "ALS_ERROR", target);
        }
        if (QFileInfo::exists(target) && setup.options.outputOverwrite == 0) {
            done = true;
            return texts_.message("ER_NO_OVERWRITE");
        }
        observer_.statusChanged(
            statusPrefix_ + QStringLiteral(" (%1...)").arg(texts_.message("ALS_SAVING_RESULT")));
        const QFileInfo info(target);
        if (!QDir().mkpath(info.path())) {
            observer_.itemProblem(source, texts_.message("ER_CANNOT_CREATE_FOLDER") +
                                              QStringLiteral(" \"%1\"").arg(info.path()));
            return saveFailureText(texts_, "ALS_ERROR", target);
        }
        // The picture is written beside its target under a temporary name and only then takes
        // the target's name, so a failed save (a full disk) leaves no half-written file and an
        // existing file is replaced only by a complete one.
        const int formatIndex = validFormatIndex(setup.options.outputFormat);
        const QString temporary = info.path() + QStringLiteral("/.") + info.completeBaseName() +
                                  QStringLiteral(".") +
                                  QUuid::createUuid().toString(QUuid::Id128).left(12) +
                                  QStringLiteral(".part.") + info.suffix();
        QString error;
        const bool saved = picture.save(temporary, kOutputFormats[size_t(formatIndex)].code,
                                        jpegQualityFor(setup.options.jpegQualityIndex), error);
        std::error_code renamed;
        if (saved)
            std::filesystem::rename(QFile::encodeName(temporary).toStdString(),
                                    QFile::encodeName(target).toStdString(), renamed);
        if (!saved || renamed) {
            QFile::remove(temporary);
            observer_.itemProblem(
                source, saved ? QString::fromLocal8Bit(renamed.message().c_str()) : error);
            return saveFailureText(texts_, "ALS_ERROR", target);
        }
        done = true;
        observer_.itemSaved(source, target);
        return texts_.message("ALS_OK");
    } catch (const std::exception& e) {
        observer_.itemProblem(source, QString::fromLocal8Bit(e.what()));
        return saveFailureText(texts_, "ER_UNKNOWN", target);
    }
}

}  // namespace core
