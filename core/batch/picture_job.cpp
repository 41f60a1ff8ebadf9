#include "core/batch/picture_job.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

#include "core/batch/engine_record.h"
#include "core/batch/engine_run_scope.h"
#include "core/batch/noise_scaling.h"
#include "core/crop/crop_and_resize.h"
#include "core/files/path_bytes.h"
#include "core/paths/output_path.h"
#include "core/queue/queue_model.h"

namespace core {

namespace {

QString exceptionText(const std::exception& e) {
    return QString::fromLocal8Bit(e.what());
}

PictureJobResult failed(Failure why, std::optional<NoiseMeasurement> noise = std::nullopt) {
    PictureJobResult r;
    r.end = PictureJobEnd::Failed;
    r.status = std::move(why);
    r.noise = noise;
    return r;
}

PictureJobResult abortedJob(std::optional<NoiseMeasurement> noise) {
    PictureJobResult r;
    r.end = PictureJobEnd::Aborted;
    r.noise = noise;
    return r;
}

Result<std::unique_ptr<BatchPicture>> loadPicture(PictureSource& pictures, const QString& path,
                                                  const std::atomic<bool>& stop) {
    constexpr const char* kKey = "ER_CANNOT_LOAD_OR_SMALL";
    try {
        Result<std::unique_ptr<BatchPicture>> loaded = pictures.load(path, stop);
        if (!loaded) return failure(kKey, loaded.failure().detail);
        const BatchPicture& p = *loaded.value();
        if (p.width() < kMinimumPictureSide || p.height() < kMinimumPictureSide)
            return failure(
                kKey,
                QStringLiteral("the picture is %1 x %2 pixels").arg(p.width()).arg(p.height()));
        return loaded;
    } catch (const std::exception& e) {
        return failure(kKey, exceptionText(e));
    }
}

// Turns the picture by the item's quarter turns and gives the engine 8-bit pictures as 24 bits.
Status preparePicture(BatchPicture& picture, const QueueParams& item) {
    if (item.Rotation != 0)
        if (Status s = picture.rotate(int32_t(item.Rotation) * 90); !s) return s;
    if (!picture.is16Bit())
        if (Status s = picture.convertTo24Bits(); !s) return s;
    return {};
}

void attachPixels(ProcessingParams& p, const PixelView& view) {
    p.Width = view.Width;
    p.Height = view.Height;
    p.ViewWidth = p.FullWidth = p.ScaledFullWidth = view.Width;
    p.ViewHeight = p.FullHeight = p.ScaledFullHeight = view.Height;
    p.ViewTop = p.ViewLeft = 0;
    p.Bits = view.Bits;
    p.BytesPerSample = view.BytesPerSample;
}

// Replaces the record's relative noise levels by levels scaled to the noise detected here.
NoiseMeasurement measureNoise(ProcessingParams& p) {
    int32_t levels[6] = {1, 1, 1, 1, 1, 1};
    DetectNoiseLevel(p.Bits, levels, p.Width, p.Height, p.BytesPerSample == 2 ? 1 : 0);
    const ScaledNoise scaled =
        scaleNoiseLevels(p.NoiseLevel, p.ShadowsNoiseLevel, p.HighlightsNoiseLevel,
                         {levels[0], levels[1], levels[2]});
    p.NoiseLevel = scaled.noiseLevel;
    p.ShadowsNoiseLevel = scaled.shadowsNoiseLevel;
    p.HighlightsNoiseLevel = scaled.highlightsNoiseLevel;
    return {scaled.midtones, scaled.relative};
}

Status savePicture(BatchPicture& picture, const PictureOutput& output) {
    try {
        const QString folder = QFileInfo(output.path).path();
        if (!makeFolders(folder)) return failure("ER_CANNOT_CREATE_FOLDER", folder);
        return picture.save(output.path, output.formatCode, output.jpegQuality, output.overwrite);
    } catch (const std::exception& e) {
        return failure("ER_UNKNOWN", exceptionText(e));
    }
}

}  // namespace

PictureJobResult runPictureJob(PictureSource& pictures, const QueueParams& item,
                               const SettingsBlock& defaults, const PictureOutput& output,
                               PictureJobObserver& observer, const std::atomic<bool>& aborted,
                               const EngineCall& engine, const CaptionOptions& caption) {
    const QString source = itemSourcePath(item);
    // Whatever the overwrite switch says, the photograph is never replaced by its own result.
    if (!output.path.isEmpty() && outputIsSource(source, output.path))
        return failed(failure("ER_CANNOT_SAVE",
                              QStringLiteral("the output file would be the picture itself; choose "
                                             "another output folder, a prefix or a suffix")));
    // An output that is kept anyway is known before minutes of loading and processing.
    if (!output.path.isEmpty() && !output.overwrite && pathExists(output.path)) {
        PictureJobResult kept;
        kept.end = PictureJobEnd::KeptExisting;
        return kept;
    }
    observer.stepStarted(PictureJobStep::Loading);
    Result<std::unique_ptr<BatchPicture>> loaded = loadPicture(pictures, source, aborted);
    // A load the stop cut short is no fault of the picture's.
    if (!loaded) return aborted.load() ? abortedJob(std::nullopt) : failed(loaded.failure());
    BatchPicture& picture = *loaded.value();
    const QStringList loadWarnings = picture.warnings();
    for (const QString& w : loadWarnings)
        observer.warning(w);

    observer.stepStarted(PictureJobStep::Processing);
    constexpr const char* kEngineKey = "ALS_DLL_EXCEPTION";
    std::optional<NoiseMeasurement> noise;
    try {
        if (Status s = preparePicture(picture, item); !s)
            return failed(failure(kEngineKey, s.failure().detail));

        EngineRecord record(item, defaults);
        ProcessingParams& p = record.params;
        p.ProgressCallback = &EngineRunScope::progress;
        const PixelView view = picture.pixels();
        if (!view.Bits)
            return failed(failure(kEngineKey, QStringLiteral("the picture has no pixels")));
        attachPixels(p, view);
        noise = measureNoise(p);

        int32_t processed = 0;
        {
            EngineRunScope scope(
                [&observer](int32_t permille) { observer.engineProgress(permille); });
            processed = engine ? engine(p) : Grainwash2(&p);
        }
        if (aborted.load()) return abortedJob(noise);
        // The engine reports a failure (no memory, no pixels) by its result; such a picture is
        // not saved as if it had been processed.
        if (!processed)
            return failed(
                failure(kEngineKey, QStringLiteral("the engine could not process the picture")),
                noise);
        if (p.BytesPerSample == 2) picture.refreshDisplayData();

        if (const Result<bool> cropped =
                applyCropAndResize(item.Settings, picture, CropMode::QueueItem);
            !cropped)
            return failed(failure(kEngineKey, cropped.failure().detail), noise);
        if (aborted.load()) return abortedJob(noise);
        if (Status s = drawItemCaptionAndFrame(picture, item, caption); !s)
            return failed(failure(kEngineKey, s.failure().detail), noise);
    } catch (const std::exception& e) {
        return failed(failure(kEngineKey, exceptionText(e)), noise);
    }

    PictureJobResult r;
    r.noise = noise;
    if (output.path.isEmpty())
        return failed(failure("ER_CANNOT_SAVE", QStringLiteral("no output path can be formed")),
                      noise);
    if (pathExists(output.path) && !output.overwrite) {
        r.end = PictureJobEnd::KeptExisting;
        return r;
    }
    observer.stepStarted(PictureJobStep::Saving);
    if (Status s = savePicture(picture, output); !s) {
        // Another process (a second run into the same folder) finished this output first.
        if (!output.overwrite && pathExists(output.path)) {
            r.end = PictureJobEnd::KeptExisting;
            return r;
        }
        return failed(s.failure(), noise);
    }
    const QStringList warnings = picture.warnings();
    for (qsizetype i = loadWarnings.size(); i < warnings.size(); ++i)
        observer.warning(warnings[i]);
    r.end = PictureJobEnd::Saved;
    return r;
}

}  // namespace core
