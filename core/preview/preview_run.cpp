#include "core/preview/preview_run.h"

#include <exception>

#include "core/document/region_extraction.h"
#include "core/preview/engine_call.h"
#include "core/preview/picture_copy.h"
#include "core/preview/run_preparation.h"
#include "core/preview/run_steps.h"
#include "core/preview/whole_image_view.h"

namespace core {

namespace {

QString lastError(imaging::Handle h) {
    return QString::fromStdString(imaging::cGetLastError(h));
}

PictureSize sizeOf(imaging::Handle h) {
    imaging::ImageInfo info;
    if (!imaging::cGetImageInfo(h, info)) return {};
    return {info.width, info.height};
}

PixelView pixelsOf(imaging::Handle h) {
    const PictureSize size = sizeOf(h);
    if (uint16_t* wide = imaging::cGetBits16Ptr(h)) return {wide, size.width, 2, size.height};
    if (uint8_t* narrow = imaging::cGetBitsPtr(h)) return {narrow, size.width, 1, size.height};
    return {nullptr, 0, -1, 0};
}

}  // namespace

Status makeReducedCopy(imaging::Handle source, imaging::Handle reduced, PictureSize workArea) {
    if (!copyPicture(source, reduced))
        return failure("ER_DLL",
                       QStringLiteral("the source cannot be copied: ") + lastError(reduced));
    const ReducedCopySize target = reducedCopySize(sizeOf(source), workArea);
    if (target.reduced && !imaging::cOpResizeEx(reduced, target.size.width, target.size.height)) {
        const QString why = lastError(reduced);
        imaging::cUnload(reduced);
        return failure("ER_DLL", QStringLiteral("the reduced copy cannot be made: ") + why);
    }
    return {};
}

Result<QImage> rebuildSourcePreview(const PreviewSessions& s, PreviewTab tab,
                                    const PreviewRegion& region, PictureSize workArea) {
    if (!isWholeImageTab(tab)) {
        if (!extractRegion(s.source, s.sourcePreview, region.left, region.top, region.right(),
                           region.bottom()))
            return failure("ER_DLL", QStringLiteral("the preview region lies outside the source"));
    } else {
        if (!holdsPicture(s.reduced))
            if (Status made = makeReducedCopy(s.source, s.reduced, workArea); !made)
                return made.failure();
        if (!copyPicture(s.reduced, s.sourcePreview))
            return failure("ER_DLL", QStringLiteral("the reduced copy cannot be copied"));
    }
    return displayCopyImage(s.sourcePreview);
}

imaging::Handle workingSessionOf(const PreviewSessions& s, PreviewTab tab) {
    if (tab == PreviewTab::Text) return s.textWorking;
    if (tab == PreviewTab::Crop) return s.cropWorking;
    return s.working;
}

imaging::Handle workingBaseOf(const PreviewSessions& s, PreviewTab tab,
                              bool captionNeedsFullImage) {
    if (tab == PreviewTab::Text) {
        if (captionNeedsFullImage) return s.source;
        return holdsPicture(s.reduced) ? s.reduced : s.sourcePreview;
    }
    if (tab == PreviewTab::Crop) return s.source;
    return s.sourcePreview;
}

RunResult runPreview(PreviewRunRequest& request, const EngineJobContext& context,
                     const EngineCall& engine) {
    RunResult result;
    PreviewRunStep step = PreviewRunStep::BeforeWorkingCopy;
    const imaging::Handle working = workingSessionOf(request.sessions, request.tab);
    const auto fail = [&](QString why) {
        imaging::cUnload(working);
        result.end = RunEnd::Failed;
        result.lastStep = stepNumber(step);
        result.detail = std::move(why);
        result.display = QImage();
        return std::move(result);
    };
    const auto aborted = [&] {
        imaging::cUnload(working);
        result.end = RunEnd::Aborted;
        result.lastStep = stepNumber(step);
        result.display = QImage();
        return std::move(result);
    };
    try {
        if (context.cancelled()) return aborted();
        const imaging::Handle base =
            workingBaseOf(request.sessions, request.tab, request.captionNeedsFullImage);
        if (!copyPicture(base, working))
            return fail(QStringLiteral("the working copy cannot be made: ") + lastError(working));
        step = PreviewRunStep::WorkingCopyMade;

        ProcessingParams& p = request.record.params;
        const PixelView view = pixelsOf(working);
        if (!view.Bits) return fail(QStringLiteral("the working copy has no pixels"));
        attachPixels(p, view);
        preparePreviewRun(p, request.tab, request.region, sizeOf(request.sessions.source),
                          {view.Width, view.Height});

        step = PreviewRunStep::EngineCalled;
        const EngineOutcome outcome = callEngine(p, !isWholeImageTab(request.tab), context, engine);
        result.redEyes = request.record.redEyes();
        if (outcome == EngineOutcome::Cancelled) return aborted();
        if (outcome == EngineOutcome::Failed)
            return fail(QStringLiteral("the engine could not process the preview"));
        step = PreviewRunStep::EngineReturned;

        if (p.BytesPerSample == 2) imaging::cRefreshDisplayData(working);
        if (request.afterEngine) request.afterEngine(working, p);
        step = PreviewRunStep::Display;
        result.display = displayCopyImage(working);
        if (result.display.isNull()) return fail(QStringLiteral("the preview cannot be shown"));
    } catch (const std::exception& e) {
        return fail(QString::fromLocal8Bit(e.what()));
    }
    result.end = RunEnd::Done;
    result.lastStep = stepNumber(step);
    return result;
}

}  // namespace core
