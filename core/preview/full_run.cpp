#include "core/preview/full_run.h"

#include <exception>

#include "core/preview/engine_call.h"
#include "core/preview/picture_copy.h"
#include "core/preview/run_preparation.h"
#include "core/preview/run_steps.h"

namespace core {

RunResult runFull(FullRunRequest& request, const EngineJobContext& context,
                  const EngineCall& engine) {
    RunResult result;
    FullRunStep step = FullRunStep::BeforeCopy;
    const imaging::Handle output = request.output;
    const auto end = [&](RunEnd how, QString why = {}) {
        imaging::cUnload(output);
        result.end = how;
        result.lastStep = stepNumber(step);
        result.detail = std::move(why);
        result.display = QImage();
        return std::move(result);
    };
    try {
        if (context.cancelled()) return end(RunEnd::Aborted);
        if (!copyPicture(request.source, output))
            return end(RunEnd::Failed, QStringLiteral("the source cannot be copied: ") +
                                           QString::fromStdString(imaging::cGetLastError(output)));
        step = FullRunStep::CopyMade;

        ProcessingParams& p = request.record.params;
        imaging::ImageInfo info;
        imaging::cGetImageInfo(output, info);
        PixelView view{nullptr, info.width, -1, info.height};
        if (uint16_t* wide = imaging::cGetBits16Ptr(output)) {
            view.Bits = wide;
            view.BytesPerSample = 2;
        } else if (uint8_t* narrow = imaging::cGetBitsPtr(output)) {
            view.Bits = narrow;
            view.BytesPerSample = 1;
        }
        if (!view.Bits) return end(RunEnd::Failed, QStringLiteral("the output has no pixels"));
        attachPixels(p, view);
        prepareFullRun(p, {info.width, info.height});

        step = FullRunStep::EngineCalled;
        const EngineOutcome outcome = callEngine(p, true, context, engine);
        result.redEyes = request.record.redEyes();
        if (outcome == EngineOutcome::Cancelled) return end(RunEnd::Aborted);
        if (outcome == EngineOutcome::Failed)
            return end(RunEnd::Failed, QStringLiteral("the engine could not process the picture"));
        step = FullRunStep::AfterEngine;

        if (p.BytesPerSample == 2) imaging::cRefreshDisplayData(output);
        if (request.finishOutput)
            if (Status finished = request.finishOutput(output); !finished)
                return end(RunEnd::Failed, finished.failure().detail.isEmpty()
                                               ? finished.failure().key
                                               : finished.failure().detail);
        if (context.cancelled()) return end(RunEnd::Aborted);
        result.display = displayCopyImage(output);
        if (result.display.isNull())
            return end(RunEnd::Failed, QStringLiteral("the output cannot be shown"));
        step = FullRunStep::OutputTransferred;
    } catch (const std::exception& e) {
        return end(RunEnd::Failed, QString::fromLocal8Bit(e.what()));
    }
    result.end = RunEnd::Done;
    result.lastStep = stepNumber(step);
    return result;
}

}  // namespace core
