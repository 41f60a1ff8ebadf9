// One picture from its file to its saved result: load it (turned upright by its EXIF orientation
// unless the loader is told otherwise), turn it by the item's quarter turns, widen 8-bit pictures
// to 24 bits, detect its noise, scale the item's relative noise levels to it, fill the engine
// record, run the engine, crop, straighten and resize it by its crop group, draw the caption and
// frame, and save. The batch run (and through it the command line) and the program's full run
// share it.
#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/batch/batch_picture.h"
#include "core/batch/caption_step.h"
#include "core/errors/result.h"
#include "core/queue/queue_params.h"
#include "dnr.h"

namespace core {

enum class PictureJobStep { Loading, Processing, Saving };

class PictureJobObserver {
  public:
    virtual ~PictureJobObserver() = default;
    virtual void stepStarted(PictureJobStep /*step*/) {}
    // The engine's progress on this picture, 0..1000.
    virtual void engineProgress(int32_t /*permille*/) {}
    // Loading or saving the picture went on past something the user should know.
    virtual void warning(const QString& /*detail*/) {}
};

struct PictureOutput {
    QString path;  // empty when no output path could be formed
    int32_t formatCode = 0;
    int32_t jpegQuality = 0;
    // false: an existing file is kept and the job counts as done; this is checked before the
    // picture is loaded, and again before it is saved.
    bool overwrite = false;
};

// The noise found on the picture, as the log reports it.
struct NoiseMeasurement {
    int32_t midtones = 1;  // the detected mid-tone level, clamped
    int32_t relative = 0;  // the relative value applied, per mille
};

enum class PictureJobEnd { Saved, KeptExisting, Aborted, Failed };

struct PictureJobResult {
    PictureJobEnd end = PictureJobEnd::Failed;
    // For Failed: the key of the step that failed, with the detail for the user:
    //   "ER_CANNOT_LOAD_OR_SMALL"  the picture cannot be loaded or is under 10 x 10 pixels
    //   "ALS_DLL_EXCEPTION"        turning, widening, the engine, cropping and resizing, or the
    //                              caption and frame failed
    //   "ER_CANNOT_CREATE_FOLDER"  the output folder (the detail) cannot be made
    //   "ER_CANNOT_SAVE"           no output path, the output would be the picture itself, or the
    //                              save failed
    //   "ER_UNKNOWN"               the save raised an unexpected error
    Status status;
    std::optional<NoiseMeasurement> noise;  // set once the noise was measured

    bool done() const { return end == PictureJobEnd::Saved || end == PictureJobEnd::KeptExisting; }
};

// Pictures smaller than this on either side are refused.
inline constexpr int32_t kMinimumPictureSide = 10;

// The engine's processing call with the filled record, as the job makes it; empty means
// Grainwash2. Tests put a scripted engine in its place to drive progress, abort and failure.
using EngineCall = std::function<int32_t(ProcessingParams&)>;

// Runs the job; aborted is polled after the engine returns, after the crop and resize and before
// the caption and frame (the engine itself is stopped through its Abort export).
PictureJobResult runPictureJob(PictureSource& pictures, const QueueParams& item,
                               const SettingsBlock& defaults, const PictureOutput& output,
                               PictureJobObserver& observer, const std::atomic<bool>& aborted,
                               const EngineCall& engine = {},
                               const CaptionOptions& caption = CaptionOptions());

}  // namespace core
